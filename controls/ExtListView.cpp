#include "controls/ExtListView.h"

#include "controls/TextDraw.h"
#include "platform/RegistryStore.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QToolTip>

#include <algorithm>
#include <numeric>

namespace {

constexpr int HeaderImageGap = 4;
constexpr int ArrowGap = 8;
constexpr uint32_t CaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

uint32_t alignmentFlag(TAlignment alignment)
{
    return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}

bool isPermutation(std::vector<int> order)
{
    std::sort(order.begin(), order.end());
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] != static_cast<int>(i))
            return false;
    return true;
}

} // namespace

TCustomExtListView::TCustomExtListView(QWidget *parent)
    : TCustomEnhListView(parent, std::make_unique<TdfsExtLVSaveSettings>()),
      FColumnsFormat([this](int index) { ColumnFormatChanged(index); }),
      FVirtualModel(new TExtListVirtualModel(*this, *FModel))
{
    FHoverTimer.setSingleShot(true);
    connect(&FHoverTimer, &QTimer::timeout, this, [this] {
        if (FHotItem < ItemCount())
            SelectItem(FHotItem);
    });
    SetExtendedStyles(lvxInfoTip);
    connect(this, &QAbstractItemView::activated, this, [this] { ItemActivate(); });
    ConnectSelection();
}

TCustomExtListView::~TCustomExtListView() { StoreSettingsOnce(); }

void TCustomExtListView::Loaded()
{
    TCustomEnhListView::Loaded();
    UpdateColumnImages();
}

void TCustomExtListView::SetExtendedStyles(TLVExtendedStyles value)
{
    if ((value & lvxUnderlineCold) && !(value & lvxOneClickActivate))
        value |= lvxOneClickActivate;
    if ((value & lvxUnderlineHot) && !(value & (lvxOneClickActivate | lvxTwoClickActivate)))
        value |= lvxOneClickActivate;
    FExtendedStyles = value;
    header()->setSectionsMovable(value & lvxHeaderDragDrop);
    setMouseTracking(value & lvxTrackSelect);
    if (!(value & lvxTrackSelect))
        SetHotItem(-1);
    viewport()->update();
}

// ---- Columns ---------------------------------------------------------------------------------------

void TCustomExtListView::ColumnFormatChanged(int index)
{
    if (index < 0)
        UpdateColumnImages();
    else
        UpdateColumnImage(index);
    UpdateResizeModes();
}

bool TCustomExtListView::ColumnResizable(int index) const
{
    return TCustomEnhListView::ColumnResizable(index)
           && (index >= FColumnsFormat.Count() || FColumnsFormat.Item(index).AllowResize());
}

void TCustomExtListView::UpdateColumnImage(int index)
{
    TImageList *images = SmallImages();
    if (HeaderOwnerDraw() || index < 0 || index >= FColumnsFormat.Count() || index >= ColumnCount() || !images
        || images->Count() < 1)
        return;
    QStandardItem *section = FModel->horizontalHeaderItem(index);
    const TdfsExtListColumn &format = FColumnsFormat.Item(index);
    if (format.ImageIndex() < 0) {
        section->setIcon(QIcon());
        section->setData(QVariant(), HeaderImageAlignmentRole);
    } else {
        section->setIcon(QIcon(images->Image(format.ImageIndex())));
        section->setData(format.ImageAlignment() == TColumnImageAlign::ciaRightOfText ? int(Qt::AlignRight)
                                                                                     : int(Qt::AlignLeft),
                         HeaderImageAlignmentRole);
    }
}

void TCustomExtListView::UpdateColumnImages()
{
    for (int index = 0; index < ColumnCount(); ++index)
        UpdateColumnImage(index);
}

void TCustomExtListView::SetShowSortArrows(bool value)
{
    TCustomEnhListView::SetShowSortArrows(value);
    UpdateColumnImages();
}

void TCustomExtListView::ImagesChanged()
{
    TCustomEnhListView::ImagesChanged();
    UpdateColumnImages();
}

std::vector<int> TCustomExtListView::GetColumnOrder() const
{
    std::vector<int> order;
    for (int position = 0; position < ColumnCount(); ++position)
        order.push_back(header()->logicalIndex(position));
    return order;
}

bool TCustomExtListView::SetColumnOrder(const std::vector<int> &order)
{
    if (static_cast<int>(order.size()) != ColumnCount() || !isPermutation(order))
        return false;
    for (int position = 0; position < ColumnCount(); ++position)
        header()->moveSection(header()->visualIndex(order[static_cast<size_t>(position)]), position);
    viewport()->update();
    return true;
}

