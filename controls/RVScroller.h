#pragma once
// A document that scrolls vertically in steps of StepHeight pixels and horizontally in pixels, driven
// by the scroll bar, the keyboard and the descendant. Child controls of the viewport move with the
// document: a child that is a library control keeps its true top in its Tag and its Top limited to
// -10000..10000, so that one far outside the visible area keeps a valid position.

#include "controls/Component.h"

#include <QAbstractScrollArea>

#include <functional>

class TRVScroller : public QAbstractScrollArea, public LoadedComponent {
    Q_OBJECT
public:
    explicit TRVScroller(QWidget *parent = nullptr);

    // Whether the document follows the scroll thumb while it is dragged.
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value);
    // Whether the vertical scroll bar shows; the keys scroll either way.
    bool VScrollVisible() const { return FVScrollVisible; }
    void SetVScrollVisible(bool value);

    // Raised after every vertical scroll that moved the document.
    std::function<void(QObject *Sender)> OnVScrolled;

    // Stores the document's extent (width in pixels, height in steps) and sets the scroll bars.
    void SetScrollRanges(int width, int steps);
    // Scroll as far towards the position as the scroll bar allows.
    void ScrollVertTo(int step);
    void ScrollHorzTo(int pixel);
    void ScrollToPixel(int y);
    int VertScrollPos() const { return ScrollY; }
    void SetVertScrollPos(int step) { ScrollVertTo(step); }

    // Top := Tag limited to -10000..10000, for a child that is a library control.
    void PlaceChildTop(QWidget *control);
    // Moves every child of the viewport with the document.
    void MoveChildren(int dx, int dy);

protected:
    // Pixels per vertical step.
    int StepHeight = 10;
    // Horizontal position in pixels, vertical position in steps.
    int ScrollX = 0;
    int ScrollY = 0;
    int DocWidth = 0;
    int DocSteps = 0;
    // Scroll by repainting everything rather than moving the window contents (a background fixed to
    // the window must not move with the text).
    bool RedrawOnScroll = false;

    // Document pixels of the vertical position.
    int DocOffsetY() const { return ScrollY * StepHeight; }

    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    // The key handling after the navigation keys scrolled; the base lets the key go on.
    virtual void KeyDown(QKeyEvent *event);

private:
    bool FTracking = true;
    bool FVScrollVisible = true;
    // Set while SetScrollRanges moves the bars: the positions follow them, the contents stay.
    bool FSettingRanges = false;
};
