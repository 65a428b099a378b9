// The counting workers of TStatFreq, one per method. Each polls the worker's stop flag at its coarse
// steps (a subset pattern, a draw, a pair record, a combination); on a stop it frees what it has found.

#include "stats/UStatFreq.h"

#include "core/MemoryEstimate.h"
#include "core/NumberMask.h"
#include "stats/UStatFreqCombs.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <functional>
#include <utility>
#include <vector>

namespace {

const char *const SortingText = "Sortowanie wyników...";

// The numbers of every working draw as a set.
std::vector<TNumberMask> DrawMasks(const TStatDraws &Draws, int32_t K)
{
    std::vector<TNumberMask> masks;
    masks.reserve(Draws.size());
    for (const TStatDraw &draw : Draws)
        masks.push_back(MaskOf(draw.Numbers.data(), std::min(static_cast<int>(draw.Numbers.size()), K)));
    return masks;
}

// Tells the status line that the counted rows are being sorted.
void ReportSorting(const TStat::TStatusProc &OnStatus)
{
    if (OnStatus)
        OnStatus(SortingText);
}

// A progress advanced in batches of steps, with a poll for a stop after each batch.
class TBatchedSteps {
public:
    TBatchedSteps(TProgress &AProgress, std::function<bool()> AStopped)
        : Progress(AProgress), Stopped(std::move(AStopped))
    {
    }

    // Counts Steps more done; True when the work has been stopped.
    bool Add(int64_t Steps)
    {
        Pending += Steps;
        return Pending >= Batch && Flush();
    }
    // Reports the steps counted so far; True when the work has been stopped.
    bool Flush()
    {
        while (Pending > 0) {
            const auto delta = static_cast<int32_t>(std::min<int64_t>(Pending, INT32_MAX));
            Progress.Advance(delta);
            Pending -= delta;
        }
        return Stopped();
    }

private:
    static constexpr int64_t Batch = 1024;
    TProgress &Progress;
    std::function<bool()> Stopped;
    int64_t Pending = 0;
};

// Work := the numbers of Draw at the 1-based positions of Pattern.
void TakeAt(const TStatDraw &Draw, const TDynByteArr &Pattern, TDynByteArr &Work)
{
    for (size_t j = 0; j < Work.size(); ++j)
        Work[j] = Draw.Numbers[Pattern[j] - 1u];
}

} // namespace

bool TStatFreq::StoppedAndFreed(TStatStep Step, const TMyThread &AThread)
{
    if (!Poll(Step, AThread))
        return false;
    FreeResults();
    return true;
}

// Method 1: every k-subset of every draw becomes a row; sorting by code then merges the rows of one
// combination into its count and first draw.
void TStatFreq::CountSubsets(TMyThread &AThread)
{
    const int64_t patterns = SubsetCount(K, CombLen);
    CountProgress.Init(9000, patterns, 0);
    TDynByteArr pattern;
    TDynByteArr work(static_cast<size_t>(CombLen));
    size_t used = 0;
    for (int64_t p = 0; p < patterns; ++p) {
        NextComb(pattern, static_cast<uint8_t>(K), static_cast<uint8_t>(CombLen), p == 0);
        for (int32_t d = 0; d < DrawCount; ++d) {
            TakeAt(Draws[static_cast<size_t>(d)], pattern, work);
            if (FilterOn && !PassesFilter(work.data()))
                continue;
            Rows[used++] = {CodeOf(work.data()), 1, 0, static_cast<uint32_t>(d)};
        }
        if (StoppedAndFreed(TStatStep::Counting, AThread))
            return;
        CountProgress.Advance(1);
    }
    Rows.resize(used);

    ReportSorting(OnStatus);
    SortProgress.Init(10000, 3, 9000);
    SortPolled(Rows.begin(), Rows.end(), [](const TFreqItem &A, const TFreqItem &B) { return A.Code < B.Code; },
               AThread);
    size_t merged = 0;
    for (size_t i = 0; i < Rows.size(); ++i) {
        if ((i & PollMask) == 0 && StoppedAndFreed(TStatStep::BuildingRows, AThread))
            return;
        if (merged > 0 && Rows[merged - 1].Code == Rows[i].Code) {
            TFreqItem &row = Rows[merged - 1];
            row.Freq += Rows[i].Freq;
            if (Rows[i].Last < row.Last)
                row.Last = Rows[i].Last;
        } else {
            Rows[merged++] = Rows[i];
        }
    }
    Rows.resize(merged);
    SortProgress.Advance(1);
    CutRows(AThread);
    SortProgress.Advance(1);
    if (CompleteCount(AThread))
        SortProgress.Advance(1);
}

