#include "stats/UPredReduct.h"

#include "core/UComb.h"
#include "core/USort.h"

#include <stdexcept>
#include <utility>

TPredReduct::TPredReduct(const TGameInfo *Game, TProgressProc OnProgress, TFinishedProc OnFinished)
    : TStat(Game, nullptr, std::move(OnProgress))
{
    this->OnFinished = std::move(OnFinished);
    Common.assign(static_cast<size_t>(K), 0);
    Others.assign(static_cast<size_t>(K), 0);
    CandFlags.assign(static_cast<size_t>(N), false);
}

TPredReduct::~TPredReduct()
{
    Thread.reset(); // the worker reads this object's members
}

void TPredReduct::SetParams(int32_t ACount, const uint8_t *Numbers, int32_t ACombLen, int32_t AHitLevel)
{
    if (AHitLevel < 1 || AHitLevel > ACount + 1)
        throw std::invalid_argument("TPredReduct::SetParams: hit level outside 1..Count + 1");
    TDynBoolArr flags(static_cast<size_t>(N), false);
    for (int32_t i = 0; i < ACount; ++i) {
        const int32_t number = Numbers[i];
        if (number < 1 || number > N || flags[static_cast<size_t>(number - 1)])
            throw std::invalid_argument("TPredReduct::SetParams: key number outside 1..N or repeated");
        flags[static_cast<size_t>(number - 1)] = true;
    }
    DropWorker();
    Key.assign(Numbers, Numbers + ACount);
    CandFlags = std::move(flags);
    Count = ACount;
    CombLen = ACombLen;
    HitLevel = AHitLevel;
    Remaining = Count;
    State = ssParams;
}

void TPredReduct::Start()
{
    DropWorker();
    StartWorker([this](TMyThread &AThread) { Execute(AThread); });
}

void TPredReduct::Stop()
{
    StopWorker();
}

void TPredReduct::Finished()
{
    if (OnFinished)
        OnFinished();
}

void TPredReduct::Execute(TMyThread &AThread)
{
    k = HitLevel - 1;
    Work.assign(Key.begin(), Key.end());
    SortBytes(Work.data(), k);
    Progress.Init(10000.0, static_cast<int64_t>(Count - k) * DrawCount, 0);
    for (int32_t pass = Count - k; pass > 0; --pass) {
        for (const TStatDraw &draw : Draws) {
            const int common = CombIntersect(k, K, Work.data(), draw.Numbers.data(), Common.data());
            if (common == HitLevel - 1)
                RemoveNumbers(Others, CombDifference(K, common, draw.Numbers.data(), Common.data(), Others));
            if (CheckStopped(AThread))
                return;
            Progress.Advance(1);
        }
        if (k == Remaining)
            break;
        ++k;
        FillWorkSet();
    }
    State = ssComputed;
}

void TPredReduct::RemoveNumbers(const TDynByteArr &ANumbers, int32_t ACount)
{
    for (int32_t i = 0; i < ACount; ++i) {
        const auto index = static_cast<size_t>(ANumbers[static_cast<size_t>(i)] - 1);
        if (CandFlags[index]) {
            CandFlags[index] = false;
            --Remaining;
        }
    }
}

void TPredReduct::FillWorkSet()
{
    int32_t taken = 0;
    for (int32_t i = 0; i < Count && taken < k; ++i)
        if (CandFlags[static_cast<size_t>(Key[static_cast<size_t>(i)] - 1)])
            Work[static_cast<size_t>(taken++)] = Key[static_cast<size_t>(i)];
    SortBytes(Work.data(), k);
}
