// Each filter kind against a plain count over every combination of 5 out of 20: the test works out
// each quantity on its own and compares the verdicts combination by combination. Saved sets read over
// small pools against their limits as written.

#include "core/UComb.h"
#include "engine/FilterKinds.h"
#include "engine/UDrawsDB.h"
#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltRef.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "tests/support/ReferenceMath.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint8_t Highest = 20;
constexpr uint8_t K = 5;

using TComb = std::vector<int>;

std::vector<TComb> AllCombinations()
{
    std::vector<TComb> all;
    TDynByteArr c;
    for (int64_t i = 0; i < Newton[Highest][K]; ++i) {
        NextComb(c, Highest, K, i == 0);
        all.emplace_back(c.begin(), c.end());
    }
    return all;
}

int CountIf(const TComb &C, const std::function<bool(int)> &Pred)
{
    return static_cast<int>(std::count_if(C.begin(), C.end(), Pred));
}

TComb Differences(const TComb &C)
{
    TComb d;
    for (size_t i = 1; i < C.size(); ++i)
        d.push_back(C[i] - C[i - 1]);
    return d;
}

int DigitSum(int N, bool First, bool Last)
{
    const std::string text = (N < 10 ? "0" : "") + std::to_string(N);
    return (First ? text[0] - '0' : 0) + (Last ? text[1] - '0' : 0);
}

// Lengths of the runs of two or more consecutive numbers, found from each run's first number.
TComb RunLengths(const TComb &C)
{
    const std::set<int> numbers(C.begin(), C.end());
    TComb runs;
    for (const int n : C) {
        if (numbers.count(n - 1))
            continue;
        int length = 1;
        while (numbers.count(n + length))
            ++length;
        if (length >= 2)
            runs.push_back(length);
    }
    return runs;
}

// How often each value occurs.
std::map<int, int> Tally(const TComb &Values)
{
    std::map<int, int> tally;
    for (const int v : Values)
        ++tally[v];
    return tally;
}

TComb Map(const TComb &C, const std::function<int(int)> &F)
{
    TComb out;
    std::transform(C.begin(), C.end(), std::back_inserter(out), F);
    return out;
}

// Groups of a tally: {matched, other} for groups of two or more, where Chosen picks the counted ones.
std::pair<int, int> Groups(const std::map<int, int> &Tallied, const std::function<bool(int Value, int Size)> &Chosen)
{
    int matched = 0;
    int other = 0;
    for (const auto &[value, size] : Tallied) {
        if (size < 2)
            continue;
        (Chosen(value, size) ? matched : other) += 1;
    }
    return {matched, other};
}

template <typename TCond>
TCond &Params(TFilter &Filter)
{
    return static_cast<TCondFilter<TCond> &>(Filter).Params;
}

template <typename TCond>
const TCond &Params(const TFilter &Filter)
{
    return static_cast<const TCondFilter<TCond> &>(Filter).Params;
}

struct TCheck {
    std::string What;
    uint32_t Kind;
    bool AndMode;
    std::function<void(TFilter &)> AddConditions;
    std::function<bool(const TComb &)> Expected;
};

class FilterBruteForce : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFilterKinds();
        Game.Info.MaxNumber = Highest;
        Game.Info.Drawn = K;
    }

    std::unique_ptr<TFilter> Make(uint32_t Kind) { return CreateFilter(Kind, &Game, Highest, K, {}); }

    void Run(const TCheck &Check)
    {
        SCOPED_TRACE(Check.What);
        std::unique_ptr<TFilter> filter = Make(Check.Kind);
        ASSERT_NE(filter, nullptr);
        filter->AndMode = Check.AndMode;
        Check.AddConditions(*filter);
        int passed = 0;
        int expected = 0;
        int mismatches = 0;
        for (const TComb &c : All) {
            const TDynByteArr bytes(c.begin(), c.end());
            const bool actual = filter->Test(bytes.data());
            const bool wanted = Check.Expected(c);
            passed += actual;
            expected += wanted;
            if (actual != wanted && ++mismatches <= 3)
                ADD_FAILURE() << "combination " << ::testing::PrintToString(c) << ": filter " << actual;
        }
        EXPECT_EQ(passed, expected);
        EXPECT_GT(expected, 0) << "the condition should keep some combinations";
        EXPECT_LT(expected, static_cast<int>(All.size())) << "the condition should drop some combinations";
    }

    TGameData Game;
    const std::vector<TComb> All = AllCombinations();
};

