#include "engine/UFltRef.h"

#include "core/DateTime.h"
#include "core/UGlobalRegistry.h"
#include "core/UGlobalThreads.h"
#include "engine/FilterKinds.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "tests/engine/DrawsTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes &B, std::initializer_list<uint8_t> Values)
{
    B.insert(B.end(), Values);
}

void AppendI32(Bytes &B, int32_t Value)
{
    const auto u = static_cast<uint32_t>(Value);
    Append(B, {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)});
}

void AppendF64(Bytes &B, double Value)
{
    uint64_t u;
    std::memcpy(&u, &Value, 8);
    for (int i = 0; i < 8; ++i)
        B.push_back(uint8_t(u >> (8 * i)));
}

Bytes Saved(const TFilter &Filter)
{
    platform::ByteWriter out;
    Filter.SaveToStream(out);
    return out.bytes();
}

void Load(TFilter &Filter, const Bytes &Record)
{
    platform::ByteReader in(Record);
    Filter.LoadFromStream(in);
}

TDynByteArr Combo(std::initializer_list<uint8_t> Numbers)
{
    return TDynByteArr(Numbers);
}

// ---------------------------------------------------------------------------------------------------
// TFltComb

class FltCombTest : public testing::Test {
protected:
    std::unique_ptr<TGameData> Game = MakeDrawsGame(49, 6);
    TFltComb Filter{Game.get(), 49, 6, {}};
};

TEST_F(FltCombTest, NumbersOutsideTheGameAndRepeatsAreDropped)
{
    Bytes record{1, 6, 0, 0, 0, 0, 7, 50, 7, 255, 3, rmAtLeast};
    AppendI32(record, 2);
    AppendI32(record, 9);
    Load(Filter, record);
    EXPECT_EQ(Filter.Params.RefNumbers, Combo({7, 3}));
    EXPECT_EQ(Filter.Params.RefCount, 2);
    EXPECT_EQ(Filter.Params.Count, (TRangeBlock{rmAtLeast, 2, 2}));

    Bytes expected{1, 2, 0, 0, 0, 7, 3, rmAtLeast};
    AppendI32(expected, 2);
    AppendI32(expected, 2);
    EXPECT_EQ(Saved(Filter), expected);

    // The condition's flags cover the game's numbers and mark the two kept references.
    Filter.AddCondition();
    EXPECT_EQ(Filter.Conds[0].RefFlags.size(), 49u);
    EXPECT_TRUE(Filter.Test(Combo({3, 7, 20, 30, 40, 49}).data()));
    EXPECT_FALSE(Filter.Test(Combo({3, 8, 20, 30, 40, 49}).data()));
}

TEST_F(FltCombTest, SixtyReferenceNumbersKeepTheFirstFortyNine)
{
    Bytes record{1, 60, 0, 0, 0};
    for (uint8_t n = 1; n <= 60; ++n)
        record.push_back(n);
    Append(record, {rmRange});
    AppendI32(record, 60);
    AppendI32(record, 10);
    Load(Filter, record);
    ASSERT_EQ(Filter.Params.RefCount, 49);
    EXPECT_EQ(Filter.Params.RefNumbers.front(), 1);
    EXPECT_EQ(Filter.Params.RefNumbers.back(), 49);
    // Min and max brought into 0..49, then put in order.
    EXPECT_EQ(Filter.Params.Count, (TRangeBlock{rmRange, 10, 49}));
}

TEST_F(FltCombTest, ModesOutsideTheKindBecomeAll)
{
    Bytes record{1, 1, 0, 0, 0, 9, rmAny};
    AppendI32(record, -4);
    AppendI32(record, 1);
    Load(Filter, record);
    EXPECT_EQ(Filter.Params.Count, (TRangeBlock{rmAll, 0, 1}));
    Load(Filter, Bytes{1, 1, 0, 0, 0, 9, 77});
    EXPECT_EQ(Filter.Params.Count.Mode, rmAll);
}

