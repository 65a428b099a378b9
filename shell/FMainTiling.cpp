#include "shell/FMainTiling.h"

#include <algorithm>
#include <cmath>

namespace {

// Splits Length into Parts spans; the last one takes what the division leaves.
int SpanStart(int Length, int Parts, int Index)
{
    return Length / Parts * Index;
}

int SpanLength(int Length, int Parts, int Index)
{
    return Index == Parts - 1 ? Length - SpanStart(Length, Parts, Index) : Length / Parts;
}

} // namespace

std::vector<QRect> TileRects(const QRect &Area, int Count, bool Horizontal)
{
    std::vector<QRect> rects;
    if (Count <= 0)
        return rects;
    const int groups = std::max(1, int(std::sqrt(double(Count))));
    const int perGroup = Count / groups;
    const int longGroups = Count % groups; // the last groups hold one more
    const int across = Horizontal ? Area.width() : Area.height();
    const int along = Horizontal ? Area.height() : Area.width();
    for (int g = 0; g < groups; ++g) {
        const int members = perGroup + (g >= groups - longGroups ? 1 : 0);
        const int groupStart = SpanStart(across, groups, g);
        const int groupLength = SpanLength(across, groups, g);
        for (int m = 0; m < members; ++m) {
            const int start = SpanStart(along, members, m);
            const int length = SpanLength(along, members, m);
            if (Horizontal)
                rects.emplace_back(Area.left() + groupStart, Area.top() + start, groupLength, length);
            else
                rects.emplace_back(Area.left() + start, Area.top() + groupStart, length, groupLength);
        }
    }
    return rects;
}

QPoint CascadePosition(const QRect &Active, const QSize &Size, const QSize &AreaSize, int Step)
{
    const QPoint next = Active.topLeft() + QPoint(Step, Step);
    const bool fits = next.x() + Size.width() <= AreaSize.width() && next.y() + Size.height() <= AreaSize.height();
    return fits || Active.topLeft() == QPoint(0, 0) ? next : QPoint(0, 0);
}
