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

// A size across the groups of a tiling (the width of a column of wide windows, the height of a row of tall
// ones) and along a group.
int Across(QSize Size, bool Horizontal)
{
    return Horizontal ? Size.width() : Size.height();
}

int Along(QSize Size, bool Horizontal)
{
    return Horizontal ? Size.height() : Size.width();
}

// The first window of each of Groups groups of Count windows, and Count after the last: each group takes
// Count / Groups windows and the last Count % Groups groups one more.
std::vector<int> GroupFirsts(int Count, int Groups)
{
    std::vector<int> firsts;
    const int longGroups = Count % Groups;
    for (int g = 0, first = 0; g < Groups; ++g) {
        firsts.push_back(first);
        first += Count / Groups + (g >= Groups - longGroups ? 1 : 0);
    }
    firsts.push_back(Count);
    return firsts;
}

// How far the windows' least sizes reach past Area when tiled in Groups groups: across the groups and
// along the longest group, added up; 0 when they fit.
int64_t Overflow(QSize Area, const std::vector<QSize> &Least, int Groups, bool Horizontal)
{
    const std::vector<int> firsts = GroupFirsts(int(Least.size()), Groups);
    int64_t acrossAll = 0, alongMost = 0;
    for (int g = 0; g < Groups; ++g) {
        int acrossGroup = 0;
        int64_t alongGroup = 0;
        for (int i = firsts[size_t(g)]; i < firsts[size_t(g) + 1]; ++i) {
            acrossGroup = std::max(acrossGroup, Across(Least[size_t(i)], Horizontal));
            alongGroup += Along(Least[size_t(i)], Horizontal);
        }
        acrossAll += acrossGroup;
        alongMost = std::max(alongMost, alongGroup);
    }
    return std::max<int64_t>(0, acrossAll - Across(Area, Horizontal)) +
           std::max<int64_t>(0, alongMost - Along(Area, Horizontal));
}

// The number of groups: floor(sqrt(Count)) where the least sizes fit the area that way; else the nearest
// number that lets them fit, more groups (fewer windows in each) before fewer; where none does, the one
// that reaches past the area least.
int GroupCount(QSize Area, const std::vector<QSize> &Least, bool Horizontal)
{
    const int count = int(Least.size());
    const int first = std::max(1, int(std::sqrt(double(count))));
    int best = first;
    int64_t bestOverflow = Overflow(Area, Least, first, Horizontal);
    for (int distance = 1; bestOverflow > 0 && distance < count; ++distance)
        for (const int groups : {first + distance, first - distance}) {
            if (groups < 1 || groups > count)
                continue;
            const int64_t overflow = Overflow(Area, Least, groups, Horizontal);
            if (overflow < bestOverflow) {
                best = groups;
                bestOverflow = overflow;
            }
        }
    return best;
}

} // namespace

std::vector<QRect> TileRects(const QRect &Area, const std::vector<TTileNeed> &Needs, bool Horizontal)
{
    std::vector<QRect> rects;
    const int count = int(Needs.size());
    if (count == 0)
        return rects;
    const QSize size = Area.size();
    std::vector<QSize> leastSizes;
    for (const TTileNeed &need : Needs)
        leastSizes.push_back(need.Least);
    const int groups = GroupCount(size, leastSizes, Horizontal);
    const std::vector<int> firsts = GroupFirsts(count, groups);
    std::vector<int> groupLeast, groupWanted;
    for (int g = 0; g < groups; ++g) {
        int least = 0, wanted = 0;
        for (int i = firsts[size_t(g)]; i < firsts[size_t(g) + 1]; ++i) {
            least = std::max(least, Across(Needs[size_t(i)].Least, Horizontal));
            wanted = std::max(wanted, Across(Needs[size_t(i)].Wanted, Horizontal));
        }
        groupLeast.push_back(least);
        groupWanted.push_back(wanted);
    }
    const std::vector<int> groupSpans = Spans(Across(size, Horizontal), groupLeast, groupWanted);
    int groupStart = 0;
    for (int g = 0; g < groups; ++g) {
        std::vector<int> memberLeast, memberWanted;
        for (int i = firsts[size_t(g)]; i < firsts[size_t(g) + 1]; ++i) {
            memberLeast.push_back(Along(Needs[size_t(i)].Least, Horizontal));
            memberWanted.push_back(Along(Needs[size_t(i)].Wanted, Horizontal));
        }
        int start = 0;
        for (const int length : Spans(Along(size, Horizontal), memberLeast, memberWanted)) {
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
