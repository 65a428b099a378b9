#include "stats/UStatSerieBreak.h"

#include "core/MemoryEstimate.h"
#include "core/UComb.h"
#include "core/USort.h"
#include "engine/UGame.h"
#include "stats/UStatFreqCombs.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

// Calls Visit(L) for each run of consecutive draws in Held, of L draws.
template <typename TVisit> void ScanSeries(const std::vector<uint64_t> &Held, TVisit &&Visit)
{
    int32_t run = 0;
    int64_t previous = -2;
    for (size_t w = 0; w < Held.size(); ++w)
        for (uint64_t word = Held[w]; word != 0; word &= word - 1) {
            const auto draw = static_cast<int64_t>(w * 64 + static_cast<size_t>(std::countr_zero(word)));
            if (draw != previous + 1 && run > 0) {
                Visit(run);
                run = 0;
            }
            ++run;
            previous = draw;
        }
    if (run > 0)
        Visit(run);
}

// Calls Visit(g) for each pair of neighbouring draws in Held, g draws apart.
template <typename TVisit> void ScanBreaks(const std::vector<uint64_t> &Held, TVisit &&Visit)
{
    int64_t previous = -1;
    for (size_t w = 0; w < Held.size(); ++w)
        for (uint64_t word = Held[w]; word != 0; word &= word - 1) {
            const auto draw = static_cast<int64_t>(w * 64 + static_cast<size_t>(std::countr_zero(word)));
            if (previous >= 0)
                Visit(static_cast<int32_t>(draw - previous - 1));
            previous = draw;
        }
}

constexpr int64_t IndexLimit = std::numeric_limits<int32_t>::max(); // combination indexes are 32-bit

} // namespace

TStatSerieBreak::TStatSerieBreak(const TGameInfo *Game, bool AIsSeries, TProgressProc OnProgress,
                                 TFinishedProc AOnFinished)
    : TStatDetails(Game, nullptr, std::move(OnProgress)), IsSeries(AIsSeries)
{
    OnFinished = std::move(AOnFinished);
}

TStatSerieBreak::~TStatSerieBreak()
{
    Thread.reset(); // the worker reads this object's members
}

int32_t TStatSerieBreak::MaxCombLen() const
{
    const int32_t longest = std::min<int32_t>(Game->MaxK, K);
    if (longest < 2)
        return longest;
    for (int32_t k = 2; k <= longest; ++k)
        if (Binomial(N, k) > IndexLimit)
            return k - 1;
    return longest;
}

void TStatSerieBreak::SetParams(int32_t ACombLen, bool AShowCombs, bool ACountStd, bool AOneComb,
                                const TDynByteArr &Comb)
{
    if (AOneComb) {
        if (ACombLen < 1 || ACombLen > N || Comb.size() < static_cast<size_t>(ACombLen) ||
            std::any_of(Comb.begin(), Comb.begin() + ACombLen, [this](uint8_t n) { return n < 1 || n > N; }))
            throw std::invalid_argument("TStatSerieBreak::SetParams: the combination is not one of 1..N");
    } else if (ACombLen < 1 || ACombLen > std::max(MaxCombLen(), 1)) {
        throw std::invalid_argument("TStatSerieBreak::SetParams: combination length outside 1..MaxCombLen");
    }
    DropWorker();
    State = ssParams;
    FreeResults();
    CombLen = ACombLen;
    ShowCombs = AShowCombs;
    CountStd = ACountStd;
    OneComb = AOneComb;
    if (OneComb)
        Work.assign(Comb.begin(), Comb.begin() + CombLen);
    else
        Work.assign(static_cast<size_t>(CombLen), 0);
    BuildDrawSets();
}

void TStatSerieBreak::BuildDrawSets()
{
    DrawWords = (DrawCount + 63) / 64;
    NumberDraws.assign(static_cast<size_t>(N) * static_cast<size_t>(DrawWords), 0);
    for (int32_t d = 0; d < DrawCount; ++d) {
        const TDynByteArr &numbers = Draws[static_cast<size_t>(d)].Numbers;
        const size_t count = std::min(numbers.size(), static_cast<size_t>(K));
        for (size_t i = 0; i < count; ++i)
            if (numbers[i] >= 1 && numbers[i] <= N)
                NumberDraws[(numbers[i] - 1u) * static_cast<size_t>(DrawWords) + static_cast<size_t>(d / 64)] |=
                    uint64_t{1} << (d % 64);
    }
}

