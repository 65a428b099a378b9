#include "controls/EnhListViewDelegate.h"

#include "controls/EnhListView.h"
#include "controls/TextDraw.h"

#include <QPainter>

namespace {

constexpr int TextMargin = 4;
constexpr int ImageMargin = 2;

uint32_t alignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    case taLeftJustify:
        break;
    }
    return DT_LEFT;
}

} // namespace

TEnhListViewDelegate::TEnhListViewDelegate(TCustomEnhListView &list) : QStyledItemDelegate(&list), FList(list)
{
}

QSize TEnhListViewDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width() + 2 * TextMargin, FList.RowHeight()};
}

void TEnhListViewDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int subItem = FList.ActualColumnIndex(index.column()) - 1;
    TRect rect = TRect::fromQRect(option.rect);
    if (subItem >= 0) {
        rect = rect.inflated(-TextMargin, 0);
        TImageList *images = FList.SmallImages();
        const int image = FList.CellRole(index.row(), index.column(), ImageIndexRole);
        if (FList.DrawsSubItemImages() && images && image >= 0) {
            painter->drawPixmap(rect.Left, rect.Top + (rect.Height() - images->Height()) / 2, images->Image(image));
            rect.Left += images->Width() + ImageMargin;
        }
    }
    const TAlignment alignment = FList.ColumnAlignment(index.column());
    if (alignment == taLeftJustify)
        rect.Left += TextMargin;
    QString text;
    FList.GetSubItemText(index.row(), subItem, text);
    DrawText(*painter, text, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | alignmentFlag(alignment));
}