// Method 2: one counter per k-combination of 1..N, addressed by its lexicographic index.
void TStatFreq::CountByIndex(TMyThread &AThread)
{
    const int64_t patterns = SubsetCount(K, CombLen);
    CountProgress.Init(9000, patterns, 0);
    TDynByteArr pattern;
    TDynByteArr work(static_cast<size_t>(CombLen));
    for (int64_t p = 0; p < patterns; ++p) {
        NextComb(pattern, static_cast<uint8_t>(K), static_cast<uint8_t>(CombLen), p == 0);
        for (int32_t d = 0; d < DrawCount; ++d) {
            TakeAt(Draws[static_cast<size_t>(d)], pattern, work);
            if (FilterOn && !PassesFilter(work.data()))
                continue;
            TFreqItem &row = Rows[static_cast<size_t>(CodeOf(work.data()) - 1)];
            ++row.Freq;
            if (static_cast<uint32_t>(d) < row.Last)
                row.Last = static_cast<uint32_t>(d);
        }
        if (StoppedAndFreed(TStatStep::Counting, AThread))
            return;
        CountProgress.Advance(1);
    }
    for (size_t i = 0; i < Rows.size(); ++i) {
        if ((i & PollMask) == 0 && StoppedAndFreed(TStatStep::BuildingRows, AThread))
            return;
        Rows[i].Code = static_cast<int64_t>(i + 1);
    }

    ReportSorting(OnStatus);
    SortProgress.Init(10000, 2, 9000);
    CutRows(AThread);
    SortProgress.Advance(1);
    if (CompleteCount(AThread))
        SortProgress.Advance(1);
}

// Method 3: the common numbers of every pair of draws, gathered per first draw. A combination first held
// by draw i is counted there from all pairs (i, j): once for i and once for each later j.
void TStatFreq::CountDrawPairs(TMyThread &AThread)
{
    if (DrawCount <= 1)
        return;
    const std::vector<TNumberMask> masks = DrawMasks(Draws, K);
    const auto draws = static_cast<uint32_t>(DrawCount);
    CountProgress.Init(2000, static_cast<int64_t>(draws) * (draws - 1) / 2, 0);
    std::vector<TFreqPairRecord> records;
    for (uint32_t i = 0; i < draws; ++i) {
        for (uint32_t j = i + 1; j < draws; ++j) {
            const TNumberMask common = masks[i] & masks[j];
            if (common.Count() >= CombLen)
                records.push_back({common, 2, i});
        }
        CountProgress.Advance(static_cast<int32_t>(draws - 1 - i));
        if (StoppedAndFreed(TStatStep::Counting, AThread))
            return;
    }
    if (records.empty())
        return;

    // One record per first draw and common set, seen once more for each further pair.
    SortPolled(
        records.begin(), records.end(),
        [](const TFreqPairRecord &A, const TFreqPairRecord &B) {
            return A.First != B.First ? A.First < B.First : A.Common < B.Common;
        },
        AThread);
    size_t merged = 0;
    for (size_t r = 0; r < records.size(); ++r) {
        if (merged > 0 && records[merged - 1].First == records[r].First &&
            records[merged - 1].Common == records[r].Common)
            records[merged - 1].Freq += records[r].Freq - 1;
        else
            records[merged++] = records[r];
    }
    records.resize(merged);
    if (StoppedAndFreed(TStatStep::BuildingRows, AThread))
        return;

    SortProgress.Init(10000, static_cast<int64_t>(records.size() + 1) * 10, 2000);
    TFreqResultList list(LimitRows, MaxRows);
    // The k-subsets of the records of one first draw, with the records' counts.
    std::vector<std::pair<int64_t, uint32_t>> drawList;
    const auto flush = [this, &drawList, &list](uint32_t First) {
        std::sort(drawList.begin(), drawList.end());
        for (size_t start = 0; start < drawList.size();) {
            uint32_t freq = 1;
            size_t end = start;
            for (; end < drawList.size() && drawList[end].first == drawList[start].first; ++end)
                freq += drawList[end].second - 1;
            if (freq >= static_cast<uint32_t>(MinFreq))
                list.AddFirst(drawList[start].first, freq, First);
            start = end;
        }
        drawList.clear();
    };
    uint8_t common[128];
    TDynByteArr pattern;
    TDynByteArr work(static_cast<size_t>(CombLen));
    for (size_t r = 0; r < records.size(); ++r) {
        const TFreqPairRecord &record = records[r];
        if (r > 0 && record.First != records[r - 1].First)
            flush(records[r - 1].First);
        const int count = record.Common.Numbers(common);
        const int64_t subsets = SubsetCount(count, CombLen);
        for (int64_t s = 0; s < subsets; ++s) {
            NextComb(pattern, static_cast<uint8_t>(count), static_cast<uint8_t>(CombLen), s == 0);
            for (size_t j = 0; j < work.size(); ++j)
                work[j] = common[pattern[j] - 1u];
            if (!FilterOn || PassesFilter(work.data()))
                drawList.emplace_back(CodeOf(work.data()), record.Freq);
        }
        SortProgress.Advance(10);
        if (StoppedAndFreed(TStatStep::BuildingRows, AThread))
            return;
    }
    flush(records.back().First);

    ReportSorting(OnStatus);
    TakeResultList(list, AThread);
    if (CompleteCount(AThread))
        SortProgress.Advance(10);
}

