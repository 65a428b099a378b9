#include "engine/UFilters.h"

#include "core/DateTime.h"
#include "core/UCRC.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <numeric>

namespace {

namespace fs = std::filesystem;

// Calls seen by the test kind, to follow what a filter set runs.
struct Calls {
    int Tests = 0;
    int TakenDraws = 0;
    int Prepares = 0;
    int Finishes = 0;
    std::vector<uint32_t> TestedKinds;
    const TDrawsManager *Manager = nullptr;
};
Calls Seen;

// A small kind: the sum of the combination against a {mode; min; max} block, bounded by 0..K x highest.
template <uint32_t Code>
class TFltTestSum : public TCondFilter<TRangeBlock> {
public:
    TFltTestSum(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers)
        : TCondFilter(Code, Game, N, K, Numbers)
    {
        Params = TRangeBlock{rmRange, 0, Highest()};
    }

    static std::unique_ptr<TFilter> Make(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers)
    {
        return std::make_unique<TFltTestSum>(Game, N, K, Numbers);
    }

    std::string GetName() const override { return "Suma"; }
    std::string GetDescription() const override
    {
        return "od " + std::to_string(Params.Min) + " do " + std::to_string(Params.Max) + "; ";
    }
    bool SameAs(const TFilter &Other) const override
    {
        return TFilter::SameAs(Other) && static_cast<const TFltTestSum &>(Other).Params == Params;
    }
    bool Test(const uint8_t *Comb) override
    {
        ++Seen.Tests;
        Seen.TestedKinds.push_back(Kind);
        const int32_t sum = std::accumulate(Comb, Comb + K, 0);
        return TestConds([sum](const TRangeBlock &Cond) { return Cond.Holds(sum); });
    }
    void TakeDraws() override { ++Seen.TakenDraws; }
    void Prepare() override { ++Seen.Prepares; }
    void Finish() override { ++Seen.Finishes; }
    void SetDrawsManager(const TDrawsManager *Manager) override { Seen.Manager = Manager; }

protected:
    int32_t Highest() const { return int32_t(K) * GameMaxNumber(); }
    void ReadParams(platform::ByteReader &Stream, TRangeBlock &Cond) override { Cond.Read(Stream); }
    void WriteParams(platform::ByteWriter &Stream, const TRangeBlock &Cond) const override { Cond.Write(Stream); }
    void ClampParams(TRangeBlock &Cond) const override { Cond.Clamp(0b1111, rmRange, 0, Highest()); }
    void NormaliseCondition(TRangeBlock &Cond) const override
    {
        if (Cond.Mode == rmExact)
            Cond.Max = Cond.Min;
        else if (Cond.Mode == rmAtLeast)
            Cond.Max = Highest();
        else if (Cond.Mode == rmAtMost)
            Cond.Min = 0;
    }
};

template <uint32_t Code>
TFltTestSum<Code> &AsSum(TFilter *Filter)
{
    return *static_cast<TFltTestSum<Code> *>(Filter);
}

class Filters : public ::testing::Test {
protected:
    void SetUp() override
    {
        Seen = Calls();
        Game.Info.MaxNumber = 20;
        Game.Info.Drawn = 3;
        Register(fltPar, &TFltTestSum<fltPar>::Make);
        Register(fltSum, &TFltTestSum<fltSum>::Make);
        Register(fltDiffs, &TFltTestSum<fltDiffs>::Make);
        Register(fltComb, &TFltTestSum<fltComb>::Make);
        Register(fltDBCN, &TFltTestSum<fltDBCN>::Make);
    }

    void TearDown() override
    {
        for (const auto &[kind, maker] : Previous)
            RegisterFilterKind(kind, maker);
    }

    void Register(uint32_t Kind, TFilterMaker Maker) { Previous.emplace_back(Kind, RegisterFilterKind(Kind, Maker)); }

    // A filter of the test kind with one block of parameters.
    std::unique_ptr<TFilter> Sum(uint32_t Kind, uint8_t Mode, int32_t Min, int32_t Max, bool AndMode = true)
    {
        std::unique_ptr<TFilter> filter = CreateFilter(Kind, &Game, 20, 3, {});
        auto &params = static_cast<TCondFilter<TRangeBlock> &>(*filter).Params;
        params = TRangeBlock{Mode, Min, Max};
        filter->AndMode = AndMode;
        return filter;
    }