TEST_F(FltCombTest, Description)
{
    Filter.Params.RefNumbers = Combo({3, 7, 12});
    Filter.Params.RefCount = 3;
    EXPECT_EQ(Filter.GetDescription(), "Kombinacja:  3  7 12; Ilość wspólnych liczb: wszystkie; ");
    Filter.Params.Count = TRangeBlock{rmRange, 1, 2};
    EXPECT_EQ(Filter.GetDescription(), "Kombinacja:  3  7 12; Ilość wspólnych liczb: od 1 do 2; ");
    Filter.Params.Count = TRangeBlock{rmAtMost, 0, 2};
    EXPECT_EQ(Filter.GetDescription(), "Kombinacja:  3  7 12; Ilość wspólnych liczb: co najwyżej 2; ");
}

TEST_F(FltCombTest, SameAsComparesTheReferenceInOrder)
{
    TFltComb other(Game.get(), 49, 6, {});
    Filter.Params.RefNumbers = Combo({3, 7, 12});
    Filter.Params.RefCount = 3;
    other.Assign(Filter);
    EXPECT_TRUE(Filter.SameAs(other));
    other.Params.RefNumbers = Combo({7, 3, 12});
    EXPECT_FALSE(Filter.SameAs(other));
    other.Params.RefNumbers = Combo({3, 7, 12});
    other.Params.Count.Max = 2;
    EXPECT_FALSE(Filter.SameAs(other));
}

// ---------------------------------------------------------------------------------------------------
// TFltDBCN

TDateTime Day(int D)
{
    return EncodeDate(2022, 5, D);
}

class FltDBCNTest : public testing::Test {
protected:
    void SetUp() override
    {
        History.AddDraw(Combo({1, 2, 3, 4, 5, 6}), Day(1));
        History.AddDraw(Combo({10, 11, 12, 13, 14, 15}), Day(2));
        History.AddDraw(Combo({1, 10, 20, 30, 40, 49}), Day(3));
        History.AddDraw(Combo({7, 8, 9, 16, 17, 18}), Day(4));
        History.Renumber();
        Filter.SetDrawsManager(&History);
    }

    void AddCondition(const TDrawsRange &Range, TRangeBlock Count)
    {
        Filter.Params.Range = Range;
        Filter.Params.Count = Count;
        Filter.AddCondition();
    }

    bool Passes(std::initializer_list<uint8_t> Numbers) { return Filter.Test(Combo(Numbers).data()); }

    std::unique_ptr<TGameData> Game = MakeDrawsGame(49, 6);
    TDrawsManager History{Game.get(), -1};
    TFltDBCN Filter{Game.get(), 49, 6, {}};
};

// Common numbers of the combinations with the four draws:
//   1 2 10 11 20 21:     2, 2, 3, 0
//   1 2 3 10 11 12:      3, 3, 2, 0
//   22 23 24 25 26 27:   0, 0, 0, 0
TEST_F(FltDBCNTest, AtMostTwoAsksForOneOrTwo)
{
    AddCondition(IndexRange(1, 4), TRangeBlock{rmAtMost, 0, 2});
    EXPECT_EQ(Filter.Conds[0].Count, (TRangeBlock{rmAtMost, 1, 2}));
    Filter.TakeDraws();
    Filter.Prepare();
    EXPECT_TRUE(Passes({1, 2, 10, 11, 20, 21}));
    EXPECT_TRUE(Passes({1, 2, 3, 10, 11, 12}));
    EXPECT_FALSE(Passes({22, 23, 24, 25, 26, 27}));
    Filter.Finish();
}

TEST_F(FltDBCNTest, NoneInCommonWithSomeDraw)
{
    AddCondition(IndexRange(1, 3), TRangeBlock{rmExact, 0, 5});
    EXPECT_EQ(Filter.Conds[0].Count, (TRangeBlock{rmExact, 0, 0}));
    Filter.TakeDraws();
    Filter.Prepare();
    EXPECT_FALSE(Passes({1, 2, 10, 11, 20, 21})); // the fourth draw lies outside the range
    EXPECT_TRUE(Passes({22, 23, 24, 25, 26, 27}));
    Filter.Finish();
}

