#include "engine/UFilters.h"

#include "core/DateTime.h"
#include "core/UComb.h"
#include "core/UGlobalFiles.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// {kind, display number} in the order of the kind codes.
constexpr std::array<std::pair<uint32_t, uint32_t>, FilterKindCount> DisplayNumbers{{
    {fltSucc, 1},     {fltPar, 2},      {fltNPar, 3},     {fltFirst, 4},     {fltSum, 8},
    {fltSDigit1, 9},  {fltSDigit2, 10}, {fltSDigit12, 11}, {fltInt, 6},      {fltDigit, 12},
    {fltDist, 7},     {fltDiffs, 17},   {fltComb, 5},     {fltDBCN, 15},     {fltGDigit1, 13},
    {fltGDigit2, 14}, {fltDiffPos, 18}, {fltNumPos, 16},  {fltDiffsConf, 19},
}};

std::array<TFilterMaker, FilterKindCount + 1> FilterMakers{};

// Creation numbers of the filters of the whole run; the first filter gets 1.
uint32_t FilterSerial = 0;

bool IsFilterKind(uint32_t Kind)
{
    return Kind >= 1 && Kind <= FilterKindCount;
}

std::string TwoDigits(uint32_t Value)
{
    return Value < 10 ? "0" + std::to_string(Value) : std::to_string(Value);
}

} // namespace

uint32_t FilterDisplayNo(uint32_t Kind)
{
    for (const auto &[kind, number] : DisplayNumbers)
        if (kind == Kind)
            return number;
    return 0;
}

uint32_t DigitValueCount(bool FirstDigit, uint8_t Max)
{
    if (FirstDigit)
        return Max / 10 + 1u;
    return Max < 10 ? Max : 10u;
}

void TRangeBlock::Clamp(uint32_t KeptModes, uint8_t Fallback, int32_t Lower, int32_t Upper)
{
    if (Mode >= 32 || !(KeptModes & (1u << Mode)))
        Mode = Fallback;
    if (Mode == rmRange && Min > Max)
        std::swap(Min, Max);
    Upper = std::max(Lower, Upper);
    // The values the block asks for; the other modes take theirs from the bounds when normalised.
    const bool asksNone = (Mode == rmExact && (Min < Lower || Min > Upper)) ||
                          (Mode == rmRange && (Max < Lower || Min > Upper)) ||
                          (Mode == rmAtLeast && Min > Upper) || (Mode == rmAtMost && Max < Lower);
    if (asksNone)
        return;
    Min = std::clamp(Min, Lower, Upper);
    Max = std::clamp(Max, Lower, Upper);
}

void TRangeBlock::RaiseTo(int32_t Least)
{
    Min = std::max(Min, Least);
    Max = std::max(Max, Least);
}

void TRangeBlock::Read(platform::ByteReader &Stream)
{
    Stream.get(Mode);
    Stream.get(Min);
    Stream.get(Max);
}

void TRangeBlock::Write(platform::ByteWriter &Stream) const
{
    Stream.put(Mode);
    Stream.put(Min);
    Stream.put(Max);
}