    TGameData Game;
    std::vector<std::pair<uint32_t, TFilterMaker>> Previous;
};

bool Passes(TGroupFilter &Set, std::initializer_list<uint8_t> Comb)
{
    const TDynByteArr c(Comb);
    return Set.Test(c.data());
}

TEST(FilterBase, DisplayNumbersAndDigitValues)
{
    EXPECT_EQ(FilterDisplayNo(fltPar), 2u);
    EXPECT_EQ(FilterDisplayNo(fltDiffs), 17u);
    EXPECT_EQ(FilterDisplayNo(fltComb), 5u);
    EXPECT_EQ(FilterDisplayNo(0), 0u);
    EXPECT_EQ(FilterDisplayNo(20), 0u);
    EXPECT_EQ(DigitValueCount(true, 49), 5u);
    EXPECT_EQ(DigitValueCount(true, 9), 1u);
    EXPECT_EQ(DigitValueCount(false, 49), 10u);
    EXPECT_EQ(DigitValueCount(false, 7), 7u);
}

TEST(FilterBase, RangeBlockClamps)
{
    TRangeBlock block{9, -3, 70};
    block.Clamp(0b101, 2, 0, 60);
    EXPECT_EQ(block, (TRangeBlock{2, 0, 60}));
    block = TRangeBlock{rmRange, 5, 2};
    block.Clamp(0b11, rmExact, 0, 60);
    EXPECT_EQ(block, (TRangeBlock{rmRange, 2, 5}));
    block = TRangeBlock{rmExact, 5, 2}; // only ranges are swapped
    block.Clamp(0b11, rmExact, 0, 60);
    EXPECT_EQ(block, (TRangeBlock{rmExact, 5, 2}));
    EXPECT_TRUE(block.Holds(5) == false);
    EXPECT_TRUE((TRangeBlock{rmRange, 2, 5}).Holds(2));
    EXPECT_TRUE((TRangeBlock{rmRange, 2, 5}).Holds(5));
    EXPECT_FALSE((TRangeBlock{rmRange, 2, 5}).Holds(6));
}

TEST_F(Filters, CreateFilterGivesSerialsAndThePool)
{
    EXPECT_EQ(CreateFilter(0, &Game, 20, 3, {}), nullptr);
    EXPECT_EQ(CreateFilter(20, &Game, 20, 3, {}), nullptr);
    RegisterFilterKind(fltNPar, nullptr);
    EXPECT_EQ(CreateFilter(fltNPar, &Game, 20, 3, {}), nullptr);
    const auto first = CreateFilter(fltDiffs, &Game, 5, 3, {});
    const auto second = CreateFilter(fltPar, &Game, 4, 2, {9, 3, 7, 1});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Serial, first->Serial + 1);
    EXPECT_EQ(first->Kind, uint32_t(fltDiffs));
    EXPECT_EQ(first->DisplayNo, 17u);
    EXPECT_EQ(first->Numbers, (TDynByteArr{1, 2, 3, 4, 5}));
    EXPECT_EQ(second->Numbers, (TDynByteArr{1, 3, 7, 9}));
    EXPECT_TRUE(first->AndMode);
    EXPECT_EQ(first->CondCount(), 0u);
}

TEST_F(Filters, ConditionsUnderAndAndOr)
{
    auto filter = Sum(fltSum, rmRange, 10, 25);
    const uint8_t sum22[] = {2, 5, 15};
    const uint8_t sum12[] = {1, 2, 9};
    const uint8_t sum30[] = {5, 10, 15};
    // No condition: AND passes everything, OR nothing.
    EXPECT_TRUE(filter->Test(sum22));
    filter->AndMode = false;
    EXPECT_FALSE(filter->Test(sum22));

    filter->AndMode = true;
    filter->AddCondition();
    AsSum<fltSum>(filter.get()).Params = TRangeBlock{rmRange, 20, 30};
    filter->AddCondition();
    EXPECT_EQ(filter->CondCount(), 2u);
    EXPECT_TRUE(filter->Test(sum22));
    EXPECT_FALSE(filter->Test(sum12));
    EXPECT_FALSE(filter->Test(sum30));
    filter->AndMode = false;
    EXPECT_TRUE(filter->Test(sum22));
    EXPECT_TRUE(filter->Test(sum12));
    EXPECT_TRUE(filter->Test(sum30));
}

