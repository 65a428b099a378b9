// The drawing half of TCustomEnhListView: rows, cells, header sections, sort arrows and the row height.
#include "controls/EnhListView.h"

#include "controls/EnhListViewHeader.h"
#include "controls/TextDraw.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace {

constexpr int TextMargin = 4;
constexpr int ImageMargin = 2;
constexpr int ArrowGap = 8;
constexpr uint32_t CaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

uint32_t alignmentFlag(TAlignment alignment)
{
    return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}

void fill(QPainter &painter, const TRect &rect) { painter.fillRect(rect.toQRect(), painter.brush()); }

} // namespace

int TCustomEnhListView::RowHeight() const
{
    if (FRowHeight > 0)
        return FRowHeight;
    uint32_t height = static_cast<uint32_t>(fontMetrics().height() + 1);
    if (FSmallImages)
        height = std::max(height, static_cast<uint32_t>(FSmallImages->Height()));
    const_cast<TCustomEnhListView *>(this)->MeasureItem(height);
    FRowHeight = std::max(1, static_cast<int>(height));
    return FRowHeight;
}

void TCustomEnhListView::MeasureItem(uint32_t &height)
{
    if (FStyle == TLVStyle::lvOwnerDrawFixed && OnMeasureItem)
        OnMeasureItem(this, height);
}

void TCustomEnhListView::changeEvent(QEvent *event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FRowHeight = 0;
        RebuildSortArrows();
        doItemsLayout();
    } else if (event->type() == QEvent::PaletteChange) {
        RebuildSortArrows();
    }
}

void TCustomEnhListView::SetStyle(TLVStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    FRowHeight = 0;
    doItemsLayout();
}

void TCustomEnhListView::SetHideSelection(bool value)
{
    FHideSelection = value;
    viewport()->update();
}

void TCustomEnhListView::ImagesReplaced(QPointer<TImageList> &slot, TImageList *value)
{
    if (slot)
        disconnect(slot, nullptr, this, nullptr);
    slot = value;
    if (value)
        connect(value, &TImageList::Change, this, [this] { ImagesChanged(); });
    ImagesChanged();
}

void TCustomEnhListView::SetSmallImages(TImageList *value) { ImagesReplaced(FSmallImages, value); }

void TCustomEnhListView::SetStateImages(TImageList *value) { ImagesReplaced(FStateImages, value); }

void TCustomEnhListView::ImagesChanged()
{
    FRowHeight = 0;
    doItemsLayout();
    viewport()->update();
}

QSize TCustomEnhListView::StateImageSize() const
{
    return FStateImages ? QSize(FStateImages->Width(), FStateImages->Height()) : QSize();
}

void TCustomEnhListView::DrawStateImage(QPainter &painter, QPoint topLeft, int stateIndex) const
{
    if (FStateImages)
        painter.drawPixmap(topLeft, FStateImages->Image(stateIndex));
}

QRect TCustomEnhListView::StateImageRect(int row) const
{
    const QSize size = StateImageSize();
    const QRect rowRect = visualRect(model()->index(row, header()->logicalIndex(0)));
    if (size.isEmpty() || !rowRect.isValid())
        return {};
    return QRect(QPoint(rowRect.left() + ImageMargin, rowRect.top() + (rowRect.height() - size.height()) / 2), size);
}

int TCustomEnhListView::ActualColumnIndex(int index) const { return index; }

int TCustomEnhListView::GetColumnFromIndex(int index) const { return index >= 0 && index < ColumnCount() ? index : -1; }

void TCustomEnhListView::GetSubItemText(int index, int subItem, QString &text) const { text = CellText(index, subItem); }