// Method 4: every k-subset of every draw counted against the later draws; a combination's count is
// complete when it is met in its first draw.
void TStatFreq::CountLaterDraws(TMyThread &AThread)
{
    if (DrawCount <= 1)
        return;
    const std::vector<TNumberMask> masks = DrawMasks(Draws, K);
    const int64_t patterns = SubsetCount(K, CombLen);
    CountProgress.Init(9500, patterns * DrawCount, 0);
    TFreqResultList list(LimitRows, MaxRows);
    TDynByteArr pattern;
    TDynByteArr work(static_cast<size_t>(CombLen));
    for (int64_t p = 0; p < patterns; ++p) {
        NextComb(pattern, static_cast<uint8_t>(K), static_cast<uint8_t>(CombLen), p == 0);
        for (int32_t i = 0; i < DrawCount; ++i) {
            TakeAt(Draws[static_cast<size_t>(i)], pattern, work);
            if (!FilterOn || PassesFilter(work.data())) {
                const TNumberMask sought = MaskOf(work.data(), CombLen);
                uint32_t count = 1;
                for (size_t j = static_cast<size_t>(i) + 1; j < masks.size(); ++j)
                    count += masks[j].Holds(sought) ? 1 : 0;
                if (count >= static_cast<uint32_t>(MinFreq))
                    list.Merge(CodeOf(work.data()), count, static_cast<uint32_t>(i));
            }
            if (StoppedAndFreed(TStatStep::Counting, AThread))
                return;
            CountProgress.Advance(1);
        }
    }

    ReportSorting(OnStatus);
    SortProgress.Init(10000, 2, 9500);
    TakeResultList(list, AThread);
    SortProgress.Advance(1);
    if (CompleteCount(AThread))
        SortProgress.Advance(1);
}

// Method 5: the k-combinations of 1..N, in lexicographic order, that no working draw holds, up to
// Capacity rows: by one sweep over a bit set of the drawn ranks when it has room, else by testing every
// combination against the draws.
void TStatFreq::ListNeverDrawn(TMyThread &AThread)
{
    const std::vector<TNumberMask> masks = DrawMasks(Draws, K);
    std::vector<uint64_t> drawn;
    if (UseDrawnBits)
        UseDrawnBits = TryAllocate(drawn, (static_cast<uint64_t>(SubsetCount(N, CombLen)) + 63) / 64);
    if (UseDrawnBits ? SweepUndrawn(AThread, masks, drawn) : TestEveryComb(AThread, masks)) {
        RowCount = static_cast<int32_t>(Rows.size());
        State = ssComputed;
    }
}