TEST_F(Filters, AddConditionClampsAndNormalisesACopy)
{
    auto filter = Sum(fltSum, 9, -4, 100); // unknown mode becomes a range; bounds 0..60
    filter->AddCondition();
    auto &sum = AsSum<fltSum>(filter.get());
    EXPECT_EQ(sum.Conds[0], (TRangeBlock{rmRange, 0, 60}));
    EXPECT_EQ(sum.Params, (TRangeBlock{9, -4, 100}));
    sum.Params = TRangeBlock{rmAtLeast, 40, 0};
    filter->AddCondition();
    EXPECT_EQ(sum.Conds[1], (TRangeBlock{rmAtLeast, 40, 60}));
}

TEST_F(Filters, AssignCopiesParamsNotConditions)
{
    auto source = Sum(fltSum, rmExact, 7, 7, false);
    source->AddCondition();
    auto target = CreateFilter(fltSum, &Game, 20, 3, {});
    target->Assign(*source);
    EXPECT_FALSE(target->AndMode);
    EXPECT_EQ(AsSum<fltSum>(target.get()).Params, (TRangeBlock{rmExact, 7, 7}));
    EXPECT_EQ(target->CondCount(), 0u);
    EXPECT_TRUE(target->SameAs(*source));
    EXPECT_FALSE(target->SameAs(*Sum(fltPar, rmExact, 7, 7)));
}

TEST_F(Filters, SetKeepsKindsTogetherInDisplayOrder)
{
    TGroupFilter set(&Game, 20, 3, {});
    set.AddFilter(Sum(fltDiffs, rmRange, 0, 60).release(), false);
    set.AddFilter(Sum(fltPar, rmRange, 6, 6, false).release(), false);
    set.AddFilter(Sum(fltPar, rmRange, 9, 9, false).release(), false);
    EXPECT_EQ(set.Count, 3u);
    EXPECT_EQ(set.CountKind(fltPar), 2u);
    EXPECT_EQ(set.GetFilter(0)->Kind, uint32_t(fltPar));
    EXPECT_EQ(set.GetFilter(1)->Kind, uint32_t(fltPar));
    EXPECT_EQ(set.GetFilter(2)->Kind, uint32_t(fltDiffs));
    EXPECT_LT(set.GetFilter(0)->Serial, set.GetFilter(1)->Serial);
    EXPECT_EQ(set.GetExpression(), "(F02(1) or F02(2)) and F17");

    set.Build();
    ASSERT_EQ(set.BuiltCount, 2u);
    EXPECT_EQ(set.Built[0]->Kind, uint32_t(fltPar));
    EXPECT_EQ(set.Built[0]->CondCount(), 2u);
    EXPECT_FALSE(set.Built[0]->AndMode);
    EXPECT_EQ(set.Built[1]->Kind, uint32_t(fltDiffs));
    EXPECT_EQ(set.Built[1]->CondCount(), 1u);

    // Kind 2 runs first; a combination it rejects never reaches kind 12.
    EXPECT_TRUE(Passes(set, {1, 2, 3}));
    EXPECT_EQ(Seen.TestedKinds, (std::vector<uint32_t>{fltPar, fltDiffs}));
    Seen.TestedKinds.clear();
    EXPECT_TRUE(Passes(set, {2, 3, 4}));
    EXPECT_FALSE(Passes(set, {1, 2, 4}));
    EXPECT_EQ(Seen.TestedKinds, (std::vector<uint32_t>{fltPar, fltDiffs, fltPar}));
}