TEST_F(FilterBruteForce, CountKinds)
{
    ASSERT_EQ(All.size(), 15504u);
    const std::vector<TCheck> checks{
        {"two or three even numbers of 5..15", fltPar, true,
         [](TFilter &f) {
             Params<TCountCond>(f) = {TRangeBlock{rmRange, 2, 3}, TRangeBlock{rmRange, 5, 15}};
             f.AddCondition();
         },
         [](const TComb &c) {
             const int n = CountIf(c, [](int x) { return x % 2 == 0 && x >= 5 && x <= 15; });
             return n >= 2 && n <= 3;
         }},
        {"no even number, or only even numbers", fltPar, false,
         [](TFilter &f) {
             Params<TCountCond>(f) = {TRangeBlock{rmExact, 0, 0}, TRangeBlock{rmAll, 0, 0}};
             f.AddCondition();
             Params<TCountCond>(f).Count = TRangeBlock{rmAll, 0, 0};
             f.AddCondition();
         },
         [](const TComb &c) {
             const int n = CountIf(c, [](int x) { return x % 2 == 0; });
             return n == 0 || n == 5;
         }},
        {"at most two odd numbers, but at least one", fltNPar, true,
         [](TFilter &f) {
             Params<TCountCond>(f).Count = TRangeBlock{rmAtMost, 0, 2};
             f.AddCondition();
         },
         [](const TComb &c) {
             const int n = CountIf(c, [](int x) { return x % 2 == 1; });
             return n >= 1 && n <= 2;
         }},
        {"exactly two primes, and one prime up to 10", fltFirst, true,
         [](TFilter &f) {
             Params<TCountCond>(f).Count = TRangeBlock{rmExact, 2, 0};
             f.AddCondition();
             Params<TCountCond>(f) = {TRangeBlock{rmAtMost, 0, 1}, TRangeBlock{rmAtMost, 0, 10}};
             f.AddCondition();
         },
         [](const TComb &c) {
             return CountIf(c, testsupport::isPrime) == 2 &&
                    CountIf(c, [](int x) { return testsupport::isPrime(x) && x <= 10; }) == 1;
         }},
        {"exactly three numbers of 6..15", fltInt, true,
         [](TFilter &f) {
             Params<TCountCond>(f) = {TRangeBlock{rmExact, 3, 3}, TRangeBlock{rmRange, 6, 15}};
             f.AddCondition();
         },
         [](const TComb &c) { return CountIf(c, [](int x) { return x >= 6 && x <= 15; }) == 3; }},
        {"all of 1..4", fltInt, true,
         [](TFilter &f) {
             Params<TCountCond>(f) = {TRangeBlock{rmAll, 0, 0}, TRangeBlock{rmRange, 1, 4}};
             f.AddCondition();
         },
         [](const TComb &c) { return CountIf(c, [](int x) { return x <= 4; }) == 4; }},
        {"at least two numbers of the teens", fltDigit, true,
         [](TFilter &f) {
             auto &p = Params<TDigitCountCond>(f);
             p.DigitKind = 0;
             p.Digits = "0100000000";
             p.Count = TRangeBlock{rmAtLeast, 2, 0};
             f.AddCondition();
         },
         [](const TComb &c) { return CountIf(c, [](int x) { return x >= 10 && x <= 19; }) >= 2; }},
        {"one number ending in 0 or 5", fltDigit, true,
         [](TFilter &f) {
             auto &p = Params<TDigitCountCond>(f);
             p.DigitKind = 1;
             p.Digits = "1000010000";
             p.Count = TRangeBlock{rmAtMost, 0, 1};
             f.AddCondition();
         },
         [](const TComb &c) { return CountIf(c, [](int x) { return x % 5 == 0; }) == 1; }},
        {"two differences of 1 and at least one of 5 or more", fltDiffs, true,
         [](TFilter &f) {
             Params<TCountCond>(f) = {TRangeBlock{rmExact, 2, 0}, TRangeBlock{rmExact, 1, 0}};
             f.AddCondition();
             Params<TCountCond>(f) = {TRangeBlock{rmAtLeast, 1, 0}, TRangeBlock{rmAtLeast, 5, 0}};
             f.AddCondition();
         },
         [](const TComb &c) {
             const TComb d = Differences(c);
             return CountIf(d, [](int x) { return x == 1; }) == 2 && CountIf(d, [](int x) { return x >= 5; }) >= 1;
         }},
    };
    for (const TCheck &check : checks)
        Run(check);
}

