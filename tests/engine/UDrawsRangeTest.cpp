#include "engine/UDrawsRange.h"

#include "core/UGlobalRegistry.h"
#include "engine/UDrawsDB.h"
#include "tests/engine/DrawsTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

using platform::ByteReader;
using platform::Bytes;
using platform::ByteWriter;

namespace {

TDateTime Today()
{
    return std::floor(Now());
}

void Append(Bytes &Out, std::initializer_list<uint8_t> Values)
{
    Out.insert(Out.end(), Values);
}

// Mode 3, start 2000-01-01 unused, end 2004-05-29, forward from the anchor 2004-05-29, 12 months,
// indexes 5 and -2, Mondays and Sundays, the 31st, every month but February, quarters 2 and 4,
// resolved 2000-01-01 .. 2004-05-29 with 7 draws.
Bytes HandBuiltRange()
{
    Bytes b;
    Append(b, {3, 0, 1});
    Append(b, {0x00, 0x00, 0x00, 0x00, 0xC0, 0xD5, 0xE1, 0x40});
    Append(b, {0x00, 0x00, 0x00, 0x00, 0x00, 0x9F, 0xE2, 0x40});
    Append(b, {0, 1});
    Append(b, {0x00, 0x00, 0x00, 0x00, 0x00, 0x9F, 0xE2, 0x40});
    Append(b, {2});
    Append(b, {12, 0, 0, 0});
    Append(b, {5, 0, 0, 0});
    Append(b, {0xFE, 0xFF, 0xFF, 0xFF});
    Append(b, {1, 0, 0, 0, 0, 0, 1});
    b.insert(b.end(), 30, 0);
    Append(b, {1});
    Append(b, {1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    Append(b, {0, 1, 0, 1});
    Append(b, {0x00, 0x00, 0x00, 0x00, 0xC0, 0xD5, 0xE1, 0x40});
    Append(b, {0x00, 0x00, 0x00, 0x00, 0x00, 0x9F, 0xE2, 0x40});
    Append(b, {7, 0, 0, 0});
    return b;
}

TDrawsRange OnlyWeekDays(std::initializer_list<int> Days)
{
    TDrawsRange r;
    r.WeekDays.fill(false);
    for (int day : Days)
        r.WeekDays[static_cast<size_t>(day - 1)] = true;
    return r;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// The 116-byte record

TEST(DrawsRangeRecord, ReadsAndWritesHandBuiltBytes)
{
    const Bytes bytes = HandBuiltRange();
    ASSERT_EQ(bytes.size(), TDrawsRange::RecordSize);
    TDrawsRange r;
    ByteReader in(bytes);
    ReadDrawsRange(in, r);
    EXPECT_TRUE(in.ok());
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(r.Mode, drPeriods);
    EXPECT_FALSE(r.UseStart);
    EXPECT_TRUE(r.UseEnd);
    EXPECT_EQ(r.StartDate, EncodeDate(2000, 1, 1));
    EXPECT_EQ(r.EndDate, EncodeDate(2004, 5, 29));
    EXPECT_FALSE(r.Backward);
    EXPECT_TRUE(r.UseAnchor);
    EXPECT_EQ(r.AnchorDate, EncodeDate(2004, 5, 29));
    EXPECT_EQ(r.PeriodUnit, puMonth);
    EXPECT_EQ(r.PeriodCount, 12u);
    EXPECT_EQ(r.FirstIndex, 5);
    EXPECT_EQ(r.LastIndex, -2);
    EXPECT_TRUE(r.WeekDays[0] && r.WeekDays[6] && !r.WeekDays[1] && !r.WeekDays[5]);
    EXPECT_TRUE(r.MonthDays[30] && !r.MonthDays[0]);
    EXPECT_TRUE(r.Months[0] && !r.Months[1] && r.Months[11]);
    EXPECT_TRUE(!r.Quarters[0] && r.Quarters[1] && !r.Quarters[2] && r.Quarters[3]);
    EXPECT_EQ(r.From, EncodeDate(2000, 1, 1));
    EXPECT_EQ(r.To, EncodeDate(2004, 5, 29));
    EXPECT_EQ(r.Count, 7u);

    ByteWriter out;
    WriteDrawsRange(out, r);
    EXPECT_EQ(out.bytes(), bytes);
}

TEST(DrawsRangeRecord, RepairBringsFieldsIntoBounds)
{
    TDrawsRange r;
    r.Mode = 7;
    r.PeriodUnit = 9;
    r.StartDate = -1; // 29 December 1899
    r.EndDate = 3e6;       // after 9999
    r.AnchorDate = std::numeric_limits<double>::quiet_NaN();
    r.PeriodCount = 0;
    r.FirstIndex = 0;
    r.LastIndex = -3;
    RepairDrawsRange(r);
    EXPECT_EQ(r.Mode, drAll);
    EXPECT_EQ(r.PeriodUnit, puDay);
    EXPECT_EQ(r.StartDate, Today());
    EXPECT_EQ(r.EndDate, Today());
    EXPECT_EQ(r.AnchorDate, Today());
    EXPECT_EQ(r.PeriodCount, 1u);
    EXPECT_EQ(r.FirstIndex, 1);
    EXPECT_EQ(r.LastIndex, 1);

    TDrawsRange kept;
    kept.StartDate = 0;
    kept.EndDate = EncodeDate(9999, 12, 31);
    kept.FirstIndex = 50;
    kept.LastIndex = 10;
    RepairDrawsRange(kept);
    EXPECT_EQ(kept.StartDate, 0);
    EXPECT_EQ(kept.EndDate, EncodeDate(9999, 12, 31));
    EXPECT_EQ(kept.FirstIndex, 10);
    EXPECT_EQ(kept.LastIndex, 50);
}

TEST(DrawsRangeRecord, AbsentOrShortValueStartsFromDefaults)
{
    auto game = MakeDrawsGame(49, 6);
    game->Info.Id = 201;
    TDrawsRange r;
    r.Mode = drLast;
    LoadDrawsRange(*game, DefRangeKey, r);
    const TDateTime today = Today();
    EXPECT_EQ(r.Mode, drAll);
    EXPECT_EQ(r.EndDate, today);
    EXPECT_EQ(r.StartDate, IncMonth(today, -1));
    EXPECT_EQ(r.AnchorDate, today);
    EXPECT_EQ(r.PeriodUnit, puDraw);
    EXPECT_EQ(r.PeriodCount, 30u);
    EXPECT_EQ(r.LastIndex, 30);

    SaveBytesToReg("Filters\\FltDateDef\\201", "Params", {2, 0, 1});
    LoadDrawsRange(*game, DefRangeKey, r);
    EXPECT_EQ(r.Mode, drDates);
    EXPECT_FALSE(r.UseStart);
    EXPECT_TRUE(r.UseEnd);
    EXPECT_EQ(r.EndDate, today);
    EXPECT_EQ(r.PeriodCount, 30u);
}

TEST(DrawsRangeRecord, StoredRecordIsRepairedOnLoading)
{
    auto game = MakeDrawsGame(49, 6);
    game->Info.Id = 202;
    Bytes stored = HandBuiltRange();
    stored[0] = 7;                                   // Mode
    stored[29] = 5;                                  // PeriodUnit
    stored[30] = stored[31] = stored[32] = stored[33] = 0; // PeriodCount
    SaveBytesToReg("Filters\\FltDateDraws\\202", "Params", stored);

    TDrawsRange r;
    LoadDrawsRange(*game, DrawsRangeKey, r);
    EXPECT_EQ(r.Mode, drAll);
    EXPECT_EQ(r.PeriodUnit, puDay);
    EXPECT_EQ(r.PeriodCount, 1u);
    EXPECT_EQ(r.FirstIndex, 1); // 5 and -2 became 5 and 1, then swapped
    EXPECT_EQ(r.LastIndex, 5);
    EXPECT_EQ(r.EndDate, EncodeDate(2004, 5, 29));
    EXPECT_FALSE(r.UseStart);
    EXPECT_FALSE(r.Months[1]);
}

TEST(DrawsRangeRecord, SavedRecordLoadsBack)
{
    auto game = MakeDrawsGame(49, 6);
    game->Info.Id = 204;
    const Bytes bytes = HandBuiltRange();
    TDrawsRange r;
    ByteReader in(bytes);
    ReadDrawsRange(in, r);
    r.LastIndex = 40;
    SaveDrawsRange(204, r, DrawsRangeKey);

    TDynByteArr stored;
    ASSERT_EQ(LoadBytesFromReg("Filters\\FltDateDraws\\204", "Params", stored, 1000), 116);
    EXPECT_EQ(stored[38], 40);
    TDrawsRange loaded;
    LoadDrawsRange(*game, DrawsRangeKey, loaded);
    EXPECT_EQ(loaded, r);
}

// ---------------------------------------------------------------------------------------------------
// Resolving a range against a history

namespace {

// Ten draws of 2004 (weekday in brackets): 3 Jan (Sa), 7 Jan (We), 10 Jan (Sa), 31 Jan (Sa),
// 29 Feb (Su), 1 Mar (Mo), 31 Mar (We), 3 Apr (Sa), 1 Jul (Th), 31 Dec (Fr).
class DrawsRangeResolve : public ::testing::Test {
protected:
    std::unique_ptr<TGameData> Game = MakeDrawsGame(49, 6);
    TDrawsManager Draws{Game.get(), -1};

    void SetUp() override
    {
        const int dates[10][2] = {{1, 3}, {1, 7}, {1, 10}, {1, 31}, {2, 29}, {3, 1}, {3, 31}, {4, 3}, {7, 1}, {12, 31}};
        for (int i = 0; i < 10; ++i)
            Draws.AddDraw({1, 2, 3, 4, 5, static_cast<uint8_t>(10 + i)}, EncodeDate(2004, dates[i][0], dates[i][1]));
        Draws.BuildSelection(smAll);
    }

    // The 1-based ordinals of the draws marked 1.
    std::vector<int> Marked() const
    {
        std::vector<int> marked;
        for (int i = 0; i < Draws.Count(); ++i) {
            if (Draws.GetDraw(i).Mark == 1)
                marked.push_back(i + 1);
        }
        return marked;
    }

    static TDrawsRange Periods(uint8_t Unit, uint32_t Count, bool Backward, TDateTime Anchor = 0)
    {
        TDrawsRange r;
        r.Mode = drPeriods;
        r.PeriodUnit = Unit;
        r.PeriodCount = Count;
        r.Backward = Backward;
        r.UseAnchor = Anchor != 0;
        r.AnchorDate = Anchor;
        return r;
    }
};

using Ords = std::vector<int>;

} // namespace

TEST_F(DrawsRangeResolve, AllAndLast)
{
    TDrawsRange all;
    EXPECT_TRUE(Draws.SetRange(all));
    EXPECT_EQ(all.Count, 10u);
    EXPECT_EQ(all.From, EncodeDate(2004, 1, 3));
    EXPECT_EQ(all.To, EncodeDate(2004, 12, 31));

    TDrawsRange last;
    last.Mode = drLast;
    EXPECT_TRUE(Draws.SetRange(last));
    EXPECT_EQ(last.Count, 1u);
    EXPECT_EQ(last.From, EncodeDate(2004, 12, 31));
    EXPECT_EQ(Marked(), (Ords{10}));
}

TEST_F(DrawsRangeResolve, CalendarRestrictions)
{
    TDrawsRange saturdays = OnlyWeekDays({6});
    EXPECT_TRUE(Draws.SetRange(saturdays));
    EXPECT_EQ(Marked(), (Ords{1, 3, 4, 8}));
    EXPECT_EQ(saturdays.Count, 4u);
    Draws.ApplyRange(saturdays);
    EXPECT_EQ(Draws.CountFlagged(dfInRange), 4);
    Draws.BuildSelection(smAll);
    EXPECT_EQ(Draws.SelCount(), 4);

    TDrawsRange lastDays;
    lastDays.MonthDays.fill(false);
    lastDays.MonthDays[30] = true;
    EXPECT_TRUE(Draws.SetRange(lastDays));
    EXPECT_EQ(Marked(), (Ords{4, 7, 10}));

    TDrawsRange firstQuarter;
    firstQuarter.Quarters = {true, false, false, false};
    EXPECT_TRUE(Draws.SetRange(firstQuarter));
    EXPECT_EQ(firstQuarter.Count, 7u);

    TDrawsRange sundaysInMarch = OnlyWeekDays({7});
    sundaysInMarch.Months.fill(false);
    sundaysInMarch.Months[2] = true;
    EXPECT_FALSE(Draws.SetRange(sundaysInMarch));
    EXPECT_EQ(sundaysInMarch.Count, 0u);
    EXPECT_TRUE(Marked().empty());
}

TEST_F(DrawsRangeResolve, Dates)
{
    TDrawsRange r;
    r.Mode = drDates;
    r.StartDate = EncodeDate(2004, 2, 1);
    r.EndDate = EncodeDate(2004, 3, 31);
    EXPECT_TRUE(Draws.SetRange(r));
    EXPECT_EQ(Marked(), (Ords{5, 6, 7}));

    r.UseStart = false;
    EXPECT_TRUE(Draws.SetRange(r));
    EXPECT_EQ(r.From, EncodeDate(2004, 1, 3));
    EXPECT_EQ(r.Count, 7u);

    // No draw on or after the start: nothing is marked any more.
    TDrawsRange later;
    later.Mode = drDates;
    later.StartDate = EncodeDate(2005, 1, 1);
    later.EndDate = EncodeDate(2005, 12, 31);
    EXPECT_FALSE(Draws.SetRange(later));
    EXPECT_EQ(later.Count, 0u);
    EXPECT_TRUE(Marked().empty());
}

TEST_F(DrawsRangeResolve, PeriodsOfDraws)
{
    TDrawsRange last3 = Periods(puDraw, 3, true);
    EXPECT_TRUE(Draws.SetRange(last3));
    EXPECT_EQ(Marked(), (Ords{8, 9, 10}));
    EXPECT_EQ(last3.From, EncodeDate(2004, 4, 3));
    EXPECT_EQ(last3.Count, 3u);

    TDrawsRange last30 = Periods(puDraw, 30, true);
    EXPECT_TRUE(Draws.SetRange(last30));
    EXPECT_EQ(last30.Count, 10u);

    TDrawsRange two = Periods(puDraw, 2, false, EncodeDate(2004, 3, 1));
    EXPECT_TRUE(Draws.SetRange(two));
    EXPECT_EQ(two.To, EncodeDate(2004, 3, 31));
    EXPECT_EQ(Marked(), (Ords{6, 7}));

    // Back from an anchor between draws: the draws up to it.
    TDrawsRange beforeFeb = Periods(puDraw, 2, true, EncodeDate(2004, 2, 15));
    EXPECT_TRUE(Draws.SetRange(beforeFeb));
    EXPECT_EQ(Marked(), (Ords{3, 4}));

    // An unrepaired count of 0 still reads inside the history: the anchor's draw.
    TDrawsRange none = Periods(puDraw, 0, true);
    EXPECT_TRUE(Draws.SetRange(none));
    EXPECT_EQ(Marked(), (Ords{10}));

    TDrawsRange after = Periods(puDraw, 5, false, EncodeDate(2005, 1, 1));
    EXPECT_FALSE(Draws.SetRange(after));
    EXPECT_TRUE(Marked().empty());
}

TEST_F(DrawsRangeResolve, PeriodsOfDaysAndWeeks)
{
    TDrawsRange week = Periods(puWeek, 1, true, EncodeDate(2004, 1, 10));
    EXPECT_TRUE(Draws.SetRange(week));
    EXPECT_EQ(week.From, EncodeDate(2004, 1, 4));
    EXPECT_EQ(Marked(), (Ords{2, 3}));

    TDrawsRange days = Periods(puDay, 2, false, EncodeDate(2004, 2, 29));
    EXPECT_TRUE(Draws.SetRange(days));
    EXPECT_EQ(days.To, EncodeDate(2004, 3, 1));
    EXPECT_EQ(Marked(), (Ords{5, 6}));

    // Forward from an anchor after the last draw: no draw on or after the start.
    TDrawsRange after = Periods(puDay, 5, false, EncodeDate(2005, 1, 1));
    EXPECT_FALSE(Draws.SetRange(after));
    EXPECT_EQ(after.Count, 0u);
    EXPECT_TRUE(Marked().empty());
}

TEST_F(DrawsRangeResolve, PeriodsOfMonthsAndYears)
{
    TDrawsRange back = Periods(puMonth, 1, true, EncodeDate(2004, 3, 31));
    EXPECT_TRUE(Draws.SetRange(back));
    EXPECT_EQ(back.From, EncodeDate(2004, 3, 1));
    EXPECT_EQ(Marked(), (Ords{6, 7}));

    // From the 1st after a short month the period runs to the month's end.
    TDrawsRange march = Periods(puMonth, 1, false, EncodeDate(2004, 3, 1));
    EXPECT_TRUE(Draws.SetRange(march));
    EXPECT_EQ(march.To, EncodeDate(2004, 3, 31));
    EXPECT_EQ(Marked(), (Ords{6, 7}));

    TDrawsRange fromJan31 = Periods(puMonth, 1, false, EncodeDate(2004, 1, 31));
    EXPECT_TRUE(Draws.SetRange(fromJan31));
    EXPECT_EQ(fromJan31.To, EncodeDate(2004, 2, 29));
    EXPECT_EQ(Marked(), (Ords{4, 5}));

    TDrawsRange year = Periods(puYear, 1, true);
    EXPECT_TRUE(Draws.SetRange(year));
    EXPECT_EQ(year.From, EncodeDate(2004, 1, 1));
    EXPECT_EQ(year.Count, 10u);

    // Counts beyond the calendar stop at its ends.
    TDrawsRange ages = Periods(puYear, 4000000000u, true);
    EXPECT_TRUE(Draws.SetRange(ages));
    EXPECT_EQ(ages.From, EncodeDate(1, 1, 1));
    EXPECT_EQ(ages.Count, 10u);
}

TEST_F(DrawsRangeResolve, Ordinals)
{
    TDrawsRange r;
    r.Mode = drIndexes;
    r.FirstIndex = 5;
    r.LastIndex = 1000;
    EXPECT_TRUE(Draws.SetRange(r));
    EXPECT_EQ(Marked(), (Ords{5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(r.From, EncodeDate(2004, 2, 29));
    EXPECT_EQ(r.To, EncodeDate(2004, 12, 31));

    r.FirstIndex = 11;
    EXPECT_FALSE(Draws.SetRange(r));
    EXPECT_TRUE(Marked().empty());

    // An unrepaired first ordinal of 0 counts from the first draw.
    r.FirstIndex = 0;
    r.LastIndex = 2;
    EXPECT_TRUE(Draws.SetRange(r));
    EXPECT_EQ(Marked(), (Ords{1, 2}));
}

TEST(DrawsRangeEmptyHistory, FindsNothing)
{
    auto game = MakeDrawsGame(49, 6);
    TDrawsManager draws(game.get(), -1);
    TDrawsRange r;
    r.Count = 5;
    EXPECT_FALSE(draws.SetRange(r));
    EXPECT_EQ(r.Count, 0u);
}

// ---------------------------------------------------------------------------------------------------
// Texts

TEST(DrawsRangeText, PartTexts)
{
    TDrawsRange r = OnlyWeekDays({1, 7});
    EXPECT_EQ(DrawsRangePartText(r, 0), "Pn N");
    r.WeekDays = {false, false, true, false, false, true, false};
    EXPECT_EQ(DrawsRangePartText(r, 0), "Śr So");
    r.WeekDays.fill(false);
    EXPECT_EQ(DrawsRangePartText(r, 0), "");

    EXPECT_EQ(DrawsRangePartText(r, 1), "");
    r.MonthDays.fill(false);
    r.MonthDays[0] = r.MonthDays[14] = r.MonthDays[30] = true;
    EXPECT_EQ(DrawsRangePartText(r, 1), "1,15,31");
    r.Months[11] = false;
    EXPECT_EQ(DrawsRangePartText(r, 2), "1,2,3,4,5,6,7,8,9,10,11");
    r.Quarters = {false, true, false, true};
    EXPECT_EQ(DrawsRangePartText(r, 3), "2,4");
}

TEST(DrawsRangeText, DaysText)
{
    TDrawsRange r;
    EXPECT_EQ(DrawsRangeDaysText(r), "brak");
    r = OnlyWeekDays({1, 7});
    EXPECT_EQ(DrawsRangeDaysText(r), "Dni tygodnia: Pn N; ");
    r.Months.fill(false);
    r.Months[0] = r.Months[1] = true;
    r.Quarters[2] = false;
    EXPECT_EQ(DrawsRangeDaysText(r), "Dni tygodnia: Pn N; Miesiące: 1,2; Kwartały: 1,2,4; ");
}

TEST(DrawsRangeText, Summary)
{
    TDrawsRange r;
    EXPECT_EQ(DrawsRangeSummary(r, true), "Brak losowań");
    r.Count = 3;
    r.From = EncodeDate(2004, 2, 1);
    r.To = EncodeDate(2004, 3, 31);
    EXPECT_EQ(DrawsRangeSummary(r, true), "LL: 3;  O: 01.02.2004 - 31.03.2004;  DT: ;");
    EXPECT_EQ(DrawsRangeSummary(r, false),
              "Liczba losowań: 3;  Okres: 01.02.2004 - 31.03.2004;  Dni tygodnia: ;");
    std::string days = "kept";
    DrawsRangeShortDays(r, days);
    EXPECT_EQ(days, "kept");
}
