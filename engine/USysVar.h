#pragma once
// The variable abbreviated system: a classic abbreviated system in which the numbers 1..R may carry a
// weight (how much more or less often a number appears than an ordinary one) or be fixed (in every
// combination). The weights become per-number quotas for the classic generator, which runs over the free
// numbers; the fixed numbers are added to each of its combinations.

#include "engine/USysGeneral.h"
#include "engine/USysShort.h"

#include <cstdint>
#include <functional>
#include <vector>

class TMyThread;

// The settings of one of the numbers 1..R. On file a record takes 19 bytes: f64 Weight, 8 reserved bytes,
// the quota computation's work mark, Fixed (0 or 1) and the category building's work mark; the marks are
// kept by the computations themselves and written as zero.
struct TVarFreq {
    double Weight = 1.0;
    bool Fixed = false;
};

using TVarFreqs = std::vector<TVarFreq>;

class TSysVar : public TSystem {
public:
    explicit TSysVar(const TGameData *Game);

    // N, K, Count and R; R records of weight 1.0, none fixed; the key 1..N.
    void SetParams(int NewN, int NewK, int32_t NewCount, int NewR);
    // Record Index (number Index + 1) takes the weight or the fixed flag when the records stay feasible,
    // and the quotas are computed again; false, with nothing changed, otherwise (also for an Index outside
    // the records or a weight that is not a finite number above 0).
    bool SetWeight(int Index, double Weight);
    bool SetFixed(int Index, bool Fixed);
    // Builds the system through a classic generator over the free numbers. False, with the store empty,
    // when the fixed numbers leave fewer than Count combinations of the other places, or when the classic
    // generator answers false (Thread asked to stop); false, with the store empty, too when Thread is asked
    // to stop while the rows are stored.
    bool Generate(const TMyThread *Thread = nullptr);

    void SaveParams(platform::ByteWriter &Stream) const override;
    // Also false when Count exceeds C(N, K), R exceeds N or a weight is not a finite number above 0.
    bool LoadParams(platform::ByteReader &Stream) override;
    void Assign(const TSystem &Source) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;
    // Empties the store, the records and the quotas; Count 0.
    void Clear() override;
    // Ordinary numbers (weight 1.0, first, when there are any), then one category per other weight in
    // the order of the records: the fixed numbers as weight 0.
    TAGParams GetNumberGroups() const override;

    int FreqCount = 0;  // R: the numbers 1..R carry a record
    int PlainCount = 0; // N - R: the numbers R + 1..N weigh 1.0 and are never fixed
    int FixedCount = 0; // records fixed
    TVarFreqs Freqs;    // record i for number i + 1
    // The quotas of the free numbers for the classic generator, at positions 1..N - FixedCount: the free
    // numbers in ascending order.
    std::vector<TQuotaPair> FreePairs;
    bool RandomTies = false; // handed to the classic generator
    // Handed to the classic generator: called at every candidate of its finishing search; set before a
    // run.
    std::function<void()> OnFinishPoll;

private:
    // Every free number fits its share of the free places into Count combinations, and the fixed numbers
    // leave room for Count distinct combinations.
    bool feasible(const TVarFreqs &Records) const;
    // Fewer than K numbers fixed, and Count combinations of the free numbers for the other places.
    bool fixedLeaveRoom(int Fixed) const;
    // A change tried on a copy of the records; kept when feasible.
    bool tryRecords(const TVarFreqs &Records);
    // FreePairs from the records: the free places share out by weight, the plain numbers evenly. False,
    // with FreePairs empty, when nothing is fixed and every weight is 1.0 (the classic generator's equal
    // quotas then serve). Needs a free number.
    bool ComputeQuotas();
};