TEST_F(FltDBCNTest, OrOfTwoRanges)
{
    Filter.AndMode = false;
    AddCondition(IndexRange(1, 2), TRangeBlock{rmRange, 3, 3});
    AddCondition(IndexRange(4, 4), TRangeBlock{rmAll, 0, 0});
    EXPECT_EQ(Filter.Conds[1].Count, (TRangeBlock{rmAll, 6, 6}));
    Filter.TakeDraws();
    Filter.Prepare();
    ASSERT_EQ(Filter.Conds[0].RangeDraws.size(), 2u);
    EXPECT_EQ(Filter.Conds[0].Range.Count, 2u);
    EXPECT_TRUE(Passes({1, 2, 3, 10, 11, 12}));
    EXPECT_FALSE(Passes({1, 2, 10, 11, 20, 21}));
    EXPECT_TRUE(Passes({7, 8, 9, 16, 17, 18}));
    Filter.Finish();
    EXPECT_TRUE(Filter.Conds[0].RangeDraws.empty());
    EXPECT_FALSE(Passes({7, 8, 9, 16, 17, 18}));
}

TEST_F(FltDBCNTest, ARangeWithoutDrawsNeverHolds)
{
    AddCondition(IndexRange(10, 12), TRangeBlock{rmExact, 0, 0});
    Filter.TakeDraws();
    Filter.Prepare();
    EXPECT_TRUE(Filter.Conds[0].RangeDraws.empty());
    EXPECT_FALSE(Passes({22, 23, 24, 25, 26, 27}));
    EXPECT_FALSE(Passes({1, 2, 3, 4, 5, 6}));
    Filter.Finish();
}

TEST_F(FltDBCNTest, WithoutPrepareOrManagerThereAreNoDraws)
{
    AddCondition(IndexRange(1, 4), TRangeBlock{rmExact, 0, 0});
    EXPECT_FALSE(Passes({22, 23, 24, 25, 26, 27}));
    Filter.SetDrawsManager(nullptr);
    Filter.TakeDraws();
    Filter.Prepare();
    EXPECT_FALSE(Passes({22, 23, 24, 25, 26, 27}));
}

TEST_F(FltDBCNTest, MarkingWithoutTakingTheDrawsFailsInsteadOfRejectingEverything)
{
    RegisterFilterKinds();
    AddCondition(IndexRange(1, 4), TRangeBlock{rmAtLeast, 1, 0});
    TGroupFilter set(Game.get(), 49, 6, {});
    set.AddFilter(&Filter, true);
    set.Build();
    set.SetDrawsManager(&History);
    TDrawsManager candidates(Game.get(), -1);
    candidates.AddDraw(Combo({1, 22, 23, 24, 25, 26}), Day(20));
    EXPECT_THROW(candidates.MarkByFilter(set, nullptr, {}), std::logic_error);
    EXPECT_EQ(candidates.GetDraw(0).Mark, 0);
    set.TakeDraws();
    EXPECT_EQ(candidates.MarkByFilter(set, nullptr, {}), 1);
}

TEST_F(FltDBCNTest, PrepareLeavesTheHistorysMarksAlone)
{
    TDrawsRange last;
    DefaultDrawsRange(last);
    last.Mode = drLast;
    ASSERT_TRUE(History.SetRange(last));
    AddCondition(IndexRange(1, 2), TRangeBlock{rmAtLeast, 1, 0});
    Filter.TakeDraws();
    Filter.Prepare();
    for (int i = 0; i < History.Count(); ++i)
        EXPECT_EQ(History.GetDraw(i).Mark, i == 3 ? 1 : 0) << i;
    EXPECT_EQ(History.GetRange().Mode, drLast);
    Filter.Finish();
}

TEST_F(FltDBCNTest, AFilterSetHandsItsManagerAndRunsTheDraws)
{
    RegisterFilterKinds();
    TGroupFilter set(Game.get(), 49, 6, {});
    Filter.Params.Range = IndexRange(4, 4);
    Filter.Params.Count = TRangeBlock{rmAtLeast, 2, 0};
    Filter.SetDrawsManager(nullptr);
    ASSERT_GE(set.AddFilter(&Filter, true), 0);
    set.Build();
    set.SetDrawsManager(&History);
    set.TakeDraws();
    set.Prepare();
    EXPECT_TRUE(set.Test(Combo({1, 7, 8, 20, 30, 40}).data()));
    EXPECT_FALSE(set.Test(Combo({1, 7, 19, 20, 30, 40}).data()));
    set.Finish();
    EXPECT_FALSE(set.Test(Combo({1, 7, 8, 20, 30, 40}).data()));
}

