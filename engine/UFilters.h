#pragma once
// The filter base every filter kind derives from, the filter set that tests combinations with one built
// filter per kind, its text as a logical expression, the filter-set file and the per-kind last
// parameters kept in the registry.

#include "core/DynArrays.h"
#include "core/UGeneralList.h"
#include "platform/ByteStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TGameData;
class TDrawsManager;

// Kind codes, as stored in filter-set files, system files and the registry.
enum TFilterKind : uint32_t {
    fltSucc = 1,
    fltPar = 2,
    fltNPar = 3,
    fltFirst = 4,
    fltSum = 5,
    fltSDigit1 = 6,
    fltSDigit2 = 7,
    fltSDigit12 = 8,
    fltInt = 9,
    fltDigit = 10,
    fltDist = 11,
    fltDiffs = 12,
    fltComb = 13,
    fltDBCN = 14,
    fltGDigit1 = 15,
    fltGDigit2 = 16,
    fltDiffPos = 17,
    fltNumPos = 18,
    fltDiffsConf = 19,
};
constexpr uint32_t FilterKindCount = 19;

// The number shown to the user ("F" + two digits), which also orders a set's filters; 0 for an unknown code.
uint32_t FilterDisplayNo(uint32_t Kind);

// Distinct digit values among the numbers 1..Max: tens digits Max div 10 + 1; last digits 10, or Max below 10.
uint32_t DigitValueCount(bool FirstDigit, uint8_t Max);

// Modes of a parameter block {mode; min; max}.
enum TRangeMode : uint8_t {
    rmExact = 0,   // value = min
    rmRange = 1,   // min <= value <= max
    rmAtLeast = 2, // value >= min
    rmAtMost = 3,  // value <= max
    rmAny = 4,     // any value
    rmAll = 5,     // every candidate
};

// The parameter block most kinds describe a condition by; stored as mode u8, min i32, max i32.
struct TRangeBlock {
    uint8_t Mode = rmExact;
    int32_t Min = 0;
    int32_t Max = 0;

    bool operator==(const TRangeBlock &) const = default;

    bool Holds(int32_t Value) const { return Min <= Value && Value <= Max; }
    // A mode outside KeptModes (bit m for mode m) becomes Fallback; a range whose Min exceeds its Max is
    // swapped. Lower..Upper holds every value the quantity can take: a block asking for some of them is
    // cut to them (it holds for the same values); one asking for none keeps its limits, so that it
    // still holds for none.
    void Clamp(uint32_t KeptModes, uint8_t Fallback, int32_t Lower, int32_t Upper);
    // Limits below Least stand for Least.
    void RaiseTo(int32_t Least);
    // Fields the data does not reach keep their values.
    void Read(platform::ByteReader &Stream);
    void Write(platform::ByteWriter &Stream) const;
};

