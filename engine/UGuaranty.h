#pragma once
// What a system wins for one hit configuration of the draw (so many drawn numbers among these numbers,
// so many among those): every drawn set that matches the configuration, or a sample of them, is counted
// into the distinct hit vectors of the system's rows, each with its frequency, probability and win, and
// the smallest, the largest, the mean and the spread of them. A set of such guarantees belongs to one
// system and is kept in the guarantee file.
//
// The groups of a configuration hold positions 1..N of the system's key; the rows are matched on their
// positions (half A), so the key does not change a guarantee.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "core/NumberMask.h"
#include "core/UGlobalFiles.h"
#include "core/UGlobalProgress.h"
#include "engine/UAllGuars.h"
#include "engine/UGame.h"
#include "engine/UGuarantyRows.h"
#include "platform/ByteStream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TGameData;
class TMyThread;
class TSystem;

// Entry i of Hits counts the rows with (the highest row level - i) hits.
struct TGuarVector {
    TDynIntArr Hits;
    uint32_t Frequency = 0; // drawn sets that produced it
    double Probability = 0;
    Currency Win;
};

// A vector of the statistics with its probability and win.
struct TGuarExtreme {
    TDynIntArr Hits;
    double Probability = 0;
    Currency Win;
};

// The distinct vectors, in descending order of the vector while counting.
using TGuarVectors = std::vector<TGuarVector>;

// The longest caption a guarantee block holds.
constexpr size_t GuarCaptionLength = 254;

class TGuaranty {
public:
    // Groups: the configuration; a group takes Hits (at most Size) of its Size numbers (positions
    // 1..N); the groups share no number. A group of Hits = Size is fixed: wholly drawn.
    TGuaranty(const TGameData *Game, const TProgressProc &OnProgress, const TBlocks &Groups,
              const TSystem &System);
    // One guarantee block of the file, its vectors as stored; nullptr when the data end early or do not
    // fit the system: an entry beyond 32 signed bits, a vector counting more than C(N, K) rows (times
    // the simple bets of a multi-bet row), a vector stored twice, or frequencies that do not add up to
    // Total. FinishReading works out the rest.
    static std::unique_ptr<TGuaranty> CreateFromStream(const TGameData *Game, double MinProb,
                                                       platform::ByteReader &Stream, const TSystem &System);
    // The probabilities, wins and statistics of a block read; false when a win or a statistic leaves
    // the range of money.
    bool FinishReading();

    // Every drawn set of the configuration, counted over ThreadCount threads (Progress reports from them,
    // one at a time). A stop of Thread (polled once per drawn set, and every thousand vectors or so while
    // the threads' tables are merged) returns at once, the counts incomplete, without probabilities or
    // statistics.
    void CalcExact();
    // Round(all drawn sets x Precision) of them, halves to even, the largest group stepped with the
    // stride 1 / Precision; stops as CalcExact. A Precision outside 0..1 (exclusive) counts them all.
    void CalcSampled(double Precision);
    // A full system in lexicographic order: the one vector in closed form, from the DrawnSize of its
    // numbers drawn.
    void CalcFull();

    // The guarantee block: caption, DrawnSize, the vectors in list order, Total.
    void SaveToStream(platform::ByteWriter &Stream) const;

    // Rows of the vectors: the row count of HitInfo.
    int RowCount() const { return HitInfo.RowCount; }
    // The rows a table of the guarantee shows: its vectors with Probability >= MinProb, at least 1.
    int DetailRowCount(double MinProb) const;

    std::string Caption; // the configuration's text; the file keeps GuarCaptionLength characters
    bool IsFull = false; // the system is a full system in lexicographic order, or one in too-many mode
    TGuarVectors Vectors;
    double MinProb = 0; // vectors at or above it are shown first
    uint32_t AboveCount = 0;
    THitsInfo HitInfo; // rows from 1 unless the system's FullBet
    TGuarExtreme MinVector;
    TGuarExtreme MaxVector;
    std::vector<float> MeanHits; // per row, probability-weighted
    std::vector<float> StdHits;
    Currency MeanWin;
    Currency StdWin;
    TBlocks Groups;
    int K = 0;
    uint8_t DrawnSize = 0; // sum of the groups' Hits
    uint8_t FixedSize = 0; // drawn numbers that come from fixed groups
    int64_t Total = 0;     // drawn sets counted: the denominator of the probabilities
    uint8_t SampledGroup = 0;
    double SamplePos = 0;
    double SampleStep = 0;
    TProgress Progress;
    const TMyThread *Thread = nullptr; // polled for a stop when set
    unsigned ThreadCount = 1;          // threads of CalcExact: the processor's after creation

private:
    // For reading: the system's rows and axes, no groups.
    TGuaranty(const TGameData *Game, const TSystem &System);