void TStatSerieBreak::Start()
{
    if (OneComb) {
        CalcOneComb();
        return;
    }
    DropWorker();
    State = ssParams;
    FreeResults();
    Details = CombLen == 1;
    ChooseMethod();
    TakeTables();
    StartComputing();
}

void TStatSerieBreak::Stop()
{
    StopWorker();
}

void TStatSerieBreak::Finished()
{
    if (OnFinished)
        OnFinished();
}

void TStatSerieBreak::FreeResults()
{
    std::vector<TSerieCombItem>().swap(CombRows);
    std::vector<uint8_t>().swap(Seen);
    std::vector<uint8_t>().swap(LenSeen);
    TDynIntArr().swap(LenColumn);
    TDets().swap(Details1);
    FreeGDets(Details2);
    TTDets().swap(LenRows);
    TDynIntArr().swap(Lengths);
    CombRowCount = 0;
    LenCount = 0;
    MinLen = 0;
    MaxLen = -1;
    MeanLen = 0;
}

// ---------------------------------------------------------------------------------------------------
// Method and tables

void TStatSerieBreak::ChooseMethod()
{
    const long double combs = Binomial(N, CombLen);
    const long double seenBytes = std::floor(combs / 8) + 1;
    const long double rowBytes = combs * sizeof(TSerieCombItem);
    const long double subsets = Binomial(K, CombLen) * static_cast<long double>(DrawCount);
    Method = 1;
    if (subsets > combs || !TableFits(seenBytes, 1, MemoryShareWhole))
        Method = 2;
    else if (ShowCombs && TableFits(combs, sizeof(TSerieCombItem), MemoryShareWhole) &&
             !TableFits(seenBytes + rowBytes, 1, MemoryShareWhole))
        Method = 2; // the rows rather than the visited set
    const long double needed = Method == 1 ? seenBytes + rowBytes : rowBytes;
    if (ShowCombs && !TableFits(needed, 1, MemoryShareWhole))
        ShowCombs = false;
}

void TStatSerieBreak::TakeTables()
{
    const auto combs = static_cast<uint64_t>(SubsetCount(N, CombLen));
    if (Method == 1 && CombLen >= 2 && !TryAllocate(Seen, combs / 8 + 1))
        Method = 2;
    if (ShowCombs && !TryAllocate(CombRows, combs))
        ShowCombs = false;
}

void TStatSerieBreak::StartComputing()
{
    const int64_t combs = SubsetCount(N, CombLen);
    if (CombLen == 1) {
        Progress.Init(8500, static_cast<int64_t>(N) * DrawCount, 0);
    } else {
        int64_t total = Method == 1 ? SubsetCount(K, CombLen) * DrawCount : combs;
        if (ShowCombs && CountStd)
            total += combs;
        Progress.Init(10000, total, 0);
    }
    StartWorker([this](TMyThread &AThread) { Execute(AThread); });
}

// ---------------------------------------------------------------------------------------------------
// The worker

void TStatSerieBreak::Execute(TMyThread &AThread)
{
    ResetLengthTables();
    bool scanned;
    if (CombLen == 1)
        scanned = ScanNumbers(AThread);
    else if (Method == 1)
        scanned = ScanFromDraws(AThread);
    else
        scanned = ScanAllCombs(AThread);
    // Stopped, or no run at all (State stays ssParams).
    if (!scanned || LenCount == 0) {
        FreeResults();
        return;
    }
    if (Details)
        FinishNumberTables();
    if (ShowCombs && !FinishCombRows(AThread)) {
        FreeResults();
        return;
    }
    FinishLengthRows();
    LengthStats();
    std::vector<uint8_t>().swap(Seen);
    std::vector<uint8_t>().swap(LenSeen);
    State = ssComputed;
}

void TStatSerieBreak::ResetLengthTables()
{
    const auto draws = static_cast<size_t>(DrawCount);
    LenRows.assign(draws, TSummaryItem{});
    LenSeen.assign(draws, 0);
    LenColumn.assign(draws, 0);
    Lengths.clear();
    LenCount = 0;
    if (Details)
        Details1.assign(static_cast<size_t>(N), TDetRow(Details1StartWidth));
    else
        Details1.clear();
}

