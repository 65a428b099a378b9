// Each filter kind against a plain count over every combination of 5 out of 20: the test works out
// each quantity on its own and compares the verdicts combination by combination.

#include "core/UComb.h"
#include "engine/FilterKinds.h"
#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

// One digit-group condition drawn at random: the edited parameters and the bounds they stand for.
struct TRandomDigitCond {
    TDigitGroupCond Params;
    uint32_t Digits = 0;        // bit d: digit d chosen
    int Lo[2] = {}, Hi[2] = {}; // count, size
};

TRandomDigitCond RandomDigitCond(std::mt19937 &Random, int MaxCount, int MaxSize, int AtMostSize)
{
    auto pick = [&Random](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Random); };
    TRandomDigitCond cond;
    cond.Digits = static_cast<uint32_t>(pick(1, 1023));
    for (int d = 0; d < 10; ++d)
        cond.Params.Digits += (cond.Digits >> d & 1) ? '1' : '0';
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

} // namespace
