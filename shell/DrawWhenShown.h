#pragma once
// A view drawn only while it can be seen: a draw asked for while the view is hidden (its page not the
// current one, its window not shown) waits until the view is next shown, so that filling the views of
// hidden pages never holds up the window.

#include <QObject>

#include <functional>

class QWidget;

class TDrawWhenShown : public QObject {
public:
    // Draw fills View; it runs on the GUI thread, with no exception leaving it.
    TDrawWhenShown(QWidget *View, std::function<void()> Draw);

    // Draws at once when the view is visible, else when it is next shown.
    void Request();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void DrawNow();

    QWidget *FView;
    std::function<void()> FDraw;
    bool FPending = false;
};