bool TStatSerieBreak::ScanNumbers(TMyThread &AThread)
{
    TDrawSet held;
    for (int32_t number = 1; number <= N; ++number) {
        Work[0] = static_cast<uint8_t>(number);
        HeldBy(Work.data(), held);
        Scan(held, number - 1);
        Progress.Advance(DrawCount);
        if (CheckStopped(AThread))
            return false;
    }
    return true;
}

bool TStatSerieBreak::ScanFromDraws(TMyThread &AThread)
{
    const auto n = static_cast<uint8_t>(N);
    const auto k = static_cast<uint8_t>(CombLen);
    const int64_t patterns = SubsetCount(K, CombLen);
    TDynByteArr pattern; // positions 1..K of a draw's numbers
    TDrawSet held;
    for (int64_t p = 0; p < patterns; ++p) {
        NextComb(pattern, static_cast<uint8_t>(K), k, p == 0);
        for (const TStatDraw &draw : Draws) {
            for (size_t i = 0; i < k; ++i)
                Work[i] = draw.Numbers[pattern[i] - 1u];
            const auto bit = static_cast<uint64_t>(CombToIndex(n, k, Work.data()) - 1);
            uint8_t &seen = Seen[bit / 8];
            const auto mask = static_cast<uint8_t>(1u << (bit % 8));
            if ((seen & mask) == 0) {
                seen |= mask;
                HeldBy(Work.data(), held);
                Scan(held, static_cast<int32_t>(bit));
            }
            Progress.Advance(1);
            if (CheckStopped(AThread))
                return false;
        }
    }
    return true;
}

bool TStatSerieBreak::ScanAllCombs(TMyThread &AThread)
{
    const int64_t combs = SubsetCount(N, CombLen);
    TDrawSet held;
    for (int64_t r = 0; r < combs; ++r) {
        NextComb(Work, static_cast<uint8_t>(N), static_cast<uint8_t>(CombLen), r == 0);
        HeldBy(Work.data(), held);
        Scan(held, static_cast<int32_t>(r));
        Progress.Advance(1);
        if (CheckStopped(AThread))
            return false;
    }
    return true;
}

void TStatSerieBreak::HeldBy(const uint8_t *Comb, TDrawSet &Held) const
{
    const auto words = static_cast<size_t>(DrawWords);
    const auto first = NumberDraws.begin() + static_cast<ptrdiff_t>((Comb[0] - 1u) * words);
    Held.assign(first, first + static_cast<ptrdiff_t>(words));
    for (int32_t i = 1; i < CombLen; ++i) {
        const uint64_t *set = NumberDraws.data() + (Comb[i] - 1u) * words;
        for (size_t w = 0; w < words; ++w)
            Held[w] &= set[w];
    }
}

void TStatSerieBreak::Scan(const TDrawSet &Held, int32_t Row)
{
    const auto record = [this, Row](int32_t Len) { Record(Len, Row); };
    if (IsSeries)
        ScanSeries(Held, record);
    else
        ScanBreaks(Held, record);
}

void TStatSerieBreak::Record(int32_t Len, int32_t Row)
{
    const auto slot = static_cast<size_t>(SlotOf(Len));
    if (LenSeen[slot] == 0) {
        LenSeen[slot] = 1;
        LenColumn[slot] = LenCount++;
        Lengths.push_back(Len);
        if (Details && static_cast<size_t>(LenCount) > Details1.front().size())
            for (TDetRow &row : Details1)
                row.resize(static_cast<size_t>(LenCount));
    }
    if (Details)
        ++Details1[static_cast<size_t>(Row)][static_cast<size_t>(LenColumn[slot])].Value;
    if (ShowCombs) {
        TSerieCombItem &row = CombRows[static_cast<size_t>(Row)];
        const auto len = static_cast<uint16_t>(Len);
        row.Min = row.Runs == 0 || len < row.Min ? len : row.Min;
        row.Max = row.Runs == 0 || len > row.Max ? len : row.Max;
        row.Mean += static_cast<float>(Len);
        ++row.Runs;
    }
    ++LenRows[slot].Sum;
}

// ---------------------------------------------------------------------------------------------------
// Finishing

