#pragma once
// A list of equal-sized images shared by the controls that show them; every change is announced
// through Change so the controls can repaint.

#include <QObject>
#include <QPixmap>

#include <vector>

class TImageList : public QObject {
    Q_OBJECT

public:
    TImageList(int Width, int Height, QObject *parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds an image scaled to the list's size; returns its index.
    int Add(const QPixmap &Image);
    void Replace(int Index, const QPixmap &Image);
    void Delete(int Index);
    void Clear();
    // The image at Index; a null pixmap for an index outside the list.
    QPixmap Image(int Index) const;

signals:
    void Change();

private:
    QPixmap fitted(const QPixmap &Image) const;

    int FWidth;
    int FHeight;
    std::vector<QPixmap> FImages;
};
