#pragma once
// TStat, the base of every statistic: the working draws it computes on, the game's dimensions, progress,
// a sorter, the worker thread of a long computation, the owner's callbacks and the state the windows read.
// TStatDetails, the base of the per-draw table statistics: grouping of a column by value, grouping of
// patterns, per-column summaries, and the compare and swap callbacks through which those tables sort.
//
// Driving order: create with the callbacks, load the draws (or the system), set the parameters
// (State ssParams), start. A long computation runs in the owner's TWorkerRunner when it gives one, else in a
// TMyThread2 of the statistic; its end, Finished, runs on the GUI thread and ends by calling OnFinished;
// results are read only after that. OnProgress and OnStatus are called from the worker thread.

#include "core/DynArrays.h"
#include "core/UGlobalProgress.h"
#include "core/UGlobalThreads.h"
#include "core/USort.h"
#include "core/WorkerRunner.h"
#include "engine/UDrawsRange.h"
#include "engine/UStatDrawsMan.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TGameInfo;
class TDrawsManager;
class TSystem;

// Values of TStat::State.
enum TStatState : uint8_t {
    ssComputed = 0, // results valid
    ssParams = 1,   // parameters set; not computed yet, or computing
    ssStopped = 3,  // stopped by the user; results freed
    ssNoMemory = 4, // not enough memory; the computation did not start
    ssFailed = 5,   // the computation failed; results freed, the reason in TStat::FailureText
};

// What a worker is doing when it polls for a stop.
enum class TStatStep : uint8_t {
    Counting,
    BuildingRows, // turning what was counted into result rows
    Sorting,
};

// Thrown by a worker's poll inside work that cannot return early (a sort): the run ends as stopped.
struct EStatStopped {};

class TStat {
public:
    using TStatusProc = std::function<void(const std::string &Text)>;
    using TFinishedProc = std::function<void()>;
    using TWorkerProc = TWorkerRunner::TWorkerProc;

    // Without a Source, N and K are the game's highest number and numbers drawn; with one, LoadSystem
    // sets them.
    TStat(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress);
    TStat(const TStat &) = delete;
    TStat &operator=(const TStat &) = delete;
    // Stops a running worker (its end handler is dropped). A descendant whose worker reads the
    // descendant's own members resets Thread first in its own destructor.
    virtual ~TStat();

    // Range resolved against Manager's history (Manager itself is not changed) and kept in Range; Draws
    // := the draws in it, sorted by date in direction Dir (-1 ascending).
    virtual void LoadDraws(const TDrawsRange &ARange, const TDrawsManager &Manager, int32_t Dir);
    // Draws := a deep copy of ADraws, sorted by date in direction Dir.
    virtual void LoadStatDraws(const TStatDraws &ADraws, int32_t Dir);
    // Draws := one record per shown row of Source; N := the game's highest number (the rows hold the
    // player's numbers, which size the tables), PoolSize := the system's count of numbers,
    // K := the system's combination length.
    virtual void LoadSystem();
    // The end-of-calculation hook, on the GUI thread; empty here. Overrides end by calling OnFinished.
    virtual void Finished();

    // A run refused before it starts: State ssFailed with Reason, which the owner shows as it shows a
    // failed computation.
    void Refuse(std::string Reason);

    // Terminates the worker, waits for it (its end handler runs if it has not, except in the owner's
    // runner, which drops it) and frees it. Call on the GUI thread.
    void StopWorker();

    // Hits of every working draw: N entries, True at number - 1 for each of its first K numbers.
    void BuildHitMaps();
    void SortDraws(int32_t Dir);

