#include "engine/USysGeneral.h"

#include "core/DateTime.h"
#include "core/UComb.h"
#include "core/UGlobalFiles.h"
#include "core/UGlobalThreads.h"
#include "engine/FilterKinds.h"
#include "engine/UFilters.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "engine/USysShort.h"
#include "platform/AtomicFile.h"
#include "tests/engine/FailingSumFilter.h"
#include "tests/engine/SystemTestSupport.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <set>
#include <tuple>
#include <vector>

namespace {

using systest::markInWorker;
using systest::put32;
using systest::Rows;
using systest::shown;

// A filter kind for the tests: the sum of the numbers within {min, max}.
class TFltTestSum : public TCondFilter<TRangeBlock> {
public:
    TFltTestSum(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers)
        : TCondFilter(fltSum, Game, N, K, Numbers)
    {
        Params = TRangeBlock{rmRange, 0, 1000};
    }

    static std::unique_ptr<TFilter> Make(const TGameData *Game, uint32_t N, uint32_t K,
                                         const TDynByteArr &Numbers)
    {
        return std::make_unique<TFltTestSum>(Game, N, K, Numbers);
    }

    std::string GetName() const override { return "Suma"; }
    std::string GetDescription() const override { return ""; }
    bool Test(const uint8_t *Comb) override
    {
        const int32_t sum = std::accumulate(Comb, Comb + K, 0);
        return TestConds([sum](const TRangeBlock &Cond) { return Cond.Holds(sum); });
    }

protected:
    void ReadParams(platform::ByteReader &Stream, TRangeBlock &Cond) override { Cond.Read(Stream); }
    void WriteParams(platform::ByteWriter &Stream, const TRangeBlock &Cond) const override
    {
        Cond.Write(Stream);
    }
    void ClampParams(TRangeBlock &Cond) const override { Cond.Clamp(0b11, rmRange, 0, 1000); }
    void NormaliseCondition(TRangeBlock &Cond) const override
    {
        if (Cond.Mode == rmExact)
            Cond.Max = Cond.Min;
    }
};

int sumOf(const uint8_t *C, int K)
{
    return std::accumulate(C, C + K, 0);
}

class SysGeneral : public ::testing::Test {
protected:
    void SetUp() override
    {
        Game.Info.Id = 7;
        Game.Info.MaxNumber = 20;
        Game.Info.MinK = 3;
        Game.Info.BasicStake = Currency::fromCount(30000);
        Previous = RegisterFilterKind(fltSum, &TFltTestSum::Make);
    }
    void TearDown() override { RegisterFilterKind(fltSum, Previous); }

    // Every combination of K of N positions, in lexicographic order.
    std::unique_ptr<TSysShort> full(int N, int K)
    {
        auto system = std::make_unique<TSysShort>(&Game);
        system->SetParams(N, K, int32_t(Newton[size_t(N)][size_t(K)]));
        EXPECT_TRUE(system->Generate(true));
        return system;
    }

    // Every combination but the last, with a key out of order.
    std::unique_ptr<TSysShort> scrambled(int N, int K, const TDynByteArr &Key)
    {
        auto system = full(N, K);
        system->DeleteCombs(system->ViewCount() - 1, system->ViewCount() - 1);
        system->SetKey(Key);
        EXPECT_FALSE(system->KeyAscending);
        return system;
    }

    // A set of one sum filter over the system's numbers.
    std::unique_ptr<TGroupFilter> sumSet(const TSystem &System, int32_t Min, int32_t Max, bool FindType)
    {
        auto set = std::make_unique<TGroupFilter>(&Game, System.N, System.K, System.Key);
        auto filter = CreateFilter(fltSum, &Game, System.N, System.K, System.Key);
        static_cast<TFltTestSum &>(*filter).Params = TRangeBlock{rmRange, Min, Max};
        set->AddFilter(filter.release(), false);
        set->FindType = FindType;
        set->Build();
        return set;
    }