TEST_F(FilterBruteForce, ValueKinds)
{
    const std::vector<TCheck> checks{
        {"sum 40..60, or at least 70", fltSum, false,
         [](TFilter &f) {
             Params<TRangeBlock>(f) = TRangeBlock{rmRange, 60, 40};
             f.AddCondition();
             Params<TRangeBlock>(f) = TRangeBlock{rmAtLeast, 70, 0};
             f.AddCondition();
         },
         [](const TComb &c) {
             const int s = std::accumulate(c.begin(), c.end(), 0);
             return (s >= 40 && s <= 60) || s >= 70;
         }},
        {"first digits summing to 2", fltSDigit1, true,
         [](TFilter &f) {
             Params<TRangeBlock>(f) = TRangeBlock{rmExact, 2, 0};
             f.AddCondition();
         },
         [](const TComb &c) {
             return std::accumulate(c.begin(), c.end(), 0, [](int s, int x) { return s + DigitSum(x, true, false); }) == 2;
         }},
        {"last digits summing to at most 15", fltSDigit2, true,
         [](TFilter &f) {
             Params<TRangeBlock>(f) = TRangeBlock{rmAtMost, 0, 15};
             f.AddCondition();
         },
         [](const TComb &c) {
             return std::accumulate(c.begin(), c.end(), 0, [](int s, int x) { return s + DigitSum(x, false, true); }) <= 15;
         }},
        {"all digits summing to 20..25", fltSDigit12, true,
         [](TFilter &f) {
             Params<TRangeBlock>(f) = TRangeBlock{rmRange, 20, 25};
             f.AddCondition();
         },
         [](const TComb &c) {
             const int s = std::accumulate(c.begin(), c.end(), 0, [](int t, int x) { return t + DigitSum(x, true, true); });
             return s >= 20 && s <= 25;
         }},
        {"spread at most 8", fltDist, true,
         [](TFilter &f) {
             Params<TRangeBlock>(f) = TRangeBlock{rmAtMost, 0, 8};
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto [lo, hi] = std::minmax_element(c.begin(), c.end());
             return *hi - *lo <= 8;
         }},
        {"second gap 1..2, or fourth gap 5 or more", fltDiffPos, false,
         [](TFilter &f) {
             Params<TPositionCond>(f) = TPositionCond{2, TRangeBlock{rmRange, 1, 2}};
             f.AddCondition();
             Params<TPositionCond>(f) = TPositionCond{4, TRangeBlock{rmAtLeast, 5, 0}};
             f.AddCondition();
         },
         [](const TComb &c) {
             const int second = c[2] - c[1];
             return (second >= 1 && second <= 2) || c[4] - c[3] >= 5;
         }},
        {"third number 8..12 and first number 1", fltNumPos, true,
         [](TFilter &f) {
             Params<TPositionCond>(f) = TPositionCond{3, TRangeBlock{rmRange, 8, 12}};
             f.AddCondition();
             Params<TPositionCond>(f) = TPositionCond{1, TRangeBlock{rmExact, 1, 0}};
             f.AddCondition();
         },
         [](const TComb &c) { return c[2] >= 8 && c[2] <= 12 && c[0] == 1; }},
    };
    for (const TCheck &check : checks)
        Run(check);
}