int TCustomExtListView::ActualColumnIndex(int index) const { return std::max(0, header()->visualIndex(index)); }

int TCustomExtListView::GetColumnFromIndex(int index) const
{
    return index >= 0 && index < ColumnCount() ? header()->logicalIndex(index) : -1;
}

void TCustomExtListView::GetSubItemText(int index, int subItem, QString &text) const
{
    if (ColumnCount() >= subItem + 2)
        text = CellText(index, GetColumnFromIndex(subItem + 1) - 1);
    else
        text = CellText(index, subItem);
}

// ---- Check boxes and sub-item images ---------------------------------------------------------------

bool TCustomExtListView::IsChecked(int index) const { return CellRole(index, 0, StateIndexRole) >= 1; }

void TCustomExtListView::SetChecked(int index, bool value)
{
    if (index < 0 || index >= ItemCount() || IsChecked(index) == value)
        return;
    if (OwnsItems())
        FModel->item(index, 0)->setData(value ? 1 : 0, StateIndexRole);
    viewport()->update();
    ItemChecked(index, value);
}

void TCustomExtListView::ToggleChecks()
{
    const int current = currentIndex().row();
    const bool value = !IsChecked(current);
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        SetChecked(current, value);
    for (const QModelIndex &row : rows)
        SetChecked(row.row(), value);
}

int TCustomExtListView::GetSubItemImage(int index, int subItem) const
{
    return CellRole(index, subItem + 1, ImageIndexRole);
}

void TCustomExtListView::SetSubItemImage(int index, int subItem, int image)
{
    const int column = subItem + 1;
    if (!OwnsItems() || index < 0 || index >= ItemCount() || column < 1 || column >= ColumnCount())
        return;
    if (!FModel->item(index, column))
        FModel->setItem(index, column, new QStandardItem);
    FModel->item(index, column)->setData(image, ImageIndexRole);
}

QSize TCustomExtListView::StateImageSize() const
{
    if (StateImages() || !(FExtendedStyles & lvxCheckboxes))
        return TCustomEnhListView::StateImageSize();
    return {style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this),
            style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this)};
}

void TCustomExtListView::DrawStateImage(QPainter &painter, QPoint topLeft, int stateIndex) const
{
    if (StateImages() || !(FExtendedStyles & lvxCheckboxes)) {
        TCustomEnhListView::DrawStateImage(painter, topLeft, stateIndex);
        return;
    }
    QStyleOptionViewItem check;
    check.initFrom(this);
    check.rect = QRect(topLeft, StateImageSize());
    check.state = (check.state & ~QStyle::State_HasFocus) | (stateIndex >= 1 ? QStyle::State_On : QStyle::State_Off);
    style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, &painter, this);
}

// ---- Drawing ---------------------------------------------------------------------------------------

void TCustomExtListView::DrawItemEvent(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state,
                                       bool &defaultDrawing, bool &fullRowSelect)
{
    fullRowSelect = FExtendedStyles & lvxFullRowSelect;
    TCustomEnhListView::DrawItemEvent(painter, index, rect, state, defaultDrawing, fullRowSelect);
}

void TCustomExtListView::drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    TCustomEnhListView::drawRow(painter, option, index);
    if (!(FExtendedStyles & lvxGridLines))
        return;
    painter->save();
    painter->setPen(toQColor(clBtnFace, palette()));
    const int bottom = option.rect.top() + option.rect.height() - 1;
    const int right = header()->length() - header()->offset() - 1;
    painter->drawLine(-header()->offset(), bottom, right, bottom);
    for (int column = 0; column < ColumnCount(); ++column) {
        const int x = header()->sectionViewportPosition(column) + header()->sectionSize(column) - 1;
        painter->drawLine(x, option.rect.top(), x, bottom);
    }
    painter->restore();
}

