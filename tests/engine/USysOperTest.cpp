#include "engine/USysOper.h"

#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/USysShort.h"
#include "tests/engine/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

namespace {

using systest::Rows;
using systest::shown;

// Every tuple of rows joined and sorted, tuples that repeat a number dropped; sorted.
Rows composition(const std::vector<Rows> &Parts)
{
    Rows tuples{{}}, result;
    for (const Rows &part : Parts) {
        Rows next;
        for (const auto &prefix : tuples)
            for (const auto &row : part) {
                next.push_back(prefix);
                next.back().insert(next.back().end(), row.begin(), row.end());
            }
        tuples = std::move(next);
    }
    for (auto &tuple : tuples) {
        std::sort(tuple.begin(), tuple.end());
        if (std::adjacent_find(tuple.begin(), tuple.end()) == tuple.end())
            result.push_back(tuple);
    }
    std::sort(result.begin(), result.end());
    return result;
}

class SysOper : public ::testing::Test {
protected:
    SysOper()
    {
        Game.Info.MaxNumber = 9;
        Game.Info.MaxSize = 9;
        Oper.Reset(&Game);
    }
    ~SysOper() override { Limits = SavedLimits; }

    // A random key of the game's numbers and Count random rows of K of its numbers (repeats likely; now
    // and then one number outside the key), a quarter of them deleted.
    std::unique_ptr<TSysShort> randomSystem(int K, int Count)
    {
        const int n = K + 1 + int(Rng() % unsigned(Game.Info.MaxNumber - K));
        TDynByteArr numbers(Game.Info.MaxNumber);
        FillNumbers(numbers);
        std::shuffle(numbers.begin(), numbers.end(), Rng);
        auto system = std::make_unique<TSysShort>(&Game);
        system->SetParams(n, K, 0);
        system->SetKey(TDynByteArr(numbers.begin(), numbers.begin() + n));
        for (int r = 0; r < Count; ++r) {
            std::shuffle(numbers.begin(), numbers.begin() + n, Rng);
            TDynByteArr row(numbers.begin(), numbers.begin() + K);
            if (n < Game.Info.MaxNumber && Rng() % 8 == 0)
                row[0] = numbers[size_t(n)];
            std::sort(row.begin(), row.end());
            system->AddComb(row.data());
        }
        for (int d = 0; d < Count / 4; ++d) {
            const int i = int(Rng() % unsigned(system->ViewCount()));
            system->DeleteCombs(i, i);
        }
        return system;
    }

    std::unique_ptr<TSysUser> user(const TStrArray &Lines)
    {
        auto system = std::make_unique<TSysUser>(&Game);
        EXPECT_TRUE(system->LoadFromStrings(Lines));
        return system;
    }

    // The count agrees with Expected; built, Result holds it after Finish.
    void expectResult(bool Build, const Rows &Expected)
    {
        EXPECT_EQ(Oper.ResultCount, Expected.size());
        ASSERT_EQ(Oper.Result != nullptr, Build);
        Oper.Finish();
        if (Build) {
            EXPECT_EQ(shown(*Oper.Result), Expected);
        }
    }

