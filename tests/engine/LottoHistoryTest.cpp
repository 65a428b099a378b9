#include "tools/LottoHistoryImport.h"

#include "engine/UDrawsDB.h"
#include "tests/engine/DrawsTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

const std::string HistoryFile = std::string(KORVANTILE_SHARED_DATA) + "/lotto-6z49-history.txt";

// The message of what MakeLottoDraws throws for a history holding Text; empty when it throws nothing.
std::string ConversionError(const std::string &Text)
{
    try {
        MakeLottoDraws(WriteTestFile("history.txt", Text), TempFilePath("LottoDraws"));
    } catch (const std::runtime_error &error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(LottoHistory, ShippedDrawsLoadAndSurviveARoundTrip)
{
    const std::string drawsFile = (testsupport::makeTempDir("korvantile-lotto-") / "Draws" / "LottoDraws").string();
    MakeLottoDraws(HistoryFile, drawsFile);

    auto game = MakeDrawsGame(49, 6);
    TDrawsManager draws(game.get(), -1);
    draws.LoadFromFile(drawsFile);
    ASSERT_EQ(draws.Count(), 3545);
    EXPECT_EQ(draws.GetDraw(0).Date, EncodeDate(1992, 1, 1));
    EXPECT_EQ(NumbersOf(draws, 0), (TDynByteArr{1, 7, 35, 37, 41, 47}));
    const TDraw &last = draws.GetDraw(3544);
    EXPECT_EQ(last.Date, EncodeDate(2019, 11, 12));
    EXPECT_EQ(last.Numbers, (TDynByteArr{9, 20, 34, 40, 42, 43}));
    EXPECT_EQ(last.No, 3545);
    EXPECT_EQ(last.WeekDay, 2); // a Tuesday

    const std::string again = TempFilePath("LottoDraws");
    draws.SaveToFile(again);
    EXPECT_EQ(ReadTestFile(again), ReadTestFile(drawsFile));
    TDrawsManager reloaded(game.get(), -1);
    reloaded.LoadFromFile(again);
    ASSERT_EQ(reloaded.Count(), draws.Count());
    for (int i = 0; i < draws.Count(); ++i) {
        ASSERT_EQ(reloaded.GetDraw(i).Date, draws.GetDraw(i).Date) << i;
        ASSERT_EQ(reloaded.GetDraw(i).Numbers, draws.GetDraw(i).Numbers) << i;
    }
}

TEST(LottoHistory, TakesTheDrawsFromTheStartDate)
{
    const std::string drawsFile = TempFilePath("LottoDraws");
    MakeLottoDraws(WriteTestFile("history.txt", "1. 29.12.1991 1,2,3,4,5,6\r\n"
                                                "2. 29.12.1991 7,8,9,10,11,12\r\n"
                                                "3. 01.01.1992 1,7,35,37,41,47\n"
                                                "4. 04.01.1992 2,3,17,18,26,46\n"),
                   drawsFile);
    EXPECT_EQ(ReadTestFile(drawsFile), "1;1992-01-01;1;7;35;37;41;47;\r\n2;1992-01-04;2;3;17;18;26;46;\r\n");
}

TEST(LottoHistory, MissingOrMalformedInputFails)
{
    EXPECT_THROW(MakeLottoDraws(TempFilePath("absent.txt"), TempFilePath("LottoDraws")), std::runtime_error);
    EXPECT_NE(ConversionError(""), "");

    const std::string good = "1. 01.01.1992 1,7,35,37,41,47\r\n";
    EXPECT_EQ(ConversionError(good + "2. 04.01.1992 2,3,17,18,26,46"), "");
    const std::string bad[] = {
        "2. 04.01.1992 2,3,17,18,26",        // five numbers
        "2. 04.01.1992 2,3,17,18,26,46,49",  // seven
        "2. 04.01.1992 2,3,17,18,26,50",     // out of range
        "2. 04.01.1992 3,2,17,18,26,46",     // not ascending
        "2. 31.02.1992 2,3,17,18,26,46",     // no such day
        "2. 4.01.1992 2,3,17,18,26,46",      // one-digit day
        "2 04.01.1992 2,3,17,18,26,46",      // no full stop
        "2. 04.01.1992  2,3,17,18,26,46",    // two blanks
        "2. 04.01.1992 2,3,17,18,26,46 ",    // trailing blank
        "3. 04.01.1992 2,3,17,18,26,46",     // an ordinal skipped
        "2. 01.01.1992 2,3,17,18,26,46",     // the date again
        "",                                  // an empty line
    };
    for (const std::string &line : bad) {
        const std::string error = ConversionError(good + line + "\r\n4. 08.01.1992 2,3,17,18,26,46");
        EXPECT_NE(error.find(":2: "), std::string::npos) << line << " -> " << error;
    }
}
