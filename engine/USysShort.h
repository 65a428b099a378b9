#pragma once
// The classic abbreviated system: Count distinct K-combinations of 1..N in which every number occurs as
// evenly as possible. The generator walks, for each new combination, the position sets over the numbers
// of highest remaining quota in lexicographic order and takes the first combination not yet chosen; the
// last two combinations come from a search that tries to keep the spread of the numbers' usage.

#include "engine/RankSet.h"
#include "engine/USysGeneral.h"
#include "engine/USysShortTables.h"

#include <cstdint>
#include <functional>
#include <vector>

class TMyThread;

// A number and its remaining quota, which may become negative.
struct TQuotaPair {
    int32_t Number = 0;
    int32_t Quota = 0;
};

class TSysShort : public TSystem {
public:
    explicit TSysShort(const TGameData *Game);

    // N, K and Count; every quota 0.
    void SetParams(int NewN, int NewK, int32_t NewCount);
    // The N quotas for Generate(false); the key 1..N.
    void SetQuotas(const std::vector<TQuotaPair> &NewQuotas);
    // Builds the system in lexicographic order: with EqualQuotas every number's quota is Count x K / N
    // (the remainder as one more for some numbers: the first ones, or random ones with RandomTies);
    // otherwise the quotas of SetQuotas. False, with the store empty, when K is not within 1..N, Count not
    // within 0..C(N, K) or the quotas are not one for each number 1..N; false, with the store empty, too
    // when Thread (polled at every combination, every candidate of the finishing search and every few
    // thousand rows stored) is asked to stop.
    bool Generate(bool EqualQuotas, const TMyThread *Thread = nullptr);

    void SaveParams(platform::ByteWriter &Stream) const override;
    bool LoadParams(platform::ByteReader &Stream) override;
    void Assign(const TSystem &Source) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;
    void Clear() override;

    // Shuffle the numbers of equal remaining quota before every step.
    bool RandomTies = true;
    // Called by the worker at every candidate of the finishing search, just before it polls Thread (tests
    // stop or hold a worker there); set before a run.
    std::function<void()> OnFinishPoll;

private:
    enum class TSearchEnd { Found, Failed, Stopped };

    bool stopRequested() const;
    bool quotasCoverNumbers() const;
    // Frees what only a run of Generate needs.
    void releaseWalk();
    void setProgressPosition(int64_t Steps);
    void addRow(const uint8_t *C);
    // Quota descending, ties by number ascending.
    void sortQuotas();
    // Swaps every number of a run of equal quotas with a random one of the same run.
    void shuffle();
    // The digest of the quotas by number, normalised: the smallest positive quota becomes 0, an
    // exhausted number -1, and numbers used beyond their quota keep distinct negative values.
    TProfileKey normalisedProfile() const;
    // Position and Pool where the walk of the current profile resumes, Limit to match.
    TProfileKey startWalk();
    // Past Limit, the walk goes on over one number more, or once more from position 1 over all N numbers;
    // false after that second round too is past.
    bool keepWalkInRange(bool &Wrapped);
    // Positions := the position set of rank Position among the K-sets of 1..Pool.
    void placePositions();
    // Comb := the numbers at Positions of the quota order, ascending; answers its rank among 1..N.
    int64_t candidate();
    // Moves the walk over the chosen combinations that differ from the current candidate only in the
    // last position: true with the walk on the first candidate not chosen, false with the walk past
    // every last position of the current prefix.
    bool skipChosenLastPositions();
    // The numbers x for which the combination Prefix + x is chosen.
    TNumberSet chosenCompletions(TNumberSet Prefix);
    // The numbers y for which every combination holding Prefix + y is chosen, as far as the walk has
    // found them (Prefix: K - 2 numbers).
    TNumberSet &exhaustedAfter(TNumberSet Prefix);
    // Keeps Completions and Exhausted in step with Chosen for Comb's combination.
    void noteChosen(bool Chosen);
    bool isTaken(int64_t Rank) const;
    // The numbers of the candidate spend a quota.
    void take(int64_t Rank, bool Accept);
    void undo(int64_t Rank, bool Accept);
    // One greedy step; false when no combination is left.
    bool step();
    // The last FinalCount combinations: the search that keeps the spread of the starting quotas, else the
    // one that takes the first free candidates.
    TSearchEnd finishSystem();
    // Found: the levels Depth..FinalCount found their combinations; Failed: this level failed; Stopped:
    // Worker was asked to stop.
    TSearchEnd finishSearch(int Depth, bool Accept);
    // The store := the chosen combinations in lexicographic order; false, with the store empty, when
    // stopped.
    bool addChosenRows();
    int usageSpread() const;

    const TMyThread *Worker = nullptr; // the running Generate's thread, polled to stop
    static constexpr int FinalCount = 2;
    static constexpr int MaxNumbers = 100;

    TDynByteArr Comb;
    TRankSet ChosenSet;          // ranks of the combinations chosen so far
    std::vector<int64_t> Chosen; // the same ranks, in the order chosen
    std::vector<int64_t> Trial;  // ranks taken for now by the finishing search
    TQuotaMemoTable Memo;
    TNumberSetTable Completions;      // for the prefixes of K - 1 numbers the walk met: see chosenCompletions
    TNumberSetTable Exhausted;        // see exhaustedAfter
    std::vector<TNumberSet> Suffixes; // [i]: the numbers at positions i + 1..N of the quota order
    std::vector<TQuotaPair> Quotas;
    TDynByteArr Positions;
    int PositionsPool = 0;     // Positions is the position set of rank PositionsRank among
    int64_t PositionsRank = 0; // the K-sets of 1..PositionsPool; no set when PositionsPool is 0
    int Pool = 0;
    int32_t Balance = 0;
    int64_t Position = 0;
    int64_t Limit = 0;
    TDynIntArr Usage; // per number - 1: chosen and tentatively chosen combinations holding it
};

// The second classic abbreviated kind: the same parameters, file block, names and texts; made only by
// the system factory for files of its kind.
class TSysShort2 : public TSysShort {
public:
    explicit TSysShort2(const TGameData *Game);
};