// One filter of a given kind: the parameters as edited (Params, in each kind) and the condition list
// that a filter set's built filter tests.
class TFilter {
public:
    // Kind: the kind's code; Numbers: the pool, copied and sorted; when empty the pool is 1..N.
    TFilter(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    TFilter(const TFilter &) = delete;
    TFilter &operator=(const TFilter &) = delete;
    virtual ~TFilter();

    // Copies AndMode and Params (not the conditions) from a filter of the same kind.
    virtual void Assign(const TFilter &Source) = 0;
    // Appends a copy of Params to the conditions, clamped and normalised.
    virtual void AddCondition() = 0;
    virtual std::string GetName() const = 0;
    virtual std::string GetDescription() const = 0;
    // Same kind; the kinds compare their Params as well.
    virtual bool SameAs(const TFilter &Other) const;
    // Takes a copy of what the filter reads beyond its conditions (the draws of a draws manager). It runs
    // on the thread that may change those data, before a worker runs Prepare, Test and Finish, which
    // read only the copy.
    virtual void TakeDraws();
    // Makes ready for a run of Test; may run in a worker.
    virtual void Prepare();
    virtual bool Test(const uint8_t *Comb) = 0;
    // Frees what TakeDraws and Prepare made.
    virtual void Finish();
    // AndMode (one byte), then the kind's Params, then the kind's clamps.
    virtual void LoadFromStream(platform::ByteReader &Stream) = 0;
    // AndMode and the kind's Params as stored, without the clamps: what the record says, over no pool.
    virtual void ReadStored(platform::ByteReader &Stream) = 0;
    virtual void SaveToStream(platform::ByteWriter &Stream) const = 0;

    virtual uint32_t CondCount() const = 0;
    // Only the kind that compares with past draws keeps the manager; it only reads it, in TakeDraws.
    virtual void SetDrawsManager(const TDrawsManager *Manager);

    // The kind's last parameters: registry value named by the kind code under Section.
    void LoadLastParams(const std::string &Section);
    void SaveLastParams(const std::string &Section) const;

    // The game's highest number and numbers drawn per draw.
    uint8_t GameMaxNumber() const;
    uint8_t GameDrawn() const;

    const TGameData *Game;
    uint32_t N;
    uint32_t K;
    TDynByteArr Numbers;
    bool AndMode = true;
    uint32_t Kind;
    uint32_t Serial = 0;
    uint32_t DisplayNo;
};

// A filter whose conditions are records of type TCond. The kind supplies the stream order of its record,
// its clamps and its normalisation; Test evaluates the conditions with TestConds.
template <typename TCond>
class TCondFilter : public TFilter {
public:
    using TFilter::TFilter;

    void Assign(const TFilter &Source) override
    {
        const auto &source = static_cast<const TCondFilter &>(Source);
        AndMode = source.AndMode;
        Params = source.Params;
    }

    void AddCondition() override
    {
        Conds.push_back(Params);
        ClampParams(Conds.back());
        NormaliseCondition(Conds.back());
    }

    void LoadFromStream(platform::ByteReader &Stream) override
    {
        ReadStored(Stream);
        ClampParams(Params);
    }

    void ReadStored(platform::ByteReader &Stream) override
    {
        uint8_t andMode = AndMode ? 1 : 0;
        Stream.get(andMode);
        AndMode = andMode != 0;
        ReadParams(Stream, Params);
    }

    void SaveToStream(platform::ByteWriter &Stream) const override
    {
        Stream.put<uint8_t>(AndMode ? 1 : 0);
        WriteParams(Stream, Params);
    }

    uint32_t CondCount() const override { return static_cast<uint32_t>(Conds.size()); }

    std::vector<TCond> Conds;
    TCond Params{};

protected:
    // Fields the data does not reach keep their values.
    virtual void ReadParams(platform::ByteReader &Stream, TCond &Cond) = 0;
    virtual void WriteParams(platform::ByteWriter &Stream, const TCond &Cond) const = 0;
    virtual void ClampParams(TCond &Cond) const = 0;
    virtual void NormaliseCondition(TCond &Cond) const = 0;

