#include "engine/UGuarantyCount.h"

#include "core/HitHistogram.h"
#include "core/UComb.h"

#include <algorithm>
#include <cmath>

namespace {

// Descending order of vectors, entry by entry from the highest level.
bool higher(const int32_t *A, const int32_t *B, int Len)
{
    for (int i = 0; i < Len; ++i)
        if (A[i] != B[i])
            return A[i] > B[i];
    return false;
}

} // namespace

size_t AddGuarVector(TGuarVectors &Vectors, const int32_t *Hits, int Len, uint32_t Frequency)
{
    const auto place =
        std::lower_bound(Vectors.begin(), Vectors.end(), Hits, [Len](const TGuarVector &V, const int32_t *H) {
            return higher(V.Hits.data(), H, Len);
        });
    if (place != Vectors.end() && std::equal(Hits, Hits + Len, place->Hits.begin()))
        place->Frequency += Frequency;
    else
        Vectors.insert(place, TGuarVector{TDynIntArr(Hits, Hits + Len), Frequency, 0, {}});
    return size_t(place - Vectors.begin());
}

bool MergeGuarVectors(TGuarVectors &Into, TGuarVectors &From, const std::function<bool()> &Stopped)
{
    // Vectors merged between two asks of Stopped.
    constexpr size_t StopTestEvery = 1024;
    TGuarVectors merged;
    merged.reserve(Into.size() + From.size());
    auto a = Into.begin(), b = From.begin();
    bool stopped = false;
    for (size_t done = 1; a != Into.end() || b != From.end(); ++done) {
        if (done % StopTestEvery == 0 && Stopped()) {
            stopped = true;
            break;
        }
        const int len = int(a != Into.end() ? a->Hits.size() : b->Hits.size());
        if (b == From.end() || (a != Into.end() && higher(a->Hits.data(), b->Hits.data(), len))) {
            merged.push_back(std::move(*a++));
        } else if (a == Into.end() || higher(b->Hits.data(), a->Hits.data(), len)) {
            merged.push_back(std::move(*b++));
        } else {
            a->Frequency += b++->Frequency;
            merged.push_back(std::move(*a++));
        }
    }
    Into = std::move(merged);
    return !stopped;
}

TGuarCounter::TGuarCounter(const TGuarRows &Rows_, TNumberMask Fixed_, const TBlocks &Groups_)
    : Groups(Groups_), Rows(Rows_), Fixed(Fixed_),
      Wide(std::any_of(Rows_.Masks.begin(), Rows_.Masks.end(),
                       [](const TNumberMask &M) { return M.Hi != 0; })),
      Levels((size_t(Rows_.K) + 1) * HitLanes, 0), Work(size_t(Rows_.RowCount), 0)
{
}

void TGuarCounter::SetState(int64_t Index)
{
    for (TBlock &group : Groups) {
        if (group.Fixed)
            continue;
        group.Counter = Index % group.Total + 1;
        Index /= group.Total;
        if (group.Hits > 0)
            IndexToComb(group.Size, group.Hits, group.Subset.data(), group.Counter);
    }
}

void TGuarCounter::SetSampled(int Group, double Step)
{
    Sampled = Group;
    SampleStep = Step;
    SamplePos = 1.0;
}

int64_t TGuarCounter::Count(int64_t Sets, const std::function<bool()> &Stopped, int64_t Chunk,
                            const std::function<void(int64_t Done)> &OnChunk)
{
    int64_t done = 0, sinceChunk = 0;
    while (done < Sets) {
        countDrawn(drawnMask());
        advance(0);
        ++done;
        const bool stop = Stopped();
        if (++sinceChunk == Chunk || stop || done == Sets) {
            OnChunk(sinceChunk);
            sinceChunk = 0;
        }
        if (stop)
            break;
    }
    return done;
}

TNumberMask TGuarCounter::drawnMask() const
{
    TNumberMask drawn = Fixed;
    for (const TBlock &group : Groups)
        if (!group.Fixed)
            for (const uint8_t position : group.Subset)
                drawn.Add(group.Numbers[position - 1u]);
    return drawn;
}

void TGuarCounter::countDrawn(const TNumberMask &Drawn)
{
    const size_t stride = size_t(Rows.K) + 1;
    HitHistogram(Rows.Masks.data(), Rows.Masks.size(), Drawn, Wide, Levels.data(), stride);
    for (int i = 0; i < Rows.RowCount; ++i) {
        const int hits = Rows.HighHits - i;
        int32_t rows = 0;
        if (hits >= Rows.FirstLevel && hits <= Rows.K)
            for (size_t lane = 0; lane < HitLanes; ++lane)
                rows += Levels[lane * stride + size_t(hits)];
        Work[size_t(i)] = rows;
    }
    std::fill(Levels.begin(), Levels.end(), 0);
    // Neighbouring drawn sets often give the same vector.
    if (Last < Vectors.size() && Vectors[Last].Hits == Work)
        ++Vectors[Last].Frequency;
    else
        Last = AddGuarVector(Vectors, Work.data(), Rows.RowCount, 1);
}

void TGuarCounter::firstSubset(TBlock &Group)
{
    for (size_t i = 0; i < Group.Subset.size(); ++i)
        Group.Subset[i] = uint8_t(i + 1);
    Group.Counter = 1;
}

void TGuarCounter::advance(size_t From)
{
    for (size_t g = From; g < Groups.size(); ++g) {
        TBlock &group = Groups[g];
        if (group.Fixed)
            continue;
        if (int(g) == Sampled) {
            if (!advanceSampled(group))
                return;
            continue;
        }
        if (group.Counter < group.Total) {
            NextComb(group.Subset, group.Size, group.Hits, false);
            ++group.Counter;
            return;
        }
        firstSubset(group);
    }
}

bool TGuarCounter::advanceSampled(TBlock &Group)
{
    SamplePos += SampleStep;
    const double rank = std::nearbyint(SamplePos);
    if (rank > double(Group.Total)) {
        SamplePos = 1.0;
        firstSubset(Group);
        return true;
    }
    Group.Counter = int64_t(rank);
    IndexToComb(Group.Size, Group.Hits, Group.Subset.data(), Group.Counter);
    return false;
}