TEST_F(FilterBruteForce, GroupKinds)
{
    auto sizes = [](const TComb &Runs, int Size) { return CountIf(Runs, [Size](int x) { return x == Size; }); };
    const std::vector<TCheck> checks{
        {"exactly one run of two", fltSucc, true,
         [](TFilter &f) {
             Params<TGroupCond>(f) = {TRangeBlock{rmExact, 1, 0}, TRangeBlock{rmExact, 2, 0}, 0};
             f.AddCondition();
         },
         [sizes](const TComb &c) { return sizes(RunLengths(c), 2) == 1; }},
        {"one run of three and no other run", fltSucc, true,
         [](TFilter &f) {
             Params<TGroupCond>(f) = {TRangeBlock{rmExact, 1, 0}, TRangeBlock{rmExact, 3, 0}, 1};
             f.AddCondition();
         },
         [](const TComb &c) { return RunLengths(c) == TComb{3}; }},
        {"a repeated difference occurring exactly twice, and no other", fltDiffsConf, true,
         [](TFilter &f) {
             Params<TGroupCond>(f) = {TRangeBlock{rmAtLeast, 1, 0}, TRangeBlock{rmExact, 2, 0}, 1};
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto [matched, other] = Groups(Tally(Differences(c)), [](int, int size) { return size == 2; });
             return matched >= 1 && other == 0;
         }},
        {"exactly one repeated difference, however often", fltDiffsConf, true,
         [](TFilter &f) {
             Params<TGroupCond>(f) = {TRangeBlock{rmExact, 1, 0}, TRangeBlock{rmAny, 0, 0}, 0};
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto [matched, other] = Groups(Tally(Differences(c)), [](int, int) { return true; });
             return matched == 1;
         }},
        {"two first-digit groups of 2..3 among 0 and 1", fltGDigit1, true,
         [](TFilter &f) {
             auto &p = Params<TDigitGroupCond>(f);
             p.Digits = "1100000000";
             p.Count = TRangeBlock{rmExact, 2, 0};
             p.Size = TRangeBlock{rmRange, 2, 3};
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto tens = Tally(Map(c, [](int x) { return DigitSum(x, true, false); }));
             const auto [matched, other] =
                 Groups(tens, [](int digit, int size) { return digit <= 1 && size >= 2 && size <= 3; });
             return matched == 2;
         }},
        {"a group of four or more 1s, or one group of 2..3 among the 1s and, carried over, the 0s",
         fltGDigit1, false,
         [](TFilter &f) {
             auto &p = Params<TDigitGroupCond>(f);
             p.Digits = "0100000000";
             p.Count = TRangeBlock{rmExact, 1, 0};
             p.Size = TRangeBlock{rmAtLeast, 4, 0};
             f.AddCondition();
             p.Digits = "1000000000";
             p.Size = TRangeBlock{rmRange, 2, 3};
             p.Exclusive = 1;
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto tens = Tally(Map(c, [](int x) { return DigitSum(x, true, false); }));
             const auto [big, ignored] =
                 Groups(tens, [](int digit, int size) { return digit == 1 && size >= 4; });
             const auto [low, others] =
                 Groups(tens, [](int digit, int size) { return digit <= 1 && size <= 3; });
             return big == 1 || (low == 1 && others == 0);
         }},
        {"at least four last digits held once or twice", fltGDigit2, true,
         [](TFilter &f) {
             auto &p = Params<TDigitGroupCond>(f);
             p.Count = TRangeBlock{rmAtLeast, 4, 0};
             p.Size = TRangeBlock{rmAtMost, 0, 2};
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto last = Tally(Map(c, [](int x) { return x % 10; }));
             return std::count_if(last.begin(), last.end(), [](const auto &e) { return e.second <= 2; }) >= 4;
         }},
        {"one pair of last digits among 1..5, no other pair", fltGDigit2, true,
         [](TFilter &f) {
             auto &p = Params<TDigitGroupCond>(f);
             p.Digits = "0111110000";
             p.Count = TRangeBlock{rmExact, 1, 0};
             p.Size = TRangeBlock{rmExact, 2, 0};
             p.Exclusive = 1;
             f.AddCondition();
         },
         [](const TComb &c) {
             const auto last = Tally(Map(c, [](int x) { return x % 10; }));
             const auto [matched, other] =
                 Groups(last, [](int digit, int size) { return digit >= 1 && digit <= 5 && size == 2; });
             return matched == 1 && other == 0;
         }},
    };
    for (const TCheck &check : checks)
        Run(check);
}

int Pick(std::mt19937 &Random, int Lo, int Hi)
{
    return std::uniform_int_distribution<int>(Lo, Hi)(Random);
}

std::string RandomDigits(std::mt19937 &Random)
{
    const int chosen = Pick(Random, 1, 1023);
    std::string digits;
    for (int d = 0; d < 10; ++d)
        digits += (chosen >> d & 1) ? '1' : '0';
    return digits;
}

// One digit-group condition drawn at random: the edited parameters and the bounds they stand for.
struct TRandomDigitCond {
    TDigitGroupCond Params;
    uint32_t Digits = 0;        // bit d: digit d chosen
    int Lo[2] = {}, Hi[2] = {}; // count, size
};

TRandomDigitCond RandomDigitCond(std::mt19937 &Random, int MaxCount, int MaxSize, int AtMostSize)
{
    auto pick = [&Random](int Lo, int Hi) { return Pick(Random, Lo, Hi); };
    TRandomDigitCond cond;
    cond.Params.Digits = RandomDigits(Random);
    for (int d = 0; d < 10; ++d)
        cond.Digits |= uint32_t(cond.Params.Digits[size_t(d)] == '1') << d;
    cond.Params.Exclusive = static_cast<uint8_t>(pick(0, 1));
    TRangeBlock *blocks[2] = {&cond.Params.Count, &cond.Params.Size};
    const int least[2] = {0, 2}, most[2] = {MaxCount, MaxSize}, atMostLo[2] = {0, AtMostSize};
    for (int b = 0; b < 2; ++b) {
        const auto mode = static_cast<uint8_t>(pick(rmExact, rmAtMost));
        const int lo = pick(least[b], most[b]);
        *blocks[b] = TRangeBlock{mode, lo, pick(lo, most[b])};
        cond.Lo[b] = mode == rmAtMost ? atMostLo[b] : lo;
        cond.Hi[b] = mode == rmExact ? lo : mode == rmAtLeast ? most[b] : blocks[b]->Max;
    }
    return cond;
}

