#pragma once
// Paints a node of TCustomTreeNT: its state image (check box), its image, its own font and colour,
// with the tree's item paint events around it; ends label editing through OnEdited.

#include <QStyledItemDelegate>

class TCustomTreeNT;
class TTreeNTNode;

class TTreeNTDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TTreeNTDelegate(TCustomTreeNT &Tree);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // The edited text passes OnEdited and becomes the node's Text.
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The option a node is drawn with: its own font, the room after its state image and its image (a cut
    // node's ghosted); AskImages fires OnGetImageIndex or OnGetSelectedIndex first.
    QStyleOptionViewItem NodeOption(const QStyleOptionViewItem &option, const QModelIndex &index,
                                    const TTreeNTNode &node, bool AskImages) const;

private:
    TCustomTreeNT &FTree;
};