    const TLimits SavedLimits = Limits;
    TGameData Game;
    std::mt19937 Rng{2026};
    TSysOper Oper{nullptr};
};

TEST_F(SysOper, RandomSystemsAgainstMultisetArithmetic)
{
    for (int round = 0; round < 80; ++round) {
        const int k = 2 + round % 2;
        const auto a = randomSystem(k, int(Rng() % 16)), b = randomSystem(k, int(Rng() % 16)),
                   c = randomSystem(k, int(Rng() % 16));
        const Rows ra = shown(*a), rb = shown(*b), rc = shown(*c);
        Rows common, all = ra, rest, missing;
        std::set_intersection(ra.begin(), ra.end(), rb.begin(), rb.end(), std::back_inserter(common));
        common.erase(
            std::set_intersection(common.begin(), common.end(), rc.begin(), rc.end(), common.begin()),
            common.end());
        all.insert(all.end(), rb.begin(), rb.end());
        all.insert(all.end(), rc.begin(), rc.end());
        std::sort(all.begin(), all.end());
        std::set_difference(ra.begin(), ra.end(), rb.begin(), rb.end(), std::back_inserter(rest));
        TDynByteArr key = a->Key, positions;
        std::sort(key.begin(), key.end());
        for (int64_t i = 0; i < Newton[key.size()][size_t(k)]; ++i) {
            NextComb(positions, uint8_t(key.size()), uint8_t(k), i == 0);
            std::vector<int> row;
            for (const uint8_t p : positions)
                row.push_back(key[p - 1u]);
            if (!std::binary_search(ra.begin(), ra.end(), row))
                missing.push_back(row);
        }
        for (const bool build : {false, true}) {
            SCOPED_TRACE(testing::Message() << "round " << round << (build ? ", built" : ", counted"));
            ASSERT_TRUE(Oper.Intersect({a.get(), b.get(), c.get()}, build));
            expectResult(build, common);
            ASSERT_TRUE(Oper.Union({a.get(), b.get(), c.get()}, build));
            expectResult(build, all);
            ASSERT_TRUE(Oper.Difference(*a, *b, build));
            expectResult(build, rest);
            ASSERT_TRUE(Oper.Compose({a.get(), b.get()}, build));
            expectResult(build, composition({ra, rb}));
            if (k == 3) {
                ASSERT_TRUE(Oper.Compose({a.get(), b.get(), c.get()}, build));
                expectResult(build, composition({ra, rb, rc}));
            }
            ASSERT_TRUE(Oper.Complement(*a, build));
            expectResult(build, missing);
        }
    }
}

TEST_F(SysOper, SmallCasesAndRefusedSources)
{
    const auto a = user({"1 2"}), b = user({"2 3"}), c = user({"3 4"}), six = user({"1 2 3 4 5 6"});
    ASSERT_TRUE(Oper.Compose({a.get(), b.get()}, true));
    expectResult(true, {});
    ASSERT_TRUE(Oper.Compose({a.get(), c.get()}, true));
    expectResult(true, {{1, 2, 3, 4}});
    // Complement of an empty system over the player's numbers: all their pairs; of a full system: none.
    TSysShort empty(&Game), full(&Game);
    empty.SetParams(4, 2, 0);
    empty.SetKey({8, 3, 9, 5});
    ASSERT_TRUE(Oper.Complement(empty, true));
    expectResult(true, {{3, 5}, {3, 8}, {3, 9}, {5, 8}, {5, 9}, {8, 9}});
    full.SetParams(9, 4, int32_t(Newton[9][4]));
    ASSERT_TRUE(full.Generate(true) && Oper.Complement(full, true));
    expectResult(true, {});

    TGameData other;
    other.Info = Game.Info;
    TSysUser foreign(&other);
    ASSERT_TRUE(foreign.LoadFromStrings({"1 2"}));
    for (const bool done :
         {Oper.Intersect({a.get(), six.get()}, true), Oper.Union({a.get(), six.get()}, true),
          Oper.Difference(*six, *a, true), Oper.Union({a.get(), &foreign}, true),
          Oper.Compose({a.get(), &foreign}, true), Oper.Complement(foreign, true),
          Oper.Compose({six.get(), c.get(), a.get()}, false) /* 10 numbers of 9 */,
          Oper.Intersect({}, false)}) {
        EXPECT_FALSE(done);
        EXPECT_EQ(Oper.Result, nullptr);
        EXPECT_EQ(Oper.ResultCount, 0u);
    }
}

TEST_F(SysOper, OperationsStopAtTheCombinationLimit)
{
    Limits.MaxComb = 4;
    const auto a = user({"7 8", "1 2", "3 4"}), b = user({"5 6", "1 9"}), c = user({"1 5", "3 4", "6 7"});
    for (const bool build : {false, true}) {
        // All of A, then the first row of B.
        ASSERT_TRUE(Oper.Union({a.get(), b.get()}, build));
        expectResult(build, {{1, 2}, {1, 9}, {3, 4}, {7, 8}});
        // Of the six joined pairs, the first four in the order of the tuples.
        ASSERT_TRUE(Oper.Compose({a.get(), c.get()}, build));
        expectResult(build, {{1, 2, 3, 4}, {1, 2, 6, 7}, {1, 3, 4, 5}, {3, 4, 6, 7}});
        // C(9, 2) - 3 rows: none built.
        EXPECT_FALSE(Oper.Complement(*a, build));
        EXPECT_EQ(Oper.Result, nullptr);
        EXPECT_EQ(Oper.ResultCount, 33u);
    }
}

TEST_F(SysOper, AStopFromTheProgressHandlerLeavesNoResult)
{
    Limits.MaxComb = 20000; // the complement's 12,504 rows
    Game.Info.MaxNumber = 20;
    TSysShort big(&Game);
    big.SetParams(20, 5, 3000);
    ASSERT_TRUE(big.Generate(true));
    const auto pairs = user({"1 2", "3 4"}), five = user({"1 2 3 4 5"});
    using TRun = std::function<bool(const TMyThread *)>;
    for (const TRun &operation : {
             TRun([&](const TMyThread *T) {
                 return Oper.Intersect({&big, &big}, true, T);
             }),
             TRun([&](const TMyThread *T) {
                 return Oper.Union({&big, &big}, true, T);
             }),
             TRun([&](const TMyThread *T) { return Oper.Difference(big, *five, true, T); }),
             TRun([&](const TMyThread *T) {
                 return Oper.Compose({&big, pairs.get()}, true, T);
             }),
             TRun([&](const TMyThread *T) { return Oper.Complement(big, true, T); }),
         }) {
        for (const bool stop : {false, true}) {
            TMyThread2 worker;
            int32_t last = -1;
            Oper.Progress.OnProgress = [&](int32_t Position, int32_t) {
                last = Position;
                if (stop && Position >= 2000)
                    worker.Terminate();
            };
            bool done = false;
            worker.Proc = [&](TMyThread &Thread) { done = operation(&Thread); };
            worker.Resume();
            worker.WaitFor();
            EXPECT_EQ(done, !stop);
            EXPECT_EQ(Oper.Result == nullptr, stop);
            EXPECT_EQ(Oper.ResultCount == 0, stop);
            EXPECT_EQ(last == 10000, !stop); // a stop comes mid-way
        }
    }
}

// The union's and the composition's rows are sorted after the operation: a stop asked then ends the
// sort, without a Result, as a stop during the operation does.
TEST_F(SysOper, AStopDuringTheFinalSortLeavesNoResult)
{
    Limits.MaxComb = 100000;
    Game.Info.MaxNumber = 30;
    TSysShort big(&Game);
    big.SetParams(30, 5, 30000);
    ASSERT_TRUE(big.Generate(true));
    const auto pair = user({"1 2"});
    for (const bool compose : {false, true}) {
        TMyThread2 worker;
        ASSERT_TRUE(compose ? Oper.Compose({&big, pair.get()}, true, &worker)
                            : Oper.Union({&big, &big}, true, &worker));
        ASSERT_GT(Oper.Result->GetCount(), 10000);
        worker.Terminate();
        EXPECT_FALSE(Oper.Finish());
        EXPECT_EQ(Oper.Result, nullptr);
        EXPECT_EQ(Oper.ResultCount, 0u);
    }
    TMyThread2 running;
    ASSERT_TRUE(Oper.Union({&big, &big}, true, &running));
    EXPECT_TRUE(Oper.Finish());
    EXPECT_EQ(Oper.Result->ViewCount(), 60000);
}

} // namespace