    // The most rows of the system a vector can count: C(N, K), times the simple bets of a multi-bet row
    // when the vectors count those.
    __int128 MostCounted() const;
    // Probabilities, AboveCount and the shown order; with FullBet the expansion to simple bets and the
    // wins; then the statistics.
    void finish();
    void computeProbabilities();
    void computeWins();
    void computeStatistics();
    // Counts every drawn set into Vectors, in slices over the threads; false when stopped.
    bool countExact();
    // The product of the non-fixed groups' Totals, INT64_MAX when it leaves 64 bits.
    int64_t configurationCount() const;
    // A counter's view of the system's rows (their positions) and of the vector axes.
    TGuarRows guarRows() const;
    TNumberMask fixedMask() const;
    bool stopped() const;

    const TGameData *Game;
    const TSystem &System;
    bool VectorsExpanded = false; // the vectors count simple bets already, as a file holds them
};

// The order of the shown rows: mode 0 by vector, 1 by probability, 2 by win; Dir 1 descending, -1
// ascending. Vectors at or above MinProb come first; those below compare equal.
void SortGuarVectors(TGuarVectors &Vectors, double MinProb, uint8_t Mode, int Dir);

class TSetGuaranty {
    // The set's own copy of the system it belongs to: the system's window may change or free its own,
    // and the guarantee file pairs the guarantees with these rows.
    std::unique_ptr<const TSystem> FSystem;

public:
    // Takes a copy of System.
    TSetGuaranty(const TGameData *Game, double MinProb, const TSystem &System);

    // Takes the guarantee: the set's MinProb, MaxRows raised to its row count.
    void Add(std::unique_ptr<TGuaranty> Guaranty);
    TGuaranty &GetItem(int Index) const { return *Items[size_t(Index)]; }
    int Count() const { return int(Items.size()); }

    // The guarantee file: header, information block, comment, the system, the set block, the guarantee
    // blocks and the checksum, written at once; false when the file cannot be written (no file is left).
    bool SaveToFile(const std::string &FileName, const std::string &Title, const std::string &Comment) const;
    // The set block and the guarantee blocks, which end the stream; false when they do not, are short
    // or do not fit the system, or a win cannot be represented. The set is unchanged then.
    bool LoadFromStream(platform::ByteReader &Stream);

    void SortRows(uint8_t Mode, int Dir);
    // Vectors with Probability >= MinProb, at least 1 per guarantee.
    int DetailRowCount(double MinProb) const;

    const TGameData *Game;
    const TSystem &System; // the copy
    std::vector<std::unique_ptr<TGuaranty>> Items;
    double Precision = 1.0; // 1.0: exact
    double MinProb = 0;
    uint8_t K = 0;
    uint8_t MaxRows = 0;
    THitsInfo HitInfo;
    std::string Description; // the system's long description
    uint8_t SortMode = 0;
    int SortDir = 1;
};

// The worker's run over a set: each guarantee by the calculation that fits it (the full one, the sampled
// one when Precision is not 1.0, else the exact one), then OnDone(i + 1, G); a stop of Thread ends it.
void CalcSetGuaranty(TSetGuaranty &Set, const TMyThread &Thread,
                     const std::function<void(int Done, int Count)> &OnDone);

// A guarantee file read whole: its system (of the kind its header names, for Game) and its set.
struct TGuarantyFile {
    TFileInfo Info;
    std::unique_ptr<TSystem> System;
    std::unique_ptr<TSetGuaranty> Set;
};

// False when the file cannot be read, fails its checksum, is not a guarantee file of Game in the current
// version, or its body does not read.
bool LoadGuarantyFile(const std::string &FileName, const TGameData *Game, double MinProb,
                      TGuarantyFile &File);
