#include "stats/UStatFreq.h"

#include "core/MemoryEstimate.h"
#include "engine/UGame.h"
#include "stats/UStatFreqCombs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

TStatFreq::TStatFreq(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress, TStatusProc OnStatus,
                     TFinishedProc OnFinished)
    : TStat(Game, Source, std::move(OnProgress))
{
    this->OnStatus = std::move(OnStatus);
    this->OnFinished = std::move(OnFinished);
}

TStatFreq::~TStatFreq()
{
    Thread.reset(); // the worker reads this object's members
}

void TStatFreq::ClearConstraints(TConstraints &C)
{
    C.UseComb = false;
    C.UseRange = false;
    C.Parity = 0;
    C.Consecutive = false;
}

void TStatFreq::SetParams(int32_t ACombLen, int32_t AMinFreq, const TConstraints &AConstraints,
                          bool AEachWithEach, int32_t AMaxRows, bool ALimitRows)
{
    if (ACombLen < 1 || ACombLen > N)
        throw std::invalid_argument("TStatFreq::SetParams: combination length outside 1..N");
    DropWorker();
    State = ssParams;
    std::vector<TFreqItem>().swap(OldRows);
    std::vector<TFreqItem>().swap(OldList);
    OldRows.swap(Rows);
    OldList.swap(ResultList);
    FreeResults();
    CombLen = ACombLen;
    MinFreq = std::max(AMinFreq, 0);
    Constraints = AConstraints;
    EachWithEach = AEachWithEach;
    LimitRows = ALimitRows;
    MaxRows = LimitRows ? std::max(AMaxRows, 0) : std::numeric_limits<int32_t>::max();
    Required.assign(static_cast<size_t>(N), false);
    if (Constraints.UseComb) {
        const size_t count =
            std::min(static_cast<size_t>(std::max(Constraints.CombCount, 0)), Constraints.Comb.size());
        for (size_t i = 0; i < count; ++i) {
            const uint8_t number = Constraints.Comb[i];
            if (number >= 1 && number <= N)
                Required[number - 1u] = true;
        }
    }
    FilterOn =
        Constraints.UseComb || Constraints.UseRange || Constraints.Parity > 0 || Constraints.Consecutive;
    CombValue.Init(static_cast<uint8_t>(N + 1), static_cast<uint8_t>(CombLen));
    UseArray = true;
    Mode = 0;
    Min = Max = 0;
    Mean = Expected = StdDev = 0;
    Sum = 0;
}

bool TStatFreq::Start()
{
    DropWorker();
    State = ssParams;
    if (!ChooseMethod()) {
        State = ssNoMemory;
        return false;
    }
    StartCounting();
    return true;
}

void TStatFreq::Finished()
{
    if (OnFinished)
        OnFinished();
}

// ---------------------------------------------------------------------------------------------------
// Choice of the counting method

uint8_t TStatFreq::PickMode() const
{
    if (MinFreq == 0)
        return 5;
    const long double draws = DrawCount;
    const long double subsets = Binomial(K, CombLen);
    const long double allSubsets = draws * subsets;
    const long double drawPairs = draws * (draws - 1) / 2;
    const long double combs = Binomial(N, CombLen);
    // The pair method's weight grows with the longest combination a common part can be (a sort key only).
    const long double pairWeight = std::max(Game->MaxK - CombLen + 1, 1);

    struct TMethod {
        uint8_t Mode;
        long double Size;
        long double SecondSize;
        uint8_t Priority;
    };
    const uint8_t arrayPriority = MinFreq == 1 ? 2 : MinFreq == 2 ? 1 : 0;
    const uint8_t listPriority = MinFreq <= 2 ? 1 : 0;
    std::array<TMethod, 4> table{{
        {1, allSubsets, 2 * allSubsets, arrayPriority},
        {2, allSubsets, combs, arrayPriority},
        {3, drawPairs * pairWeight, 0, listPriority},
        {4, subsets * drawPairs, 0, listPriority},
    }};
    std::stable_sort(table.begin(), table.end(), [](const TMethod &A, const TMethod &B) {
        if (A.Priority != B.Priority)
            return A.Priority > B.Priority;
        if (A.Size != B.Size)
            return A.Size < B.Size;
        return A.SecondSize < B.SecondSize;
    });

    for (const TMethod &method : table) {
        switch (method.Mode) {
        case 1:
            if (TableFits(allSubsets, sizeof(TFreqItem), MemoryShareArray))
                return 1;
            break;
        case 2:
            if (TableFits(combs, sizeof(TFreqItem), MemoryShareArray))
                return 2;
            break;
        case 3:
            if (TableFits(drawPairs, sizeof(TFreqPairRecord), MemoryShareWhole))
                return 3;
            break;
        default:
            return 4;
        }
    }
    return 4;
}

