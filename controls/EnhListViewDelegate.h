#pragma once
// The default drawing of one cell of TCustomEnhListView (its sub-item image, then its text single-line,
// vertically centred, aligned as its column and cut with an ellipsis), and the list's row height.

#include <QStyledItemDelegate>

class TCustomEnhListView;

class TEnhListViewDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TEnhListViewDelegate(TCustomEnhListView &list);

    // Draws with the painter's font and pen inside option.rect; the row and column come from index.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TCustomEnhListView &FList;
};
