#include "controls/ImageList.h"

TImageList::TImageList(int Width, int Height, QObject *parent)
    : QObject(parent), FWidth(Width), FHeight(Height)
{
}

QPixmap TImageList::fitted(const QPixmap &Image) const
{
    if (Image.width() == FWidth && Image.height() == FHeight)
        return Image;
    return Image.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

int TImageList::Add(const QPixmap &Image)
{
    FImages.push_back(fitted(Image));
    emit Change();
    return Count() - 1;
}

void TImageList::Replace(int Index, const QPixmap &Image)
{
    if (Index < 0 || Index >= Count())
        return;
    FImages[static_cast<size_t>(Index)] = fitted(Image);
    emit Change();
}

void TImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FImages.erase(FImages.begin() + Index);
    emit Change();
}

void TImageList::Clear()
{
    if (FImages.empty())
        return;
    FImages.clear();
    emit Change();
}

QPixmap TImageList::Image(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    return FImages[static_cast<size_t>(Index)];
}
