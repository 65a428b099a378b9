#pragma once
// A view whose drawing never holds up the event that asks for it while the view is hidden (its page not
// the current one): the draw then runs in an event of its own, unless the view is shown first, when it
// runs at once. A hidden chart is filled several times faster than a shown one, so the charts of hidden
// pages are filled while hidden, one event each, and their first showing only paints them.

#include <QObject>

#include <functional>

class QWidget;

class TDeferredDraw : public QObject {
public:
    // Draw fills View; it runs on the GUI thread, with no exception leaving it.
    TDeferredDraw(QWidget *View, std::function<void()> Draw);

    // Draws at once when the view is visible, else soon after (or when the view is shown, if sooner).
    void Request();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void DrawNow();

    QWidget *FView;
    std::function<void()> FDraw;
    bool FPending = false;
};