TEST_F(Filters, BuiltFilterTakesTheLastMembersLink)
{
    TGroupFilter set(&Game, 20, 3, {});
    set.AddFilter(Sum(fltSum, rmRange, 10, 25, false).release(), false);
    set.AddFilter(Sum(fltSum, rmRange, 20, 30, true).release(), false);
    EXPECT_EQ(set.GetExpression(), "(F08(1) or F08(2))"); // the text follows the first member
    set.Build();
    EXPECT_TRUE(set.Built[0]->AndMode);
    EXPECT_TRUE(Passes(set, {2, 5, 15}));
    EXPECT_FALSE(Passes(set, {1, 2, 9}));
}

TEST_F(Filters, ExpressionsOfSingleAndEmptySets)
{
    TGroupFilter set(&Game, 20, 3, {});
    EXPECT_EQ(set.GetExpression(), "");
    set.Build();
    EXPECT_EQ(set.BuiltCount, 0u);
    EXPECT_TRUE(Passes(set, {1, 2, 3}));

    set.AddFilter(Sum(fltComb, rmRange, 0, 60).release(), false);
    EXPECT_EQ(set.GetExpression(), "F05");
    set.AddFilter(Sum(fltSum, rmRange, 0, 60).release(), false);
    set.AddFilter(Sum(fltSum, rmRange, 0, 60).release(), false);
    set.AddFilter(Sum(fltSum, rmRange, 0, 60).release(), false);
    set.AddFilter(Sum(fltDiffs, rmRange, 0, 60).release(), false);
    EXPECT_EQ(set.GetExpression(), "F05 and (F08(1) and F08(2) and F08(3)) and F17");
    EXPECT_EQ(FilterListExpression(set.Filters), set.GetExpression());
}

TEST_F(Filters, CopiesAssignAndClear)
{
    TGroupFilter set(&Game, 20, 3, {2, 4, 6, 8});
    std::unique_ptr<TFilter> mine = Sum(fltSum, rmExact, 12, 12, false);
    EXPECT_EQ(set.AddFilter(mine.get(), true), 0);
    TFilter *copy = set.GetFilter(0);
    EXPECT_NE(copy, mine.get());
    EXPECT_GT(copy->Serial, mine->Serial);
    EXPECT_EQ(copy->Numbers, (TDynByteArr{2, 4, 6, 8}));
    EXPECT_FALSE(copy->AndMode);
    EXPECT_TRUE(copy->SameAs(*mine));
    set.AddFilter(Sum(fltPar, rmRange, 0, 60).release(), false);
    set.FindType = true;

    TGameData other;
    TGroupFilter target(&other, 0, 0, {});
    target.Assign(set);
    EXPECT_EQ(target.Game, &other);
    EXPECT_EQ(target.N, 20u);
    EXPECT_EQ(target.K, 3u);
    EXPECT_EQ(target.Numbers, (TDynByteArr{2, 4, 6, 8}));
    EXPECT_TRUE(target.FindType);
    ASSERT_EQ(target.Count, 2u);
    EXPECT_EQ(target.BuiltCount, 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        EXPECT_NE(target.GetFilter(i), set.GetFilter(i));
        EXPECT_TRUE(target.GetFilter(i)->SameAs(*set.GetFilter(i)));
    }
    target.Clear();
    EXPECT_EQ(target.Count, 0u);
    EXPECT_EQ(target.BuiltCount, 0u);
    EXPECT_EQ(target.Filters.Count(), 0);
    EXPECT_TRUE(target.Built.empty());
}

TEST_F(Filters, TakeDrawsPrepareFinishAndTheDrawsManagerReachTheBuiltFilters)
{
    TGroupFilter set(&Game, 20, 3, {});
    set.AddFilter(Sum(fltSum, rmRange, 0, 60).release(), false);
    set.AddFilter(Sum(fltSum, rmRange, 0, 60).release(), false);
    set.AddFilter(Sum(fltPar, rmRange, 0, 60).release(), false);
    set.Build();
    set.TakeDraws();
    set.Prepare();
    set.Finish();
    EXPECT_EQ(Seen.TakenDraws, 2);
    EXPECT_EQ(Seen.Prepares, 2);
    EXPECT_EQ(Seen.Finishes, 2);

    auto *manager = reinterpret_cast<TDrawsManager *>(&Game);
    set.SetDrawsManager(manager);
    EXPECT_EQ(Seen.Manager, nullptr); // only the kind comparing with past draws takes it
    set.AddFilter(Sum(fltDBCN, rmRange, 0, 60).release(), false);
    set.Build();
    set.SetDrawsManager(manager);
    EXPECT_EQ(Seen.Manager, manager);
}