void TStatFreq::AddNeverDrawn(int64_t Code, const TDynByteArr &Comb)
{
    // The rows grow as they are found rather than claim Capacity at once.
    if (Rows.size() == Rows.capacity())
        Rows.reserve(
            static_cast<size_t>(std::min<uint64_t>(Capacity, std::max<uint64_t>(1024, Rows.size() * 2))));
    Rows.push_back({Code, 0, static_cast<uint8_t>(CombParity(Comb.data(), CombLen)), FreqNoDraw});
}

bool TStatFreq::TestEveryComb(TMyThread &AThread, const std::vector<TNumberMask> &Masks)
{
    const int64_t combs = SubsetCount(N, CombLen);
    CountProgress.Init(10000, combs, 0);
    TDynByteArr comb;
    for (int64_t t = 1; t <= combs && Rows.size() < Capacity; ++t) {
        NextComb(comb, static_cast<uint8_t>(N), static_cast<uint8_t>(CombLen), t == 1);
        if (!FilterOn || PassesFilter(comb.data())) {
            const TNumberMask sought = MaskOf(comb.data(), CombLen);
            if (std::none_of(Masks.begin(), Masks.end(),
                             [&sought](const TNumberMask &M) { return M.Holds(sought); }))
                AddNeverDrawn(t, comb);
        }
        if (StoppedAndFreed(TStatStep::BuildingRows, AThread))
            return false;
        CountProgress.Advance(1);
    }
    return true;
}

bool TStatFreq::SweepUndrawn(TMyThread &AThread, const std::vector<TNumberMask> &Masks,
                             std::vector<uint64_t> &Drawn)
{
    const auto n = static_cast<uint8_t>(N);
    const auto k = static_cast<uint8_t>(CombLen);
    const int64_t combs = SubsetCount(N, CombLen);
    // The draws' numbers beyond N hold no combination of 1..N.
    TNumberMask inGame;
    for (int number = 1; number <= N; ++number)
        inGame.Add(static_cast<uint8_t>(number));
    // One step per drawn k-subset marked and per combination swept.
    int64_t marks = 0;
    for (const TNumberMask &mask : Masks)
        marks += SubsetCount((mask & inGame).Count(), CombLen);
    CountProgress.Init(10000, marks + combs, 0);
    // Marking counts the drawn subsets; the sweep builds the rows.
    TStatStep step = TStatStep::Counting;
    TBatchedSteps steps(CountProgress, [this, &AThread, &step] { return StoppedAndFreed(step, AThread); });

    uint8_t numbers[128];
    TDynByteArr pattern;
    TDynByteArr work(k);
    for (const TNumberMask &mask : Masks) {
        const int count = (mask & inGame).Numbers(numbers);
        const int64_t subsets = SubsetCount(count, CombLen);
        for (int64_t s = 0; s < subsets; ++s) {
            NextComb(pattern, static_cast<uint8_t>(count), k, s == 0);
            for (size_t j = 0; j < work.size(); ++j)
                work[j] = numbers[pattern[j] - 1u];
            const auto bit = static_cast<uint64_t>(CombToIndex(n, k, work.data()) - 1);
            Drawn[bit / 64] |= uint64_t{1} << (bit % 64);
        }
        if (steps.Add(subsets))
            return false;
    }

    step = TStatStep::BuildingRows;
    if (!FilterOn) {
        // Every unmarked rank is a row: the rows are counted before they are claimed.
        uint64_t undrawn = static_cast<uint64_t>(combs);
        for (const uint64_t word : Drawn)
            undrawn -= static_cast<uint64_t>(std::popcount(word));
        Rows.reserve(static_cast<size_t>(std::min(Capacity, undrawn)));
    }
    TDynByteArr comb;
    for (int64_t t = 1; t <= combs && Rows.size() < Capacity; ++t) {
        const auto bit = static_cast<uint64_t>(t - 1);
        NextComb(comb, n, k, t == 1);
        if ((Drawn[bit / 64] >> (bit % 64) & 1) == 0 && (!FilterOn || PassesFilter(comb.data())))
            AddNeverDrawn(t, comb);
        if (steps.Add(1))
            return false;
    }
    return !steps.Flush();
}