// A TFltComb without reference numbers passes everything; this one's Prepare, which a set runs before
// TFltDBCN's, tells the test that the worker reached it and waits until the test lets it go on.
std::promise<void> GateReached, GateReleased;
class TFltGate : public TFltComb {
public:
    using TFltComb::TFltComb;
    void Prepare() override
    {
        GateReached.set_value();
        GateReleased.get_future().wait();
    }
};

TEST_F(FltDBCNTest, TheMarkingWorkerCountsOverTheDrawsTakenBeforeItStarted)
{
    RegisterFilterKinds();
    GateReached = {};
    GateReleased = {};
    const TFilterMaker previous =
        RegisterFilterKind(fltComb,
                           [](const TGameData *Game, uint32_t N, uint32_t K,
                              const TDynByteArr &Numbers) -> std::unique_ptr<TFilter> {
                               return std::make_unique<TFltGate>(Game, N, K, Numbers);
                           });
    TGroupFilter set(Game.get(), 49, 6, {});
    set.AddFilter(CreateFilter(fltComb, Game.get(), 49, 6, {}).release(), false);
    Filter.Params.Range = IndexRange(1, 4);
    Filter.Params.Count = TRangeBlock{rmAll, 6, 6};
    set.AddFilter(&Filter, true);
    set.Build();
    set.SetDrawsManager(&History);
    set.TakeDraws();

    // The worker marks these by the set: a draw of the history, and a combination drawn by none yet.
    TDrawsManager candidates(Game.get(), -1);
    candidates.AddDraw(Combo({7, 8, 9, 16, 17, 18}), Day(20));
    candidates.AddDraw(Combo({22, 23, 24, 25, 26, 27}), Day(21));
    TMyThread2 worker;
    worker.Proc = [&](TMyThread &Thread) { candidates.MarkByFilter(set, &Thread, {}); };
    worker.Resume();
    const bool reached =
        GateReached.get_future().wait_for(std::chrono::minutes(1)) == std::future_status::ready; // guard only
    // While the worker waits, the history is replaced by the other combination alone.
    TDrawsManager replacement(Game.get(), -1);
    replacement.AddDraw(Combo({22, 23, 24, 25, 26, 27}), Day(5));
    History.CopyDraws(replacement, false);
    GateReleased.set_value();
    worker.WaitFor();
    RegisterFilterKind(fltComb, previous);

    ASSERT_TRUE(reached);
    EXPECT_EQ(candidates.GetDraw(0).Mark, 1);
    EXPECT_EQ(candidates.GetDraw(1).Mark, 0);
}

TEST_F(FltDBCNTest, ADrawAddedToAHistoryIsTestedAgainstTheDrawsOfTheKeptSet)
{
    RegisterFilterKinds();
    TGroupFilter set(Game.get(), 49, 6, {});
    Filter.Params.Range = IndexRange(1, 4);
    Filter.Params.Count = TRangeBlock{rmExact, 5, 5};
    set.AddFilter(&Filter, true);
    set.Build();
    History.SetFilter(set);
    History.AddDraw(Combo({1, 2, 3, 4, 5, 40}), Day(10));
    // Five in common with the draw before, which is out of range.
    History.AddDraw(Combo({1, 2, 3, 4, 39, 40}), Day(11));
    EXPECT_TRUE(History.GetDraw(4).Flags & dfFilter);
    EXPECT_FALSE(History.GetDraw(5).Flags & dfFilter);
}

TEST_F(FltDBCNTest, NamesAndDescription)
{
    EXPECT_EQ(Filter.GetName(), "Losowane liczby");
    EXPECT_EQ(Filter.MaxCount(), 6);
    TFltDBCN longer(Game.get(), 49, 8, {});
    EXPECT_EQ(longer.MaxCount(), 6);
    TFltDBCN shorter(Game.get(), 49, 4, {});
    EXPECT_EQ(shorter.MaxCount(), 4);
    Filter.Params.Count = TRangeBlock{rmAtLeast, 2, 6};
    Filter.Params.Range.Count = 0;
    EXPECT_EQ(Filter.GetDescription(), "Ilość liczb: co najmniej 2;   Brak losowań");
    Filter.Params.Count = TRangeBlock{rmAll, 6, 6};
    EXPECT_EQ(Filter.GetDescription().rfind("Ilość liczb: wszystkie;   ", 0), 0u);
}

