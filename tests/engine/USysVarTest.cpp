#include "engine/USysVar.h"

#include "core/RuntimeRandom.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

using Rows = std::vector<std::vector<int>>;
using Groups = std::vector<std::pair<double, TDynByteArr>>;

class SysVar : public ::testing::Test {
protected:
    SysVar() { Game.Info.MaxNumber = 49; }

    static Rows shown(const TSystem &System)
    {
        Rows rows;
        for (int i = 0; i < System.ViewCount(); ++i)
            rows.emplace_back(System.GetComb(i, true), System.GetComb(i, true) + System.K);
        return rows;
    }

    // The quotas by position, which must be 1, 2, ...
    static std::vector<int> quotas(const TSysVar &System)
    {
        std::vector<int> result;
        for (const TQuotaPair &pair : System.FreePairs) {
            EXPECT_EQ(pair.Number, int(result.size()) + 1);
            result.push_back(pair.Quota);
        }
        return result;
    }

    static Groups groups(const TSystem &System)
    {
        Groups result;
        for (const TAGParam &group : System.GetNumberGroups())
            result.emplace_back(group.Weight,
                                TDynByteArr(group.Numbers.begin(), group.Numbers.begin() + group.Count));
        return result;
    }

    // The parameter block: base bytes, K, N, R, Count, RandomTies 1, then (weight, fixed) per record.
    static platform::Bytes block(int K, int N, uint32_t Count,
                                 const std::vector<std::pair<double, int>> &Records)
    {
        platform::Bytes b{0, 0, uint8_t(K), uint8_t(N), uint8_t(Records.size())};
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(Count >> (8 * i)));
        b.push_back(1);
        for (const auto &[weight, fixed] : Records) {
            uint64_t raw;
            std::memcpy(&raw, &weight, 8);
            for (int i = 0; i < 8; ++i)
                b.push_back(uint8_t(raw >> (8 * i)));
            b.insert(b.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(fixed), 0});
        }
        return b;
    }

    TGameData Game;
};

TEST_F(SysVar, WeightsBecomeQuotasAndTheGeneratorFollowsThem)
{
    // S = 50, W = 11, T = Round(150 / 11) = 14: 9 and 4, the leftover to the heavier; Rest 36 over 8.
    TSysVar system(&Game);
    system.SetParams(10, 5, 10, 2);
    ASSERT_TRUE(system.SetWeight(0, 2.0));
    const std::vector<int> expected{10, 4, 5, 5, 5, 5, 4, 4, 4, 4};
    EXPECT_EQ(quotas(system), expected);
    ASSERT_TRUE(system.Generate());
    std::vector<int> used(10, 0);
    for (const auto &row : shown(system))
        for (const int number : row)
            ++used[size_t(number) - 1];
    EXPECT_EQ(used, expected);
    EXPECT_EQ(system.GetDescription(false), "System skrócony - zmienny 5/10(8+2)/10");

    // T = Round(250 / 12) = 21: 8, 8 and 4; of two records of weight 2.0 the later takes the leftover.
    system.SetParams(10, 5, 10, 3);
    ASSERT_TRUE(system.SetWeight(0, 2.0) && system.SetWeight(1, 2.0));
    EXPECT_EQ(quotas(system), (std::vector<int>{8, 9, 4, 5, 4, 4, 4, 4, 4, 4}));
    // T = Round(20 / 8): the half goes to the even 2.
    system.SetParams(7, 2, 5, 1);
    ASSERT_TRUE(system.SetWeight(0, 2.0));
    EXPECT_EQ(quotas(system), (std::vector<int>{2, 2, 2, 1, 1, 1, 1}));

    system.SetParams(49, 6, 100, 49);
    EXPECT_EQ(system.GetDescription(true), "Skrócony - zmienny 6/49(0+49)/100");
}

// Random small systems, numbers fixed and weighted through the setters; in every fourth all weigh 1.0,
// which must give the classic system.
TEST_F(SysVar, FixedNumbersStandInEveryRowBesideDistinctFreeCombinations)
{
    int withFixed = 0;
    for (int run = 0; run < 400; ++run) {
        SetRuntimeRandSeed(uint32_t(run));
        const int n = 4 + RuntimeRandom(9), k = 2 + RuntimeRandom(n - 2), r = 1 + RuntimeRandom(n);
        const int count = 1 + RuntimeRandom(int(Newton[size_t(n)][size_t(k)]));
        const bool plain = run % 4 == 0;
        TSysVar system(&Game);
        system.RandomTies = run % 3 == 0;
        system.SetParams(n, k, count, r);
        for (int i = 0; i < r && !plain; ++i) {
            if (RuntimeRandom(3) == 0)
                system.SetFixed(i, true);
            else
                system.SetWeight(i, 0.5 + 0.25 * RuntimeRandom(8));
        }
        SetRuntimeRandSeed(uint32_t(run));
        ASSERT_TRUE(system.Generate()) << n << " " << k << " " << count << " " << system.FixedCount;
        const Rows rows = shown(system);
        if (plain) {
            TSysShort classic(&Game);
            classic.RandomTies = system.RandomTies;
            classic.SetParams(n, k, count);
            SetRuntimeRandSeed(uint32_t(run));
            ASSERT_TRUE(classic.Generate(true));
            EXPECT_EQ(rows, shown(classic)) << n << " " << k << " " << count;
        }
        std::vector<int> fixed;
        for (int i = 0; i < r; ++i)
            if (system.Freqs[size_t(i)].Fixed)
                fixed.push_back(i + 1);
        withFixed += fixed.empty() ? 0 : 1;
        // Rows strictly ascending are distinct, and so are their places beside the fixed numbers.
        ASSERT_EQ(rows.size(), size_t(count));
        EXPECT_TRUE(std::adjacent_find(rows.begin(), rows.end(), std::greater_equal<>()) == rows.end());
        for (const auto &row : rows) {
            ASSERT_TRUE(std::adjacent_find(row.begin(), row.end(), std::greater_equal<>()) == row.end());
            ASSERT_TRUE(row.front() >= 1 && row.back() <= n);
            ASSERT_TRUE(std::includes(row.begin(), row.end(), fixed.begin(), fixed.end()));
        }
    }
    EXPECT_GT(withFixed, 50);
}