TFilter::TFilter(uint32_t Kind_, const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : Game(Game_), N(N_), K(K_), Numbers(Numbers_), Kind(Kind_), DisplayNo(FilterDisplayNo(Kind_))
{
    if (Numbers.empty()) {
        Numbers.resize(N);
        FillNumbers(Numbers);
    } else {
        std::sort(Numbers.begin(), Numbers.end());
    }
}

TFilter::~TFilter() = default;

bool TFilter::SameAs(const TFilter &Other) const
{
    return Other.Kind == Kind;
}

void TFilter::TakeDraws() {}

void TFilter::Prepare() {}

void TFilter::Finish() {}

void TFilter::SetDrawsManager(const TDrawsManager *) {}

void TFilter::LoadLastParams(const std::string &Section)
{
    RegStream.Clear();
    if (!RegStream.LoadFromReg(Section, std::to_string(Kind)))
        return;
    platform::ByteReader stream(RegStream.Memory());
    LoadFromStream(stream);
}

void TFilter::SaveLastParams(const std::string &Section) const
{
    platform::ByteWriter stream;
    SaveToStream(stream);
    RegStream.Clear();
    RegStream.WriteData(Section, std::to_string(Kind), stream.bytes());
}

uint8_t TFilter::GameMaxNumber() const
{
    return Game->Info.MaxNumber;
}

uint8_t TFilter::GameDrawn() const
{
    return Game->Info.Drawn;
}

std::unique_ptr<TFilter> CreateFilter(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K,
                                      const TDynByteArr &Numbers)
{
    if (!IsFilterKind(Kind) || !FilterMakers[Kind])
        return nullptr;
    ++FilterSerial;
    std::unique_ptr<TFilter> filter = FilterMakers[Kind](Game, N, K, Numbers);
    filter->Serial = FilterSerial;
    return filter;
}

TFilterMaker RegisterFilterKind(uint32_t Kind, TFilterMaker Maker)
{
    if (!IsFilterKind(Kind))
        return nullptr;
    return std::exchange(FilterMakers[Kind], Maker);
}

int CompareFilters(const TFilter *A, const TFilter *B, int)
{
    if (A->DisplayNo != B->DisplayNo)
        return A->DisplayNo < B->DisplayNo ? -1 : 1;
    if (A->Serial != B->Serial)
        return A->Serial < B->Serial ? -1 : 1;
    return 0;
}

void InitFilterList(TFilterList &List)
{
    List.Compare = CompareFilters;
    List.Sorted = true;
    List.OwnsItems = true;
}

TGroupFilter::TGroupFilter(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : Game(Game_), N(N_), K(K_), Numbers(Numbers_)
{
    InitFilterList(Filters);
}

TGroupFilter::~TGroupFilter()
{
    Clear();
}

int TGroupFilter::AddFilter(TFilter *Filter, bool Copy)
{
    TFilter *member = Filter;
    if (Copy) {
        std::unique_ptr<TFilter> copy = CreateFilter(Filter->Kind, Game, Filter->N, Filter->K, Numbers);
        if (!copy)
            return -1;
        copy->Assign(*Filter);
        member = copy.release();
    }
    ++Count;
    return Filters.AddItem(member, false);
}

void TGroupFilter::Assign(const TGroupFilter &Source)
{
    N = Source.N;
    K = Source.K;
    Numbers = Source.Numbers;
    FindType = Source.FindType;
    for (int i = 0; i < Source.Filters.Count(); ++i)
        AddFilter(Source.Filters.GetItem(i), true);
    Build();
}

uint32_t TGroupFilter::CountKind(uint32_t Kind) const
{
    uint32_t count = 0;
    for (int i = 0; i < Filters.Count(); ++i)
        if (Filters.GetItem(i)->Kind == Kind)
            ++count;
    return count;
}

TFilter *TGroupFilter::GetFilter(uint32_t I) const
{
    return Filters.GetItem(static_cast<int>(I));
}

// One built filter per kind present, holding one condition per member of that kind; its AndMode is
// that of the kind's last member.
void TGroupFilter::Build()
{
    Built.clear();
    Built.reserve(Count);
    uint32_t previousKind = 0;
    const int count = Filters.Count();
    for (int i = 0; i < count; ++i) {
        const TFilter *member = Filters.GetItem(i);
        if (member->Kind == previousKind)
            continue;
        previousKind = member->Kind;
        std::unique_ptr<TFilter> built = CreateFilter(member->Kind, Game, N, K, Numbers);
        if (!built)
            continue;
        const int members = static_cast<int>(CountKind(member->Kind));
        for (int j = i; j < std::min(count, i + members); ++j) {
            built->Assign(*Filters.GetItem(j));
            built->AddCondition();
        }
        Built.push_back(std::move(built));
    }
    BuiltCount = static_cast<uint32_t>(Built.size());
}

void TGroupFilter::Clear()
{
    Filters.Clear();
    Built.clear();
    Count = 0;
    BuiltCount = 0;
}

void TGroupFilter::TakeDraws()
{
    for (auto &filter : Built)
        filter->TakeDraws();
}

void TGroupFilter::Prepare()
{
    for (auto &filter : Built)
        filter->Prepare();
}

void TGroupFilter::Finish()
{
    for (auto &filter : Built)
        filter->Finish();
}

bool TGroupFilter::Test(const uint8_t *Comb)
{
    for (auto &filter : Built)
        if (!filter->Test(Comb))
            return false;
    return true;
}

void TGroupFilter::SetDrawsManager(const TDrawsManager *Manager)
{
    for (auto &filter : Built)
        if (filter->Kind == fltDBCN)
            filter->SetDrawsManager(Manager);
}

std::string TGroupFilter::GetExpression() const
{
    return FilterListExpression(Filters);
}

std::string FilterListExpression(const TFilterList &List)
{
    std::string s;
    uint32_t previousKind = 0;
    for (int i = 0; i < List.Count(); ++i) {
        const TFilter *member = List.GetItem(i);
        if (member->Kind == previousKind)
            continue;
        previousKind = member->Kind;
        int count = 0;
        for (int j = 0; j < List.Count(); ++j)
            if (List.GetItem(j)->Kind == member->Kind)
                ++count;
        const std::string f = "F" + TwoDigits(member->DisplayNo);
        if (count == 1) {
            s += (i == 0 ? "" : " and ") + f;
            continue;
        }
        s += i == 0 ? "(" : " and (";
        const char *link = member->AndMode ? " and " : " or ";
        for (int m = 1; m < count; ++m)
            s += f + "(" + std::to_string(m) + ")" + link;
        s += f + "(" + std::to_string(count) + "))";
    }
    return s;
}

void writeFilterList(platform::ByteWriter &Stream, const TFilterList &List)
{
    Stream.put(static_cast<uint32_t>(List.Count()));
    for (int i = 0; i < List.Count(); ++i) {
        const TFilter *filter = List.GetItem(i);
        Stream.put(filter->Kind);
        filter->SaveToStream(Stream);
    }
}

std::unique_ptr<TFilter> readFilter(platform::ByteReader &Stream, const TGameData *Game, uint32_t N, uint32_t K,
                                    const TDynByteArr &Numbers, TFilterRecordRead How)
{
    uint32_t kind = 0;
    if (!Stream.get(kind))
        return nullptr;
    std::unique_ptr<TFilter> filter = CreateFilter(kind, Game, N, K, Numbers);
    if (!filter)
        return nullptr;
    if (How == TFilterRecordRead::AsStored)
        filter->ReadStored(Stream);
    else
        filter->LoadFromStream(Stream);
    return filter;
}

bool SaveFilterSet(const TFilterList &List, const std::string &FileName, const std::string &Title,
                   const std::string &Comment)
{
    platform::ByteWriter out;
    writeFileHeader(out, TFileHeader{CurrentFileVersion, 0, fkFilterSet, 0});
    writeFileInfo(out, TFileInfo{Now(), Title, Comment});
    writeFilterList(out, List);
    AppendStreamCRC(out);
    return platform::writeFileAtomically(FileName, out.bytes());
}

bool LoadFilterSet(TFilterList &List, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
                   const std::string &FileName, TFilterRecordRead How)
{
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes))
        return false;
    platform::ByteReader in(bytes);
    TFileInfo info;
    uint32_t count = 0;
    if (!in.skip(FileHeaderSize) || !readFileInfo(in, info) || !in.get(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<TFilter> filter = readFilter(in, Game, N, K, Numbers, How);
        if (!filter)
            return false;
        List.AddItem(filter.release(), false);
    }
    return true;
}
