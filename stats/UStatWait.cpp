#include "stats/UStatWait.h"

#include "core/MemoryEstimate.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UGame.h"
#include "stats/UExpVal.h"
#include "stats/UStatFreqCombs.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

TStatWait::TStatWait(const TGameInfo *Game, TProgressProc OnProgress, TFinishedProc OnFinished)
    : TStatDetails(Game, nullptr, std::move(OnProgress))
{
    this->OnFinished = std::move(OnFinished);
}

TStatWait::~TStatWait()
{
    Thread.reset(); // the worker reads this object's members
}

void TStatWait::SetParams(uint8_t AMode, int32_t ACombLen, float APercent, int32_t AWindow)
{
    if (ACombLen < 1 || ACombLen > K)
        throw std::invalid_argument("TStatWait::SetParams: combination length outside 1..K");
    DropWorker();
    State = ssParams;
    Mode = AMode;
    CombLen = ACombLen;
    Percent = APercent;
    Window = std::max(AWindow, 1); // a window of no draws would leave no row to write
    FreeResults();
    RunningMean.assign(static_cast<size_t>(DrawCount), 0.0f);
    Share = 0;
}

int32_t TStatWait::MaxCombLen() const
{
    // No draw holds a combination longer than the numbers drawn.
    const int32_t most = std::min<int32_t>(Game->MaxK, K);
    for (int32_t k = 2; k <= most; ++k)
        if (!TableFits(Binomial(N, k), sizeof(uint16_t), MemoryShareWhole))
            return k - 1;
    return most;
}

void TStatWait::Start()
{
    DropWorker();
    State = ssParams;
    FreeResults();
    Progress.Init(10000.0, ProgressSteps(), 0);
    StartWorker([this](TMyThread &AThread) { Execute(AThread); });
}

int64_t TStatWait::ProgressSteps() const
{
    // Every draw is added to the counters at most once, one step per k-subset.
    return static_cast<int64_t>(DrawCount) * SubsetCount(K, CombLen);
}

void TStatWait::Stop()
{
    StopWorker();
}

void TStatWait::Finished()
{
    if (OnFinished)
        OnFinished();
}

void TStatWait::FreeResults()
{
    std::vector<uint16_t>().swap(Counters);
    TDets().swap(Details);
    FreeGDets(Groups);
    TTDets().swap(SummaryRows);
    std::vector<float>().swap(RunningMean);
    Distinct = 0;
    Share = 0;
}

// ---------------------------------------------------------------------------------------------------
// The computation

void TStatWait::Execute(TMyThread &AThread)
{
    if (!RankFits(N, CombLen) || !TryAllocate(Counters, static_cast<uint64_t>(SubsetCount(N, CombLen)))) {
        FreeResults();
        State = ssNoMemory;
        return;
    }
    Details.assign(static_cast<size_t>(DrawCount), TDetRow(1));
    for (int32_t i = 0; i < DrawCount; ++i)
        Details[static_cast<size_t>(i)][0] = {i, -1};
    Subset.assign(static_cast<size_t>(CombLen), 0);
    SubsetPos.assign(static_cast<size_t>(CombLen), 0);
    Distinct = 0;
    Share = 0;

    const bool complete = Mode == 1 ? CalcWaitForPercent(AThread) : CalcCoverInWindow(AThread);
    std::vector<uint16_t>().swap(Counters);
    if (!complete) {
        FreeResults();
        return;
    }
    // The draws never added (after the last window that reached the share) bring the progress to its end.
    Progress.Advance(
        static_cast<int32_t>(std::clamp<int64_t>(ProgressSteps() - Progress.Done, 0, INT32_MAX)));
    // Group falls back to sorting for the waits of histories beyond its counters; the counts of
    // combinations of mode 0 may be large at once.
    if (Mode == 1)
        Group(Details, Groups, 1);
    else
        GroupBySort(Details, Groups, 1);
    Summarize(Details, SummaryRows, 1);
    SummaryRows[0].Expected =
        Mode == 1 ? ExpWaitDraws(N, K, CombLen, Percent) : ExpCoverInWindow(N, K, CombLen, Window);
    SortDetailsByDraw(-1);
    CalcRunningMean();
    State = ssComputed;
}

void TStatWait::UpdateCombCounts(bool Add, int32_t DrawIndex)
{
    const TDynByteArr &numbers = Draws[static_cast<size_t>(DrawIndex)].Numbers;
    const int64_t subsets = SubsetCount(K, CombLen);
    const auto n = static_cast<uint8_t>(N);
    const auto k = static_cast<uint8_t>(CombLen);
    for (int64_t p = 0; p < subsets; ++p) {
        NextComb(SubsetPos, static_cast<uint8_t>(K), k, p == 0);
        for (size_t j = 0; j < Subset.size(); ++j)
            Subset[j] = numbers[SubsetPos[j] - 1u];
        uint16_t &counter = Counters[static_cast<size_t>(CombToIndex(n, k, Subset.data()) - 1)];
        if (Add) {
            if (counter++ == 0)
                ++Distinct;
            Progress.Advance(1);
        } else if (--counter == 0) {
            --Distinct;
        }
    }
    Share = static_cast<float>(static_cast<long double>(Distinct) / Binomial(N, CombLen));
}