void TCustomEnhListView::drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int row = index.row();
    const int left = -header()->offset();
    const TRect rect{left, option.rect.top(), std::max(left + header()->length(), viewport()->width()),
                     option.rect.top() + option.rect.height()};
    TOwnerDrawState state = 0;
    if (selectionModel()->isRowSelected(row, rootIndex()))
        state |= odSelected;
    if (hasFocus() && currentIndex().isValid() && currentIndex().row() == row)
        state |= odFocused;
    if (!isEnabled())
        state |= odDisabled;
    const_cast<TCustomEnhListView *>(this)->DrawItem(*painter, row, rect, state);
}

void TCustomEnhListView::DrawItemEvent(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state,
                                       bool &defaultDrawing, bool &fullRowSelect)
{
    defaultDrawing = FStyle != TLVStyle::lvOwnerDrawFixed || ownerDrawDefault(OnDrawItem, [&](bool &dd) {
                         OnDrawItem(this, painter, index, rect, state, dd, fullRowSelect);
                     });
}

void TCustomEnhListView::DrawItem(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state)
{
    painter.save();
    painter.setFont(font());
    painter.setBrush(toQColor(clWindow, palette()));
    painter.setPen(toQColor(clWindowText, palette()));
    bool defaultDrawing = true;
    bool fullRowSelect = false;
    DrawItemEvent(painter, index, rect, state, defaultDrawing, fullRowSelect);
    if (defaultDrawing) {
        fill(painter, rect);
        // The selection: from after the images over the caption, or the whole row.
        const int first = header()->logicalIndex(0);
        const int cellLeft = header()->sectionViewportPosition(first);
        TRect selection = rect;
        selection.Left = cellLeft;
        if (!StateImageSize().isEmpty())
            selection.Left += ImageMargin + StateImageSize().width();
        if (FSmallImages)
            selection.Left += ImageMargin + FSmallImages->Width();
        if (fullRowSelect) {
            // The columns, not the empty room beside the last one.
            selection.Right = std::min(rect.Right, rect.Left + header()->length());
        } else {
            QString caption;
            GetSubItemText(index, -1, caption);
            selection.Right = std::min(selection.Left + fontMetrics().horizontalAdvance(caption) + 2 * TextMargin,
                                       cellLeft + header()->sectionSize(first));
        }
        if ((state & odSelected) && (!FHideSelection || hasFocus()))
            painter.fillRect(selection.toQRect(), toQColor(hasFocus() ? clHighlight : clBtnFace, palette()));
        DefaultDrawItem(painter, index, rect, state, fullRowSelect);
        if ((state & odFocused) && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = selection.toQRect();
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
        if (FStyle == TLVStyle::lvOwnerDrawFixed && OnAfterDefaultDrawItem)
            OnAfterDefaultDrawItem(this, painter, index, rect, state);
    }
    painter.restore();
}

void TCustomEnhListView::DefaultDrawItem(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state,
                                         bool fullRowSelect)
{
    if (index < 0 || index >= ItemCount() || ColumnCount() == 0)
        return;
    if (state & odSelected) {
        if (hasFocus()) {
            painter.setBrush(toQColor(clHighlight, palette()));
            painter.setPen(toQColor(clHighlightText, palette()));
        } else if (!FHideSelection) {
            painter.setBrush(toQColor(clBtnFace, palette()));
            painter.setPen(toQColor(clBtnText, palette()));
        }
    }
    const int first = header()->logicalIndex(0);
    TRect cell{header()->sectionViewportPosition(first), rect.Top, 0, rect.Bottom};
    cell.Right = cell.Left + header()->sectionSize(first);

    const QSize stateSize = StateImageSize();
    if (!stateSize.isEmpty()) {
        DrawStateImage(painter, QPoint(cell.Left + ImageMargin, cell.Top + (cell.Height() - stateSize.height()) / 2),
                       CellRole(index, 0, StateIndexRole));
        cell.Left += ImageMargin + stateSize.width();
    }
    if (FSmallImages) {
        const QPixmap image = FSmallImages->Image(CellRole(index, 0, ImageIndexRole));
        if (!image.isNull()) {
            const QPoint at(cell.Left + ImageMargin, cell.Top + (cell.Height() - image.height()) / 2);
            painter.drawPixmap(at, image);
            const bool selectedStyle = hasFocus() && ((state & odSelected) || (state & odFocused));
            if (selectedStyle) {
                QImage blended = image.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QPainter blend(&blended);
                blend.setCompositionMode(QPainter::CompositionMode_SourceAtop);
                blend.fillRect(blended.rect(), QColor::fromRgba(toQColor(clHighlight, palette()).rgb() & 0x7FFFFFFF));
                blend.end();
                painter.drawImage(at, blended);
            }
        }
        if (ColumnAlignment(first) == taLeftJustify)
            cell.Left += ImageMargin + FSmallImages->Width();
    }
    DefaultDrawSubItem(painter, index, -1, cell, state);

    for (int position = 1; position < header()->count(); ++position) {
        const int column = header()->logicalIndex(position);
        const TRect subCell = TRect::Bounds(header()->sectionViewportPosition(column), rect.Top,
                                            header()->sectionSize(column), rect.Height());
        if (!fullRowSelect) {
            painter.setBrush(toQColor(clWindow, palette()));
            painter.setPen(toQColor(clWindowText, palette()));
        }
        DefaultDrawSubItem(painter, index, position - 1, subCell, state);
    }
}

void TCustomEnhListView::DefaultDrawSubItem(QPainter &painter, int index, int subItem, const TRect &rect,
                                            TOwnerDrawState state)
{
    painter.save();
    const bool defaultDrawing = FStyle != TLVStyle::lvOwnerDrawFixed || ownerDrawDefault(OnDrawSubItem, [&](bool &dd) {
                                    OnDrawSubItem(this, painter, index, subItem, rect, state, dd);
                                });
    if (defaultDrawing) {
        QStyleOptionViewItem option;
        option.initFrom(this);
        option.rect = rect.toQRect();
        itemDelegate()->paint(&painter, option, model()->index(index, GetColumnFromIndex(subItem + 1)));
    }
    painter.restore();
}

// ---- Header ----------------------------------------------------------------------------------------

void TCustomEnhListView::DrawHeader(QPainter &painter, int index, const TRect &rect, bool selected)
{
    painter.setFont(font());
    painter.setBrush(toQColor(clBtnFace, palette()));
    painter.setPen(toQColor(clBtnText, palette()));
    TRect area = rect;
    if (ownerDrawDefault(OnDrawHeader, [&](bool &dd) { OnDrawHeader(this, painter, index, area, selected, dd); }))
        DefaultDrawHeader(painter, index, area, selected);
}

TRect TCustomEnhListView::HeaderTextBox(const TRect &rect, TAlignment alignment)
{
    TRect box = rect;
    if (alignment == taLeftJustify)
        box.Left += TextMargin;
    else if (alignment == taRightJustify)
        box.Right -= TextMargin;
    return box;
}

TRect TCustomEnhListView::HeaderCaptionRect(const QFontMetrics &metrics, const QString &caption, const TRect &box,
                                            const TRect &area, TAlignment alignment)
{
    TRect text{0, 0, 0, 0};
    CalcTextRect(metrics, caption, text, CaptionFlags);
    const int width = text.Width();
    text = {box.Left, area.Top, box.Left + width, area.Bottom};
    if (alignment == taRightJustify)
        text = {box.Right - width, area.Top, box.Right, area.Bottom};
    else if (alignment == taCenter)
        text = text.translated((box.Width() - width) / 2, 0);
    text.Left = std::max(text.Left, area.Left);
    text.Right = std::min(text.Right, area.Right);
    return text;
}

TRect TCustomEnhListView::FillHeaderSection(QPainter &painter, const TRect &rect, bool selected)
{
    if (selected) {
        fill(painter, rect);
        return rect.inflated(-2, -2);
    }
    fill(painter, rect.inflated(-2, -2));
    return rect.inflated(-2, -2);
}

void TCustomEnhListView::DefaultDrawHeader(QPainter &painter, int index, const TRect &rect, bool selected)
{
    const TRect area = FillHeaderSection(painter, rect, selected);
    if (index < 0 || index >= ColumnCount())
        return;
    const TAlignment alignment = ColumnAlignment(index);
    TRect box = HeaderTextBox(area, alignment);
    if (selected)
        box = box.translated(1, 1);
    const QString caption = ColumnCaption(index);
    const QPixmap arrow = FShowSortArrows && FAutoColumnSort != TAutoColumnSort::acsNoSort && index == FSortColumnIndex
                              ? SortArrow(FCurrentSortAscending)
                              : QPixmap();
    if (arrow.isNull()) {
        DrawText(painter, caption, box, CaptionFlags | alignmentFlag(alignment));
        return;
    }
    if (alignment == taRightJustify)
        box.Left = std::min(box.Right, box.Left + arrow.width() + ArrowGap);
    else
        box.Right = std::max(box.Left, box.Right - arrow.width() - ArrowGap);
    // The caption keeps its measured width (only the section clips it), so a section too narrow for
    // both leaves the arrow out.
    TRect text = HeaderCaptionRect(painter.fontMetrics(), caption, box, area, alignment);
    if (selected)
        text = text.translated(0, 1);
    DrawText(painter, caption, text, CaptionFlags | alignmentFlag(alignment));
    const int x = alignment == taRightJustify ? text.Left - ArrowGap - arrow.width() : text.Right + ArrowGap;
    const int y = area.Top + (area.Height() - arrow.height()) / 2;
    if (x >= area.Left && x + arrow.width() <= area.Right)
        painter.drawPixmap(x, y, arrow);
}

void TCustomEnhListView::CreateSortBmps(QPixmap &up, QPixmap &down) const
{
    const int height = fontMetrics().height();
    if (height - 6 < 1) {
        up = down = QPixmap();
        return;
    }
    const int side = (height - 6 + 1) / 2 * 2;
    const QColor face = toQColor(clBtnFace, palette());
    const QColor shadow = toQColor(clBtnShadow, palette());
    const QColor light = toQColor(clBtnHighlight, palette());
    const int last = side - 1;
    const int apexLeft = side / 2 - 1;
    const int apexRight = side / 2;
    up = QPixmap(side, side);
    up.fill(face);
    {
        QPainter p(&up);
        p.setPen(light);
        p.drawLine(0, last, apexLeft, 0);
        p.setPen(shadow);
        p.drawLine(apexRight, 0, last, last);
        p.drawLine(0, last, last, last);
    }
    down = QPixmap(side, side);
    down.fill(face);
    {
        QPainter p(&down);
        p.setPen(light);
        p.drawLine(0, 0, last, 0);
        p.drawLine(0, 0, apexLeft, last);
        p.setPen(shadow);
        p.drawLine(last, 0, apexRight, last);
    }
}

QPixmap TCustomEnhListView::SortArrow(bool ascending) const
{
    return ascending != FReverseSortArrows ? FArrowUp : FArrowDown;
}

void TCustomEnhListView::RebuildSortArrows()
{
    if (FShowSortArrows)
        CreateSortBmps(FArrowUp, FArrowDown);
    else
        FArrowUp = FArrowDown = QPixmap();
    header()->viewport()->update();
}

void TCustomEnhListView::SetShowSortArrows(bool value)
{
    FShowSortArrows = value;
    RebuildSortArrows();
}

void TCustomEnhListView::SetReverseSortArrows(bool value)
{
    if (value == FReverseSortArrows)
        return;
    FReverseSortArrows = value;
    InvalidateColumnHeader(FSortColumnIndex);
}

void TCustomEnhListView::InvalidateColumnHeader(int index)
{
    if (index < 0 || index >= ColumnCount())
        return;
    const QRect section(header()->sectionViewportPosition(index), 0, header()->sectionSize(index), header()->height());
    header()->viewport()->update(section.adjusted(2, 2, -2, -2));
}