void TStatSerieBreak::FinishNumberTables()
{
    if (LenCount < Details1StartWidth)
        for (TDetRow &row : Details1)
            row.resize(static_cast<size_t>(LenCount));
    for (size_t r = 0; r < Details1.size(); ++r)
        for (TDetItem &cell : Details1[r])
            cell.Draw = static_cast<int32_t>(r + 1);
    Progress.Init(10000, 3, 8500);
    // Each number's lengths with runs, in column order (Lengths is still in column order).
    Details2.assign(Details1.size(), TGItem{});
    WidestCount = 0;
    for (size_t r = 0; r < Details1.size(); ++r) {
        TGItem &item = Details2[r];
        for (size_t c = 0; c < Details1[r].size(); ++c)
            if (Details1[r][c].Value > 0)
                item.Items.push_back({Lengths[c], Details1[r][c].Value});
        item.Count = static_cast<int32_t>(item.Items.size());
        WidestCount = std::max(WidestCount, item.Count);
    }
    Progress.Advance(1);
    SortInts(Lengths.data(), LenCount);
    for (int32_t number = 0; number < N; ++number)
        SortGroupColumn(Details2, number, &TStatDetails::CompareGroupValue, -1);
}

bool TStatSerieBreak::FinishCombRows(TMyThread &AThread)
{
    for (size_t r = 0; r < CombRows.size(); ++r) {
        TSerieCombItem &row = CombRows[r];
        if (row.Runs == 0)
            continue;
        row.Index = static_cast<int32_t>(r + 1);
        row.Mean /= row.Runs;
    }
    // Dropping the rows without runs leaves the others in Index order.
    std::erase_if(CombRows, [](const TSerieCombItem &Row) { return Row.Runs == 0; });
    CombRows.shrink_to_fit();
    CombRowCount = static_cast<int32_t>(CombRows.size());
    if (!CountStd)
        return true;

    TDynByteArr comb(static_cast<size_t>(CombLen));
    TDrawSet held;
    for (TSerieCombItem &row : CombRows) {
        IndexToComb(static_cast<uint8_t>(N), static_cast<uint8_t>(CombLen), comb.data(), row.Index);
        HeldBy(comb.data(), held);
        const double mean = row.Mean;
        double squares = 0;
        const auto addDeviation = [&squares, mean](int32_t Len) { squares += (Len - mean) * (Len - mean); };
        if (IsSeries)
            ScanSeries(held, addDeviation);
        else
            ScanBreaks(held, addDeviation);
        row.StdDev = static_cast<float>(std::sqrt(squares / row.Runs));
        Progress.Advance(1);
        if (CheckStopped(AThread))
            return false;
    }
    Progress.Advance(static_cast<int32_t>(SubsetCount(N, CombLen) - CombRowCount));
    return true;
}

void TStatSerieBreak::FinishLengthRows()
{
    int64_t total = 0;
    for (size_t slot = 0; slot < LenRows.size(); ++slot) {
        LenRows[slot].Key = LengthAt(static_cast<int32_t>(slot));
        total += LenRows[slot].Sum;
    }
    // The keys grow with the slot, so the rows with runs stay ascending by length.
    std::erase_if(LenRows, [](const TSummaryItem &Row) { return Row.Sum == 0; });
    for (TSummaryItem &row : LenRows)
        row.Percent = static_cast<double>(row.Sum) / static_cast<double>(total);
}

void TStatSerieBreak::LengthStats()
{
    if (LenRows.empty())
        return;
    MinLen = LenRows.front().Key;
    MaxLen = LenRows.back().Key;
    int64_t runs = 0;
    long double lengths = 0;
    for (const TSummaryItem &row : LenRows) {
        runs += row.Sum;
        lengths += static_cast<long double>(row.Key) * static_cast<long double>(row.Sum);
    }
    MeanLen = static_cast<double>(lengths / static_cast<long double>(runs));
}

void TStatSerieBreak::CalcOneComb()
{
    ShowCombs = false;
    Details = false;
    FreeResults();
    ResetLengthTables();
    TDrawSet held;
    HeldBy(Work.data(), held);
    Scan(held, 0);
    if (LenCount > 0) {
        FinishLengthRows();
        LengthStats();
    } else {
        TTDets().swap(LenRows);
    }
    std::vector<uint8_t>().swap(LenSeen);
}
