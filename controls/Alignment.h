#pragma once
// Horizontal text alignment of edits and labels, in the order the stored forms number it.

#include <Qt>

#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// The horizontal Qt alignment of a TAlignment.
constexpr Qt::Alignment toQtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}