// The 116 bytes of a range record laid out field by field.
Bytes RangeRecord(uint8_t Mode, double StartDate, uint8_t PeriodUnit, int32_t FirstIndex, int32_t LastIndex)
{
    Bytes b{Mode, 1, 0};
    AppendF64(b, StartDate);
    AppendF64(b, 44000);
    Append(b, {1, 0});
    AppendF64(b, 44100);
    b.push_back(PeriodUnit);
    AppendI32(b, 30);
    AppendI32(b, FirstIndex);
    AppendI32(b, LastIndex);
    for (int i = 0; i < 7 + 31 + 12 + 4; ++i)
        b.push_back(i % 2 == 0 ? 1 : 0);
    AppendF64(b, 0);
    AppendF64(b, 0);
    AppendI32(b, 0);
    return b;
}

TEST_F(FltDBCNTest, RecordReadsAndWritesByteForByte)
{
    Bytes record{0};
    const Bytes range = RangeRecord(drIndexes, 43900, puWeek, 3, 8);
    ASSERT_EQ(range.size(), 116u);
    record.insert(record.end(), range.begin(), range.end());
    record.push_back(rmAtLeast);
    AppendI32(record, 1);
    AppendI32(record, 7);
    ASSERT_EQ(record.size(), 126u);
    Load(Filter, record);
    EXPECT_FALSE(Filter.AndMode);
    EXPECT_EQ(Filter.Params.Range.Mode, drIndexes);
    EXPECT_EQ(Filter.Params.Range.StartDate, 43900);
    EXPECT_EQ(Filter.Params.Range.PeriodUnit, puWeek);
    EXPECT_EQ(Filter.Params.Range.FirstIndex, 3);
    EXPECT_EQ(Filter.Params.Range.LastIndex, 8);
    EXPECT_TRUE(Filter.Params.Range.WeekDays[0]);
    EXPECT_FALSE(Filter.Params.Range.WeekDays[1]);
    EXPECT_EQ(Filter.Params.Count, (TRangeBlock{rmAtLeast, 1, 6}));

    Bytes expected = record;
    expected[expected.size() - 4] = 6; // max clamped to the six numbers drawn
    EXPECT_EQ(Saved(Filter), expected);
}

TEST_F(FltDBCNTest, ADamagedRegistryRecordIsRepaired)
{
    Bytes record{1};
    const Bytes range = RangeRecord(200, 1e12, 99, -3, 4);
    record.insert(record.end(), range.begin(), range.end());
    record.push_back(rmExact);
    AppendI32(record, 2);
    AppendI32(record, 2);
    SaveBytesToReg("Filters", "14", record);
    Filter.LoadLastParams("Filters");
    const TDrawsRange &r = Filter.Params.Range;
    EXPECT_EQ(r.Mode, drAll);
    EXPECT_EQ(r.PeriodUnit, puDay);
    EXPECT_LT(r.StartDate, 3e6);
    EXPECT_EQ(r.FirstIndex, 1);
    EXPECT_EQ(r.LastIndex, 4);
    EXPECT_EQ(Filter.Params.Count, (TRangeBlock{rmExact, 2, 2}));
}

TEST_F(FltDBCNTest, SameAsComparesTheRangeRecordAndTheCount)
{
    TFltDBCN other(Game.get(), 49, 6, {});
    Filter.Params.Range = IndexRange(1, 2);
    other.Assign(Filter);
    EXPECT_EQ(other.DrawsManager, &History);
    EXPECT_TRUE(Filter.SameAs(other));
    other.Params.Range.Months[3] = false;
    EXPECT_FALSE(Filter.SameAs(other));
    other.Params.Range = Filter.Params.Range;
    other.Params.Count.Min = 3;
    EXPECT_FALSE(Filter.SameAs(other));
}

TEST(FltRefKindsTest, TheFactoryMakesBothKinds)
{
    RegisterFilterKinds();
    auto game = MakeDrawsGame(49, 6);
    const auto comb = CreateFilter(fltComb, game.get(), 49, 6, {});
    const auto dbcn = CreateFilter(fltDBCN, game.get(), 49, 6, {});
    ASSERT_NE(comb, nullptr);
    ASSERT_NE(dbcn, nullptr);
    EXPECT_NE(dynamic_cast<const TFltComb *>(comb.get()), nullptr);
    EXPECT_NE(dynamic_cast<const TFltDBCN *>(dbcn.get()), nullptr);
}

} // namespace
