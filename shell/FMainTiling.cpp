#include "shell/FMainTiling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

// Splits Length into spans, one per window that needs at least Least and wants Wanted: each span what it
// wants and an equal part of what is left over; where Length falls short of that, what it needs at least
// and a part of the rest in proportion to what it wants beyond; where it falls short even of the least,
// the least (the spans reach past Length). The last span takes what the divisions leave.
std::vector<int> Spans(int Length, const std::vector<int> &Least, const std::vector<int> &Wanted)
{
    const int count = int(Least.size());
    const int64_t least = std::accumulate(Least.begin(), Least.end(), int64_t(0));
    const int64_t wanted = std::accumulate(Wanted.begin(), Wanted.end(), int64_t(0));
    std::vector<int> spans;
    int used = 0;
    for (int i = 0; i < count; ++i) {
        int span = Least[size_t(i)];
        if (wanted <= Length)
            span = Wanted[size_t(i)] + int((Length - wanted) / count);
        else if (least <= Length)
            span += int((Length - least) * (Wanted[size_t(i)] - Least[size_t(i)]) /
                        std::max<int64_t>(1, wanted - least));
        if (i == count - 1 && least <= Length)
            span = Length - used;
        spans.push_back(span);
        used += span;
    }
    return spans;
}

} // namespace

std::vector<QRect> TileRects(const QRect &Area, const std::vector<TTileNeed> &Needs, bool Horizontal)
{
    std::vector<QRect> rects;
    const int count = int(Needs.size());
    if (count == 0)
        return rects;
    const auto across = [Horizontal](QSize Size) { return Horizontal ? Size.width() : Size.height(); };
    const auto along = [Horizontal](QSize Size) { return Horizontal ? Size.height() : Size.width(); };
    const int groups = std::max(1, int(std::sqrt(double(count))));
    const int perGroup = count / groups;
    const int longGroups = count % groups; // the last groups hold one more
    std::vector<int> firsts;
    std::vector<int> groupLeast, groupWanted;
    for (int g = 0, first = 0; g < groups; ++g) {
        const int members = perGroup + (g >= groups - longGroups ? 1 : 0);
        firsts.push_back(first);
        int least = 0, wanted = 0;
        for (int m = 0; m < members; ++m) {
            least = std::max(least, across(Needs[size_t(first + m)].Least));
            wanted = std::max(wanted, across(Needs[size_t(first + m)].Wanted));
        }
        groupLeast.push_back(least);
        groupWanted.push_back(wanted);
        first += members;
    }
    firsts.push_back(count);
    const QSize size = Area.size();
    const std::vector<int> groupSpans = Spans(across(size), groupLeast, groupWanted);
    int groupStart = 0;
    for (int g = 0; g < groups; ++g) {
        std::vector<int> memberLeast, memberWanted;
        for (int i = firsts[size_t(g)]; i < firsts[size_t(g) + 1]; ++i) {
            memberLeast.push_back(along(Needs[size_t(i)].Least));
            memberWanted.push_back(along(Needs[size_t(i)].Wanted));
        }
        int start = 0;
        for (const int length : Spans(along(size), memberLeast, memberWanted)) {
            const int width = groupSpans[size_t(g)];
            if (Horizontal)
                rects.emplace_back(Area.left() + groupStart, Area.top() + start, width, length);
            else
                rects.emplace_back(Area.left() + start, Area.top() + groupStart, length, width);
            start += length;
        }
        groupStart += groupSpans[size_t(g)];
    }
    return rects;
}

std::vector<QRect> CascadeRects(const QRect &Area, const std::vector<QSize> &Sizes, int Step)
{
    std::vector<QRect> rects;
    const QSize half(Area.width() / 2, Area.height() / 2);
    int offset = 0;
    for (const QSize &wanted : Sizes) {
        const QSize least = wanted.boundedTo(half);
        if (offset + least.width() > Area.width() || offset + least.height() > Area.height())
            offset = 0;
        rects.emplace_back(Area.topLeft() + QPoint(offset, offset),
                           wanted.boundedTo(Area.size() - QSize(offset, offset)));
        offset += Step;
    }
    return rects;
}

std::optional<QPoint> CascadePosition(const QRect &Active, const QSize &Size, const QSize &AreaSize, int Step)
{
    const QPoint next = Active.topLeft() + QPoint(Step, Step);
    if (next.x() + Size.width() <= AreaSize.width() && next.y() + Size.height() <= AreaSize.height())
        return next;
    return std::nullopt;
}
