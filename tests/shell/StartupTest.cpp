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

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

TEST_F(StartupTest, AnUnreadableSettingsFileIsKeptAsideAndTheUserToldOnce)
{
    const std::filesystem::path file = store().file();
    std::ofstream(file, std::ios::binary) << "KORVANTILE REGISTRY 1\n[Settings]\n\"Params\"=hex:0g\n;end\n";
    store().reopen(file);
    std::filesystem::remove_all(folder->path() / "Games");
    script.answerBox(platform::IDOK);
    script.answerBox(platform::IDOK);
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Plik ustawień jest uszkodzony. Zapisano go jako:\n") +
                                          QString::fromStdString(file.string()) +
                                          QStringLiteral(".damaged\nProgram użyje ustawień domyślnych."));
    EXPECT_EQ(script.boxes()[0].Caption, QStringLiteral("Korvantile"));
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(script.boxes()[1].Text, QStringLiteral("Praca z programem jest niemożliwa.\nBrak zdefiniowanych gier."));
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".damaged"));

    script.answerBox(platform::IDOK);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(script.boxes().size(), 3u) << "only the missing games are told again";
}

namespace {

// A file of a few bytes written Age ago, its folders made where missing.
void Plant(const std::filesystem::path &File, std::chrono::minutes Age)
{
    std::filesystem::create_directories(File.parent_path());
    std::ofstream(File) << "part";
    std::filesystem::last_write_time(File, std::filesystem::file_time_type::clock::now() - Age);
}

} // namespace

TEST_F(StartupTest, TemporaryFilesOfDeadWritersAreRemoved)
{
    namespace fs = std::filesystem;
    const fs::path data = folder->path() / "Data";
    const fs::path settings = store().file().parent_path();
    using std::chrono::minutes;
    Plant(data / ".L1.dat.4242-0.korvantile-tmp", minutes(60));
    Plant(data / ".L2.dat.4242-1.korvantile-tmp", minutes(11));
    Plant(settings / ".registry.reg.4242-2.korvantile-tmp", minutes(60 * 24));
    Plant(data / ".L3.dat.4243-0.korvantile-tmp", minutes(9)); // another copy may still be writing
    Plant(settings / ".registry.reg.4243-1.korvantile-tmp", minutes(0));
    Plant(data / "L1.dat", minutes(60));
    Plant(data / "Sub" / ".L1.dat.4242-3.korvantile-tmp", minutes(60));

    InitGlobals();

    EXPECT_FALSE(fs::exists(data / ".L1.dat.4242-0.korvantile-tmp"));
    EXPECT_FALSE(fs::exists(data / ".L2.dat.4242-1.korvantile-tmp"));
    EXPECT_FALSE(fs::exists(settings / ".registry.reg.4242-2.korvantile-tmp"));
    EXPECT_TRUE(fs::exists(data / ".L3.dat.4243-0.korvantile-tmp"));
    EXPECT_TRUE(fs::exists(settings / ".registry.reg.4243-1.korvantile-tmp"));
    EXPECT_TRUE(fs::exists(data / "L1.dat"));
    EXPECT_TRUE(fs::exists(data / "Sub" / ".L1.dat.4242-3.korvantile-tmp")) << "only the folders themselves";
    DoneGlobals();
}

// What an update that died left in the temporary folder: its download files and run folders, not the
// user's files and not what a copy still running is downloading.
TEST_F(StartupTest, LeftoversOfUpdatesThatDiedAreRemoved)
{
    namespace fs = std::filesystem;
    const fs::path temp = folder->path() / "Temp";
    using std::chrono::minutes;
    Plant(temp / "1", minutes(60));
    Plant(temp / "255", minutes(11));
    Plant(temp / "Update-a1B2c3" / "1" / "lotto.txt", minutes(60));
    fs::last_write_time(temp / "Update-a1B2c3", fs::file_time_type::clock::now() - minutes(60));
    Plant(temp / "3", minutes(0)); // another copy may still be downloading
    Plant(temp / "Update-Young1" / "3" / "lotto.txt", minutes(0));
    for (const char *kept :
         {"Raport-20200101-120000.xlsx", "256", "01", "1.txt", "Update-abc", "Update-abcdefg"})
        Plant(temp / kept, minutes(60));
    fs::create_directories(temp / "12");
    fs::last_write_time(temp / "12", fs::file_time_type::clock::now() - minutes(60));

    InitGlobals();

    std::vector<std::string> left;
    for (const auto &entry : fs::directory_iterator(temp))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"01", "1.txt", "12", "256", "3", "Raport-20200101-120000.xlsx",
                                              "Update-Young1", "Update-abc", "Update-abcdefg"}));
    DoneGlobals();
}
