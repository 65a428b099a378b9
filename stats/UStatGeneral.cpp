#include "stats/UStatGeneral.h"

#include "engine/UGame.h"
#include "engine/USysGeneral.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <utility>

// ---------------------------------------------------------------------------------------------------
// TStat

TStat::TStat(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress)
    : Game(Game), Source(Source), FromDraws(Source == nullptr)
{
    if (FromDraws) {
        N = Game->MaxNumber;
        PoolSize = N;
        K = Game->Drawn;
    }
    Progress.OnProgress = std::move(OnProgress);
}

TStat::~TStat()
{
    Thread.reset();
}

void TStat::LoadDraws(const TDrawsRange &ARange, const TDrawsManager &Manager, int32_t Dir)
{
    Range = ARange;
    DrawCount = StatDrawsMan.LoadRange(Draws, Manager, Range);
    SortDraws(Dir);
}

void TStat::LoadStatDraws(const TStatDraws &ADraws, int32_t Dir)
{
    DrawCount = StatDrawsMan.CopyDraws(ADraws, Draws, 0, 0);
    SortDraws(Dir);
}

void TStat::LoadSystem()
{
    DrawCount = StatDrawsMan.LoadSystem(Draws, *Source);
    N = Game->MaxNumber;
    PoolSize = Source->N;
    K = Source->K;
}

void TStat::Finished() {}

void TStat::BuildHitMaps()
{
    StatDrawsMan.BuildHitMaps(Draws, N, K);
}

void TStat::SortDraws(int32_t Dir)
{
    StatDrawsMan.SortByDate(Draws, Dir);
}

void TStat::Refuse(std::string Reason)
{
    FailureText = std::move(Reason);
    State = ssFailed;
}

void TStat::StartWorker(TWorkerProc Work)
{
    DropWorker();
    FailureText.clear();
    TWorkerProc run = [this, Work = std::move(Work)](TMyThread &AThread) {
        try {
            Work(AThread);
        } catch (const EStatStopped &) {
            FreeResults();
            State = ssStopped;
        } catch (const std::bad_alloc &) {
            FreeResults();
            State = ssNoMemory;
        } catch (...) {
            FreeResults();
            FailureText = ExceptionText(std::current_exception());
            State = ssFailed;
        }
    };
    if (Runner) {
        Runner->Run(std::move(run), [this] { Finished(); });
        return;
    }
    Thread = std::make_unique<TMyThread2>();
    Thread->OnTerminate = [this](TMyThread &) { Finished(); };
    Thread->Proc = std::move(run);
    Thread->Resume();
}

void TStat::FreeResults() {}

void TStat::StopWorker()
{
    if (Runner) {
        Runner->Stop();
        return;
    }
    if (!Thread)
        return;
    Thread->Terminate();
    Thread->WaitFor();
    Thread.reset();
}

void TStat::DropWorker()
{
    if (Runner)
        Runner->Stop();
    Thread.reset();
}

bool TStat::CheckStopped(const TMyThread &AThread)
{
    if (!AThread.GetTerminated())
        return false;
    State = ssStopped;
    return true;
}

bool TStat::Poll(TStatStep Step, const TMyThread &AThread)
{
    if (OnPoll)
        OnPoll(Step, AThread);
    return CheckStopped(AThread);
}

void TStat::RunSort(int32_t Count, const TMyThread *AThread)
{
    if (!AThread)
        Sort.Sort(0, Count - 1);
    else if (!Sort.Sort(0, Count - 1, [this, AThread] { return Poll(TStatStep::Sorting, *AThread); }))
        throw EStatStopped{};
}

// ---------------------------------------------------------------------------------------------------
// TStatDetails: grouping

