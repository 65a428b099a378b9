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
    const TRect itemRect = TRect::fromQRect(option.rect);
    if (FTree.BeforeItemPaint)
        FTree.BeforeItemPaint(&FTree, node, painter, itemRect, states);

    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (states & nsDropHilited)
        opt.state |= QStyle::State_Selected;
    if (!node->ParentFont) {
        opt.font = toQFont(node->Font());
        opt.fontMetrics = QFontMetrics(opt.font);
        const QColor color = toQColor(node->Font().Color, opt.palette);
        opt.palette.setColor(QPalette::Text, color);
        opt.palette.setColor(QPalette::WindowText, color);
    }
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
        opt.rect.setLeft(stateRect.right() + 3);
    }
    if (TImageList *images = FTree.Images()) {
        const bool selected = option.state & QStyle::State_Selected;
        const auto &ask = selected ? FTree.OnGetSelectedIndex : FTree.OnGetImageIndex;
        if (ask)
            ask(&FTree, node);
        const int image = selected ? node->SelectedIndex : node->ImageIndex;
        const QPixmap pixmap = images->Image(image);
        if (!pixmap.isNull()) {
            opt.icon = QIcon(pixmap);
            opt.decorationSize = pixmap.size();
            opt.features |= QStyleOptionViewItem::HasDecoration;
        }
    }
    FTree.style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, &FTree);
    if (FTree.AfterItemPaint)
        FTree.AfterItemPaint(&FTree, node, painter, itemRect, states);
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