void TCustomExtListView::DefaultDrawHeader(QPainter &painter, int index, const TRect &rect, bool selected)
{
    TRect area = FillHeaderSection(painter, rect, selected);
    if (index < 0 || index >= ColumnCount())
        return;
    if (selected) {
        area.Left += 1;
        area.Top += 1;
    }
    const TAlignment alignment = ColumnAlignment(index);
    TRect box = HeaderTextBox(area, alignment);

    TImageList *images = SmallImages();
    const int imageIndex = index < FColumnsFormat.Count() ? FColumnsFormat.Item(index).ImageIndex() : -1;
    const bool hasImage = images && imageIndex >= 0 && imageIndex < images->Count();
    const bool imageLeft = hasImage && FColumnsFormat.Item(index).ImageAlignment() == TColumnImageAlign::ciaLeftOfText;
    if (hasImage) {
        if (imageLeft)
            box.Left += images->Width() + HeaderImageGap;
        else
            box.Right -= images->Width() + HeaderImageGap;
    }
    const QPixmap arrow = ShowSortArrows() && index == SortColumnIndex() ? SortArrow(CurrentSortAscending()) : QPixmap();
    if (!arrow.isNull())
        box.Right = std::max(box.Left, box.Right - arrow.width() - ArrowGap);

    TRect text = HeaderCaptionRect(painter.fontMetrics(), ColumnCaption(index), box, area, alignment);
    DrawText(painter, ColumnCaption(index), text, CaptionFlags | alignmentFlag(alignment));

    if (hasImage) {
        const int x = imageLeft ? text.Left - images->Width() - HeaderImageGap : text.Right + HeaderImageGap;
        const int y = area.Top + (area.Height() - images->Height()) / 2;
        if (!imageLeft)
            text.Right = x + images->Width();
        if (!arrow.isNull() || (x >= area.Left && x + images->Width() <= area.Right))
            painter.drawPixmap(x, y, images->Image(imageIndex));
    }
    if (!arrow.isNull()) {
        const int x = text.Right + ArrowGap;
        if (x + arrow.width() <= area.Right)
            painter.drawPixmap(x, area.Top + (area.Height() - arrow.height()) / 2, arrow);
    }
}

void TCustomExtListView::paintEvent(QPaintEvent *event)
{
    if (FVirtualMode && ItemCount() > 0) {
        TLVCacheHint hint;
        hint.From = indexAt(QPoint(0, 0)).row();
        hint.To = indexAt(QPoint(0, viewport()->height() - 1)).row();
        if (hint.To < 0)
            hint.To = ItemCount() - 1;
        if (hint.From >= 0)
            VMCacheHint(hint);
    }
    TCustomEnhListView::paintEvent(event);
}

// ---- Input -----------------------------------------------------------------------------------------

void TCustomExtListView::keyPressEvent(QKeyEvent *event)
{
    if ((FExtendedStyles & lvxCheckboxes) && event->key() == Qt::Key_Space && currentIndex().isValid()) {
        ToggleChecks();
        event->accept();
        return;
    }
    TCustomEnhListView::keyPressEvent(event);
}

void TCustomExtListView::keyboardSearch(const QString &search)
{
    if (!FVirtualMode) {
        TCustomEnhListView::keyboardSearch(search);
        return;
    }
    if (!FVMSearchTimer.isValid() || FVMSearchTimer.elapsed() > QApplication::keyboardInputInterval())
        FVMSearch.clear();
    FVMSearch += search;
    FVMSearchTimer.restart();
    StringSelect(FVMSearch, 0);
}

bool TCustomExtListView::StringSelect(const QString &findStr, int columnIndex)
{
    if (!FVirtualMode)
        return TCustomEnhListView::StringSelect(findStr, columnIndex);
    if (ItemCount() == 0)
        return false;
    const int selected = SelectedIndex();
    TLVFindInfo info;
    info.Text = findStr;
    info.Start = (selected < 0 ? 1 : selected + 1) % ItemCount();
    const int found = VMFindItem(info);
    if (found < 0 || found >= ItemCount())
        return false;
    SelectItem(found);
    return true;
}

bool TCustomExtListView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        SetHotItem(-1);
    if (event->type() != QEvent::ToolTip || !(FExtendedStyles & lvxInfoTip))
        return TCustomEnhListView::viewportEvent(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString tip = index.isValid() ? InfoTip(index.row(), 0) : QString();
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, viewport());
    return true;
}

// ---- Events ----------------------------------------------------------------------------------------

void TCustomExtListView::ItemChecked(int itemIndex, bool checked)
{
    if (OnItemChecked)
        OnItemChecked(this, itemIndex, checked);
}

void TCustomExtListView::ItemActivate()
{
    if (OnItemActivate)
        OnItemActivate(this);
}

QString TCustomExtListView::InfoTip(int itemIndex, int subItemIndex)
{
    const QString caption = FVirtualMode ? QString() : CellText(itemIndex, -1);
    if (!OnInfoTip)
        return caption;
    QString additional;
    OnInfoTip(this, itemIndex, subItemIndex, caption, additional);
    return additional;
}