namespace {

// Byte by byte over Width; bytes beyond a pattern's own size count as 0.
int ComparePatterns(const uint8_t *A, size_t SizeA, const uint8_t *B, size_t SizeB, int32_t Width, int32_t Param)
{
    for (size_t i = 0; i < static_cast<size_t>(std::max(Width, 0)); ++i) {
        const uint8_t a = i < SizeA ? A[i] : 0;
        const uint8_t b = i < SizeB ? B[i] : 0;
        if (a != b)
            return CompareKeys(a, b, Param);
    }
    return 0;
}

TDynByteArr PatternPrefix(const uint8_t *Pattern, size_t Size, int32_t Width)
{
    TDynByteArr prefix(static_cast<size_t>(std::max(Width, 0)), 0);
    std::copy_n(Pattern, std::min(prefix.size(), Size), prefix.begin());
    return prefix;
}

} // namespace

void TStatDetails::Group(const TDets &ADets, TGDets &AGDets, int32_t Cols)
{
    const auto beyondCounters = [Cols](const TDetRow &Row) {
        return std::any_of(Row.begin(), Row.begin() + Cols, [](const TDetItem &Cell) {
            return Cell.Value != -1 && (Cell.Value < 0 || Cell.Value >= GroupValueLimit);
        });
    };
    if (std::any_of(ADets.begin(), ADets.end(), beyondCounters)) {
        TDets copy = ADets;
        GroupBySort(copy, AGDets, Cols);
        return;
    }
    AGDets.assign(static_cast<size_t>(Cols), TGItem{});
    WidestCount = 0;
    // Columns in blocks, each counted in one pass over the rows.
    constexpr size_t block = 16;
    constexpr auto limit = static_cast<size_t>(GroupValueLimit);
    std::vector<int32_t> counters;
    for (size_t first = 0; first < AGDets.size(); first += block) {
        const size_t cols = std::min(block, AGDets.size() - first);
        counters.assign(cols * limit, 0);
        for (const TDetRow &row : ADets)
            for (size_t c = 0; c < cols; ++c) {
                const int32_t value = row[first + c].Value;
                if (value != -1)
                    ++counters[c * limit + static_cast<size_t>(value)];
            }
        for (size_t c = 0; c < cols; ++c) {
            const int32_t *counts = counters.data() + c * limit;
            TGItem &item = AGDets[first + c];
            for (int32_t v = 0; v < GroupValueLimit; ++v)
                if (counts[v] > 0)
                    item.Items.push_back({v, counts[v]});
            item.Count = static_cast<int32_t>(item.Items.size());
            WidestCount = std::max(WidestCount, item.Count);
        }
    }
}

int32_t TStatDetails::CountDistinct(TDets &ADets, int32_t Col)
{
    SortDetColumn(ADets, Col, &TStatDetails::CompareDetValue, -1);
    int32_t distinct = 0;
    bool any = false;
    int32_t last = 0;
    for (const TDetRow &row : ADets) {
        const int32_t value = row[static_cast<size_t>(Col)].Value;
        if (value == -1)
            continue;
        if (!any || value != last)
            ++distinct;
        any = true;
        last = value;
    }
    return distinct;
}

void TStatDetails::GroupBySort(TDets &ADets, TGDets &AGDets, int32_t Cols)
{
    AGDets.assign(static_cast<size_t>(Cols), TGItem{});
    WidestCount = 0;
    for (int32_t c = 0; c < Cols; ++c) {
        const int32_t n = CountDistinct(ADets, c);
        if (n == 0)
            continue;
        TGItem &item = AGDets[static_cast<size_t>(c)];
        WidestCount = std::max(WidestCount, n);
        item.Count = n;
        item.Items.reserve(static_cast<size_t>(n));
        for (const TDetRow &row : ADets) {
            const int32_t value = row[static_cast<size_t>(c)].Value;
            if (value == -1)
                continue;
            if (item.Items.empty() || item.Items.back().Value != value)
                item.Items.push_back({value, 0});
            ++item.Items.back().Draws;
        }
    }
}

