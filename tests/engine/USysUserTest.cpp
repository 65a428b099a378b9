#include "engine/USysUser.h"

#include "engine/UGameMan.h"
#include "platform/AtomicFile.h"
#include "tests/support/TestEnvironment.h"
#include "tests/engine/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using systest::Rows;
using systest::shown;

class SysUser : public ::testing::Test {
protected:
    SysUser()
    {
        Game.Info.MaxNumber = 49;
        Game.Info.MaxSize = 12;
    }

    TGameData Game;
    TSysUser System{&Game};
};

TEST_F(SysUser, TheFirstLineWithNumbersFixesTheSize)
{
    ASSERT_TRUE(System.LoadFromStrings({"moje typy:", "1 2 3 4 5 6", "7,8,9,10,11,12", "1 2 3"}));
    EXPECT_EQ(shown(System), (Rows{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
    EXPECT_EQ(System.GetDescription(true), "Skrócony 6/49/2");

    // A repeated number is kept once, numbers out of range and text are skipped, the rows are ordered by
    // their sorted numbers, and a repeated row stays.
    ASSERT_TRUE(System.LoadFromStrings(
        {"", "40 x 41, 0 42;50 43-44 45", "6-5, 5 x 50 i 4;3 oraz 2 1", "1 2 3 4 5 6"}));
    EXPECT_EQ(shown(System), (Rows{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {40, 41, 42, 43, 44, 45}}));

    EXPECT_FALSE(System.LoadFromStrings({"brak liczb", "0 50 99"}));
    EXPECT_EQ(System.ViewCount(), 0);
}

TEST_F(SysUser, TextFilesAndTheSystemFile)
{
    const auto dir = testsupport::makeTempDir("korvantile-sysuser-");
    const std::string text = "3 9 27\r\n1 2 4\r\n\r\n7 8\r5 10 20\n2 8 32";
    ASSERT_TRUE(platform::writeFileAtomically((dir / "typy.txt").string(),
                                              platform::Bytes(text.begin(), text.end())));
    ASSERT_TRUE(System.LoadFromTextFile((dir / "typy.txt").string()));
    EXPECT_EQ(System.Lines, (TStrArray{"3 9 27", "1 2 4", "", "7 8", "5 10 20", "2 8 32"}));
    // A missing file and a folder cannot be read: the rows stay.
    EXPECT_FALSE(System.LoadFromTextFile((dir / "brak.txt").string()));
    EXPECT_FALSE(System.LoadFromTextFile(dir.string()));
    System.DeleteCombs(0, 0);

    platform::ByteWriter block;
    System.SaveParams(block);
    EXPECT_EQ(block.bytes(), (platform::Bytes{0, 0, 3, 3, 0, 0, 0})); // K, the live rows
    const std::string file = (dir / "L1.dat").string();
    ASSERT_TRUE(System.SaveToFile(file, "Tytuł", ""));
    const auto loaded = CreateSystem(skUser, &Game);
    ASSERT_NE(dynamic_cast<TSysUser *>(loaded.get()), nullptr);
    ASSERT_TRUE(loaded->LoadFromFile(file));
    EXPECT_EQ(shown(*loaded), (Rows{{2, 8, 32}, {3, 9, 27}, {5, 10, 20}}));
    EXPECT_EQ(loaded->GetDescription(false), "System skrócony 3/49/3");
}

} // namespace
