#include "engine/USysUser.h"

#include "engine/UGameMan.h"
#include "platform/AtomicFile.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<int>>;

class SysUser : public ::testing::Test {
protected:
    SysUser()
    {
        Game.Info.MaxNumber = 49;
        Game.Info.MaxSize = 12;
    }

    static Rows shown(const TSystem &System)
    {
        Rows rows;
        for (int i = 0; i < System.ViewCount(); ++i)
            rows.emplace_back(System.GetComb(i, true), System.GetComb(i, true) + System.K);
        return rows;
    }

    TGameData Game;
};

TEST_F(SysUser, FirstLineWithNumbersFixesTheSize)
{
    TSysUser system(&Game);
    ASSERT_TRUE(system.LoadFromStrings({"moje typy:", "1 2 3 4 5 6", "7,8,9,10,11,12", "1 2 3"}));
    EXPECT_EQ(system.K, 6);
    EXPECT_EQ(system.N, 49);
    EXPECT_EQ(shown(system), (Rows{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
    EXPECT_EQ(system.GetDescription(true), "Skrócony 6/49/2");

    // Repeats and numbers out of range are dropped, text between numbers is ignored, the numbers of a
    // line are sorted, the rows ordered by numbers, and a repeated row stays.
    ASSERT_TRUE(system.LoadFromStrings(
        {"", "40 x 41, 0 42;50 43-44 45", "losowanie 6-5, 5 x 50 i 4;3 oraz 2 1", "99 0", "1 2 3 4 5 6"}));
    EXPECT_EQ(system.K, 6);
    EXPECT_EQ(shown(system), (Rows{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {40, 41, 42, 43, 44, 45}}));
    EXPECT_EQ(system.GetCount(), 3);
    // More numbers than the game's largest size: the first twelve of the text.
    ASSERT_TRUE(system.LoadFromStrings({"49 48 47 46 45 44 43 42 41 40 39 38 37 36"}));
    EXPECT_EQ(shown(system), (Rows{{38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49}}));
}

TEST_F(SysUser, TextWithoutUsableLineGivesNoRows)
{
    TSysUser system(&Game);
    ASSERT_TRUE(system.LoadFromStrings({"1 2 3"}));
    EXPECT_FALSE(system.LoadFromStrings({"brak liczb", "0 50 99", ""}));
    EXPECT_EQ(system.GetCount(), 0);
    EXPECT_EQ(system.ViewCount(), 0);
    EXPECT_FALSE(system.LoadFromStrings({}));
}

TEST_F(SysUser, TextFileAndUnreadableFiles)
{
    const auto dir = testsupport::makeTempDir("korvantile-sysuser-");
    const std::string text = "1 2 3\r\n4 5 6\r\n\r\n7 8\r9 10 11\n12 13 14";
    ASSERT_TRUE(platform::writeFileAtomically((dir / "typy.txt").string(),
                                              std::vector<uint8_t>(text.begin(), text.end())));
    TSysUser system(&Game);
    ASSERT_TRUE(system.LoadFromTextFile((dir / "typy.txt").string()));
    EXPECT_EQ(system.Lines, (TStrArray{"1 2 3", "4 5 6", "", "7 8", "9 10 11", "12 13 14"}));
    EXPECT_EQ(shown(system), (Rows{{1, 2, 3}, {4, 5, 6}, {9, 10, 11}, {12, 13, 14}}));

    // A missing file and a folder: false, the rows stay.
    EXPECT_FALSE(system.LoadFromTextFile((dir / "brak.txt").string()));
    EXPECT_FALSE(system.LoadFromTextFile(dir.string()));
    EXPECT_EQ(system.GetCount(), 4);
}

TEST_F(SysUser, ParameterBlockAndSystemFile)
{
    TSysUser system(&Game);
    ASSERT_TRUE(system.LoadFromStrings({"3 9 27", "1 2 4", "5 10 20"}));
    const uint8_t extra[] = {2, 8, 32};
    system.AddComb(extra);
    system.DeleteCombs(0, 0);

    platform::ByteWriter block;
    system.SaveParams(block);
    EXPECT_EQ(block.bytes(), (platform::Bytes{0, 0, 3, 3, 0, 0, 0}));

    const auto dir = testsupport::makeTempDir("korvantile-sysuser-");
    const std::string file = (dir / "L1.dat").string();
    ASSERT_TRUE(system.SaveToFile(file, "Tytuł", ""));
    const auto loaded = CreateSystem(skUser, &Game);
    ASSERT_NE(dynamic_cast<TSysUser *>(loaded.get()), nullptr);
    ASSERT_TRUE(loaded->LoadFromFile(file));
    EXPECT_EQ(loaded->K, 3);
    EXPECT_EQ(loaded->N, 49);
    EXPECT_EQ(shown(*loaded), (Rows{{2, 8, 32}, {3, 9, 27}, {5, 10, 20}}));
    EXPECT_EQ(loaded->GetDescription(false), "System skrócony 3/49/3");
}

} // namespace
