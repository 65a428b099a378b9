#include "controls/TreeNTDelegate.h"

#include "controls/TreeNT.h"

#include <QLineEdit>
#include <QPainter>

TTreeNTDelegate::TTreeNTDelegate(TCustomTreeNT &Tree) : QStyledItemDelegate(&Tree), FTree(Tree)
{
}

QSize TTreeNTDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const TTreeNTNode *node = TTreeNTNodes::GetNode(FTree.itemFromIndex(index));
    if (node && !FTree.StateImageRect(node->ItemId()).isEmpty())
        size.rwidth() += FTree.StateImageRect(node->ItemId()).width() + 2;
    size.setHeight(FTree.ItemHeight());
    return size;
}

void TTreeNTDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    TTreeNTNode *node = TTreeNTNodes::GetNode(FTree.itemFromIndex(index));
    if (!node) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    TNodeStates states = 0;
    if (option.state & QStyle::State_Selected)
        states |= nsSelected;
    if (option.state & QStyle::State_HasFocus)
        states |= nsFocused;
    if (!(option.state & QStyle::State_Enabled))
        states |= nsDisabled;
    if (option.state & QStyle::State_MouseOver)
        states |= nsHot;
    if (node->Checked())
        states |= nsChecked;
    if (node->Expanded())
        states |= nsExpanded;
    if (node->DropTarget())
        states |= nsDropHilited;
    if (node->Cut())
        states |= nsCut;
    const TRect itemRect = TRect::fromQRect(option.rect);
    if (FTree.BeforeItemPaint)
        FTree.BeforeItemPaint(&FTree, node, painter, itemRect, states);

    const QStyleOptionViewItem opt = NodeOption(option, index, *node, true);
    const QRect stateRect = FTree.StateImageRect(node->ItemId());
    if (!stateRect.isEmpty()) {
        if (TImageList *images = FTree.StateImages()) {
            painter->drawPixmap(stateRect.topLeft(), images->Image(node->StateIndex));
        } else {
            QStyleOptionViewItem check = opt;
            check.rect = stateRect;
            check.state = (check.state & ~QStyle::State_HasFocus)
                | (node->Checked() ? QStyle::State_On : QStyle::State_Off);
            FTree.style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter,
                                         &FTree);
        }
    }
    FTree.style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, &FTree);
    if (FTree.AfterItemPaint)
        FTree.AfterItemPaint(&FTree, node, painter, itemRect, states);
}

QStyleOptionViewItem TTreeNTDelegate::NodeOption(const QStyleOptionViewItem &option,
                                                 const QModelIndex &index, const TTreeNTNode &node,
                                                 bool AskImages) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (node.DropTarget())
        opt.state |= QStyle::State_Selected;
    if (!node.ParentFont) {
        opt.font = toQFont(node.Font());
        opt.fontMetrics = QFontMetrics(opt.font);
        const QColor color = toQColor(node.Font().Color, opt.palette);
        opt.palette.setColor(QPalette::Text, color);
        opt.palette.setColor(QPalette::WindowText, color);
    }
    const QRect stateRect = FTree.StateImageRect(node.ItemId());
    if (!stateRect.isEmpty())
        opt.rect.setLeft(stateRect.right() + 3);
    if (TImageList *images = FTree.Images()) {
        const bool selected = option.state & QStyle::State_Selected;
        const auto &ask = selected ? FTree.OnGetSelectedIndex : FTree.OnGetImageIndex;
        if (AskImages && ask)
            ask(&FTree, const_cast<TTreeNTNode *>(&node));
        QPixmap pixmap = images->Image(selected ? node.SelectedIndex : node.ImageIndex);
        if (!pixmap.isNull()) {
            if (node.Cut())
                pixmap = FTree.style()->generatedIconPixmap(QIcon::Disabled, pixmap, &opt);
            opt.icon = QIcon(pixmap);
            opt.decorationSize = pixmap.size();
            opt.features |= QStyleOptionViewItem::HasDecoration;
        }
    }
    return opt;
}

void TTreeNTDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    TTreeNTNode *node = TTreeNTNodes::GetNode(FTree.itemFromIndex(index));
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!node || !line)
        return;
    QString text = line->text();
    if (FTree.OnEdited)
        FTree.OnEdited(&FTree, node, text);
    node->setText(text);
}