TEST_F(SysVar, FixingMoreThanTheFreeNumbersCanFillIsRefused)
{
    // Three fixed: S = 60 and W = 7 pass, but 7 free numbers give only C(7, 2) = 21 pairs.
    TSysVar system(&Game);
    system.SetParams(10, 5, 30, 4);
    ASSERT_TRUE(system.SetFixed(0, true) && system.SetFixed(1, true));
    const std::vector<int> before = quotas(system);
    EXPECT_FALSE(system.SetFixed(2, true));
    // Unit 90 / 17: a weight of 10 would put number 4 into 53 of the 30 rows.
    EXPECT_FALSE(system.SetWeight(3, 10.0));
    EXPECT_FALSE(system.Freqs[2].Fixed);
    EXPECT_EQ(system.FixedCount, 2);
    EXPECT_EQ(quotas(system), before);
    ASSERT_TRUE(system.Generate());
    EXPECT_EQ(system.GetCount(), 30);

    // The same records from a file do not generate.
    const platform::Bytes bytes = block(5, 10, 30, {{1.0, 1}, {1.0, 1}, {1.0, 1}});
    platform::ByteReader in(bytes);
    ASSERT_TRUE(system.LoadParams(in));
    EXPECT_EQ(system.FixedCount, 3);
    EXPECT_FALSE(system.Generate());
    EXPECT_EQ(system.GetCount(), 0);
}

TEST_F(SysVar, CategoriesGoByTheWeightsNumbersCountWith)
{
    TSysVar system(&Game);
    system.SetParams(10, 5, 20, 6);
    for (const auto &[index, weight] : {std::pair{0, 2.0}, {1, 2.0}, {3, 1.5}, {4, 2.0}})
        ASSERT_TRUE(system.SetWeight(index, weight));
    ASSERT_TRUE(system.SetFixed(0, true) && system.SetFixed(5, true));
    // Number 1 weighs 2.0 but is fixed.
    EXPECT_EQ(groups(system), (Groups{{1.0, {3, 7, 8, 9, 10}}, {0.0, {1, 6}}, {2.0, {2, 5}}, {1.5, {4}}}));

    // Every number carries a record: the ordinary ones still come first, when there are any.
    system.SetParams(6, 3, 10, 6);
    ASSERT_TRUE(system.SetWeight(0, 2.0) && system.SetFixed(1, true));
    EXPECT_EQ(groups(system), (Groups{{1.0, {3, 4, 5, 6}}, {2.0, {1}}, {0.0, {2}}}));
    system.SetParams(4, 2, 6, 4);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(system.SetWeight(i, 2.0));
    EXPECT_EQ(groups(system), (Groups{{2.0, {1, 2, 3, 4}}}));
}

TEST_F(SysVar, HandBuiltBodyLoadsAndSavesBackTheSameBytes)
{
    platform::Bytes body = block(3, 6, 3, {{2.5, 0}, {1.0, 1}});
    body.insert(body.end(), {4, 9, 13, 17, 21, 30});
    body.insert(body.end(), {1, 2, 3, 4, 9, 13, 0, 2, 4, 5, 9, 17, 21, 0, 2, 5, 6, 9, 21, 30, 0, 1});
    const auto system = CreateSystem(skVar, &Game);
    platform::ByteReader in(body);
    ASSERT_TRUE(system->LoadFromStream(in));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(dynamic_cast<const TSysVar &>(*system).FixedCount, 1);
    EXPECT_EQ(system->GetDescription(true), "Skrócony - zmienny 3/6(4+2)/3");
    EXPECT_EQ(shown(*system), (Rows{{4, 9, 13}, {9, 17, 21}, {9, 21, 30}}));
    platform::ByteWriter out;
    system->SaveToStream(out);
    EXPECT_EQ(out.bytes(), body);

    // Count above C(6, 3) = 20, R above N, weights not above 0.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto &[count, records] : {std::pair{21u, std::vector<std::pair<double, int>>{}},
                                         {3u, std::vector(7, std::pair{1.0, 0})},
                                         {3u, {{0.0, 0}}},
                                         {3u, {{nan, 0}}},
                                         {20u, {{1e9, 0}}}}) {
        const platform::Bytes bytes = block(3, 6, count, records);
        platform::ByteReader reader(bytes);
        EXPECT_EQ(system->LoadParams(reader), count == 20) << count << " " << records.size();
    }
}

} // namespace