bool TStatFreq::ChooseMethod()
{
    return PrepareMode(PickMode());
}

bool TStatFreq::PrepareMode(uint8_t AMode)
{
    FreeResults();
    Mode = AMode;
    Capacity = 0;
    UseDrawnBits = false;
    UseArray = true;
    // A lexicographic index of these combinations would not fit 63 bits, and their positional code
    // is longer still.
    if (!RankFits(N, CombLen))
        return false;
    const long double combs = Binomial(N, CombLen);
    UseIndex = PositionalCodeOverflows(N, CombLen);

    const auto allocate = [this](long double Count) {
        return Count <= Int64Limit && TryAllocate(Rows, static_cast<uint64_t>(Count));
    };
    switch (Mode) {
    case 1:
        return allocate(static_cast<long double>(DrawCount) * Binomial(K, CombLen));
    case 2:
        UseIndex = true;
        return allocate(combs);
    case 3:
        UseArray = false;
        UseIndex = true;
        MinFreq = std::max(MinFreq, 2);
        return true;
    case 4:
        UseArray = false;
        MinFreq = std::max(MinFreq, 2);
        return true;
    default:
        // The never-drawn list grows as rows are found, up to this many.
        UseIndex = true;
        Capacity = std::min(TableCapacity(sizeof(TFreqItem), MemoryShareWhole), static_cast<uint64_t>(combs));
        if (LimitRows)
            Capacity = std::min(Capacity, static_cast<uint64_t>(MaxRows));
        // A bit per combination, marked for the drawn ones, when it fits beside the rows the list may hold.
        UseDrawnBits =
            TableFits(std::ceil(combs / 64) * 8 + static_cast<long double>(Capacity) * sizeof(TFreqItem), 1,
                      MemoryShareWhole);
        return true;
    }
}

void TStatFreq::StartCounting()
{
    CountProgress.OnProgress = Progress.OnProgress;
    SortProgress.OnProgress = Progress.OnProgress;
    void (TStatFreq::*count)(TMyThread &);
    switch (Mode) {
    case 1:
        count = &TStatFreq::CountSubsets;
        break;
    case 2:
        count = &TStatFreq::CountByIndex;
        break;
    case 3:
        count = &TStatFreq::CountDrawPairs;
        break;
    case 4:
        count = &TStatFreq::CountLaterDraws;
        break;
    default:
        count = &TStatFreq::ListNeverDrawn;
        break;
    }
    StartWorker([this, count](TMyThread &AThread) {
        std::vector<TFreqItem>().swap(OldRows);
        std::vector<TFreqItem>().swap(OldList);
        (this->*count)(AThread);
    });
}

void TStatFreq::FreeResults()
{
    std::vector<TFreqItem>().swap(Rows);
    std::vector<TFreqItem>().swap(ResultList);
    RowCount = 0;
}

// ---------------------------------------------------------------------------------------------------
// Codes and the filter

int64_t TStatFreq::CodeOf(const uint8_t *Comb) const
{
    const auto k = static_cast<uint8_t>(CombLen);
    return UseIndex ? CombToIndex(static_cast<uint8_t>(N), k, Comb) : CombValue.Encode(Comb, k);
}