int32_t TStatDetails::SortConfigs(TCDets &ACDets, int32_t Table)
{
    SortConfigTable(ACDets, Table, &TStatDetails::CompareConfigPattern, -1);
    if (ACDets.Empty())
        return 0;
    const auto width = static_cast<size_t>(ACDets.Width());
    int32_t distinct = 1;
    for (int32_t i = 1; i < ACDets.RowCount(); ++i)
        if (ComparePatterns(ACDets.Pattern(i - 1, Table), width, ACDets.Pattern(i, Table), width, PatternWidth, 1) != 0)
            ++distinct;
    return distinct;
}

void TStatDetails::GroupConfigs(TCDets &ACDets, TCGDets &ACGDets, int32_t Tables)
{
    ACGDets.assign(static_cast<size_t>(Tables), TCGItem{});
    WidestCount = 0;
    const auto width = static_cast<size_t>(ACDets.Width());
    for (int32_t t = 0; t < Tables; ++t) {
        const int32_t n = SortConfigs(ACDets, t);
        TCGItem &item = ACGDets[static_cast<size_t>(t)];
        WidestCount = std::max(WidestCount, n);
        item.Count = n;
        item.Items.reserve(static_cast<size_t>(n));
        int32_t runStart = 0;
        for (int32_t i = 0; i < ACDets.RowCount(); ++i) {
            const bool runEnds = i + 1 == ACDets.RowCount() ||
                                 ComparePatterns(ACDets.Pattern(i, t), width, ACDets.Pattern(i + 1, t), width,
                                                 PatternWidth, 1) != 0;
            if (!runEnds)
                continue;
            item.Items.push_back({ACDets.Item(i, t).Len, PatternPrefix(ACDets.Pattern(runStart, t), width, PatternWidth),
                                  i + 1 - runStart});
            runStart = i + 1;
        }
    }
}

void TStatDetails::Summarize(const TDets &ADets, TTDets &ASummary, int32_t Cols)
{
    ASummary.resize(static_cast<size_t>(Cols));
    const size_t cols = ASummary.size();
    for (TSummaryItem &item : ASummary) {
        item.Min = std::numeric_limits<int32_t>::max();
        item.Max = -1;
        item.Sum = 0;
        item.Mean = 0;
        item.StdDev = 0;
        item.Percent = 0;
    }
    // Row by row, every column at once.
    std::vector<int64_t> counted(cols, 0);
    for (const TDetRow &row : ADets)
        for (size_t c = 0; c < cols; ++c) {
            const int32_t value = row[c].Value;
            if (value == -1)
                continue;
            TSummaryItem &item = ASummary[c];
            item.Min = std::min(item.Min, value);
            item.Max = counted[c] == 0 ? value : std::max(item.Max, value);
            item.Sum += value;
            ++counted[c];
        }
    int64_t grandTotal = 0;
    for (const TSummaryItem &item : ASummary)
        grandTotal += item.Sum;
    std::vector<double> squares(cols, 0);
    for (size_t c = 0; c < cols; ++c)
        if (counted[c] != 0)
            ASummary[c].Mean = static_cast<double>(ASummary[c].Sum) / static_cast<double>(counted[c]);
    for (const TDetRow &row : ADets)
        for (size_t c = 0; c < cols; ++c) {
            const int32_t value = row[c].Value;
            if (value != -1)
                squares[c] += (value - ASummary[c].Mean) * (value - ASummary[c].Mean);
        }
    for (size_t c = 0; c < cols; ++c) {
        if (counted[c] == 0)
            continue;
        TSummaryItem &item = ASummary[c];
        if (grandTotal != 0)
            item.Percent = static_cast<double>(item.Sum) / static_cast<double>(grandTotal);
        item.StdDev = std::sqrt(squares[c] / static_cast<double>(counted[c]));
    }
}

void TStatDetails::FreeGDets(TGDets &AGDets)
{
    TGDets().swap(AGDets);
}

void TStatDetails::FreeCGDets(TCGDets &ACGDets)
{
    TCGDets().swap(ACGDets);
}

void TStatDetails::FreeCDets(TCDets &ACDets)
{
    ACDets.Free();
}

// ---------------------------------------------------------------------------------------------------
// TCDets

