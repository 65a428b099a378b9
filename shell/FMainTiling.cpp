#include "shell/FMainTiling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

// Splits Length into spans, one per need: each span its need and an equal part of what is left over, the
// last one what the divisions leave. Needs that exceed Length are each given whole: the spans reach past it.
std::vector<int> Spans(int Length, const std::vector<int> &Needs)
{
    const int count = int(Needs.size());
    const int64_t total = std::accumulate(Needs.begin(), Needs.end(), int64_t(0));
    const int share = total <= Length ? int((Length - total) / count) : 0;
    std::vector<int> spans;
    int used = 0;
    for (int i = 0; i < count; ++i) {
        const int span = i == count - 1 && total <= Length ? Length - used : Needs[size_t(i)] + share;
        spans.push_back(span);
        used += span;
    }
    return spans;
}

} // namespace

std::vector<QRect> TileRects(const QRect &Area, const std::vector<QSize> &Needs, bool Horizontal)
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
    std::vector<int> groupNeeds;
    for (int g = 0, first = 0; g < groups; ++g) {
        const int members = perGroup + (g >= groups - longGroups ? 1 : 0);
        firsts.push_back(first);
        int need = 0;
        for (int m = 0; m < members; ++m)
            need = std::max(need, across(Needs[size_t(first + m)]));
        groupNeeds.push_back(need);
        first += members;
    }
    firsts.push_back(count);
    const QSize size = Area.size();
    const std::vector<int> groupSpans = Spans(across(size), groupNeeds);
    int groupStart = 0;
    for (int g = 0; g < groups; ++g) {
        std::vector<int> memberNeeds;
        for (int i = firsts[size_t(g)]; i < firsts[size_t(g) + 1]; ++i)
            memberNeeds.push_back(along(Needs[size_t(i)]));
        int start = 0;
        for (const int length : Spans(along(size), memberNeeds)) {
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
