#pragma once
// Frequencies of combinations of k numbers among the working draws (or the rows of a system): the
// combinations with their counts, the first working draw holding each and its parity class, or the
// k-combinations that never occurred. Five counting methods, chosen by the size of the job against the
// free physical memory:
//   1  every k-subset of every draw appended as a row, then merged by sorting;
//   2  one counter per k-combination of 1..N, addressed by its lexicographic index;
//   3  the common numbers of every pair of draws, spread into k-subsets per first draw;
//   4  every k-subset of every draw counted against all later draws;
//   5  the never-drawn combinations (a minimum frequency of 0).
// TStatConseq counts over the draws that follow (or precede) the draws holding a given combination;
// TStatFreqOne counts single numbers on the caller's thread.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "core/UComb.h"
#include "core/USort.h"
#include "stats/UStatFreqList.h"
#include "stats/UStatGeneral.h"

#include <cstdint>
#include <vector>

// The optional filter on the counted combinations.
struct TConstraints {
    bool UseComb = false; // every counted combination holds all the numbers of Comb
    TDynByteArr Comb;
    int32_t CombCount = 0; // entries of Comb
    bool UseRange = false; // every number lies in RangeFrom..RangeTo
    int32_t RangeFrom = 0;
    int32_t RangeTo = 0;
    int32_t Parity = 0;       // 0 any, else the required CombParity
    bool Consecutive = false; // the numbers run on by one
};

class TStatFreq : public TStat {
public:
    TStatFreq(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress, TStatusProc OnStatus,
              TFinishedProc OnFinished);
    ~TStatFreq() override;

    static void ClearConstraints(TConstraints &C);

    // State := ssParams, previous results freed (a running worker is stopped without its end handler).
    // MaxRows counts only with LimitRows. std::invalid_argument unless 1 <= CombLen <= N.
    void SetParams(int32_t ACombLen, int32_t AMinFreq, const TConstraints &AConstraints, bool AEachWithEach,
                   int32_t AMaxRows, bool ALimitRows);
    // After SetParams: chooses the counting method and starts its worker; False, with State ssNoMemory and
    // no worker, when no method can hold the job. Call on the GUI thread.
    bool Start();
    // On the GUI thread after the worker: calls OnFinished.
    void Finished() override;

    // Row 0..RowCount-1 of the result. Comb gets CombLen numbers (a pair of the each-with-each expansion
    // keeps its order).
    void GetItem(int32_t Row, TDynByteArr &Comb, uint32_t &Freq, uint8_t &Parity) const;
    void GetItemComb(int32_t Row, TDynByteArr &Comb) const;
    // The first working draw holding the row's combination and its date; FreqNoDraw and 0 when none.
    void GetItemLast(int32_t Row, uint32_t &DrawIndex, TDateTime &Date) const;

    // Display orders; Dir 1 puts larger keys first (for parity: smaller first). On a worker, AThread
    // polls for a stop (EStatStopped ends the sort half-way).
    void SortByComb(int32_t Dir, const TMyThread *AThread = nullptr);
    void SortByFreq(int32_t Dir, const TMyThread *AThread = nullptr);   // ties: Code ascending
    void SortByParity(int32_t Dir, const TMyThread *AThread = nullptr); // ties: Freq descending, then Code ascending
    void SortByLast(int32_t Dir, const TMyThread *AThread = nullptr);   // ties: Code ascending

    TCombValue CombValue; // positional codes in base N + 1
    bool UseArray = true; // the rows are in Rows, else in ResultList
    bool FilterOn = false;
    TDynBoolArr Required; // N entries, True at each number of Constraints.Comb
    std::vector<TFreqItem> Rows;
    std::vector<TFreqItem> ResultList; // the rows of methods 3 and 4
    uint8_t Mode = 0;                  // the counting method 1..5 of the last start
    bool UseIndex = false;             // Code is the lexicographic index, else the positional code
    TProgress CountProgress;
    TProgress SortProgress;
    uint64_t Capacity = 0;     // rows the never-drawn list may hold
    bool UseDrawnBits = false; // the never-drawn list sweeps a bit set of the drawn ranks
    int32_t CombLen = 1;
    int32_t MaxRows = 0;
    bool LimitRows = false;
    bool EachWithEach = false;
    int32_t RowCount = 0;
    int32_t MinFreq = 1; // methods 3 and 4 raise it to 2
    TConstraints Constraints;
    // Summary of the frequencies.
    int32_t Min = 0;
    int32_t Max = 0;
    double Mean = 0;
    double Expected = 0; // the expected count of one combination
    double StdDev = 0;
    int64_t Sum = 0;

protected:
    // Weighs the methods against the free memory and prepares the chosen one.
    bool ChooseMethod();
    // Sets Mode, the code kind and the store of method AMode (allocating the row array of methods 1
    // and 2); False when the store cannot be had or no code can hold the combinations.
    bool PrepareMode(uint8_t AMode);
    // Runs the worker of Mode.
    void StartCounting();
    void FreeResults() override;

private:
    // The rows of the last computation, released by the next worker rather than on the GUI thread.
    std::vector<TFreqItem> OldRows;
    std::vector<TFreqItem> OldList;

