#pragma once
// Series and breaks of combinations of k numbers over the working draws, in their order. A series is a
// run of consecutive draws that all hold the combination; its length L is the number of those draws. A
// break is the stretch between two draws holding it; its length g is the number of draws in between (0
// for two consecutive draws). The stretches before the first and after the last occurrence are no breaks.
//
// One given combination is computed at once on the caller's thread; every k-combination in a worker,
// either visiting the combinations the draws hold (a bit set of the visited ones) or all combinations of
// 1..N. Results: the distribution of lengths, the shortest, longest and mean length, optionally one row
// per combination (its shortest, longest and mean length and their standard deviation), and for k = 1
// the per-number tables Details1 (runs of each length per number) and Details2 (each number's lengths).
//
// A length is filed at a slot of the per-length tables LenSeen, LenColumn and (before the cut) LenRows:
// L - 1 for a series, g for a break.

#include "core/DynArrays.h"
#include "stats/UStatGeneral.h"

#include <cstdint>
#include <string>
#include <vector>

// One combination's row. Index is the 1-based lexicographic index of the combination; Mean and StdDev
// hold the sum of the lengths and of the squared deviations while counting. Min, Max and Runs are 16-bit,
// which holds the lengths and runs of up to 65,535 draws.
#pragma pack(push, 1)
struct TSerieCombItem {
    int32_t Index = 0;
    uint16_t Min = 0;
    uint16_t Max = 0;
    uint16_t Runs = 0;
    float Mean = 0;
    float StdDev = 0;
};
#pragma pack(pop)
static_assert(sizeof(TSerieCombItem) == 18);

class TStatSerieBreak : public TStatDetails {
public:
    // Columns Details1 starts with.
    static constexpr int32_t Details1StartWidth = 10;

    TStatSerieBreak(const TGameInfo *Game, bool AIsSeries, TProgressProc OnProgress, TFinishedProc AOnFinished);
    ~TStatSerieBreak() override;

    // The longest combination the worker takes: k up to the smaller of the game's largest bet and the
    // numbers drawn (no draw holds a longer one) while C(N, k) fits a 32-bit index; that bound itself
    // when it is below 2.
    int32_t MaxCombLen() const;
    // Frees the previous results (a running worker is stopped without its end handler); State := ssParams.
    // With AOneComb Comb holds the combination's ACombLen numbers of 1..N and ACombLen lies in 1..N, else
    // ACombLen lies in 1..MaxCombLen(); std::invalid_argument otherwise.
    void SetParams(int32_t ACombLen, bool AShowCombs, bool ACountStd, bool AOneComb, const TDynByteArr &Comb);
    // One combination: computed at once (State and OnFinished untouched). Otherwise the method and the
    // tables are chosen against the free memory and the worker starts. Call on the GUI thread.
    void Start();
    // Terminates the worker and waits for it; its end handler runs here unless it already has.
    void Stop();
    void Finished() override;

    // Readers. Details1: column Col is the Col-th length ascending, Row a row of that column. Details2:
    // Col is the list of number Col + 1.
    void GetDetails1Comb(int32_t Col, int32_t Row, TDynByteArr &Comb) const;
    void GetDetails1NumText(int32_t Col, int32_t Row, std::string &S) const;
    void GetDetails1CountText(int32_t Col, int32_t Row, std::string &S) const;
    void GetDetails2LenText(int32_t Col, int32_t Row, std::string &S) const;
    void GetDetails2CountText(int32_t Col, int32_t Row, std::string &S) const;
    void GetCombRowComb(int32_t Row, TDynByteArr &Comb) const;
    void GetCombRowText(int32_t Row, std::string &S) const;
    // Column 1 Min, 2 Max, 3 Mean, 5 StdDev; other columns empty.
    void GetCombRowCellText(int32_t Row, int32_t Col, std::string &S) const;

