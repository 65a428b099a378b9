#include "engine/USysFull.h"

#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "engine/FilterKinds.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "tests/engine/FailingSumFilter.h"
#include "tests/engine/FullSystemFixture.h"
#include "tests/engine/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

namespace {

using systest::markInWorker;
using systest::Rows;
using systest::shown;

class SysFull : public FullSystemFixture {
protected:
    // Positions, numbers and flags of the shown rows.
    static Rows shownWithFlags(const TSystem &System)
    {
        Rows rows = shown(System, false);
        for (int i = 0; i < System.ViewCount(); ++i) {
            rows[size_t(i)].insert(rows[size_t(i)].end(), System.GetComb(i, true),
                                   System.GetComb(i, true) + 3);
            rows[size_t(i)].push_back(System.GetCombFlags(i));
        }
        return rows;
    }
};

TEST_F(SysFull, TooManyModeKeepsWhatTheStoredSystemKeeps)
{
    const auto stored = full(84);
    EXPECT_FALSE(stored->TooMany);
    EXPECT_TRUE(stored->IsFullInOrder());
    EXPECT_EQ(stored->GetDescription(false), "System pełny - prosty 3/9/84");
    EXPECT_TRUE(full(83)->TooMany);

    // Passing / kept: 21 / 21, 47 / 47 (too many), 30 / 30, 56 / 28 and 21 / 63 (too many).
    for (const auto &[min, max, findType, passes, kept] : {std::tuple{10, 20, true, 21, true},
                                                           {21, 30, true, 47, false},
                                                           {11, 22, true, 30, true},
                                                           {15, 28, false, 56, true},
                                                           {10, 20, false, 21, false}}) {
        SCOPED_TRACE(testing::Message() << min << ".." << max << (findType ? " keeps" : " deletes"));
        for (const bool deleting : {false, true}) {
            const auto system = full(30);
            ASSERT_TRUE(system->TooMany);
            EXPECT_EQ(system->GetCount(), 84);
            EXPECT_EQ(system->GetDescription(true), "Pełny - prosty 3/9/84");
            const auto set = sumSet(*system, min, max, findType);
            EXPECT_EQ(markInWorker(*system, *set, false), passes);
            EXPECT_EQ(system->Results.GetCount(), kept ? findType ? passes : 84 - passes : 0);
            if (!kept)
                continue;
            const auto twin = full(84);
            markInWorker(*twin, *set, false);
            if (deleting) {
                system->DeleteByFilter(*set);
                twin->DeleteByFilter(*set);
                EXPECT_FALSE(system->TooMany);
                EXPECT_FALSE(system->HasFilter);
                EXPECT_EQ(system->GetCount(), system->ViewCount());
            } else {
                system->SetFilter(*set);
                twin->SetFilter(*set);
                system->RefreshView(false);
                twin->RefreshView(false);
                EXPECT_TRUE(system->TooMany);
                EXPECT_TRUE(system->FilterApplied);
            }
            EXPECT_EQ(system->Results.GetCount(), 0);
            EXPECT_EQ(shownWithFlags(*system), shownWithFlags(*twin));
        }
    }
}

TEST_F(SysFull, StoppedOrFailingMarkingKeepsNothing)
{
    Limits.MaxComb = 2001;
    TSysFull system(&Game);
    system.SetParams(14, 5); // 2002 combinations
    ASSERT_TRUE(system.TooMany);
    int64_t firstPassing = 0;
    TDynByteArr comb;
    for (int i = 0; i < 1001; ++i) {
        NextComb(comb, 14, 5, i == 0);
        const int sum = std::accumulate(comb.begin(), comb.end(), 0);
        firstPassing += sum >= 20 && sum <= 40;
    }
    const auto set = sumSet(system, 20, 40, true);
    EXPECT_EQ(markInWorker(system, *set, true), firstPassing);
    EXPECT_EQ(system.Results.GetCount(), 0);

    markInWorker(system, *sumSet(system, 15, 16, true), false);
    ASSERT_GT(system.Results.GetCount(), 0);
    TFailingSumKind kind;
    std::string failure;
    EXPECT_EQ(markInWorker(system, *TFailingSum::FailingAt(&Game, 14, 5, 40, 50), false, nullptr, &failure),
              -1);
    EXPECT_EQ(failure, TFailingSum::FailureText);
    EXPECT_EQ(system.Results.GetCount(), 0);
    EXPECT_EQ(TFailingSum::Finished, 1);
}

// A full system of 3 of 6 numbers in too-many mode with two rows a filter set kept and applied.
TEST_F(SysFull, HandBuiltBodyLoadsAndSavesBackTheSameBytes)
{
    platform::Bytes body{1, 1, 3, 6, 2, 0, 0, 0, 0, 0, 0, 0};
    body.insert(body.end(), {2, 4, 6, 8, 10, 12});
    body.insert(body.end(), {1, 2, 4, 2, 4, 8, 9, 1, 2, 5, 2, 4, 10, 9});
    body.push_back(1);
    systest::put32(body, 1);
    systest::put32(body, fltSum);
    body.insert(body.end(), {1, rmRange, 14, 0, 0, 0, 20, 0, 0, 0});
    body.push_back(0);
    Limits.MaxComb = 19;
    const auto system = CreateSystem(skFull, &Game);
    platform::ByteReader in(body);
    ASSERT_TRUE(system->LoadFromStream(in));
    EXPECT_TRUE(system->TooMany);
    EXPECT_EQ(system->GetCount(), 20);
    EXPECT_EQ(system->GetDescription(false), "System pełny - prosty 3/6/20");
    EXPECT_EQ(shown(*system), (Rows{{2, 4, 8}, {2, 4, 10}}));
    ASSERT_NE(system->Filter, nullptr);
    EXPECT_TRUE(system->Filter->FindType);
    EXPECT_EQ(static_cast<TFltSum *>(system->Filter->GetFilter(0))->Params, (TRangeBlock{rmRange, 14, 20}));
    platform::ByteWriter saved;
    system->SaveToStream(saved);
    EXPECT_EQ(saved.bytes(), body);

    // A row added by hand takes the rows past C(N, K); the system still loads.
    const auto small = full(84);
    const uint8_t again[] = {2, 4, 5};
    small->AddComb(again);
    platform::ByteWriter out;
    small->SaveToStream(out);
    platform::ByteReader back(out.bytes());
    EXPECT_TRUE(TSysFull(&Game).LoadFromStream(back));

    const auto refused = [&](size_t At, std::initializer_list<uint8_t> Bytes) {
        platform::Bytes bad = body;
        std::copy(Bytes.begin(), Bytes.end(), bad.begin() + long(At));
        platform::ByteReader reader(bad);
        return !TSysFull(&Game).LoadFromStream(reader);
    };
    EXPECT_TRUE(refused(4, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})); // a negative count
    EXPECT_TRUE(refused(2, {7}));                                              // K above N
    EXPECT_TRUE(refused(3, {101}));                                            // N beyond every game
    EXPECT_FALSE(refused(2, {3}));
}

} // namespace