void TCDets::Assign(int32_t ARows, int32_t ATables, int32_t AWidth)
{
    Rows = std::max(ARows, 0);
    Tables = std::max(ATables, 0);
    PatternBytes = std::max(AWidth, 0);
    const size_t items = static_cast<size_t>(Rows) * static_cast<size_t>(Tables);
    Heads.assign(items, THead{});
    Bytes.assign(items * static_cast<size_t>(PatternBytes), 0);
}

void TCDets::Free()
{
    Rows = Tables = PatternBytes = 0;
    std::vector<THead>().swap(Heads);
    std::vector<uint8_t>().swap(Bytes);
}

TDConfigItem TCDets::Item(int32_t Row, int32_t Table) const
{
    const THead &head = Heads[Slot(Row, Table)];
    return {head.Draw, head.Len, Pattern(Row, Table)};
}

void TCDets::SetItem(int32_t Row, int32_t Table, int32_t Draw, int32_t Len)
{
    Heads[Slot(Row, Table)] = {Draw, Len};
}

uint8_t *TCDets::Pattern(int32_t Row, int32_t Table)
{
    return Bytes.data() + Slot(Row, Table) * static_cast<size_t>(PatternBytes);
}

const uint8_t *TCDets::Pattern(int32_t Row, int32_t Table) const
{
    return Bytes.data() + Slot(Row, Table) * static_cast<size_t>(PatternBytes);
}

void TCDets::SwapItems(int32_t I, int32_t J, int32_t Table)
{
    std::swap(Heads[Slot(I, Table)], Heads[Slot(J, Table)]);
    std::swap_ranges(Pattern(I, Table), Pattern(I, Table) + PatternBytes, Pattern(J, Table));
}

// ---------------------------------------------------------------------------------------------------
// TStatDetails: compare and swap callbacks

int TStatDetails::CompareDetValue(int32_t I, int32_t J, int32_t Param) const
{
    const int result = CompareKeys((*Dets)[I][DetCol].Value, (*Dets)[J][DetCol].Value, Param);
    return result != 0 ? result : CompareDetDraw(I, J, 1);
}

int TStatDetails::CompareDetDraw(int32_t I, int32_t J, int32_t Param) const
{
    return CompareKeys(Draws[(*Dets)[I][DetCol].Draw].No, Draws[(*Dets)[J][DetCol].Draw].No, Param);
}

int TStatDetails::CompareGroupValue(int32_t I, int32_t J, int32_t Param) const
{
    const auto &items = (*GDets)[GroupCol].Items;
    return CompareKeys(items[I].Value, items[J].Value, Param);
}

int TStatDetails::CompareGroupCount(int32_t I, int32_t J, int32_t Param) const
{
    const auto &items = (*GDets)[GroupCol].Items;
    const int result = CompareKeys(items[I].Draws, items[J].Draws, Param);
    return result != 0 ? result : CompareGroupValue(I, J, -1);
}

int TStatDetails::CompareConfigPattern(int32_t I, int32_t J, int32_t Param) const
{
    const auto width = static_cast<size_t>(CDets->Width());
    const int result =
        ComparePatterns(CDets->Pattern(I, CfgTable), width, CDets->Pattern(J, CfgTable), width, PatternWidth, Param);
    return result != 0 ? result : CompareConfigDraw(I, J, 1);
}

int TStatDetails::CompareConfigDraw(int32_t I, int32_t J, int32_t Param) const
{
    return CompareKeys(Draws[static_cast<size_t>(CDets->Item(I, CfgTable).Draw)].No,
                       Draws[static_cast<size_t>(CDets->Item(J, CfgTable).Draw)].No, Param);
}

int TStatDetails::CompareCGPattern(int32_t I, int32_t J, int32_t Param) const
{
    const auto &items = (*CGDets)[CGTable].Items;
    return ComparePatterns(items[I].Pattern.data(), items[I].Pattern.size(), items[J].Pattern.data(),
                           items[J].Pattern.size(), PatternWidth, Param);
}