// The digit-group rule written out plainly: condition j counts the groups among the digits of conditions
// 1..j (Cumulative) or among its own digits only.
bool DigitGroupsPass(const TComb &C, bool FirstDigit, bool AndMode,
                     const std::vector<TRandomDigitCond> &Conds, bool Cumulative)
{
    const auto tally = Tally(Map(C, [FirstDigit](int x) { return FirstDigit ? x / 10 : x % 10; }));
    const auto groups = std::count_if(tally.begin(), tally.end(), [](const auto &e) { return e.second > 1; });
    uint32_t seen = 0;
    std::vector<bool> holds;
    for (const TRandomDigitCond &cond : Conds) {
        seen = Cumulative ? seen | cond.Digits : cond.Digits;
        int matched = 0;
        int other = static_cast<int>(groups);
        for (const auto &[digit, size] : tally) {
            if ((seen >> digit & 1) && size >= cond.Lo[1] && size <= cond.Hi[1]) {
                ++matched;
                other -= size > 1;
            }
        }
        holds.push_back(matched >= cond.Lo[0] && matched <= cond.Hi[0] &&
                        (!cond.Params.Exclusive || other == 0));
    }
    return AndMode ? std::all_of(holds.begin(), holds.end(), [](bool h) { return h; })
                   : std::any_of(holds.begin(), holds.end(), [](bool h) { return h; });
}

// Random sets of two and three digit-group conditions of both kinds against the plain rule.
TEST_F(FilterBruteForce, DigitGroupConditionsCarryTheirMarks)
{
    std::mt19937 random(20261209);
    int differFromOwnDigits = 0;
    for (int round = 0; round < 40; ++round) {
        const bool first = round % 2 == 0;
        const uint32_t kind = first ? fltGDigit1 : fltGDigit2;
        std::unique_ptr<TFilter> filter = Make(kind);
        auto &digits = static_cast<TFltGDigit &>(*filter);
        filter->AndMode = round % 4 < 2;
        std::vector<TRandomDigitCond> conds;
        const int condCount = round % 3 == 1 ? 3 : 2;
        for (int i = 0; i < condCount; ++i) {
            conds.push_back(
                RandomDigitCond(random, digits.MaxGroupCount(), digits.MaxGroupSize(), first ? 2 : 1));
            Params<TDigitGroupCond>(*filter) = conds.back().Params;
            filter->AddCondition();
        }
        SCOPED_TRACE("round " + std::to_string(round));
        int mismatches = 0;
        for (const TComb &c : All) {
            const TDynByteArr bytes(c.begin(), c.end());
            const bool wanted = DigitGroupsPass(c, first, filter->AndMode, conds, true);
            differFromOwnDigits += wanted != DigitGroupsPass(c, first, filter->AndMode, conds, false);
            if (filter->Test(bytes.data()) != wanted && ++mismatches <= 3)
                ADD_FAILURE() << "combination " << ::testing::PrintToString(c) << " should "
                              << (wanted ? "pass" : "fail");
        }
    }
    EXPECT_GT(differFromOwnDigits, 0) << "the sets should tell the two readings apart";
}

// A set runs one built filter per kind: members of one kind joined by the last member's link, kinds by AND.
TEST_F(FilterBruteForce, SetOfSeveralKinds)
{
    TGroupFilter set(&Game, Highest, K, {});
    auto member = [this](uint32_t Kind, bool AndMode, const std::function<void(TFilter &)> &Edit) {
        std::unique_ptr<TFilter> f = Make(Kind);
        f->AndMode = AndMode;
        Edit(*f);
        return f.release();
    };
    set.AddFilter(member(fltSum, false, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmAtMost, 0, 35}; }), false);
    set.AddFilter(member(fltPar, true, [](TFilter &f) { Params<TCountCond>(f).Count = TRangeBlock{rmRange, 2, 3}; }),
                  false);
    set.AddFilter(member(fltSum, false, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmAtLeast, 70, 0}; }),
                  false);
    set.AddFilter(member(fltSucc, true,
                         [](TFilter &f) { Params<TGroupCond>(f) = {TRangeBlock{rmAtMost, 0, 1}, TRangeBlock{rmAny, 0, 0}, 0}; }),
                  false);
    set.Build();
    ASSERT_EQ(set.BuiltCount, 3u);
    EXPECT_EQ(set.GetExpression(), "F01 and F02 and (F08(1) or F08(2))");
    int passed = 0;
    int expected = 0;
    for (const TComb &c : All) {
        const TDynByteArr bytes(c.begin(), c.end());
        const int sum = std::accumulate(c.begin(), c.end(), 0);
        const int even = CountIf(c, [](int x) { return x % 2 == 0; });
        const bool wanted = RunLengths(c).size() <= 1 && even >= 2 && even <= 3 && (sum <= 35 || sum >= 70);
        const bool actual = set.Test(bytes.data());
        passed += actual;
        expected += wanted;
        if (actual != wanted)
            ADD_FAILURE() << ::testing::PrintToString(c);
    }
    EXPECT_EQ(passed, expected);
    EXPECT_GT(expected, 0);
}

// ---------------------------------------------------------------------------------------------------
// Saved sets read over other pools

constexpr uint32_t SavedK = 6;
constexpr uint32_t LimitModes = 0b1111; // exact, range, at least, at most