void TStatFreq::DecodeComb(int64_t Code, uint8_t *Comb) const
{
    const auto k = static_cast<uint8_t>(CombLen);
    if (UseIndex)
        IndexToComb(static_cast<uint8_t>(N), k, Comb, Code);
    else
        CombValue.Decode(Code, k, Comb);
}

bool TStatFreq::PassesFilter(const uint8_t *Comb) const
{
    const int k = CombLen;
    if (Constraints.UseRange && (Comb[0] < Constraints.RangeFrom || Comb[k - 1] > Constraints.RangeTo))
        return false;
    if (Constraints.UseComb && CountInSet(k, Comb, Required) != Constraints.CombCount)
        return false;
    if (Constraints.Parity > 0 && CombParity(Comb, k) != Constraints.Parity)
        return false;
    if (Constraints.Consecutive && Comb[k - 1] - Comb[0] != k - 1)
        return false;
    return true;
}

// ---------------------------------------------------------------------------------------------------
// The end of a count

void TStatFreq::CutRows(const TMyThread &AThread)
{
    std::erase_if(Rows, [this](const TFreqItem &Row) { return Row.Freq < static_cast<uint32_t>(MinFreq); });
    SortPolled(Rows.begin(), Rows.end(), [](const TFreqItem &A, const TFreqItem &B) { return FreqOrderBefore(A, B); },
               AThread);
    if (LimitRows && Rows.size() > static_cast<size_t>(MaxRows))
        Rows.resize(static_cast<size_t>(MaxRows));
}

void TStatFreq::TakeResultList(TFreqResultList &List, const TMyThread &AThread)
{
    ResultList = List.Take();
    UseArray = false;
    SortPolled(ResultList.begin(), ResultList.end(),
               [](const TFreqItem &A, const TFreqItem &B) { return FreqOrderBefore(A, B); }, AThread);
}

void TStatFreq::ExpandPairs(const TMyThread &AThread)
{
    std::vector<TFreqItem> pairs = std::move(ActiveRows());
    std::vector<TFreqItem>().swap(ResultList);
    Rows.clear();
    Rows.reserve(pairs.size() * 2);
    for (const TFreqItem &row : pairs) {
        uint8_t pair[2];
        DecodeComb(row.Code, pair);
        const uint8_t reversed[2] = {pair[1], pair[0]};
        Rows.push_back({CombValue.Encode(pair, 2), row.Freq, row.Parity, row.Last});
        Rows.push_back({CombValue.Encode(reversed, 2), row.Freq, row.Parity, row.Last});
    }
    UseArray = true;
    UseIndex = false;
    SortPolled(Rows.begin(), Rows.end(), [](const TFreqItem &A, const TFreqItem &B) { return FreqOrderBefore(A, B); },
               AThread);
}

void TStatFreq::Summarize()
{
    const std::vector<TFreqItem> &rows = ActiveRows();
    if (rows.empty())
        return;
    Min = std::numeric_limits<int32_t>::max();
    Max = 0;
    Sum = 0;
    for (const TFreqItem &row : rows) {
        const auto freq = static_cast<int32_t>(row.Freq);
        Min = std::min(Min, freq);
        Max = std::max(Max, freq);
        Sum += freq;
    }
    const auto count = static_cast<double>(rows.size());
    Mean = static_cast<double>(Sum) / count;
    double squares = 0;
    for (const TFreqItem &row : rows)
        squares += (row.Freq - Mean) * (row.Freq - Mean);
    StdDev = std::sqrt(squares / count);
    Expected = static_cast<double>(DrawCount * Binomial(K, CombLen) / Binomial(PoolSize, CombLen));
}

bool TStatFreq::CompleteCount(const TMyThread &AThread)
{
    if (EachWithEach && CombLen == 2)
        ExpandPairs(AThread);
    if (!FinalizeRows(AThread))
        return false;
    RowCount = static_cast<int32_t>(ActiveRows().size());
    Summarize();
    State = ssComputed;
    return true;
}