    const TGameInfo *Game;
    TSystem *Source;
    TProgress Progress;
    TSort Sort;
    std::shared_ptr<void> Aux; // owned by the statistic; empty in the base
    TStatDraws Draws;
    int32_t DrawCount = 0;
    int32_t N = 0;
    // How many numbers the working draws are taken from, for expected values: N over past draws, the
    // system's count of numbers over a system.
    int32_t PoolSize = 0;
    int32_t K = 0;
    TDrawsRange Range;
    bool FromDraws;
    std::unique_ptr<TMyThread2> Thread;
    // The owner's worker, when it gives one: the runs go there and Thread stays empty. The owner stops it
    // before the statistic goes.
    TWorkerRunner *Runner = nullptr;
    // Called by the worker at each of its polls (tests hold a worker at a step with it); set before a run.
    std::function<void(TStatStep Step, const TMyThread &Thread)> OnPoll;
    TFinishedProc OnFinished;
    TStatusProc OnStatus;
    uint8_t State = ssParams;
    // With State ssFailed: why the computation failed (the text of what its worker threw).
    std::string FailureText;

protected:
    // The worker protocol: stops the previous worker, then runs Work in the owner's runner or in a new
    // TMyThread2, with Finished as its end. Whatever Work throws ends it with its results freed:
    // EStatStopped with State ssStopped, an allocation failure with State ssNoMemory, anything else with
    // State ssFailed and the reason in FailureText. Call on the GUI thread.
    void StartWorker(TWorkerProc Work);
    // A running worker stopped and joined without its end. Call on the GUI thread.
    void DropWorker();
    // For the worker's polls: True (and State := ssStopped) when Thread has been asked to stop. The
    // caller then frees its partial results and returns.
    bool CheckStopped(const TMyThread &AThread);
    // CheckStopped after OnPoll for Step.
    bool Poll(TStatStep Step, const TMyThread &AThread);
    // Sort's entries 0..Count - 1 through the callbacks set; with AThread, polled (as Sorting) every few
    // thousand entries scanned and ended by EStatStopped on a stop.
    void RunSort(int32_t Count, const TMyThread *AThread);
    // std::sort that polls (as Sorting) every so many comparisons and throws EStatStopped on a stop.
    template <typename TIter, typename TLess>
    void SortPolled(TIter First, TIter Last, TLess Less, const TMyThread &AThread)
    {
        uint32_t compared = 0;
        std::sort(First, Last, [&](const auto &A, const auto &B) {
            if ((++compared & PollMask) == 1 && Poll(TStatStep::Sorting, AThread))
                throw EStatStopped{};
            return Less(A, B);
        });
    }
    // A poll every PollMask + 1 steps of a loop that runs through the result's rows.
    static constexpr uint32_t PollMask = 0xFFFF;
    // Frees the results of the last computation, complete or partial; nothing in the base. Called by the
    // worker of a failed computation.
    virtual void FreeResults();
};

// One cell of a detail table: the index of its draw in the working draws and its value (-1: no value).
struct TDetItem {
    int32_t Draw = 0;
    int32_t Value = 0;
};
using TDetRow = std::vector<TDetItem>; // one cell per column
using TDets = std::vector<TDetRow>;    // DrawCount rows; every column is an independent list

struct TGSItem {
    int32_t Value = 0;
    int32_t Draws = 0; // draws having Value
};
struct TGItem {
    int32_t Count = 0; // distinct values
    std::vector<TGSItem> Items; // ascending by Value after grouping
};
using TGDets = std::vector<TGItem>; // one per column

// One item of a pattern table as read: its draw, its meaningful pattern entries and its Width pattern
// bytes (in the table's storage; PatternWidth of them are compared).
struct TDConfigItem {
    int32_t Draw = 0;
    int32_t Len = 0;
    const uint8_t *Pattern = nullptr;
};

// Rows x Tables pattern items of Width bytes each, every table an independent list. The patterns lie in
// one block, so a table of a million rows needs no allocation per item.
class TCDets {
public:
    // Rows x Tables items of Draw 0, Len 0 and Width zero bytes.
    void Assign(int32_t Rows, int32_t Tables, int32_t Width);
    // No rows, no tables; the storage freed.
    void Free();

    int32_t RowCount() const { return Rows; }
    int32_t TableCount() const { return Tables; }
    int32_t Width() const { return PatternBytes; }
    bool Empty() const { return Rows == 0; }

    TDConfigItem Item(int32_t Row, int32_t Table) const;
    void SetItem(int32_t Row, int32_t Table, int32_t Draw, int32_t Len);
    uint8_t *Pattern(int32_t Row, int32_t Table);
    const uint8_t *Pattern(int32_t Row, int32_t Table) const;
    // Exchanges the items of rows I and J in table Table only.
    void SwapItems(int32_t I, int32_t J, int32_t Table);

private:
    struct THead {
        int32_t Draw = 0;
        int32_t Len = 0;
    };
    size_t Slot(int32_t Row, int32_t Table) const
    {
        return static_cast<size_t>(Row) * static_cast<size_t>(Tables) + static_cast<size_t>(Table);
    }

    int32_t Rows = 0;
    int32_t Tables = 0;
    int32_t PatternBytes = 0;
    std::vector<THead> Heads;
    std::vector<uint8_t> Bytes;
};

struct TCGSItem {
    int32_t Len = 0;
    TDynByteArr Pattern;
    int32_t Draws = 0;
};
struct TCGItem {
    int32_t Count = 0;
    std::vector<TCGSItem> Items;
};
using TCGDets = std::vector<TCGItem>; // one per pattern table

struct TSummaryItem {
    int32_t Key = 0; // set by the statistic: what the column stands for
    int32_t Min = 0;
    int32_t Max = 0;
    double Mean = 0;
    double Expected = 0; // set by the statistic
    double StdDev = 0;
    int64_t Sum = 0;
    double Percent = 0; // share of the grand total of all columns, a fraction
};
using TTDets = std::vector<TSummaryItem>; // one per column

class TStatDetails : public TStat {
public:
    using TStat::TStat;

    // Highest value Group can count (its counters cover 0..GroupValueLimit - 1).
    static constexpr int32_t GroupValueLimit = 10240;