    uint8_t PickMode() const;
    // For the workers' polls: Poll, and on a stop the partial results freed.
    bool StoppedAndFreed(TStatStep Step, const TMyThread &AThread);

    int64_t CodeOf(const uint8_t *Comb) const;
    void DecodeComb(int64_t Code, uint8_t *Comb) const;
    bool PassesFilter(const uint8_t *Comb) const;
    const TFreqItem &RowAt(int32_t Row) const;
    std::vector<TFreqItem> &ActiveRows();

    // The workers.
    void CountSubsets(TMyThread &Thread);    // method 1
    void CountByIndex(TMyThread &Thread);    // method 2
    void CountDrawPairs(TMyThread &Thread);  // method 3
    void CountLaterDraws(TMyThread &Thread); // method 4
    void ListNeverDrawn(TMyThread &Thread);  // method 5

    // The never-drawn list's two ways, each False when stopped: every combination tested against the
    // draws' number sets, or the ranks of the draws' k-subsets marked in Drawn (C(N, k) zeroed bits) and
    // the unmarked ranks swept once.
    bool TestEveryComb(TMyThread &AThread, const std::vector<TNumberMask> &Masks);
    bool SweepUndrawn(TMyThread &AThread, const std::vector<TNumberMask> &Masks,
                      std::vector<uint64_t> &Drawn);
    // Appends the never-drawn row of Comb with its parity.
    void AddNeverDrawn(int64_t Code, const TDynByteArr &Comb);

    // Drops the rows below MinFreq, orders the rest by Freq (descending) and Code, keeps MaxRows.
    void CutRows(const TMyThread &AThread);
    // Takes the list store's rows in frequency order.
    void TakeResultList(TFreqResultList &List, const TMyThread &AThread);
    void ExpandPairs(const TMyThread &AThread);
    void Summarize();
    // The end of a complete count: the pair expansion, the parity of every row, the summary, State
    // ssComputed; False when stopped.
    bool CompleteCount(const TMyThread &AThread);
    bool FinalizeRows(const TMyThread &AThread);
    template <typename TLess> void SortRows(TLess Less, const TMyThread *AThread);
};

// The successor (or predecessor) statistic: the working draws become the draws that follow (precede)
// each draw holding Comb, and TStatFreq counts over them.
class TStatConseq : public TStatFreq {
public:
    using TStatFreq::TStatFreq;

    // ASuccessors: the draws after each occurrence, else before. AJump: how far; AInterval: every draw up
    // to AJump away, else only the one AJump away.
    void SetParams(bool ASuccessors, const TDynByteArr &AComb, int32_t AJump, bool AInterval,
                   int32_t ACombLen, int32_t AMinFreq, bool ALimitRows, int32_t AMaxRows);
    // Keeps the marked draws as the working draws (in their loaded order) and all of them, newest first
    // with their marks, in AllDraws; False, the working draws untouched, when no draw is marked.
    bool SelectDraws();

    bool Successors = true;
    TDynByteArr Comb; // ascending
    int32_t Jump = 1;
    bool Interval = false;
    TStatDraws AllDraws;
    int32_t AllCount = 0;
};

// Counts of single numbers over the working draws, on the caller's thread.
class TStatFreqOne : public TStat {
public:
    explicit TStatFreqOne(const TGameInfo *Game);

    // Rows := one row per number (Code = the number) with its count and first working draw.
    void Calculate();

    int32_t Count = 0; // = N
    std::vector<TFreqItem> Rows;
};