int TStatDetails::CompareCGCount(int32_t I, int32_t J, int32_t Param) const
{
    const auto &items = (*CGDets)[CGTable].Items;
    const int result = CompareKeys(items[I].Draws, items[J].Draws, Param);
    return result != 0 ? result : CompareCGPattern(I, J, -1);
}

int TStatDetails::CompareSummary(int32_t I, int32_t J, int32_t Param) const
{
    const auto key = [this](const TSummaryItem &Row) -> double {
        switch (SumCol) {
        case 0: return Row.Key;
        case 1: return Row.Min;
        case 2: return Row.Max;
        case 3: return Row.Mean;
        case 4: return Row.Expected;
        case 5: return Row.StdDev;
        default: return static_cast<double>(Row.Sum);
        }
    };
    return CompareKeys(key((*Summary)[I]), key((*Summary)[J]), Param);
}

void TStatDetails::SwapDetRows(int32_t I, int32_t J)
{
    std::swap((*Dets)[I][DetCol], (*Dets)[J][DetCol]);
}

void TStatDetails::SwapGroupItems(int32_t I, int32_t J)
{
    auto &items = (*GDets)[GroupCol].Items;
    std::swap(items[I], items[J]);
}

void TStatDetails::SwapConfigItems(int32_t I, int32_t J)
{
    CDets->SwapItems(I, J, CfgTable);
}

void TStatDetails::SwapCGItems(int32_t I, int32_t J)
{
    auto &items = (*CGDets)[CGTable].Items;
    std::swap(items[I], items[J]);
}

void TStatDetails::SwapSummaryRows(int32_t I, int32_t J)
{
    std::swap((*Summary)[I], (*Summary)[J]);
}

// ---------------------------------------------------------------------------------------------------
// TStatDetails: sorting a list through the callbacks

void TStatDetails::SortList(int32_t Count, TCompareMethod Compare, void (TStatDetails::*SwapFn)(int32_t, int32_t),
                            int32_t Dir)
{
    Sort.SetCallbacks(
        Dir, [this, SwapFn](int I, int J) { (this->*SwapFn)(I, J); },
        [this, Compare](int I, int J, int Param) { return (this->*Compare)(I, J, Param); });
    RunSort(Count, SortThread);
}

void TStatDetails::SortDetColumn(TDets &ADets, int32_t Col, TCompareMethod Compare, int32_t Dir)
{
    Dets = &ADets;
    DetCol = Col;
    SortList(static_cast<int32_t>(ADets.size()), Compare, &TStatDetails::SwapDetRows, Dir);
}

void TStatDetails::SortGroupColumn(TGDets &AGDets, int32_t Col, TCompareMethod Compare, int32_t Dir)
{
    GDets = &AGDets;
    GroupCol = Col;
    SortList(static_cast<int32_t>(AGDets[static_cast<size_t>(Col)].Items.size()), Compare,
             &TStatDetails::SwapGroupItems, Dir);
}

void TStatDetails::SortConfigTable(TCDets &ACDets, int32_t Table, TCompareMethod Compare, int32_t Dir)
{
    CDets = &ACDets;
    CfgTable = Table;
    SortList(ACDets.RowCount(), Compare, &TStatDetails::SwapConfigItems, Dir);
}

void TStatDetails::SortCGTable(TCGDets &ACGDets, int32_t Table, TCompareMethod Compare, int32_t Dir)
{
    CGDets = &ACGDets;
    CGTable = Table;
    SortList(static_cast<int32_t>(ACGDets[static_cast<size_t>(Table)].Items.size()), Compare,
             &TStatDetails::SwapCGItems, Dir);
}

void TStatDetails::SortSummary(TTDets &ASummary, uint8_t Col, int32_t Dir)
{
    Summary = &ASummary;
    SumCol = Col;
    SortList(static_cast<int32_t>(ASummary.size()), &TStatDetails::CompareSummary, &TStatDetails::SwapSummaryRows,
             Dir);
}
