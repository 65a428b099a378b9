#include "engine/USysOper.h"

#include "core/NumberMask.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int64_t MaxTuples = std::numeric_limits<int32_t>::max();
constexpr int32_t StopCheckItems = 1001;
// The numbers a TNumberMask holds.
constexpr int MaskNumbers = 128;

int64_t maxComb()
{
    return std::max<int64_t>(0, Limits.MaxComb);
}

} // namespace

TSysOper::TSysOper(TProgressProc OnProgress)
{
    Progress.OnProgress = std::move(OnProgress);
}

void TSysOper::Reset(const TGameData *NewGame)
{
    Game = NewGame;
    SeekPos.clear();
}

bool TSysOper::start(TSysOperation Op, const std::vector<const TSystem *> &Systems, bool SameK,
                     const TMyThread *NewThread)
{
    Operation = Op;
    Result.reset();
    ResultCount = 0;
    Thread = NewThread;
    SinceCheck = 0;
    SourceCount = int(Systems.size());
    SeekPos.assign(Systems.size(), 0);
    // The number sets of composition and complement hold 1..128.
    if (Game == nullptr || Game->Info.MaxNumber > MaskNumbers || Systems.empty())
        return false;
    // Rows are compared and copied K bytes at a time: every source must hold rows of the game's numbers
    // and, where the rows are compared with each other, of one size.
    return std::all_of(Systems.begin(), Systems.end(), [&](const TSystem *S) {
        return S != nullptr && S->Game == Game && S->K >= 1 && (!SameK || S->K == Systems.front()->K);
    });
}

void TSysOper::newResult(int K)
{
    Result = std::make_unique<TSysUser>(Game);
    Result->SetParams(K, 0);
}

void TSysOper::keep(const uint8_t *C)
{
    ++ResultCount;
    if (Result)
        Result->AppendComb(C);
}

bool TSysOper::advance(int64_t Items)
{
    Progress.Advance(int32_t(Items));
    SinceCheck += Items;
    if (SinceCheck < StopCheckItems)
        return true;
    SinceCheck = 0;
    return Thread == nullptr || !Thread->GetTerminated();
}

bool TSysOper::stop()
{
    Result.reset();
    ResultCount = 0;
    return false;
}

bool TSysOper::FindInSorted(const uint8_t *C, const TSystem &S, int32_t &Pos)
{
    for (; Pos < S.ViewCount(); ++Pos) {
        const int order = CompareCombs(C, S.GetComb(Pos, true), S.K);
        if (order == 0) {
            ++Pos;
            return true;
        }
        if (order < 0)
            return false;
    }
    return false;
}

bool TSysOper::Intersect(const std::vector<const TSystem *> &Systems, bool Build, const TMyThread *NewThread)
{
    if (!start(soIntersect, Systems, true, NewThread))
        return false;
    const TSystem &first = *Systems.front();
    if (Build)
        newResult(first.K);
    Progress.Init(10000, first.ViewCount(), 0);
    for (int i = 0; i < first.ViewCount(); ++i) {
        const uint8_t *c = first.GetComb(i, true);
        bool everywhere = true;
        for (size_t s = 1; s < Systems.size() && everywhere; ++s)
            everywhere = FindInSorted(c, *Systems[s], SeekPos[s]);
        if (everywhere)
            keep(c);
        if (!advance(1))
            return stop();
    }
    return true;
}

bool TSysOper::Union(const std::vector<const TSystem *> &Systems, bool Build, const TMyThread *NewThread)
{
    if (!start(soUnion, Systems, true, NewThread))
        return false;
    int64_t total = 0;
    for (const TSystem *s : Systems)
        total += s->ViewCount();
    Progress.Init(10000, total, 0);
    if (!Build) {
        ResultCount = uint32_t(std::min(total, maxComb()));
        for (const TSystem *s : Systems)
            if (!advance(s->ViewCount()))
                return stop();
        return true;
    }
    newResult(Systems.front()->K);
    for (const TSystem *s : Systems) {
        for (int i = 0; i < s->ViewCount(); ++i) {
            if (ResultCount >= maxComb())
                return true;
            keep(s->GetComb(i, true));
            if (!advance(1))
                return stop();
        }
    }
    return true;
}

bool TSysOper::Difference(const TSystem &A, const TSystem &B, bool Build, const TMyThread *NewThread)
{
    if (!start(soDifference, {&A, &B}, true, NewThread))
        return false;
    if (Build)
        newResult(A.K);
    Progress.Init(10000, A.ViewCount(), 0);
    for (int i = 0; i < A.ViewCount(); ++i) {
        const uint8_t *c = A.GetComb(i, true);
        if (!FindInSorted(c, B, SeekPos[1]))
            keep(c);
        if (!advance(1))
            return stop();
    }
    return true;
}