TDynByteArr Le32(uint32_t V)
{
    return {uint8_t(V), uint8_t(V >> 8), uint8_t(V >> 16), uint8_t(V >> 24)};
}

void Append(TDynByteArr &B, const TDynByteArr &More)
{
    B.insert(B.end(), More.begin(), More.end());
}

// A filter-set file laid out by hand: header, date, title, comment, the records, checksum.
TDynByteArr FilterSetBytes(double Date, const std::string &Title, const std::string &Comment,
                           const std::vector<std::pair<uint32_t, TDynByteArr>> &Records)
{
    TDynByteArr b{3, 0, 0, 0, 5, 0};
    TDynByteArr date(8);
    std::memcpy(date.data(), &Date, 8);
    Append(b, date);
    TDynByteArr title(256, 0);
    std::copy(Title.begin(), Title.end(), title.begin());
    Append(b, title);
    Append(b, Le32(uint32_t(Comment.size())));
    b.insert(b.end(), Comment.begin(), Comment.end());
    Append(b, Le32(uint32_t(Records.size())));
    for (const auto &[kind, record] : Records) {
        Append(b, Le32(kind));
        Append(b, record);
    }
    Append(b, Le32(calcCRC(b)));
    return b;
}

// AndMode, mode, min, max.
TDynByteArr SumRecord(uint8_t AndMode, uint8_t Mode, int32_t Min, int32_t Max)
{
    TDynByteArr b{AndMode, Mode};
    Append(b, Le32(uint32_t(Min)));
    Append(b, Le32(uint32_t(Max)));
    return b;
}

TDynByteArr ReadAll(const fs::path &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return TDynByteArr(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(Filters, SavedSetMatchesTheFileLayout)
{
    TFilterList list;
    InitFilterList(list);
    list.AddItem(Sum(fltDiffs, rmExact, 7, 7).release(), false);
    list.AddItem(Sum(fltPar, rmRange, 10, 12, false).release(), false);
    const fs::path file = testsupport::makeTempDir("korvantile-filters-") / "L1.dat";
    const double before = Now();
    ASSERT_TRUE(SaveFilterSet(list, file.string(), "Mój zestaw", "ąb"));
    const double after = Now();
    const TDynByteArr bytes = ReadAll(file);
    ASSERT_EQ(bytes.size(), 6u + 268 + 2 + 4 + 2 * (4 + 10) + 4);
    double saved;
    std::memcpy(&saved, bytes.data() + 6, 8);
    EXPECT_GE(saved, before);
    EXPECT_LE(saved, after);
    EXPECT_EQ(bytes, FilterSetBytes(saved, "M\xF3j zestaw", "\xB9" "b",
                                    {{fltPar, SumRecord(0, rmRange, 10, 12)}, {fltDiffs, SumRecord(1, rmExact, 7, 7)}}));
}

TEST_F(Filters, LoadedSetIsSortedAndClamped)
{
    const fs::path file = testsupport::makeTempDir("korvantile-filters-") / "L2.dat";
    const TDynByteArr bytes = FilterSetBytes(40000.5, "Zestaw", "",
                                             {{fltDiffs, SumRecord(0, 9, -5, 100)},
                                              {fltPar, SumRecord(1, rmRange, 30, 20)},
                                              {fltPar, SumRecord(0, rmAtMost, 0, 15)}});
    ASSERT_EQ(bytes.size(), 6u + 268 + 4 + 3 * (4 + 10) + 4);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    TFilterList list;
    InitFilterList(list);
    ASSERT_TRUE(LoadFilterSet(list, &Game, 20, 3, {}, file.string()));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem(0)->Kind, uint32_t(fltPar));
    EXPECT_TRUE(list.GetItem(0)->AndMode);
    EXPECT_EQ(AsSum<fltPar>(list.GetItem(0)).Params, (TRangeBlock{rmRange, 20, 30}));
    EXPECT_FALSE(list.GetItem(1)->AndMode);
    EXPECT_EQ(AsSum<fltPar>(list.GetItem(1)).Params, (TRangeBlock{rmAtMost, 0, 15}));
    EXPECT_EQ(list.GetItem(2)->Kind, uint32_t(fltDiffs));
    EXPECT_EQ(AsSum<fltDiffs>(list.GetItem(2)).Params, (TRangeBlock{rmRange, 0, 60}));
    EXPECT_EQ(list.GetItem(0)->Game, &Game);
    EXPECT_EQ(FilterListExpression(list), "(F02(1) and F02(2)) and F17");
}

TEST_F(Filters, LoadingStopsAtAKindThatCannotBeMade)
{
    const fs::path dir = testsupport::makeTempDir("korvantile-filters-");
    const TDynByteArr bytes = FilterSetBytes(1, "", "", {{fltPar, SumRecord(1, rmExact, 5, 5)},
                                                         {fltNPar, SumRecord(1, rmExact, 5, 5)}});
    std::ofstream(dir / "L1.dat", std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()),
                                                          std::streamsize(bytes.size()));
    RegisterFilterKind(fltNPar, nullptr);
    TFilterList list;
    InitFilterList(list);
    EXPECT_FALSE(LoadFilterSet(list, &Game, 20, 3, {}, (dir / "L1.dat").string()));
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_FALSE(LoadFilterSet(list, &Game, 20, 3, {}, (dir / "absent.dat").string()));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(Filters, ARecordCutShortKeepsItsOtherFields)
{
    const fs::path file = testsupport::makeTempDir("korvantile-filters-") / "L1.dat";
    TDynByteArr bytes = FilterSetBytes(1, "", "", {{fltSum, {0, rmAtLeast, 200}}}); // min cut after a byte
    bytes.erase(bytes.end() - 4, bytes.end());                                       // and no checksum
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    TFilterList list;
    InitFilterList(list);
    ASSERT_TRUE(LoadFilterSet(list, &Game, 20, 3, {}, file.string()));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.GetItem(0)->AndMode);
    EXPECT_EQ(AsSum<fltSum>(list.GetItem(0)).Params, (TRangeBlock{rmAtLeast, 0, 60}));
}

