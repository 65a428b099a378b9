#pragma once
// A flat toggle button that can be dragged onto another one of the same parent. A drag starts when the owner calls
// BeginDrag (typically from OnMouseDown); until the mouse button is released the cursor tells whether
// the button under it takes the drop, and the release over such a button hands it the drop.

#include <QToolButton>

#include <functional>

class TDragSpeedButton : public QToolButton {
    Q_OBJECT

public:
    explicit TDragSpeedButton(QWidget *parent = nullptr);

    // The owner's number for the button.
    int Tag = 0;

    // Starts dragging this button while a mouse button is held on it.
    void BeginDrag();
    bool Dragging() const { return FDragging; }

    // Any mouse button pressed on the button; the left button then toggles it as usual.
    std::function<void(TDragSpeedButton *Sender, Qt::MouseButton Button)> OnMouseDown;
    // Asked of the button under the mouse while Source is dragged over it; a button without the
    // handler takes no drop.
    std::function<void(TDragSpeedButton *Sender, TDragSpeedButton *Source, bool &Accept)> OnDragOver;
    // Source was dropped on the button (which accepted it).
    std::function<void(TDragSpeedButton *Sender, TDragSpeedButton *Source)> OnDragDrop;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The draggable button beside this one (of the same parent) under the point, in the button's own
    // coordinates, that takes this one; or null.
    TDragSpeedButton *DropTargetAt(const QPoint &Pos);
    void EndDrag();

    bool FDragging = false;
};