// A block of one of Modes (bit m for mode m) with limits Lo <= min <= max <= Hi.
TRangeBlock RandomBlock(std::mt19937 &Random, uint32_t Modes, int Lo, int Hi)
{
    std::vector<uint8_t> modes;
    for (uint8_t m = 0; m < 8; ++m)
        if (Modes >> m & 1)
            modes.push_back(m);
    const uint8_t mode = modes[size_t(Pick(Random, 0, int(modes.size()) - 1))];
    const int min = Pick(Random, Lo, Hi);
    return TRangeBlock{mode, min, Pick(Random, min, Hi)};
}

// Limits as the editor saves them over 1..20 with six numbers a combination; positions that a
// combination of LoadK numbers has.
void SetRandomLimits(TFilter &F, std::mt19937 &Random, int LoadK, int Drawn)
{
    const int k = int(SavedK);
    switch (F.Kind) {
    case fltPar:
    case fltNPar:
    case fltFirst:
    case fltInt:
        Params<TCountCond>(F) = {RandomBlock(Random, LimitModes, 0, k), RandomBlock(Random, 0b101110, 1, Highest)};
        break;
    case fltDigit: {
        auto &p = Params<TDigitCountCond>(F);
        p.DigitKind = uint8_t(Pick(Random, 0, 1));
        p.Digits = RandomDigits(Random);
        p.Count = RandomBlock(Random, LimitModes, 0, k);
        break;
    }
    case fltDiffs:
        Params<TCountCond>(F) = {RandomBlock(Random, LimitModes, 0, k - 1),
                                 RandomBlock(Random, LimitModes, 1, Highest - 1)};
        break;
    case fltSum:
    case fltSDigit1:
    case fltSDigit2:
    case fltSDigit12:
    case fltDist: {
        auto &value = static_cast<TFltValueRange &>(F);
        value.Params = RandomBlock(Random, LimitModes, value.Lowest, value.Highest);
        break;
    }
    case fltDiffPos:
        Params<TPositionCond>(F) = {Pick(Random, 1, LoadK - 1), RandomBlock(Random, LimitModes, 1, Highest - 1)};
        break;
    case fltNumPos:
        Params<TPositionCond>(F) = {Pick(Random, 1, LoadK), RandomBlock(Random, LimitModes, 1, Highest)};
        break;
    case fltComb: {
        auto &p = Params<TCombCond>(F);
        TDynByteArr all(Highest);
        std::iota(all.begin(), all.end(), uint8_t(1));
        p.RefNumbers.clear();
        std::sample(all.begin(), all.end(), std::back_inserter(p.RefNumbers), Pick(Random, 1, 6), Random);
        p.RefCount = int32_t(p.RefNumbers.size());
        p.Count = RandomBlock(Random, LimitModes, 0, p.RefCount);
        break;
    }
    case fltDBCN:
        Params<TDBCNCond>(F).Count = RandomBlock(Random, LimitModes, 0, std::min(Drawn, k));
        break;
    case fltSucc:
    case fltDiffsConf: {
        const int maxSize = F.Kind == fltSucc ? k : k - 1;
        Params<TGroupCond>(F) = {RandomBlock(Random, LimitModes, 0, k / 2), RandomBlock(Random, 0b11111, 2, maxSize),
                                 uint8_t(Pick(Random, 0, 1))};
        break;
    }
    case fltGDigit1:
    case fltGDigit2: {
        const auto &digits = static_cast<const TFltGDigit &>(F);
        auto &p = Params<TDigitGroupCond>(F);
        p.Count = RandomBlock(Random, LimitModes, 0, digits.MaxGroupCount());
        p.Size = RandomBlock(Random, LimitModes, 2, digits.MaxGroupSize());
        p.Digits = RandomDigits(Random);
        p.Exclusive = uint8_t(Pick(Random, 0, 1));
        break;
    }
    default:
        FAIL() << "no limits for kind " << F.Kind;
    }
}

// The values a block asks for, as written; an "at most" block asks from AtMostFloor up.
bool Asks(const TRangeBlock &B, int V, int AtMostFloor = std::numeric_limits<int>::min())
{
    switch (B.Mode) {
    case rmExact:
        return V == B.Min;
    case rmRange:
        return B.Min <= V && V <= B.Max;
    case rmAtLeast:
        return V >= B.Min;
    case rmAtMost:
        return AtMostFloor <= V && V <= B.Max;
    default: // any size, every number
        return true;
    }
}

bool Chosen(const std::string &Digits, int Digit)
{
    return Digits[size_t(Digit)] == '1';
}