    // Grouping by counting. Cells of -1 are skipped; a table holding any other value outside 0..10239
    // is grouped by sorting a copy instead (ADets stays as it is).
    void Group(const TDets &ADets, TGDets &AGDets, int32_t Cols);
    // The same for values of any size; leaves every column sorted ascending by value, -1 cells first.
    void GroupBySort(TDets &ADets, TGDets &AGDets, int32_t Cols);
    // Sorts column Col ascending by value and answers its distinct values other than -1.
    int32_t CountDistinct(TDets &ADets, int32_t Col);
    // Sorts pattern table Table ascending and answers its distinct patterns.
    int32_t SortConfigs(TCDets &ACDets, int32_t Table);
    void GroupConfigs(TCDets &ACDets, TCGDets &ACGDets, int32_t Tables);
    // Summary := Cols rows (Key and Expected of rows already there are kept); Min, Max, Mean, StdDev,
    // Sum and Percent over the cells that are not -1. A column without such cells (or a table without
    // rows) gets Min 2147483647, Max -1 and zeros; Percent is 0 when the grand total is 0.
    void Summarize(const TDets &ADets, TTDets &ASummary, int32_t Cols);

    // Means[i] := the mean of the values of rows 0..i of column Col, the rows taken in their order (the
    // draws' order before any sort); a table without rows gives no means.
    template <typename T>
    static void RunningMeans(const TDets &ADets, int32_t Col, std::vector<T> &Means)
    {
        Means.assign(ADets.size(), T{});
        double sum = 0;
        for (size_t i = 0; i < ADets.size(); ++i) {
            sum += ADets[i][static_cast<size_t>(Col)].Value;
            Means[i] = static_cast<T>(sum / static_cast<double>(i + 1));
        }
    }

    static void FreeGDets(TGDets &AGDets);
    static void FreeCGDets(TCGDets &ACGDets);
    static void FreeCDets(TCDets &ACDets);

    // Compare callbacks (I, J index the list named by the sort context; Param 1 puts larger keys first).
    int CompareDetValue(int32_t I, int32_t J, int32_t Param) const;
    int CompareDetDraw(int32_t I, int32_t J, int32_t Param) const;
    int CompareGroupValue(int32_t I, int32_t J, int32_t Param) const;
    int CompareGroupCount(int32_t I, int32_t J, int32_t Param) const;
    int CompareConfigPattern(int32_t I, int32_t J, int32_t Param) const;
    int CompareConfigDraw(int32_t I, int32_t J, int32_t Param) const;
    int CompareCGPattern(int32_t I, int32_t J, int32_t Param) const;
    int CompareCGCount(int32_t I, int32_t J, int32_t Param) const;
    // By column SumCol: 0 Key, 1 Min, 2 Max, 3 Mean, 4 Expected, 5 StdDev, 6 Sum.
    int CompareSummary(int32_t I, int32_t J, int32_t Param) const;

    void SwapDetRows(int32_t I, int32_t J);    // the two cells of column DetCol only
    void SwapGroupItems(int32_t I, int32_t J); // two items of column GroupCol
    void SwapConfigItems(int32_t I, int32_t J); // the two items of table CfgTable only
    void SwapCGItems(int32_t I, int32_t J);    // two items of table CGTable
    void SwapSummaryRows(int32_t I, int32_t J);

    // Each sets the sort context and sorts the whole list through Sort with Param = Dir and the matching
    // swap callback; Compare is one of the compare callbacks above of that list's type.
    using TCompareMethod = int (TStatDetails::*)(int32_t, int32_t, int32_t) const;
    void SortDetColumn(TDets &ADets, int32_t Col, TCompareMethod Compare, int32_t Dir);
    void SortGroupColumn(TGDets &AGDets, int32_t Col, TCompareMethod Compare, int32_t Dir);
    void SortConfigTable(TCDets &ACDets, int32_t Table, TCompareMethod Compare, int32_t Dir);
    void SortCGTable(TCGDets &ACGDets, int32_t Table, TCompareMethod Compare, int32_t Dir);
    void SortSummary(TTDets &ASummary, uint8_t Col, int32_t Dir);

    // Sort context.
    int32_t DetCol = 0;
    TDets *Dets = nullptr;
    int32_t GroupCol = 0;
    TGDets *GDets = nullptr;
    int32_t CfgTable = 0;
    TCDets *CDets = nullptr;
    int32_t CGTable = 0;
    TCGDets *CGDets = nullptr;
    // The largest number of distinct values (or patterns) over the columns of the last grouping.
    int32_t WidestCount = 0;
    uint8_t SumCol = 0;
    TTDets *Summary = nullptr;
    // Bytes of a pattern; set by the descendant before pattern operations.
    int32_t PatternWidth = 0;
    // While set (by a worker, for its computation or for a window's sort), the sorts and groupings poll it
    // through RunSort.
    const TMyThread *SortThread = nullptr;

private:
    void SortList(int32_t Count, TCompareMethod Compare, void (TStatDetails::*SwapFn)(int32_t, int32_t),
                  int32_t Dir);
};