    // The view is in ascending order of the numbers and the store finds every shown row where it stands.
    static void expectLookupsRight(const TSystem &System)
    {
        const Rows rows = shown(System);
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
        const auto &index = System.Combs.GetIndex();
        for (int i = 1; i < index.Count(); ++i)
            ASSERT_LE(CompareCombs(System.Combs.CombPtr(index.GetItem(i - 1), true),
                                   System.Combs.CombPtr(index.GetItem(i), true), System.K),
                      0);
        for (int i = 0; i < System.ViewCount(); ++i) {
            int pos = -1;
            ASSERT_TRUE(System.Combs.FindComb(System.GetComb(i, true), pos, true));
            EXPECT_TRUE(CombsEqual(System.Combs.CombPtr(index.GetItem(pos), true), System.GetComb(i, true),
                                   System.K));
        }
    }

    TGameData Game;
    TFilterMaker Previous = nullptr;
};

TEST_F(SysGeneral, KindsFromTheFactory)
{
    for (const int kind : {0, 10}) {
        const auto system = CreateSystem(kind, &Game);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->Kind, kind);
        EXPECT_TRUE(system->ShowAll);
        EXPECT_TRUE(system->KeyAscending);
        EXPECT_FALSE(system->HasFilter);
    }
    EXPECT_NE(dynamic_cast<TSysShort2 *>(CreateSystem(10, &Game).get()), nullptr);
    for (const int kind : {-1, 8, 9, 11, 255})
        EXPECT_EQ(CreateSystem(kind, &Game), nullptr);
}

TEST_F(SysGeneral, RowsAddedByHandKeepNumbersOutsideTheKey)
{
    TSysShort system(&Game);
    system.SetParams(5, 3, 0);
    system.SetKey({9, 4, 7, 2, 11});
    EXPECT_FALSE(system.KeyAscending);
    const uint8_t first[] = {4, 9, 15};
    EXPECT_EQ(system.AddComb(first), 0);
    const uint8_t second[] = {2, 4, 7};
    EXPECT_EQ(system.AddComb(second), 0); // sorts before 4 9 15
    EXPECT_EQ(shown(system), (Rows{{2, 4, 7}, {4, 9, 15}}));
    EXPECT_EQ(shown(system, false), (Rows{{2, 3, 4}, {1, 2, 15}}));
    EXPECT_EQ(system.GetCombFlags(1), cfByHand);
    // Two simple bets at 3 zł.
    EXPECT_EQ(system.GetCost(), Currency::fromCount(60000));

    uint8_t numbers[] = {11, 9, 3};
    system.NumbersToPositions(numbers);
    EXPECT_EQ(std::vector<int>(numbers, numbers + 3), (std::vector<int>{1, 3, 5}));
}

TEST_F(SysGeneral, NewKeyMapsPositionsAndReordersRows)
{
    const auto system = scrambled(5, 3, {9, 3, 7, 1, 5});
    EXPECT_FALSE(system->IsDefaultKey());
    EXPECT_TRUE(system->SameKey({9, 3, 7, 1, 5}));
    for (int i = 0; i < system->ViewCount(); ++i) {
        const uint8_t *positions = system->GetComb(i, false);
        std::vector<int> expected;
        for (int j = 0; j < 3; ++j)
            expected.push_back(system->Key[positions[j] - 1]);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(std::vector<int>(system->GetComb(i, true), system->GetComb(i, true) + 3), expected);
    }
    // Positions 1 2 3 hold 9 3 7.
    const Rows positions = shown(*system, false), rows = shown(*system);
    const auto at =
        std::find(positions.begin(), positions.end(), std::vector<int>{1, 2, 3}) - positions.begin();
    EXPECT_EQ(rows[size_t(at)], (std::vector<int>{3, 7, 9}));
    expectLookupsRight(*system);
}