// Whether C meets the saved filter's condition, worked out from its limits as written. Marked: the
// digits of the digit-group conditions before this one, for C.
bool SavedConditionHolds(const TFilter &F, const TComb &C, const std::vector<TComb> &Draws, std::string &Marked)
{
    auto counted = [&C](const TRangeBlock &Scope, const std::function<bool(int)> &Property) {
        return CountIf(C, [&](int n) { return Property(n) && Asks(Scope, n); });
    };
    auto digitSum = [&C](bool First, bool Last) {
        return std::accumulate(C.begin(), C.end(), 0, [=](int s, int n) { return s + DigitSum(n, First, Last); });
    };
    switch (F.Kind) {
    case fltPar:
    case fltInt: {
        const auto &p = Params<TCountCond>(F);
        return Asks(p.Count, counted(p.Scope, [&F](int n) { return F.Kind == fltInt || n % 2 == 0; }));
    }
    case fltNPar:
    case fltFirst: {
        const auto &p = Params<TCountCond>(F);
        const auto odd = [](int n) { return n % 2 == 1; };
        return Asks(p.Count, counted(p.Scope, F.Kind == fltNPar ? std::function<bool(int)>(odd) : testsupport::isPrime),
                    1);
    }
    case fltDigit: {
        const auto &p = Params<TDigitCountCond>(F);
        return Asks(p.Count, CountIf(C, [&p](int n) { return Chosen(p.Digits, p.DigitKind == 0 ? n / 10 : n % 10); }),
                    1);
    }
    case fltDiffs: {
        const auto &p = Params<TCountCond>(F);
        return Asks(p.Count, CountIf(Differences(C), [&p](int d) { return Asks(p.Scope, d); }));
    }
    case fltSum:
        return Asks(Params<TRangeBlock>(F), std::accumulate(C.begin(), C.end(), 0));
    case fltSDigit1:
        return Asks(Params<TRangeBlock>(F), digitSum(true, false));
    case fltSDigit2:
        return Asks(Params<TRangeBlock>(F), digitSum(false, true));
    case fltSDigit12:
        return Asks(Params<TRangeBlock>(F), digitSum(true, true));
    case fltDist:
        return Asks(Params<TRangeBlock>(F), C.back() - C.front());
    case fltDiffPos: {
        const auto &p = Params<TPositionCond>(F);
        return Asks(p.Value, C[size_t(p.Position)] - C[size_t(p.Position) - 1]);
    }
    case fltNumPos: {
        const auto &p = Params<TPositionCond>(F);
        return Asks(p.Value, C[size_t(p.Position) - 1]);
    }
    case fltComb: {
        const auto &p = Params<TCombCond>(F);
        return Asks(p.Count, CountIf(C, [&p](int n) {
                        return std::find(p.RefNumbers.begin(), p.RefNumbers.end(), n) != p.RefNumbers.end();
                    }));
    }
    case fltDBCN: {
        const auto &p = Params<TDBCNCond>(F);
        return std::any_of(Draws.begin(), Draws.end(), [&](const TComb &Draw) {
            return Asks(p.Count, CountIf(C, [&Draw](int n) { return std::count(Draw.begin(), Draw.end(), n) > 0; }), 1);
        });
    }
    case fltSucc:
    case fltDiffsConf: {
        const auto &p = Params<TGroupCond>(F);
        int matched = 0;
        int other = 0;
        if (F.Kind == fltSucc) {
            const TComb runs = RunLengths(C);
            matched = CountIf(runs, [&p](int Length) { return Asks(p.Size, Length, 2); });
            other = int(runs.size()) - matched;
        } else {
            std::tie(matched, other) =
                Groups(Tally(Differences(C)), [&p](int, int Size) { return Asks(p.Size, Size, 2); });
        }
        return Asks(p.Count, matched) && (p.Exclusive == 0 || other == 0);
    }
    case fltGDigit1:
    case fltGDigit2: {
        const auto &p = Params<TDigitGroupCond>(F);
        for (size_t d = 0; d < 10; ++d)
            Marked[d] = Chosen(Marked, int(d)) || Chosen(p.Digits, int(d)) ? '1' : '0';
        const bool first = F.Kind == fltGDigit1;
        const auto tally = Tally(Map(C, [first](int n) { return first ? n / 10 : n % 10; }));
        int matched = 0;
        int other = int(std::count_if(tally.begin(), tally.end(), [](const auto &e) { return e.second > 1; }));
        for (const auto &[digit, size] : tally)
            if (Chosen(Marked, digit) && Asks(p.Size, size, first ? 2 : 1)) {
                ++matched;
                other -= size > 1;
            }
        return Asks(p.Count, matched) && (p.Exclusive == 0 || other == 0);
    }
    default:
        ADD_FAILURE() << "no rule for kind " << F.Kind;
        return false;
    }
}

std::string FilterListText(const TFilterList &List)
{
    std::string text = List.GetItem(0)->AndMode ? "AND: " : "OR: ";
    for (int i = 0; i < List.Count(); ++i)
        text += List.GetItem(i)->GetDescription() + "| ";
    return text;
}