// Two pointers over the draws: [s, next) is the window of added draws, grown until it reaches the share
// and shrunk by its first draw for the next start.
bool TStatWait::CalcWaitForPercent(const TMyThread &AThread)
{
    int32_t next = 0;
    for (int32_t s = 0; s < DrawCount; ++s) {
        while (Share < Percent && next < DrawCount) {
            UpdateCombCounts(true, next++);
            if (CheckStopped(AThread))
                return false;
        }
        if (Share < Percent)
            break; // the remaining draws never reach the share: this row and the later ones stay -1
        // With a share of 0 reached by no draw at all, nothing was added for s.
        const bool added = s < next;
        Details[static_cast<size_t>(s)][0].Value = added ? next - s : 0;
        if (added)
            UpdateCombCounts(false, s);
    }
    return true;
}

// A window of Window draws slid over the draws; the last Window - 1 rows stay -1.
bool TStatWait::CalcCoverInWindow(const TMyThread &AThread)
{
    if (DrawCount < Window)
        return true;
    for (int32_t s = 1 - Window; s <= DrawCount - Window; ++s) {
        UpdateCombCounts(true, s + Window - 1);
        if (s >= 0) {
            Details[static_cast<size_t>(s)][0].Value = Distinct;
            UpdateCombCounts(false, s);
        }
        if (CheckStopped(AThread))
            return false;
    }
    return true;
}

void TStatWait::CalcRunningMean()
{
    // The rows without a value are the latest draws, so they do not enter any mean that is kept.
    RunningMeans(Details, 0, RunningMean);
    for (size_t i = 0; i < Details.size(); ++i)
        if (Details[i][0].Value == -1)
            RunningMean[i] = -1.0f;
}

// ---------------------------------------------------------------------------------------------------
// Reading and display order

void TStatWait::GetDrawLabel(int32_t Row, bool ShowDate, std::string &S) const
{
    const TStatDraw &draw = Draws[static_cast<size_t>(Details[static_cast<size_t>(Row)][0].Draw)];
    S = ShowDate ? DateToStr(draw.Date) : std::to_string(draw.No);
}

void TStatWait::GetDrawText(int32_t Row, std::string &S) const
{
    const TStatDraw &draw = Draws[static_cast<size_t>(Details[static_cast<size_t>(Row)][0].Draw)];
    CombToStr(draw.Numbers.data(), static_cast<uint8_t>(K), "%2d ", S, 0);
}

void TStatWait::GetDetailText(int32_t Row, std::string &S) const
{
    const int32_t value = Details[static_cast<size_t>(Row)][0].Value;
    S = value == -1 ? "- " : value == 0 ? "" : std::to_string(value) + " ";
}

void TStatWait::GetDetailPercentText(int32_t Row, std::string &S) const
{
    const int32_t value = Details[static_cast<size_t>(Row)][0].Value;
    S = value == -1 ? "- " : value == 0 ? "" : PercentOfCombs(value);
}

std::string TStatWait::PercentOfCombs(int32_t Value) const
{
    return FormatFloat("0.00", static_cast<double>(Value / Binomial(N, CombLen) * 100)) + "%";
}

const TGSItem *TStatWait::GroupItem(int32_t Row) const
{
    if (Groups.empty() || Row < 0 || Row >= Groups[0].Count)
        return nullptr;
    return &Groups[0].Items[static_cast<size_t>(Row)];
}

void TStatWait::GetGroupValueText(int32_t Row, std::string &S) const
{
    const TGSItem *item = GroupItem(Row);
    S = item ? std::to_string(item->Value) + " " : "";
}

void TStatWait::GetGroupCountText(int32_t Row, std::string &S) const
{
    const TGSItem *item = GroupItem(Row);
    S = item ? std::to_string(item->Draws) + " " : "";
}

void TStatWait::GetGroupPercentText(int32_t Row, std::string &S) const
{
    const TGSItem *item = GroupItem(Row);
    S = item ? PercentOfCombs(item->Value) : "";
}

void TStatWait::SortDetailsByDraw(int32_t Dir)
{
    SortDetColumn(Details, 0, &TStatDetails::CompareDetDraw, Dir);
}

void TStatWait::SortDetailsByValue(int32_t Dir)
{
    SortDetColumn(Details, 0, &TStatDetails::CompareDetValue, Dir);
}

void TStatWait::SortGroupsByValue(int32_t Dir)
{
    if (!Groups.empty())
        SortGroupColumn(Groups, 0, &TStatDetails::CompareGroupValue, Dir);
}

void TStatWait::SortGroupsByCount(int32_t Dir)
{
    if (!Groups.empty())
        SortGroupColumn(Groups, 0, &TStatDetails::CompareGroupCount, Dir);
}