    // Sorts; Dir 1 puts larger keys first.
    void SortDetails1ByNum(int32_t Dir);
    void SortDetails1ByCount(int32_t Dir); // ties: smaller number first
    void SortDetails2ByLen(int32_t Dir);
    void SortDetails2ByCount(int32_t Dir); // ties: smaller length first
    using TStatDetails::SortSummary;
    void SortSummary(uint8_t Col, int32_t Dir); // LenRows by summary column Col
    // The combination rows, polling AThread when given (a stop throws EStatStopped).
    void SortCombRows(int32_t Dir, const TMyThread *AThread = nullptr); // by Index
    // 1 Min, 2 Max, 3 Mean, 5 StdDev; ties: smaller Index first.
    void SortCombRowsBy(int32_t Col, int32_t Dir, const TMyThread *AThread = nullptr);

    std::vector<TSerieCombItem> CombRows;
    std::vector<uint8_t> Seen;   // the draw-driven method's visited combinations: bit Index - 1
    std::vector<uint8_t> LenSeen; // D entries, 1 at the slot of each length found
    TDynIntArr LenColumn;        // D entries: the Details1 column of the length at each slot
    TDynByteArr Work;            // the combination being computed
    uint8_t Method = 0;          // 1 from the draws, 2 all combinations
    TDets Details1;              // N rows: Draw the number, Value its runs of the column's length
    TGDets Details2;             // per number: (length, runs), ascending by length
    TTDets LenRows;              // per length found, ascending: Key the length, Sum its runs, Percent their share
    int32_t CombLen = 1;
    int32_t CombRowCount = 0;
    bool ShowCombs = false;
    bool CountStd = false;
    bool Details = false;
    bool IsSeries = true;
    int32_t MaxLen = -1;
    int32_t MinLen = 0;
    double MeanLen = 0;
    int32_t LenCount = 0;
    TDynIntArr Lengths; // the length of each Details1 column; ascending once computed
    bool OneComb = false;

protected:
    void FreeResults() override;

private:
    // Method by the size of the job and the free memory; ShowCombs off when its rows cannot fit.
    void ChooseMethod();
    // Takes Seen (Method 1, k >= 2) and CombRows (ShowCombs): Method 2 when Seen cannot be had, ShowCombs
    // off when the rows cannot.
    void TakeTables();
    // Sets the progress scale and runs the worker.
    void StartComputing();
    using TDrawSet = std::vector<uint64_t>; // a bit per working draw

    void Execute(TMyThread &AThread);
    // The scans of each kind of job; False when stopped.
    bool ScanNumbers(TMyThread &AThread);
    bool ScanFromDraws(TMyThread &AThread);
    bool ScanAllCombs(TMyThread &AThread);
    void CalcOneComb();

    // Held := the draws holding all CombLen numbers of Comb.
    void HeldBy(const uint8_t *Comb, TDrawSet &Held) const;
    // Records every length of the combination whose draws are Held; Row is its row (its index - 1).
    void Scan(const TDrawSet &Held, int32_t Row);
    void Record(int32_t Len, int32_t Row);

    int32_t SlotOf(int32_t Len) const { return IsSeries ? Len - 1 : Len; }
    int32_t LengthAt(int32_t Slot) const { return IsSeries ? Slot + 1 : Slot; }

    // Empty length tables for DrawCount draws; with Details, Details1 of Details1StartWidth columns.
    void ResetLengthTables();
    // NumberDraws from the working draws.
    void BuildDrawSets();
    // Details1 cut to the lengths found and numbered, Details2 built, the lengths ordered.
    void FinishNumberTables();
    // False when stopped in the second pass.
    bool FinishCombRows(TMyThread &AThread);
    void FinishLengthRows();
    void LengthStats();

    const TDetItem &Details1Cell(int32_t Col, int32_t Row) const;
    using TCellCompare = int (*)(const TDetItem &A, const TDetItem &B, int32_t Param);
    void SortDetails1(TCellCompare Compare, int32_t Dir); // every column apart
    void SortCombRowsOn(TIndexCompare Compare, int32_t Dir, const TMyThread *AThread);

    TDrawSet NumberDraws; // N sets of DrawWords words: the draws holding each number
    int32_t DrawWords = 0;
};