    // AND: every condition must hold; OR: one is enough. An empty list passes under AND only.
    template <typename THolds>
    bool TestConds(THolds Holds) const
    {
        for (const TCond &cond : Conds) {
            const bool holds = Holds(cond);
            if (AndMode && !holds)
                return false;
            if (!AndMode && holds)
                return true;
        }
        return AndMode;
    }
};

// Creates the kind's object with its defaults and gives it the next serial number; nullptr for a code
// outside 1..19 or a kind whose maker is not registered.
std::unique_ptr<TFilter> CreateFilter(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K,
                                      const TDynByteArr &Numbers);

// Each kind is made by its maker, registered once at start-up.
using TFilterMaker = std::unique_ptr<TFilter> (*)(const TGameData *Game, uint32_t N, uint32_t K,
                                                  const TDynByteArr &Numbers);
// Makes CreateFilter build Kind with Maker; answers the maker it replaces (nullptr for a bad code).
TFilterMaker RegisterFilterKind(uint32_t Kind, TFilterMaker Maker);

// Order of a set's filters: by display number, then by serial number.
int CompareFilters(const TFilter *A, const TFilter *B, int Param);

using TFilterList = TGeneralList<TFilter>;
// An owning list of filters sorted like a set's members.
void InitFilterList(TFilterList &List);

// A set of filters that tests a combination: the members, sorted so that the filters of one kind stand
// together, and the built filters, one per kind, each holding one condition per member of its kind.
class TGroupFilter {
public:
    TGroupFilter(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    TGroupFilter(const TGroupFilter &) = delete;
    TGroupFilter &operator=(const TGroupFilter &) = delete;
    ~TGroupFilter();

    // With Copy a copy of Filter joins the set; without, the set takes Filter over. Answers its index,
    // -1 when no copy of its kind can be made.
    int AddFilter(TFilter *Filter, bool Copy);
    // Copies the pool and FindType (not the game), adds copies of Source's members and builds.
    void Assign(const TGroupFilter &Source);
    uint32_t CountKind(uint32_t Kind) const;
    TFilter *GetFilter(uint32_t I) const;
    void Build();
    void Clear();
    // A run over many combinations: SetDrawsManager (when the set's filters have none) and TakeDraws on
    // the thread that owns the draws; then Prepare, Test for each combination and Finish, in a worker
    // or not.
    void TakeDraws();
    void Prepare();
    void Finish();
    // True when every built filter passes; a set without built filters passes everything.
    bool Test(const uint8_t *Comb);
    void SetDrawsManager(const TDrawsManager *Manager);
    std::string GetExpression() const;

    const TGameData *Game;
    uint32_t N;
    uint32_t K;
    TDynByteArr Numbers;
    bool FindType = false;
    uint32_t Count = 0;
    uint32_t BuiltCount = 0;
    TFilterList Filters;
    std::vector<std::unique_ptr<TFilter>> Built;
};

// Runs Work between FilterSet.Prepare and FilterSet.Finish. Finish runs also when Prepare or Work throws;
// the exception then goes on to the caller.
template <typename TWork>
void RunPrepared(TGroupFilter &FilterSet, TWork &&Work)
{
    try {
        FilterSet.Prepare();
        Work();
    } catch (...) {
        FilterSet.Finish();
        throw;
    }
    FilterSet.Finish();
}

// The text of a list of filters ordered like a set's members, e.g. (F02(1) or F02(2)) and F08.
std::string FilterListExpression(const TFilterList &List);

// A list of filters as filter-set and system files store it: the count (u32), then each filter's kind
// code (u32) and record.
void writeFilterList(platform::ByteWriter &Stream, const TFilterList &List);
// How a stored filter is read: clamped to what its pool can take, or as stored (to be shown and saved
// again as it was saved; a set's Build still cuts the limits to its pool).
enum class TFilterRecordRead : uint8_t { Clamped, AsStored };

// One filter stored as its kind code and record; nullptr when the code is cut off or names no kind.
std::unique_ptr<TFilter> readFilter(platform::ByteReader &Stream, const TGameData *Game, uint32_t N, uint32_t K,
                                    const TDynByteArr &Numbers, TFilterRecordRead How = TFilterRecordRead::Clamped);

// The filter-set file: header, information block, the filters' kinds and records, checksum. False when
// the file cannot be written.
bool SaveFilterSet(const TFilterList &List, const std::string &FileName, const std::string &Title,
                   const std::string &Comment);
// Adds the filters of a filter-set file to List (emptied by the caller). False when the file cannot be
// read or names a kind that cannot be created; the filters read up to then stay in List.
bool LoadFilterSet(TFilterList &List, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
                   const std::string &FileName, TFilterRecordRead How = TFilterRecordRead::Clamped);