// The tuples are tested as number sets: the rows of a tuple share no number exactly when their sets are
// disjoint, which for rows of distinct numbers is the same as no two equal neighbours among their sorted
// numbers. The sources but the last fix a prefix set; the last source's rows are tested against it.
bool TSysOper::Compose(const std::vector<const TSystem *> &Systems, bool Build, const TMyThread *NewThread)
{
    if (!start(soCompose, Systems, false, NewThread))
        return false;
    int joinedK = 0;
    double product = 1;
    for (const TSystem *s : Systems) {
        joinedK += s->K;
        product *= s->ViewCount();
    }
    if (joinedK > Game->Info.MaxNumber)
        return false;
    if (Build)
        newResult(joinedK);
    const int64_t tuples = product >= double(MaxTuples) ? MaxTuples : int64_t(product);
    Progress.Init(10000, tuples, 0);
    if (tuples == 0)
        return true;

    const size_t outer = Systems.size() - 1;
    std::vector<std::vector<TNumberMask>> masks(Systems.size());
    for (size_t s = 0; s < Systems.size(); ++s)
        masks[s] = Systems[s]->ViewMasks(true);
    const std::vector<TNumberMask> &last = masks.back();
    const int prefixK = joinedK - Systems.back()->K;
    TDynIntArr digits, digitMax(outer);
    for (size_t s = 0; s < outer; ++s)
        digitMax[s] = Systems[s]->ViewCount();
    TDynByteArr joined(static_cast<size_t>(joinedK));
    for (int64_t visited = 0; visited < tuples;) {
        if (outer > 0)
            NextCounterInt(digits, digitMax, uint8_t(outer), visited == 0);
        TNumberMask prefix;
        for (size_t s = 0; s < outer; ++s)
            prefix = prefix | masks[s][size_t(digits[s]) - 1];
        const int64_t block = std::min<int64_t>(int64_t(last.size()), tuples - visited);
        visited += block;
        if (prefix.Count() != prefixK) { // the prefix's rows share a number
            if (!advance(block))
                return stop();
            continue;
        }
        for (int64_t j = 0; j < block;) {
            const int64_t chunkEnd = std::min(block, j + StopCheckItems);
            const int64_t chunk = chunkEnd - j;
            for (; j < chunkEnd; ++j) {
                if ((prefix & last[size_t(j)]) != TNumberMask{})
                    continue;
                const TNumberMask all = prefix | last[size_t(j)];
                if (all.Count() != joinedK) // a row with a repeated number
                    continue;
                all.Numbers(joined.data());
                keep(joined.data());
                if (ResultCount >= maxComb())
                    return true;
            }
            if (!advance(chunk))
                return stop();
        }
    }
    return true;
}

bool TSysOper::Complement(const TSystem &A, bool Build, const TMyThread *NewThread)
{
    if (!start(soComplement, {&A}, false, NewThread))
        return false;
    TDynByteArr numbers(A.Key.begin(), A.Key.end());
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    const int n = int(numbers.size()), k = A.K;
    const long double all = k <= n ? NewtonExt[size_t(n)][size_t(k)] : 0;
    // The distinct shown rows that are combinations of the key's numbers; the rest are none of those
    // enumerated.
    const TNumberMask keyMask = MaskOf(numbers.data(), n);
    int64_t inKey = 0;
    for (int i = 0; i < A.ViewCount(); ++i) {
        const uint8_t *c = A.GetComb(i, true);
        const TNumberMask mask = MaskOf(c, k);
        if (mask.Count() == k && keyMask.Holds(mask) && (i == 0 || !CombsEqual(A.GetComb(i - 1, true), c, k)))
            ++inKey;
    }
    const long double count = all - (long double)(inKey);
    ResultCount = count >= std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                                : uint32_t(count);
    if (count > (long double)(maxComb()))
        return false;
    if (!Build)
        return true;

    newResult(k);
    ResultCount = 0;
    const int64_t total = int64_t(all);
    Progress.Init(10000, total, 0);
    TDynByteArr positions, c(static_cast<size_t>(k));
    int32_t pos = 0;
    for (int64_t i = 0; i < total; ++i) {
        NextComb(positions, uint8_t(n), uint8_t(k), i == 0);
        for (int j = 0; j < k; ++j)
            c[size_t(j)] = numbers[size_t(positions[size_t(j)]) - 1];
        if (!FindInSorted(c.data(), A, pos))
            keep(c.data());
        if (!advance(1))
            return stop();
    }
    return true;
}

bool TSysOper::Finish()
{
    if (!Result)
        return false;
    if ((Operation == soUnion || Operation == soCompose) &&
        !Result->Combs.SortByB(-1, [this] { return Thread && Thread->GetTerminated(); }))
        return stop();
    Result->Count = Result->GetCount();
    Result->RefreshView(true);
    return true;
}
