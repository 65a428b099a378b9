#include "core/ProgramParams.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/ProgramDir.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalStartup.h"
#include "shell/FMain.h"
#include "shell/ProgramStart.h"
#include "tests/shell/ShellTestSupport.h"

#include <QApplication>

#include <filesystem>
#include <fstream>

namespace {

bool MainWindowShown()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmMain *>(widget) && widget->isVisible())
            return true;
    return false;
}

// Runs the program expecting the no-games message; answers whether the main window was visible while
// the message was up.
bool RunExpectingNoGames()
{
    bool shownDuringMessage = true;
    platform::setMessageBoxHook([&](const QString &text, const QString &caption, int flags) {
        shownDuringMessage = MainWindowShown();
        EXPECT_EQ(text, QStringLiteral("Praca z programem jest niemożliwa.\nBrak zdefiniowanych gier."));
        EXPECT_EQ(caption, QStringLiteral("Korvantile"));
        EXPECT_EQ(flags, 48);
        return int(platform::IDOK);
    });
    EXPECT_EQ(RunProgram(), 0);
    return shownDuringMessage;
}

} // namespace

class StartupTest : public ShellTest {};

TEST_F(StartupTest, WithoutGamesTheProgramOnlyTellsSoAndEnds)
{
    std::filesystem::remove_all(folder->path() / "Games");
    EXPECT_FALSE(RunExpectingNoGames());
    EXPECT_FALSE(MainWindowShown());
    EXPECT_FALSE(store().value("Settings", "LastGame")) << "a window never shown saves no selections";
    EXPECT_FALSE(store().value("Settings", "Params"));
}

TEST_F(StartupTest, GameFilesThatFailTheirChecksumCountAsNoGames)
{
    for (const auto &entry : std::filesystem::directory_iterator(folder->path() / "Games")) {
        std::fstream file(entry.path(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(7);
        file.put(char(99)); // MaxNumber, under the checksum
    }
    EXPECT_FALSE(RunExpectingNoGames());
}

TEST_F(StartupTest, InitGlobalsNamesTheFoldersLoadsGamesRangesAndSettings)
{
    TDrawsRange stored;
    DefaultDrawsRange(stored);
    stored.Mode = drLast;
    stored.PeriodCount = 77;
    SaveDrawsRange(1, stored, DefRangeKey);
    ProgramReg.SetSection("Settings\\1");
    ProgramReg.WriteFloat("BasicStake", 3.5);
    Limits.MaxComb = 5;
    WindowCounter = 40;

    InitGlobals();

    const std::string root = platform::programDir();
    EXPECT_EQ(DataDir, root + "Data/");
    EXPECT_EQ(FiltersDir, root + "Filters/");
    EXPECT_EQ(DrawsDir, root + "Draws/");
    EXPECT_EQ(SitesDir, root + "Sites/");
    EXPECT_EQ(GamesDir, root + "Games/");
    EXPECT_EQ(BlancDir, root + "Blanc/");
    EXPECT_EQ(HistoryDir, root + "History/");
    EXPECT_EQ(OtherDir, root + "Other/");
    EXPECT_EQ(TempDir, root + "Temp/");
    EXPECT_FALSE(std::filesystem::exists(DataDir)) << "start-up names the folders without creating them";
    EXPECT_EQ(Limits.MaxComb, 10000);
    EXPECT_EQ(Limits.MaxCombOutput, 65000);

    ASSERT_EQ(Games.Count(), 3);
    EXPECT_EQ(CurrentGameIndex, 0);
    TGameData *lotto = Games.GameById(1);
    ASSERT_NE(lotto, nullptr);
    EXPECT_EQ(lotto->DefRange.Mode, drLast);
    EXPECT_EQ(lotto->DefRange.PeriodCount, 77u);
    EXPECT_EQ(lotto->DrawsRange.Mode, drAll) << "the editor's range has its own key";
    EXPECT_EQ(lotto->Info.BasicStake, Currency::fromCount(35000));

    EXPECT_EQ(NextWindowNumber(), 1);
    EXPECT_EQ(NextWindowNumber(), 2);
    EXPECT_EQ(WindowCounter, 3);
    DoneGlobals();
    EXPECT_EQ(Games.Count(), 0);
}