void TCustomExtListView::VMCacheHint(TLVCacheHint &hintInfo)
{
    if (OnVMCacheHint)
        OnVMCacheHint(this, hintInfo);
}

int TCustomExtListView::VMFindItem(TLVFindInfo &findInfo)
{
    int found = -1;
    if (OnVMFindItem)
        OnVMFindItem(this, findInfo, found);
    return found;
}

void TCustomExtListView::VMStateChanged(TLVODStateChange &stateInfo)
{
    if (OnVMStateChanged)
        OnVMStateChanged(this, stateInfo);
}

void TCustomExtListView::VMGetItemInfo(int item, int subItem, TLVVMItemInfo &info)
{
    if (item >= 0 && OnVMGetItemInfo)
        OnVMGetItemInfo(this, item, subItem, info);
}

void TCustomExtListView::VMCaptionEdited(int item, bool canceled, const QString &text)
{
    if (OnVMCaptionEdited)
        OnVMCaptionEdited(this, item, canceled, text);
}

// ---- Virtual mode ----------------------------------------------------------------------------------

void TCustomExtListView::ConnectSelection()
{
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &deselected) {
                if (!FVirtualMode)
                    return;
                const auto report = [this](const QItemSelection &ranges, uint32_t newState, uint32_t oldState) {
                    for (const QItemSelectionRange &range : ranges) {
                        TLVODStateChange change{range.top(), range.bottom(), newState, oldState};
                        VMStateChanged(change);
                    }
                };
                report(deselected, 0, LVIS_SELECTED);
                report(selected, LVIS_SELECTED, 0);
            });
}

void TCustomExtListView::SetVirtualMode(bool value)
{
    if (value == FVirtualMode)
        return;
    std::vector<int> widths;
    for (int column = 0; column < ColumnCount(); ++column)
        widths.push_back(ColumnWidth(column));
    const std::vector<int> order = GetColumnOrder();
    FModel->removeRows(0, FModel->rowCount());
    FVirtualModel->Clear();
    FVirtualMode = value;
    setModel(value ? static_cast<QAbstractItemModel *>(FVirtualModel) : FModel);
    for (int column = 0; column < static_cast<int>(widths.size()); ++column)
        SetColumnWidth(column, widths[static_cast<size_t>(column)]);
    SetColumnOrder(order);
    UpdateResizeModes();
    ConnectSelection();
}

void TCustomExtListView::EndLabelEdit(int index, bool canceled, const QString &text)
{
    if (FVirtualMode)
        VMCaptionEdited(index, canceled, text);
    else
        TCustomEnhListView::EndLabelEdit(index, canceled, text);
}

void TCustomExtListView::SetItemCountEx(int count, uint32_t flags)
{
    if (!FVirtualMode)
        return;
    FVirtualModel->SetCount(count);
    if (!(flags & LVSICF_NOINVALIDATEALL))
        viewport()->update();
}

// ---- Settings --------------------------------------------------------------------------------------

bool TCustomExtListView::StoreSettings()
{
    if (SaveSettings().SaveColumnOrder && ColumnCount() > 0) {
        QStringList order;
        for (int column : GetColumnOrder())
            order.append(QString::number(column));
        platform::RegistryStore::instance().setValue(SettingsKey("Columns"), "Order",
                                                     order.join(QLatin1Char(',')).toStdString());
    }
    return TCustomEnhListView::StoreSettings();
}

bool TCustomExtListView::LoadSettings()
{
    const int columns = ColumnCount();
    if (SaveSettings().SaveColumnOrder && columns > 0) {
        // One number per column from the start of the text; a piece that is no number ends the reading,
        // and only a permutation of the columns is applied.
        std::vector<int> order(static_cast<size_t>(columns));
        std::iota(order.begin(), order.end(), 0);
        const auto value = platform::RegistryStore::instance().value(SettingsKey("Columns"), "Order");
        const std::string *text = value ? std::get_if<std::string>(&*value) : nullptr;
        if (text && !text->empty()) {
            const QStringList parts = QString::fromStdString(*text).split(QLatin1Char(','));
            for (int i = 0; i < std::min(columns, static_cast<int>(parts.size())); ++i) {
                bool ok = false;
                const int column = parts[i].trimmed().toInt(&ok);
                if (!ok)
                    break;
                order[static_cast<size_t>(i)] = column;
            }
        }
        SetColumnOrder(order);
    }
    return TCustomEnhListView::LoadSettings();
}
