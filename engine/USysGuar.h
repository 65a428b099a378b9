#pragma once
// The guaranteed system: K-combinations of 1..N such that whenever H of the N numbers are drawn, some
// combination holds at least G of them (a covering design). Built greedily in a worker: each G-subset of
// 1..N - H + G still uncovered seeds a genetic search for the combination that covers the most uncovered
// G-subsets.

#include "core/WorkerRunner.h"
#include "engine/UGen.h"
#include "engine/USysGeneral.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TMyThread;
class TMyThread2;

// C(N - H + G, G) div C(K, G), at least 1: the size no covering can go below.
int64_t GuarMinCombs(int N, int K, int G, int H);

class TSysGuar : public TSystem {
public:
    explicit TSysGuar(const TGameData *Game);
    ~TSysGuar() override;

    // False, and nothing changed, unless 1 <= G <= min(H, K), H <= N, K <= N and N is within the number
    // tables. Else State 1, the key 1..N and the store emptied.
    bool SetParams(int NewN, int NewK, int NewG, int NewH);
    // Runs Build in the owner's Runner when it gives one, else in a new worker of its own (a previous run
    // is stopped first); OnFinished follows on the dispatcher's thread.
    void Start();
    // Stops a run still going and waits for its worker; its end is not reported. Nothing without a run.
    void StopWorker();
    // The worker procedure: State 0 with the system built, or 3 with the store empty (stopped, or a
    // covering table that does not fit the free memory, whose reason FailureText holds).
    void Build(const TMyThread &Worker);

    void SaveParams(platform::ByteWriter &Stream) const override;
    bool LoadParams(platform::ByteReader &Stream) override;
    void Assign(const TSystem &Source) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;

    int G = 0;
    int H = 0;
    uint8_t State = 1;
    std::string FailureText;
    // Called on the dispatcher's thread when a started build has ended.
    std::function<void(TSysGuar &Sender)> OnFinished;
    // Called by the worker before each seed's search (tests hold a worker there); set before a run.
    std::function<void(const TMyThread &Worker)> OnPoll;
    // The owner's worker, when it gives one: the runs go there and Thread stays empty. The owner stops it
    // before the system goes.
    TWorkerRunner *Runner = nullptr;
    std::unique_ptr<TMyThread2> Thread;

private:
    // Build, with what it throws turned into State 3 and its text.
    void buildCaught(const TMyThread &Worker);
    void finished();
    // False when the covering search does not apply (no free numbers or no free places).
    bool prepare();
    // False, with FailureText set, when the tables of the covering search do not fit the memory.
    bool allocate();
    // The first C(N', G) K-combinations in lexicographic order.
    bool buildFallback();
    void genCover(const TMyThread &Worker);
    double fitness(const TIndividual &Candidate);
    // Current := the flagged free numbers and Seed, ascending; answers how many of its G-subsets are
    // uncovered and leaves their indexes in Indexes.
    int64_t rankCurrent(const TDynByteArr &Flags);
    void fillFree();
    void completeRows();
    void addRows();
    void freeWork();
    bool stop(const std::string &Reason);

    int NPrime = 0, NFree = 0, KPrime = 0;
    TDynByteArr Uncovered;      // 1 per still uncovered G-subset of 1..N', by 1-based rank - 1
    TDynByteArr Subsets;        // C(K' + G, G) rows of G positions in Current
    int SubsetCount = 0;
    TDynByteArr Free;           // the numbers the variable part is chosen from
    TDynByteArr Seed, Current, Pick;
    std::vector<int64_t> Indexes;
    TDynByteArr Built;          // K bytes per built row, in build order
    int BuiltCount = 0;
    TGen Gen;
};
