#include "controls/HListBox.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>
#include <stdexcept>
#include <string>

THListBox::THListBox(QWidget *parent)
    : QListWidget(parent)
{
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void THListBox::checkIndex(int index, int upperBound) const
{
    if (index < 0 || index > upperBound)
        throw std::out_of_range("THListBox: index " + std::to_string(index) + " out of range");
}

void THListBox::Add(const QString &text)
{
    addItem(text);
    UpdateExtent();
}

void THListBox::Insert(int index, const QString &text)
{
    checkIndex(index, count());
    insertItem(index, text);
    UpdateExtent();
}

void THListBox::Delete(int index)
{
    checkIndex(index, count() - 1);
    delete takeItem(index);
    UpdateExtent();
}

void THListBox::SetItemText(int index, const QString &text)
{
    checkIndex(index, count() - 1);
    item(index)->setText(text);
    UpdateExtent();
}

void THListBox::Exchange(int index1, int index2)
{
    checkIndex(index1, count() - 1);
    checkIndex(index2, count() - 1);
    if (index1 != index2) {
        QListWidgetItem *first = item(index1);
        QListWidgetItem *second = item(index2);
        const QListWidgetItem saved = *first;
        *first = *second;
        *second = saved;
    }
    UpdateExtent();
}

void THListBox::Clear()
{
    FHorizontalExtent = 0;
    horizontalScrollBar()->setValue(0);
    clear();
    updateGeometries();
}

void THListBox::UpdateExtent()
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, (metrics.horizontalAdvance(item(i)->text()) + metrics.averageCharWidth()) & 0xFFFF);
    FHorizontalExtent = widest;
    updateGeometries();
}

void THListBox::updateGeometries()
{
    QListWidget::updateGeometries();
    QScrollBar *bar = horizontalScrollBar();
    const int page = viewport()->width();
    bar->setPageStep(page);
    bar->setRange(0, std::max(0, FHorizontalExtent - page));
}
