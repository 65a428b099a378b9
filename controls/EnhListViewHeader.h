#pragma once
// The header of TCustomEnhListView: its sections are drawn by the list (DrawHeader) while the list draws
// them itself, and a section pressed by the mouse is drawn pressed.

#include <QHeaderView>

class TCustomEnhListView;

class TEnhListViewHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TEnhListViewHeader(TCustomEnhListView &list);

    // The section under the pressed mouse button, -1 when none.
    int PressedSection() const { return FPressed; }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TCustomEnhListView &FList;
    int FPressed = -1;
};
