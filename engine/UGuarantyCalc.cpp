// The guarantee calculations: the configuration's groups, the exact count over slices of the odometer
// in parallel, the sampled count and the closed form of a full system.
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/UGuarantyCount.h"
#include "engine/USysGeneral.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <memory>
#include <thread>

namespace {

// Drawn sets between two progress reports of a counter.
constexpr int64_t ProgressChunk = 1024;
// The fewest drawn sets worth a thread of their own.
constexpr int64_t MinSlice = 1024;

} // namespace

TGuaranty::TGuaranty(const TGameData *Game_, const TSystem &System_)
    : K(System_.K), ThreadCount(std::max(1u, std::thread::hardware_concurrency())), Game(Game_),
      System(System_)
{
    HitInfo.Init(Game->Info, System.N, System.K, !System.FullBet);
}

TGuaranty::TGuaranty(const TGameData *Game_, const TProgressProc &OnProgress, const TBlocks &Groups_,
                     const TSystem &System_)
    : TGuaranty(Game_, System_)
{
    Progress.OnProgress = OnProgress;
    Groups = Groups_;
    for (TBlock &group : Groups) {
        group.Numbers.resize(group.Size);
        group.Subset.resize(group.Hits);
        group.Fixed = group.Size == group.Hits ? 1 : 0;
        group.Total = Newton[group.Size][group.Hits];
        group.Counter = 1;
        for (size_t i = 0; i < group.Subset.size(); ++i)
            group.Subset[i] = uint8_t(i + 1);
        DrawnSize = uint8_t(DrawnSize + group.Hits);
        if (group.Fixed)
            FixedSize = uint8_t(FixedSize + group.Hits);
    }
    // A full system in too-many mode keeps no rows, yet stands for every combination.
    IsFull = System.TooMany || System.IsFullInOrder();
}

int64_t TGuaranty::configurationCount() const
{
    int64_t count = 1;
    for (const TBlock &group : Groups)
        if (!group.Fixed && __builtin_mul_overflow(count, group.Total, &count))
            return INT64_MAX;
    return count;
}

TGuarRows TGuaranty::guarRows() const
{
    return TGuarRows{System.ViewMasks(false), K, HitInfo.FirstLevel, HitInfo.HighHits, HitInfo.RowCount};
}

TNumberMask TGuaranty::fixedMask() const
{
    TNumberMask fixed;
    for (const TBlock &group : Groups)
        if (group.Fixed)
            for (const uint8_t number : group.Numbers)
                fixed.Add(number);
    return fixed;
}

bool TGuaranty::stopped() const
{
    return Thread && Thread->GetTerminated();
}

void TGuaranty::CalcExact()
{
    Vectors.clear();
    Total = configurationCount();
    Progress.Init(10000, Total, 0);
    if (countExact())
        finish();
}

// Slice t of T covers the odometer states Total x t / T up to Total x (t + 1) / T. The counts of the
// slices add up to those of one run through all states, and the merged table is sorted as one run's.
bool TGuaranty::countExact()
{
    const TGuarRows rows = guarRows();
    const int64_t threads = std::clamp<int64_t>(Total / MinSlice, 1, std::max(1u, ThreadCount));
    const TNumberMask fixed = fixedMask();
    // Each counter is made on the heap by its own thread, so that no two threads write to one cache line
    // (a counter's own fields change with every drawn set).
    std::vector<std::unique_ptr<TGuarCounter>> counters(static_cast<size_t>(threads));
    std::mutex progressLock;
    std::atomic<bool> failed{false};
    const auto onChunk = [&](int64_t Done) {
        const std::lock_guard lock(progressLock);
        Progress.Advance(int32_t(Done));
    };
    const auto isStopped = [&] { return stopped() || failed.load(std::memory_order_relaxed); };
    std::vector<std::exception_ptr> errors(static_cast<size_t>(threads));
    const auto run = [&](size_t T) {
        try {
            const int64_t first = int64_t(__int128(Total) * int64_t(T) / threads);
            const int64_t last = int64_t(__int128(Total) * int64_t(T + 1) / threads);
            counters[T] = std::make_unique<TGuarCounter>(rows, fixed, Groups);
            TGuarCounter &counter = *counters[T];
            counter.SetState(first);
            counter.Count(last - first, isStopped, ProgressChunk, onChunk);
        } catch (...) {
            errors[T] = std::current_exception();
            failed = true;
        }
    };
    std::vector<std::thread> workers;
    try {
        for (size_t t = 1; t < size_t(threads); ++t)
            workers.emplace_back(run, t);
    } catch (...) {
        failed = true;
        errors[0] = std::current_exception();
    }
    if (!failed)
        run(0);
    for (std::thread &worker : workers)
        worker.join();
    for (const std::exception_ptr &error : errors)
        if (error)
            std::rethrow_exception(error);
    Vectors = std::move(counters[0]->Vectors);
    for (size_t t = 1; t < counters.size(); ++t)
        if (!MergeGuarVectors(Vectors, counters[t]->Vectors, [this] { return stopped(); }))
            return false;
    return !stopped();
}

void TGuaranty::CalcSampled(double Precision)
{
    if (!(Precision > 0 && Precision < 1)) {
        CalcExact();
        return;
    }
    Vectors.clear();
    int sampled = -1;
    for (int g = int(Groups.size()) - 1; g >= 0; --g)
        if (!Groups[size_t(g)].Fixed &&
            (sampled < 0 || Groups[size_t(g)].Total > Groups[size_t(sampled)].Total))
            sampled = g;
    SampledGroup = uint8_t(std::max(sampled, 0));
    Total = int64_t(std::nearbyint(double(configurationCount()) * Precision));
    SampleStep = 1.0 / Precision;
    SamplePos = 1.0;
    if (Total != 0)
        Progress.Init(10000, Total, 0);
    const TGuarRows rows = guarRows();
    TGuarCounter counter(rows, fixedMask(), Groups);
    if (sampled >= 0)
        counter.SetSampled(sampled, SampleStep);
    counter.Count(
        Total, [this] { return stopped(); }, ProgressChunk,
        [this](int64_t Done) { Progress.Advance(int32_t(Done)); });
    SamplePos = counter.SamplePos;
    Vectors = std::move(counter.Vectors);
    if (!stopped())
        finish();
}

// A full system's vector depends only on how many of its numbers were drawn.
void TGuaranty::CalcFull()
{
    TDynIntArr hits(size_t(RowCount()), 0);
    HitsInFullVector(System.N, K, DrawnSize, hits.data(), RowCount(), HitInfo.FirstLevel);
    Vectors.assign(1, TGuarVector{hits, 1, 1.0, {}});
    Total = 1;
    finish();
}

void CalcSetGuaranty(TSetGuaranty &Set, const TMyThread &Thread,
                     const std::function<void(int Done, int Count)> &OnDone)
{
    for (int i = 0; i < Set.Count(); ++i) {
        TGuaranty &guaranty = Set.GetItem(i);
        guaranty.Thread = &Thread;
        if (guaranty.IsFull)
            guaranty.CalcFull();
        else if (Set.Precision != 1.0)
            guaranty.CalcSampled(Set.Precision);
        else
            guaranty.CalcExact();
        if (Thread.GetTerminated())
            return;
        if (OnDone)
            OnDone(i + 1, Set.Count());
    }
}