TEST_F(SysGeneral, FullSystemKeepsItsKeyAscending)
{
    const auto system = full(5, 3);
    EXPECT_TRUE(system->IsFullInOrder());
    system->SetKey({9, 3, 7, 1, 5});
    EXPECT_EQ(system->Key, (TDynByteArr{1, 3, 5, 7, 9}));
    EXPECT_TRUE(system->KeyAscending);
    EXPECT_TRUE(system->IsFullInOrder());
    EXPECT_EQ(shown(*system).front(), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(shown(*system).back(), (std::vector<int>{5, 7, 9}));
    // The guarantee's one category holds the positions, whatever the key.
    const TAGParams groups = system->GetNumberGroups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Weight, 1.0);
    EXPECT_EQ(groups[0].Count, 5);
    EXPECT_EQ(groups[0].Numbers, (TDynByteArr{1, 2, 3, 4, 5}));
}

// A number outside the key stays itself in half A; a new key must neither read past the key for it nor
// take another number's place for it.
TEST_F(SysGeneral, NumbersOutsideTheKeySurviveANewKey)
{
    TSysShort system(&Game);
    system.SetParams(3, 3, 0);
    system.SetKey({10, 11, 12});
    const uint8_t row[] = {4, 10, 11};
    system.AddComb(row);
    EXPECT_EQ(shown(system, false), (Rows{{1, 2, 4}}));
    system.SetKey({13, 14, 15});
    EXPECT_EQ(shown(system), (Rows{{4, 13, 14}}));

    // Both keys ascending: rows without such numbers keep their order, the one with it moves.
    const auto two = full(4, 2);
    two->SetKey({10, 11, 12, 13});
    const uint8_t outside[] = {5, 13};
    EXPECT_EQ(two->AddComb(outside), 0);
    two->SetKey({1, 2, 3, 6});
    EXPECT_EQ(shown(*two), (Rows{{1, 2}, {1, 3}, {1, 6}, {2, 3}, {2, 6}, {3, 6}, {5, 6}}));
    expectLookupsRight(*two);
}

TEST_F(SysGeneral, FullInOrderOnlyForEveryPositionSetInOrder)
{
    const auto system = full(3, 2);
    EXPECT_TRUE(system->IsFullInOrder());
    system->DeleteCombs(2, 2);
    EXPECT_FALSE(system->IsFullInOrder());
    const uint8_t outside[] = {2, 9};
    system->AddComb(outside); // positions 2 and 9: as many rows as C(3, 2) again
    EXPECT_EQ(system->ViewCount(), 3);
    EXPECT_FALSE(system->IsFullInOrder());
}