TEST_F(Filters, LastParamsInTheRegistry)
{
    TMyReg reg("", RegistryProduct, "Filters");
    auto filter = Sum(fltSum, rmRange, 11, 33, false);
    filter->SaveLastParams("Filters");
    EXPECT_EQ(reg.GetDataSize("5"), 10);
    TDynByteArr stored(10);
    EXPECT_EQ(reg.ReadBinary("5", stored), 10);
    EXPECT_EQ(stored, SumRecord(0, rmRange, 11, 33));

    auto loaded = CreateFilter(fltSum, &Game, 20, 3, {});
    loaded->LoadLastParams("Filters");
    EXPECT_TRUE(loaded->SameAs(*filter));
    EXPECT_FALSE(loaded->AndMode);

    // A short value fills what it reaches; the rest keeps its value; all are clamped: a sum of at least
    // 70 over the bounds 0..60 asks for no sum and keeps its limits.
    reg.WriteBinary("5", TDynByteArr{1, rmAtLeast, 0x46, 0, 0, 0});
    loaded->LoadLastParams("Filters");
    EXPECT_TRUE(loaded->AndMode);
    EXPECT_EQ(AsSum<fltSum>(loaded.get()).Params, (TRangeBlock{rmAtLeast, 70, 33}));
    reg.WriteBinary("5", TDynByteArr{1, rmAtLeast, 0x2A, 0, 0, 0});
    loaded->LoadLastParams("Filters");
    EXPECT_EQ(AsSum<fltSum>(loaded.get()).Params, (TRangeBlock{rmAtLeast, 42, 33}));

    // Without a value the parameters stay as they are.
    auto fresh = CreateFilter(fltPar, &Game, 20, 3, {});
    fresh->LoadLastParams("Filters");
    EXPECT_EQ(AsSum<fltPar>(fresh.get()).Params, (TRangeBlock{rmRange, 0, 60}));
    EXPECT_TRUE(fresh->AndMode);
}

} // namespace