bool TStatFreq::FinalizeRows(const TMyThread &AThread)
{
    TDynByteArr comb(static_cast<size_t>(CombLen));
    uint32_t done = 0;
    for (TFreqItem &row : ActiveRows()) {
        if ((done++ & PollMask) == 0 && StoppedAndFreed(TStatStep::BuildingRows, AThread))
            return false;
        DecodeComb(row.Code, comb.data());
        row.Parity = static_cast<uint8_t>(CombParity(comb.data(), CombLen));
    }
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Reading and display order

const TFreqItem &TStatFreq::RowAt(int32_t Row) const
{
    return (UseArray ? Rows : ResultList)[static_cast<size_t>(Row)];
}

std::vector<TFreqItem> &TStatFreq::ActiveRows()
{
    return UseArray ? Rows : ResultList;
}

void TStatFreq::GetItem(int32_t Row, TDynByteArr &Comb, uint32_t &Freq, uint8_t &Parity) const
{
    GetItemComb(Row, Comb);
    const TFreqItem &row = RowAt(Row);
    Freq = row.Freq;
    Parity = row.Parity;
}

void TStatFreq::GetItemComb(int32_t Row, TDynByteArr &Comb) const
{
    Comb.resize(static_cast<size_t>(CombLen));
    DecodeComb(RowAt(Row).Code, Comb.data());
}

void TStatFreq::GetItemLast(int32_t Row, uint32_t &DrawIndex, TDateTime &Date) const
{
    DrawIndex = RowAt(Row).Last;
    Date = DrawIndex < Draws.size() ? Draws[DrawIndex].Date : 0;
}

namespace {

// Row A goes before row B by one of the display orders (Compare answers below 0).
template <typename TCompare> auto RowsBefore(TCompare Compare)
{
    return [Compare](const TFreqItem &A, const TFreqItem &B) { return Compare(A, B) < 0; };
}

// By the key Key reads in direction Dir, ties by Code ascending.
template <typename TKey> auto ByKeyThenCode(TKey Key, int32_t Dir)
{
    return RowsBefore([Key, Dir](const TFreqItem &A, const TFreqItem &B) {
        const int result = CompareKeys(Key(A), Key(B), Dir);
        return result != 0 ? result : CompareKeys(A.Code, B.Code, -1);
    });
}

} // namespace

template <typename TLess> void TStatFreq::SortRows(TLess Less, const TMyThread *AThread)
{
    std::vector<TFreqItem> &rows = ActiveRows();
    const auto last = rows.begin() + RowCount;
    if (AThread)
        SortPolled(rows.begin(), last, Less, *AThread);
    else
        std::sort(rows.begin(), last, Less);
}

void TStatFreq::SortByComb(int32_t Dir, const TMyThread *AThread)
{
    SortRows(RowsBefore([Dir](const TFreqItem &A, const TFreqItem &B) { return CompareKeys(A.Code, B.Code, Dir); }),
             AThread);
}

void TStatFreq::SortByFreq(int32_t Dir, const TMyThread *AThread)
{
    SortRows(ByKeyThenCode([](const TFreqItem &Row) { return Row.Freq; }, Dir), AThread);
}

void TStatFreq::SortByParity(int32_t Dir, const TMyThread *AThread)
{
    SortRows(RowsBefore([Dir](const TFreqItem &A, const TFreqItem &B) {
                 int result = CompareKeys(A.Parity, B.Parity, -Dir);
                 if (result == 0)
                     result = CompareKeys(A.Freq, B.Freq, 1);
                 return result != 0 ? result : CompareKeys(A.Code, B.Code, -1);
             }),
             AThread);
}

void TStatFreq::SortByLast(int32_t Dir, const TMyThread *AThread)
{
    SortRows(ByKeyThenCode([](const TFreqItem &Row) { return Row.Last; }, Dir), AThread);
}