TEST_F(SysGeneral, CountDistinctAndDeletingFewRows)
{
    const auto system = full(4, 2);
    const uint8_t twice[] = {1, 2};
    system->AddComb(twice);
    system->AddComb(twice);
    EXPECT_EQ(system->ViewCount(), 8);
    EXPECT_EQ(system->CountDistinct(), 6);
    // Fewer than half: the records stay, flagged, until a later pack.
    system->DeleteCombs(0, 2);
    EXPECT_EQ(system->ViewCount(), 5);
    EXPECT_EQ(system->Combs.GetCount(), 8);
    EXPECT_EQ(system->GetCount(), 5);
    EXPECT_EQ(system->CountDistinct(), 5);
    EXPECT_EQ(shown(*system), (Rows{{1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}));
    platform::ByteWriter body;
    system->SaveToStream(body);
    // 2 + 7 parameter bytes, the key, five rows of 2 + 2 + 1 bytes, ShowAll.
    EXPECT_EQ(body.size(), 9u + 4u + 5u * 5u + 1u);
    EXPECT_EQ(system->ReplaceComb(4, twice), 0) << "the new row's place in the view";
    EXPECT_EQ(shown(*system), (Rows{{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}}));
    EXPECT_EQ(system->ViewCount(), 5);
}

// Rows added by hand stand at the end of the records; packing in record order left them out of place.
// The count the view was built with gives way to the rows' own after every other change.
TEST_F(SysGeneral, CountDistinctFollowsEveryChangeOfTheView)
{
    const auto system = full(5, 2);
    const auto expectDistinct = [&system](const char *What) {
        const Rows rows = shown(*system);
        const std::set<std::vector<int>> distinct(rows.begin(), rows.end());
        EXPECT_EQ(system->CountDistinct(), int64_t(distinct.size())) << What;
    };
    expectDistinct("drawn");
    const uint8_t fresh[] = {1, 6}, twice[] = {2, 3};
    system->AddComb(fresh);
    expectDistinct("a new row added");
    system->SetKey({5, 4, 3, 2, 1});
    system->AddComb(twice);
    expectDistinct("a repeated row added under a new key");
    system->DeleteCombs(0, 0);
    expectDistinct("a row deleted");
    system->RefreshView(true);
    expectDistinct("the view rebuilt");
    system->TSystem::SetParams(5, 3);
    expectDistinct("new parameters");
}

TEST_F(SysGeneral, DeletingManyRowsKeepsRowsAddedByHandInOrder)
{
    const auto system = full(6, 3);
    const uint8_t late[] = {3, 4, 5};
    const uint8_t early[] = {1, 2, 3};
    system->AddComb(late);
    system->AddComb(early);
    system->DeleteCombs(0, 12);
    EXPECT_EQ(system->Combs.GetCount(), system->Combs.GetLive());
    EXPECT_EQ(system->ViewCount(), 9);
    expectLookupsRight(*system);
    const Rows rows = shown(*system);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), std::vector<int>{3, 4, 5}), 2);
    const uint8_t another[] = {2, 5, 6};
    const int at = system->AddComb(another);
    EXPECT_EQ(shown(*system)[size_t(at)], (std::vector<int>{2, 5, 6}));
    expectLookupsRight(*system);
}

