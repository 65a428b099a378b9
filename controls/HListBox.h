#pragma once
// A list box whose horizontal scroll range always reaches its widest item.

#include "controls/Component.h"

#include <QListWidget>

class THListBox : public QListWidget, public LoadedComponent {
    Q_OBJECT
public:
    explicit THListBox(QWidget *parent = nullptr);

    // Item operations; each one updates the horizontal extent. A bad index throws std::out_of_range.
    void Add(const QString &text);
    void Insert(int index, const QString &text);
    void Delete(int index);
    void SetItemText(int index, const QString &text);
    void Exchange(int index1, int index2);
    // Removes every item and the horizontal scroll range, scrolled fully left.
    void Clear();

    // The extent becomes the widest item text in the current font plus the font's average character
    // width, kept to 16 bits; 0 for an empty list.
    void UpdateExtent();
    int HorizontalExtent() const { return FHorizontalExtent; }

protected:
    void updateGeometries() override;

private:
    void checkIndex(int index, int upperBound) const;

    int FHorizontalExtent = 0;
};
