// The filter kinds inside filter-set files and between filters: every kind's record in a saved set,
// read back, and the comparison and copying of their parameters.

#include "engine/FilterKinds.h"
#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

namespace {

template <typename TCond>
TCond &Params(TFilter &Filter)
{
    return static_cast<TCondFilter<TCond> &>(Filter).Params;
}

// A kind, the size of its record with AndMode, and parameters unlike its defaults, within its bounds.
struct TKindSample {
    uint32_t Kind;
    size_t RecordSize;
    std::function<void(TFilter &)> Edit;
};

const std::vector<TKindSample> Samples{
    {fltSucc, 20, [](TFilter &f) { Params<TGroupCond>(f) = {TRangeBlock{rmRange, 1, 2}, TRangeBlock{rmAny, 2, 6}, 1}; }},
    {fltPar, 19, [](TFilter &f) { Params<TCountCond>(f) = {TRangeBlock{rmAtLeast, 2, 6}, TRangeBlock{rmRange, 3, 30}}; }},
    {fltNPar, 19, [](TFilter &f) { Params<TCountCond>(f) = {TRangeBlock{rmAll, 0, 0}, TRangeBlock{rmAtMost, 1, 17}}; }},
    {fltFirst, 19, [](TFilter &f) { Params<TCountCond>(f) = {TRangeBlock{rmRange, 1, 3}, TRangeBlock{rmAtLeast, 11, 49}}; }},
    {fltSum, 10, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmAtLeast, 150, 279}; }},
    {fltSDigit1, 10, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmExact, 12, 12}; }},
    {fltSDigit2, 10, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmAtMost, 2, 30}; }},
    {fltSDigit12, 10, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmRange, 30, 40}; }},
    {fltInt, 19, [](TFilter &f) { Params<TCountCond>(f) = {TRangeBlock{rmExact, 2, 2}, TRangeBlock{rmRange, 20, 29}}; }},
    {fltDigit, 51,
     [](TFilter &f) {
         auto &p = Params<TDigitCountCond>(f);
         p.DigitKind = 1;
         p.Count = TRangeBlock{rmRange, 2, 4};
         p.Digits = "0010010011";
     }},
    {fltDist, 10, [](TFilter &f) { Params<TRangeBlock>(f) = TRangeBlock{rmAtMost, 5, 30}; }},
    {fltDiffs, 19, [](TFilter &f) { Params<TCountCond>(f) = {TRangeBlock{rmAtMost, 0, 2}, TRangeBlock{rmRange, 7, 12}}; }},
    {fltGDigit1, 60,
     [](TFilter &f) {
         auto &p = Params<TDigitGroupCond>(f);
         p.Count = TRangeBlock{rmRange, 1, 2};
         p.Size = TRangeBlock{rmAtLeast, 3, 6};
         p.Digits = "1010100000";
         p.Exclusive = 1;
     }},
    {fltGDigit2, 60,
     [](TFilter &f) {
         auto &p = Params<TDigitGroupCond>(f);
         p.Count = TRangeBlock{rmExact, 3, 3};
         p.Size = TRangeBlock{rmRange, 2, 4};
         p.Digits = "0000011111";
     }},
    {fltDiffPos, 14, [](TFilter &f) { Params<TPositionCond>(f) = TPositionCond{4, TRangeBlock{rmRange, 3, 9}}; }},
    {fltNumPos, 14, [](TFilter &f) { Params<TPositionCond>(f) = TPositionCond{6, TRangeBlock{rmAtLeast, 40, 49}}; }},
    {fltDiffsConf, 20,
     [](TFilter &f) { Params<TGroupCond>(f) = {TRangeBlock{rmAtMost, 0, 2}, TRangeBlock{rmRange, 2, 4}, 1}; }},
};

class FilterKinds : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFilterKinds();
        Game.Info.MaxNumber = 49;
        Game.Info.Drawn = 6;
    }

    std::unique_ptr<TFilter> Make(uint32_t Kind) { return CreateFilter(Kind, &Game, 49, 6, {}); }

    TGameData Game;
};

TEST_F(FilterKinds, EveryKindSurvivesAFilterSetFile)
{
    TFilterList saved;
    InitFilterList(saved);
    size_t records = 0;
    for (const TKindSample &sample : Samples) {
        std::unique_ptr<TFilter> filter = Make(sample.Kind);
        ASSERT_NE(filter, nullptr) << sample.Kind;
        filter->AndMode = sample.Kind % 2 == 0;
        sample.Edit(*filter);
        records += 4 + sample.RecordSize;
        saved.AddItem(filter.release(), false);
    }
    const std::filesystem::path file = testsupport::makeTempDir("korvantile-filterkinds-") / "L1.dat";
    ASSERT_TRUE(SaveFilterSet(saved, file.string(), "Wszystkie rodzaje", ""));
    EXPECT_EQ(std::filesystem::file_size(file), 6 + 268 + 4 + records + 4);

    TFilterList loaded;
    InitFilterList(loaded);
    ASSERT_TRUE(LoadFilterSet(loaded, &Game, 49, 6, {}, file.string()));
    ASSERT_EQ(loaded.Count(), saved.Count());
    for (int i = 0; i < saved.Count(); ++i) {
        const TFilter *before = saved.GetItem(i);
        const TFilter *after = loaded.GetItem(i);
        EXPECT_TRUE(after->SameAs(*before)) << "kind " << before->Kind;
        EXPECT_EQ(after->AndMode, before->AndMode) << "kind " << before->Kind;
        EXPECT_FALSE(after->SameAs(*Make(before->Kind))) << "kind " << before->Kind << " kept its defaults";
    }
}

TEST_F(FilterKinds, DigitSetsCompareByContent)
{
    std::unique_ptr<TFilter> a = Make(fltDigit);
    std::unique_ptr<TFilter> b = Make(fltDigit);
    EXPECT_TRUE(a->SameAs(*b));
    Params<TDigitCountCond>(*b).Digits = "1100000001";
    EXPECT_FALSE(a->SameAs(*b));
    a->Assign(*b);
    EXPECT_TRUE(a->SameAs(*b));
    Params<TDigitCountCond>(*b).Digits[9] = '0';
    EXPECT_EQ(Params<TDigitCountCond>(*a).Digits, "1100000001"); // a copy, not shared

    std::unique_ptr<TFilter> g1 = Make(fltGDigit1);
    std::unique_ptr<TFilter> g2 = Make(fltGDigit2);
    EXPECT_FALSE(g1->SameAs(*g2)); // same parameters, another kind
    Params<TDigitGroupCond>(*g1).Exclusive = 1;
    std::unique_ptr<TFilter> copy = Make(fltGDigit1);
    copy->AndMode = false;
    copy->Assign(*g1);
    EXPECT_TRUE(copy->AndMode);
    EXPECT_TRUE(copy->SameAs(*g1));
    EXPECT_EQ(copy->CondCount(), 0u);
}

} // namespace