TEST_F(SysGeneral, MarkingInAWorkerAndAdoptingTheSet)
{
    const auto system = scrambled(8, 3, {8, 3, 6, 1, 7, 2, 5, 4});
    const int total = system->ViewCount();
    const auto set = sumSet(*system, 10, 13, true);
    std::vector<int> positions;
    const int64_t passed = markInWorker(*system, *set, false, &positions);
    int expected = 0;
    for (int i = 0; i < system->ViewCount(); ++i) {
        const bool in = sumOf(system->GetComb(i, true), 3) >= 10 && sumOf(system->GetComb(i, true), 3) <= 13;
        expected += in ? 1 : 0;
        EXPECT_EQ((system->GetCombFlags(i) & cfMarked) != 0, in);
    }
    EXPECT_EQ(passed, expected);
    EXPECT_GT(expected, 0);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), 10000);

    system->SetFilter(*set);
    EXPECT_TRUE(system->HasFilter);
    EXPECT_TRUE(system->FilterApplied);
    EXPECT_EQ(system->Filter->GetExpression(), "F08");
    system->RefreshView(false);
    EXPECT_EQ(system->ViewCount(), expected);
    for (int i = 0; i < system->ViewCount(); ++i)
        EXPECT_EQ(system->GetCombFlags(i) & (cfPassed | cfMarked), cfPassed | cfMarked);

    // By hand: shown whatever the filter says, marked as passing only when it passes.
    const uint8_t rejected[] = {1, 2, 3};
    const uint8_t accepted[] = {1, 4, 7};
    EXPECT_EQ(system->GetCombFlags(system->AddComb(rejected)), cfByHand);
    EXPECT_EQ(system->GetCombFlags(system->AddComb(accepted)), cfByHand | cfPassed);
    EXPECT_EQ(system->ViewCount(), expected + 2);

    // A deleting set shows the rows that fail it.
    system->Filter->FindType = false;
    system->RefreshView(false);
    EXPECT_EQ(system->ViewCount(), total - expected + 2);
    system->RefreshView(true);
    EXPECT_EQ(system->ViewCount(), total + 2);
    expectLookupsRight(*system);

    // A new key invalidates the marks.
    system->SetKey({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_FALSE(system->FilterApplied);
    EXPECT_EQ(system->ViewCount(), total + 2);
}

TEST_F(SysGeneral, StoppedMarkingEndsAtTheFirstCheck)
{
    const auto system = full(14, 5); // 2002 rows
    const auto set = sumSet(*system, 30, 45, true);
    const int64_t passed = markInWorker(*system, *set, true);
    int expected = 0;
    for (int rec = 0; rec < system->Combs.GetCount(); ++rec) {
        const int sum = sumOf(system->Combs.CombPtr(rec, true), 5);
        const bool marked = (*system->Combs.FlagsPtr(rec) & cfMarked) != 0;
        if (rec < 1001) {
            expected += sum >= 30 && sum <= 45 ? 1 : 0;
            EXPECT_EQ(marked, sum >= 30 && sum <= 45);
        } else {
            EXPECT_FALSE(marked);
        }
    }
    EXPECT_EQ(passed, expected);
}

TEST_F(SysGeneral, MarkingThatFailsHalfWayChangesNoMarkAndReportsWhy)
{
    const auto system = full(8, 3);
    markInWorker(*system, *sumSet(*system, 6, 12, true), false);
    std::vector<uint8_t> before;
    for (int rec = 0; rec < system->Combs.GetCount(); ++rec)
        before.push_back(*system->Combs.FlagsPtr(rec));

    TFailingSumKind kind;
    // 1 2 8, the sixth row, is the first to sum to 11 or more: the five before it, marked, are rejected first.
    std::string failure;
    EXPECT_EQ(markInWorker(*system, *TFailingSum::FailingAt(&Game, 8, 3, 11, 21), false, nullptr, &failure), -1);
    EXPECT_EQ(failure, TFailingSum::FailureText);
    for (int rec = 0; rec < system->Combs.GetCount(); ++rec)
        EXPECT_EQ(*system->Combs.FlagsPtr(rec), before[size_t(rec)]) << rec;
    EXPECT_EQ(TFailingSum::Finished, 1);
}

// With a key out of order the records are not in the order of the numbers; the packed index must be.
TEST_F(SysGeneral, DeletingByFilterKeepsLookupsRightWithAnyKey)
{
    for (const auto &[min, max, findType] :
         {std::tuple{9, 14, true}, {9, 14, false}, {12, 27, true}, {12, 27, false}}) {
        const auto system = scrambled(8, 3, {8, 3, 6, 1, 7, 2, 5, 4});
        std::set<std::vector<int>> kept;
        for (const auto &row : shown(*system)) {
            const int sum = std::accumulate(row.begin(), row.end(), 0);
            if ((sum >= min && sum <= max) == findType)
                kept.insert(row);
        }
        const auto set = sumSet(*system, min, max, findType);
        markInWorker(*system, *set, false);
        system->SetFilter(*set);
        system->DeleteByFilter(*system->Filter);
        EXPECT_FALSE(system->HasFilter);
        EXPECT_EQ(system->Filter, nullptr);
        const Rows rows = shown(*system);
        EXPECT_EQ(std::set<std::vector<int>>(rows.begin(), rows.end()), kept);
        EXPECT_EQ(system->GetCount(), int64_t(kept.size()));
        EXPECT_EQ(system->Count, int64_t(kept.size())) << "the parameters count the rows left";
        expectLookupsRight(*system);
        EXPECT_EQ(system->CountDistinct(), int64_t(kept.size()));
        const uint8_t again[] = {2, 5, 8};
        const int at = system->AddComb(again);
        EXPECT_EQ(shown(*system)[size_t(at)], (std::vector<int>{2, 5, 8}));
        expectLookupsRight(*system);
    }
}

TEST_F(SysGeneral, AssignCopiesRowsKeyAndFilter)
{
    const auto system = scrambled(6, 3, {6, 2, 9, 4, 1, 8});
    const auto set = sumSet(*system, 12, 16, true);
    markInWorker(*system, *set, false);
    system->SetFilter(*set);
    system->RefreshView(false);
    system->Progress.OnProgress = [](int32_t, int32_t) {};

    TSysShort copy(&Game);
    copy.Assign(*system);
    EXPECT_EQ(copy.Key, system->Key);
    EXPECT_FALSE(copy.KeyAscending);
    EXPECT_EQ(shown(copy), shown(*system));
    EXPECT_FALSE(copy.ShowAll);
    ASSERT_NE(copy.Filter, nullptr);
    EXPECT_NE(copy.Filter.get(), system->Filter.get());
    EXPECT_TRUE(copy.Filter->FindType);
    EXPECT_TRUE(copy.FilterApplied);
    EXPECT_TRUE(bool(copy.Progress.OnProgress));
}

// The system file as the program writes it, byte by byte.
class SystemFile : public SysGeneral {
protected:
    static platform::Bytes frame(uint8_t SubKind, const platform::Bytes &Body, double Date = 45000.5)
    {
        return systest::systemFile(7, SubKind, Body, Date);
    }

    // A classic system of 3 of 5 numbers with the key 9 4 7 2 11, three rows and a filter set keeping
    // the sums 15..25, shown through the filter.
    static platform::Bytes body()
    {
        platform::Bytes b{1, 1, 3, 5};
        put32(b, 3);
        b.push_back(0);                            // RandomTies
        b.insert(b.end(), {9, 4, 7, 2, 11});       // key
        b.insert(b.end(), {2, 4, 5, 2, 4, 11, 9}); // sum 17: passes, marked
        b.insert(b.end(), {1, 2, 3, 4, 7, 9, 11}); // sum 20: passes, marked, by hand
        b.insert(b.end(), {1, 3, 5, 7, 9, 11, 8}); // sum 27: marked by an older marking only
        b.push_back(1);                            // keep what passes
        put32(b, 1);
        put32(b, fltSum);
        b.insert(b.end(), {1, rmRange, 15, 0, 0, 0, 25, 0, 0, 0});
        b.push_back(0); // ShowAll
        return b;
    }

    std::string path(const char *Name) const { return (Dir / Name).string(); }
    void write(const char *Name, const platform::Bytes &Bytes) const
    {
        ASSERT_TRUE(platform::writeFileAtomically(path(Name), Bytes));
    }

    std::filesystem::path Dir = testsupport::makeTempDir("sysfile");
};

TEST_F(SystemFile, HandBuiltFileLoadsAndSavesBackTheSameBytes)
{
    write("L1.dat", frame(0, body()));
    TSysShort system(&Game);
    ASSERT_TRUE(system.LoadFromFile(path("L1.dat")));
    EXPECT_EQ(system.N, 5);
    EXPECT_EQ(system.K, 3);
    EXPECT_EQ(system.Count, 3);
    EXPECT_FALSE(system.RandomTies);
    EXPECT_EQ(system.Key, (TDynByteArr{9, 4, 7, 2, 11}));
    EXPECT_FALSE(system.KeyAscending);
    EXPECT_TRUE(system.FullBet);
    EXPECT_TRUE(system.HasFilter);
    EXPECT_TRUE(system.FilterApplied);
    EXPECT_FALSE(system.ShowAll);
    ASSERT_NE(system.Filter, nullptr);
    EXPECT_TRUE(system.Filter->FindType);
    EXPECT_EQ(system.Filter->BuiltCount, 1u);
    EXPECT_EQ(static_cast<TFltTestSum *>(system.Filter->GetFilter(0))->Params,
              (TRangeBlock{rmRange, 15, 25}));
    EXPECT_EQ(system.GetCount(), 3);
    EXPECT_EQ(shown(system), (Rows{{2, 4, 11}, {4, 7, 9}}));
    EXPECT_EQ(shown(system, false), (Rows{{2, 4, 5}, {1, 2, 3}}));
    EXPECT_EQ(system.GetCombFlags(1), 0x0B);

    const double before = Now();
    ASSERT_TRUE(system.SaveToFile(path("L2.dat"), "Mój", "abc"));
    const double after = Now();
    TDynByteArr saved;
    ASSERT_TRUE(readFileBytes(path("L2.dat"), saved));
    ASSERT_GT(saved.size(), 14u);
    double date;
    std::memcpy(&date, saved.data() + 6, 8);
    EXPECT_GE(date, before);
    EXPECT_LE(date, after);
    EXPECT_EQ(saved, frame(0, body(), date));
    EXPECT_TRUE(CheckFileCRC(path("L2.dat")));
}

// A spread filter of 5..20 over the key 9 4 7 2 11, whose rows of three spread from 4 to 9: the system
// keeps and saves back the limits it was saved with, and its set tests the spreads from 5 to 9.
TEST_F(SystemFile, FilterLimitsBeyondTheKeysReachAreSavedBackAsTheyWere)
{
    RegisterFilterKinds();
    platform::Bytes b = body();
    b[40] = fltDist;
    b[46] = 5;
    b[50] = 20;
    write("L1.dat", frame(0, b));
    TSysShort system(&Game);
    ASSERT_TRUE(system.LoadFromFile(path("L1.dat")));
    ASSERT_EQ(system.Filter->BuiltCount, 1u);
    EXPECT_EQ(static_cast<TFltDist *>(system.Filter->GetFilter(0))->Params, (TRangeBlock{rmRange, 5, 20}));
    EXPECT_EQ(static_cast<TFltDist &>(*system.Filter->Built[0]).Conds,
              (std::vector{TRangeBlock{rmRange, 5, 9}}));

    ASSERT_TRUE(system.SaveToFile(path("L2.dat"), "Mój", "abc"));
    TDynByteArr saved;
    ASSERT_TRUE(readFileBytes(path("L2.dat"), saved));
    ASSERT_GT(saved.size(), 14u);
    double date;
    std::memcpy(&date, saved.data() + 6, 8);
    EXPECT_EQ(saved, frame(0, b, date));
}

TEST_F(SystemFile, WithoutFilterTheLastByteIsShowAll)
{
    TSysShort system(&Game);
    system.SetParams(4, 2, 6);
    system.RandomTies = false;
    ASSERT_TRUE(system.Generate(true));
    ASSERT_TRUE(system.SaveToFile(path("L3.dat"), "", ""));
    TDynByteArr saved;
    ASSERT_TRUE(readFileBytes(path("L3.dat"), saved));
    platform::Bytes b{0, 0, 2, 4};
    put32(b, 6);
    b.push_back(0);
    b.insert(b.end(), {1, 2, 3, 4});
    for (const auto &[x, y] : {std::pair{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}})
        b.insert(b.end(), {uint8_t(x), uint8_t(y), uint8_t(x), uint8_t(y), 0});
    b.push_back(1);
    const platform::Bytes tail(saved.begin() + 6 + 268, saved.end() - 4);
    EXPECT_EQ(tail, b);
    EXPECT_EQ(saved[4], 0);
    EXPECT_EQ(saved[5], 0);
}

TEST_F(SystemFile, SavedSystemLoadsBackIdentical)
{
    TSysShort system(&Game);
    system.SetParams(12, 5, 40);
    ASSERT_TRUE(system.Generate(true));
    system.SetKey({20, 3, 15, 7, 1, 12, 9, 18, 4, 11, 6, 14});
    const uint8_t byHand[] = {3, 7, 15, 19, 20};
    system.AddComb(byHand);
    const auto set = sumSet(system, 40, 60, false);
    markInWorker(system, *set, false);
    system.SetFilter(*set);
    system.RefreshView(false);
    ASSERT_TRUE(system.SaveToFile(path("L4.dat"), "tytuł", "opis"));

    TDynByteArr bytes;
    ASSERT_TRUE(readFileBytes(path("L4.dat"), bytes));
    EXPECT_EQ(bytes[5], 0);
    const auto read = CreateSystem(bytes[5], &Game);
    ASSERT_TRUE(read->LoadFromFile(path("L4.dat")));
    EXPECT_EQ(read->Key, system.Key);
    EXPECT_EQ(read->Count, system.GetCount());
    EXPECT_EQ(static_cast<TSysShort &>(*read).RandomTies, system.RandomTies);
    EXPECT_EQ(read->ShowAll, system.ShowAll);
    EXPECT_EQ(read->FilterApplied, system.FilterApplied);
    EXPECT_EQ(read->Filter->GetExpression(), system.Filter->GetExpression());
    EXPECT_EQ(read->Filter->FindType, system.Filter->FindType);
    EXPECT_EQ(shown(*read), shown(system));
    EXPECT_EQ(shown(*read, false), shown(system, false));
    for (int i = 0; i < read->ViewCount(); ++i)
        EXPECT_EQ(read->GetCombFlags(i), system.GetCombFlags(i));
    read->RefreshView(true);
    EXPECT_EQ(read->ViewCount(), 41);
    expectLookupsRight(*read);
}

TEST_F(SystemFile, DamagedFilesAreRefused)
{
    TSysShort system(&Game);
    const auto refused = [&](const platform::Bytes &Body, uint8_t SubKind = 0) {
        write("bad.dat", frame(SubKind, Body));
        return !system.LoadFromFile(path("bad.dat"));
    };
    const platform::Bytes good = body();
    // Every cut short body.
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_TRUE(refused(platform::Bytes(good.begin(), good.begin() + long(length)))) << length;
    const auto changed = [&good](size_t At, std::initializer_list<uint8_t> Bytes) {
        platform::Bytes b = good;
        std::copy(Bytes.begin(), Bytes.end(), b.begin() + long(At));
        return b;
    };
    EXPECT_TRUE(refused(changed(4, {0xFF, 0xFF, 0xFF, 0x7F}))); // more rows than bytes
    EXPECT_TRUE(refused(changed(4, {0xFF, 0xFF, 0xFF, 0xFF}))); // a negative count
    EXPECT_TRUE(refused(changed(2, {6})));                      // K above N
    EXPECT_TRUE(refused(changed(3, {21})));                     // N above the game's numbers
    EXPECT_TRUE(refused(changed(9, {0})));                      // a key number 0
    EXPECT_TRUE(refused(changed(13, {21})));                    // a key number above 20
    EXPECT_TRUE(refused(changed(17, {0})));                     // a row number 0
    EXPECT_TRUE(refused(changed(17, {20, 4, 11})));             // a row starting with the highest number
    EXPECT_TRUE(refused(changed(17, {4, 4, 11})));              // a repeated number
    EXPECT_TRUE(refused(changed(31, {7, 11, 9})));              // the last row out of order
    EXPECT_TRUE(refused(changed(36, {0x40, 0, 0, 0})));         // a filter count beyond the bytes
    EXPECT_TRUE(refused(changed(40, {99})));                    // a filter kind that does not exist
    EXPECT_TRUE(refused(good, 10));                             // another system kind
    EXPECT_FALSE(refused(good));

    TSysShort2 twin(&Game);
    write("twin.dat", frame(10, good));
    EXPECT_TRUE(twin.LoadFromFile(path("twin.dat")));
    EXPECT_FALSE(twin.LoadFromFile(path("missing.dat")));
}

// The rows of a damaged file out of the order of their numbers are indexed in order.
TEST_F(SystemFile, RowsOutOfOrderAreIndexedInOrder)
{
    platform::Bytes b{0, 0, 2, 4};
    put32(b, 3);
    b.push_back(0);
    b.insert(b.end(), {1, 2, 3, 4});
    b.insert(b.end(), {3, 4, 3, 4, 0, 1, 2, 1, 2, 0, 2, 3, 2, 3, 0});
    b.push_back(1);
    write("L5.dat", frame(0, b));
    TSysShort system(&Game);
    ASSERT_TRUE(system.LoadFromFile(path("L5.dat")));
    EXPECT_EQ(shown(system), (Rows{{1, 2}, {2, 3}, {3, 4}}));
    expectLookupsRight(system);
}

} // namespace