platform::Bytes RecordOf(const TFilter &F)
{
    platform::ByteWriter stream;
    F.SaveToStream(stream);
    return stream.take();
}

// For every kind with limits, random sets of one or two filters saved over 1..20 with six numbers and
// read over a few numbers of 1..20 with fewer: the set passes exactly the combinations of its pool that
// the saved limits, as written, pass; read as stored it keeps its records and descriptions.
TEST_F(FilterBruteForce, ASavedSetReadOverAnotherPoolKeepsItsMeaning)
{
    std::mt19937 random(20261211);
    TDrawsManager history(&Game, -1);
    std::vector<TComb> draws;
    TDynByteArr all(Highest);
    std::iota(all.begin(), all.end(), uint8_t(1));
    for (int i = 0; i < 12; ++i) {
        TDynByteArr drawn;
        std::sample(all.begin(), all.end(), std::back_inserter(drawn), K, random);
        history.AddDraw(drawn, 40000 + i);
        draws.emplace_back(drawn.begin(), drawn.end());
    }
    history.Renumber();
    const std::string file = (testsupport::makeTempDir("korvantile-filters-") / "L1.dat").string();
    int passedNone = 0;
    int passedSome = 0;
    for (int round = 0; round < 30; ++round) {
        const int loadK = Pick(random, 2, int(SavedK) - 1);
        TDynByteArr pool;
        std::sample(all.begin(), all.end(), std::back_inserter(pool), Pick(random, loadK + 1, 9), random);
        const auto n = uint8_t(pool.size());
        std::vector<TComb> combs;
        TDynByteArr index;
        for (int64_t i = 0; i < Newton[n][loadK]; ++i) {
            NextComb(index, n, uint8_t(loadK), i == 0);
            combs.push_back(
                Map(TComb(index.begin(), index.end()), [&pool](int I) { return int(pool[size_t(I) - 1]); }));
        }
        for (uint32_t kind = 1; kind <= FilterKindCount; ++kind) {
            SCOPED_TRACE("round " + std::to_string(round) + ", kind " + std::to_string(kind) + ", pool " +
                         ::testing::PrintToString(TComb(pool.begin(), pool.end())) + ", K " + std::to_string(loadK));
            TFilterList saved;
            InitFilterList(saved);
            const bool andMode = Pick(random, 0, 1) == 1;
            for (int member = Pick(random, 1, 2); member > 0; --member) {
                std::unique_ptr<TFilter> filter = CreateFilter(kind, &Game, Highest, SavedK, {});
                filter->AndMode = andMode;
                SetRandomLimits(*filter, random, loadK, K);
                saved.AddItem(filter.release(), false);
            }
            ASSERT_TRUE(SaveFilterSet(saved, file, "", ""));

            TFilterList stored;
            InitFilterList(stored);
            ASSERT_TRUE(LoadFilterSet(stored, &Game, n, uint32_t(loadK), {}, file, TFilterRecordRead::AsStored));
            ASSERT_EQ(stored.Count(), saved.Count());
            for (int i = 0; i < saved.Count(); ++i) {
                EXPECT_EQ(RecordOf(*stored.GetItem(i)), RecordOf(*saved.GetItem(i)));
                EXPECT_EQ(stored.GetItem(i)->GetDescription(), saved.GetItem(i)->GetDescription());
            }

            TFilterList read;
            InitFilterList(read);
            ASSERT_TRUE(LoadFilterSet(read, &Game, n, uint32_t(loadK), pool, file));
            TGroupFilter set(&Game, n, uint32_t(loadK), pool);
            for (int i = 0; i < read.Count(); ++i)
                set.AddFilter(read.GetItem(i), true);
            set.Build();
            set.SetDrawsManager(&history);
            set.TakeDraws();
            int expected = 0;
            int mismatches = 0;
            RunPrepared(set, [&] {
                for (const TComb &c : combs) {
                    bool wanted = andMode;
                    std::string marked(10, '0');
                    for (int i = 0; i < saved.Count(); ++i) {
                        const bool holds = SavedConditionHolds(*saved.GetItem(i), c, draws, marked);
                        wanted = andMode ? wanted && holds : wanted || holds;
                    }
                    const TDynByteArr bytes(c.begin(), c.end());
                    expected += wanted;
                    if (set.Test(bytes.data()) != wanted && ++mismatches <= 2)
                        ADD_FAILURE() << ::testing::PrintToString(c) << " should " << (wanted ? "pass" : "fail")
                                      << "; saved " << FilterListText(saved);
                }
            });
            passedNone += expected == 0;
            passedSome += expected > 0 && expected < int(combs.size());
        }
    }
    EXPECT_GT(passedNone, 50) << "limits the pools cannot reach";
    EXPECT_GT(passedSome, 100);
}

} // namespace
