#include "controls/RVStyle.h"

#include <map>
#include <stdexcept>
#include <string>

namespace {

std::map<TCursor, QCursor> &screenCursors()
{
    static std::map<TCursor, QCursor> cursors;
    return cursors;
}

} // namespace

void RegisterScreenCursor(TCursor number, const QCursor &cursor)
{
    screenCursors()[number] = cursor;
}

QCursor ScreenCursor(TCursor number)
{
    const auto found = screenCursors().find(number);
    return found == screenCursors().end() ? QCursor(Qt::ArrowCursor) : found->second;
}

QFont toQFont(const TFontInfo &info)
{
    TFont font;
    font.Name = info.FontName;
    font.setSize(info.Size);
    font.Style = info.Style;
    return toQFont(font);
}

TFontInfo &TFontInfos::Add()
{
    return FItems.emplace_back();
}

TFontInfo &TFontInfos::Items(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("text style " + std::to_string(index) + " does not exist");
    return FItems[size_t(index)];
}

const TFontInfo &TFontInfos::Items(int index) const
{
    return const_cast<TFontInfos *>(this)->Items(index);
}

TRVStyle::TRVStyle(QObject *parent)
    : QObject(parent)
{
    // The hand pointing upward with the index finger, its hot spot at the finger's tip.
    RegisterScreenCursor(crJump, QCursor(Qt::PointingHandCursor));
    const struct {
        TFontStyles style;
        TColor color;
    } defaults[] = {
        {0, clWindowText},    {fsBold, clBlue},     {fsBold, clNavy},
        {fsItalic, clMaroon}, {fsUnderline, clGreen}, {fsUnderline, clGreen},
    };
    for (const auto &style : defaults) {
        TFontInfo &info = TextStyles.Add();
        info.Style = style.style;
        info.Color = style.color;
    }
}
