// The draws update road: sites written by hand, a test server on 127.0.0.1, the game choice, the download
// window with its rows, Stop, and the merge into the draws files.
#include "output/FDownload.h"
#include "output/FSelGames.h"
#include "output/UpdateDraws.h"

#include "controls/ALProgressBar.h"
#include "controls/EnhListView.h"
#include "core/ProgramParams.h"
#include "engine/UGameDescription.h"
#include "engine/UGameFile.h"
#include "engine/UGameMan.h"
#include "platform/NetworkState.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalStartup.h"
#include "shell/FDrawsEditor.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/USites.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/output/TestHttpServer.h"
#include "tests/output/ZipTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ProcessUntil.h"
#include "tools/LottoHistoryImport.h"

#include <QAction>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QStandardItemModel>
#include <QTest>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>
#include <tuple>

namespace fs = std::filesystem;
using testsupport::TestHttpServer;

namespace {

constexpr uint8_t LottoId = 1, MiniId = 2, MultiId = 3;

using testsupport::ProcessUntil;

// The folders the runs of the update made in Folder.
std::vector<fs::path> RunFolders(const fs::path &Folder)
{
    std::vector<fs::path> runs;
    for (const auto &entry : fs::directory_iterator(Folder))
        if (entry.is_directory() && entry.path().filename().string().starts_with("Update-"))
            runs.push_back(entry.path());
    return runs;
}

// The project's history as its own lines: "N. DD.MM.YYYY a,b,c,d,e,f", from 1 January 1992 on.
TSiteRec HistorySite(const std::string &Location)
{
    TSiteRec site;
    site.Location = Location;
    site.Format = {2, 3, true, EncodeDate(1992, 1, 1), "DMR", ".", ",", " "};
    return site;
}

// The pixels of row Row's image place (its first 20 pixels) in which one channel stands out: red 0,
// green 1.
int TintedPixels(TfrmDownload &Window, int Row, int Channel)
{
    const QImage image = Window.LV->viewport()->grab().toImage();
    const QRect row = Window.LV->visualRect(Window.LV->Model()->index(Row, 0));
    int count = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x < row.left() + 20; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int tinted = Channel == 0 ? pixel.red() : pixel.green();
            const int other = Channel == 0 ? std::max(pixel.green(), pixel.blue()) : std::max(pixel.red(), pixel.blue());
            count += tinted > other + 80 ? 1 : 0;
        }
    return count;
}

} // namespace

class DownloadWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        platform::setNetworkStateProvider([this] { return Online; });
        const fs::path dir = testsupport::makeTempDir("zipped-");
        fs::copy_file(testsupport::HistoryFile(), dir / "lotto.txt");
        ASSERT_EQ(std::system(("cd '" + dir.string() + "' && zip -q lotto.zip lotto.txt").c_str()), 0);
        server.serveFile("/lotto.zip", testsupport::readFile(dir / "lotto.zip"));
        server.serveStatus("/mini.txt", 404, "<html>Brak</html>");
        ProgramParams = TProgramParams();
    }
    void TearDown() override
    {
        frame.reset();
        platform::setNetworkStateProvider({});
        ProgramParams = TProgramParams();
        ShellTest::TearDown();
    }

    // The frame with the games loaded and a child window that records the notices.
    void OpenFrame()
    {
        frame = std::make_unique<TfrmMain>();
        frame->show();
        child = new RecordingChild;
        AddChildForm(child);
    }

    void WriteSites(uint8_t GameId, const TSiteRec &Site)
    {
        TSiteMan sites(SitesDir, Games.GameById(GameId));
        ASSERT_TRUE(sites.AddSite(Site));
        ASSERT_TRUE(sites.Save());
    }

    // Plays the game choice (OK as offered) and the download window: waits for its worker, checks it
    // through Check, then presses Button.
    void PlayUpdate(const std::function<void(TfrmDownload &)> &Check, bool Update)
    {
        script.onDialog([](QDialog &dialog) { dynamic_cast<TfrmSelGames &>(dialog).btnOK->click(); });
        script.onDialog([&](QDialog &dialog) {
            auto &window = dynamic_cast<TfrmDownload &>(dialog);
            ASSERT_TRUE(ProcessUntil([&] { return window.State == 0; }));
            QCoreApplication::processEvents();
            Check(window);
            (Update ? window.btnOK : window.btnCancel)->click();
        });
        UpdateDrawsFromInternet(frame.get());
        QCoreApplication::processEvents();
    }

    // The names in the program's temporary folder, sorted.
    std::vector<std::string> TempEntries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder->path() / "Temp"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string DrawsFile(const char *ShortName) const { return (folder->path() / "Draws" / ShortName).string() + "Draws"; }

    TestHttpServer server;
    bool Online = true;
    std::unique_ptr<TfrmMain> frame;
    RecordingChild *child = nullptr;
};

TEST_F(DownloadWindowTest, LottoIsReadAndMergedWhileMiniLottoAnswers404)
{
    for (bool append : {false, true}) {
        SCOPED_TRACE(append ? "append" : "replace");
        if (append) {
            // A history ending in 2018 gets the draws of 2019 appended.
            const std::string history = testsupport::readFile(testsupport::HistoryFile());
            const std::string till2018 = history.substr(0, history.find("01.01.2019") - 6);
            testsupport::writeFile(folder->path() / "cut.txt", till2018.substr(0, till2018.rfind('\n') + 1));
            MakeLottoDraws((folder->path() / "cut.txt").string(), DrawsFile("Lotto"));
        } else {
            folder->writeDraws("Lotto", SaturdayDraws(5));
        }
        const std::string miniBefore = testsupport::readFile(DrawsFile("MiniLotto"));
        OpenFrame();
        ProgramParams.IncreaseUpdate = append;
        const int32_t before = Games.GameById(LottoId)->DrawsMan->Count();
        WriteSites(LottoId, HistorySite(server.url("/lotto.zip")));
        WriteSites(MiniId, HistorySite(server.url("/mini.txt")));
        // Replacing asks first: the history's five draws of 2020 are not in the file.
        if (!append)
            script.answerBox(platform::IDYES);

        PlayUpdate(
            [](TfrmDownload &window) {
                ASSERT_EQ(window.LV->ItemCount(), 2);
                EXPECT_EQ(window.LV->Item(0).SubItem(0), QStringLiteral("Liczba losowań : 3545"));
                EXPECT_EQ(window.RowImage(0), TfrmDownload::imgRead);
                EXPECT_EQ(window.LV->Item(1).SubItem(0), QStringLiteral("Nie mogę pobrać pliku."));
                EXPECT_EQ(window.RowImage(1), TfrmDownload::imgFailed);
                // A green tick beside Lotto, a red cross beside MiniLotto (the list's focus would tint
                // its current row).
                window.btnCancel->setFocus();
                EXPECT_GT(TintedPixels(window, 0, 1), 10);
                EXPECT_EQ(TintedPixels(window, 0, 0), 0);
                EXPECT_GT(TintedPixels(window, 1, 0), 10);
                EXPECT_EQ(TintedPixels(window, 1, 1), 0);
                // MiniLotto, the last, got no file: its bar is empty and so is its percentage.
                EXPECT_EQ(std::tuple(window.ProgressBar1->Position(), window.lblProg->text()), std::tuple(0, QString()));
                EXPECT_EQ(window.lblStatus->text(), QStringLiteral("Pobieranie zakończone."));
                // The columns fill the list's width: nothing to scroll sideways.
                EXPECT_EQ(window.LV->horizontalScrollBar()->maximum(), 0);
            },
            true);

        TDrawsManager saved(Games.GameById(LottoId), -1);
        saved.LoadFromFile(DrawsFile("Lotto"));
        ASSERT_EQ(saved.Count(), 3545);
        EXPECT_EQ(saved.GetDraw(3544).Date, EncodeDate(2019, 11, 12));
        EXPECT_EQ(Games.GameById(LottoId)->DrawsMan->Count(), 3545);
        EXPECT_LT(before, 3545);
        EXPECT_EQ(testsupport::readFile(DrawsFile("MiniLotto")), miniBefore);
        ASSERT_EQ(child->Commands.size(), 1u);
        EXPECT_EQ(child->Commands[0].Code, WM_DRAWS_DOWNLOADED);
        EXPECT_EQ(child->Commands[0].WParam, LottoId);
        EXPECT_EQ(TempEntries(), std::vector<std::string>{}) << "the update removes what it downloaded";
        frame.reset();
    }
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(std::pair(script.boxes()[0].Text, script.boxes()[0].Flags),
              std::pair(QStringLiteral("Aktualizacja zastąpi bazę losowań gry Lotto 6 z 49 pobranymi losowaniami.\n"
                                       "Liczba losowań, które zostaną usunięte z bazy: 5.\n"
                                       "Czy na pewno zastąpić bazę losowań?"),
                        292));
}

TEST_F(DownloadWindowTest, StopDuringTheSecondOfThreeGames)
{
    OpenFrame();
    server.serveStalling("/slow.txt", std::string(1000, ' '), 5000);
    WriteSites(LottoId, HistorySite(server.url("/lotto.zip")));
    WriteSites(MiniId, HistorySite(server.url("/slow.txt")));
    WriteSites(MultiId, HistorySite(server.url("/lotto.zip")));
    const std::string lottoBefore = testsupport::readFile(DrawsFile("Lotto"));
    folder->writeFile("Temp/Raport-20200101-120000.xlsx", "report");

    script.onDialog([](QDialog &dialog) { dynamic_cast<TfrmSelGames &>(dialog).btnOK->click(); });
    script.onDialog([](QDialog &dialog) {
        auto &window = dynamic_cast<TfrmDownload &>(dialog);
        ASSERT_TRUE(ProcessUntil([&] { return window.ProgressBar1->Max() == 5002 && window.ProgressBar1->ShownValue() == 1001; }));
        window.btnStop->click();
        EXPECT_EQ(window.State, 0);
        EXPECT_EQ(window.LV->Item(0).SubItem(0), QStringLiteral("Liczba losowań : 3545"));
        EXPECT_EQ(window.LV->Item(1).SubItem(0), QStringLiteral("Operacja została przerwana."));
        EXPECT_EQ(window.RowImage(1), TfrmDownload::imgFailed);
        EXPECT_EQ(window.LV->Item(2).SubItem(0), QString());
        EXPECT_EQ(window.RowImage(2), -1);
        EXPECT_EQ(window.lblStatus->text(), QStringLiteral("Pobieranie przerwane."));
        window.btnCancel->click();
    });
    UpdateDrawsFromInternet(frame.get());
    EXPECT_EQ(testsupport::readFile(DrawsFile("Lotto")), lottoBefore);
    EXPECT_TRUE(child->Commands.empty());
    // Neither the part received nor the run's folder is left; the user's report stays.
    EXPECT_EQ(TempEntries(), std::vector<std::string>{"Raport-20200101-120000.xlsx"});
}

// Each game unpacks into a folder of its own in the folder made for the run; a folder named by a short
// name, where the unpacking went before, is neither read nor emptied.
TEST_F(DownloadWindowTest, TheUnzipStaysInItsRunFolderAndEmptiesNothing)
{
    OpenFrame();
    const std::string line = "1. 01.01.2019 1,2,3,4,5,6\r\n";
    server.serveFile("/evil.zip", testsupport::buildZip({testsupport::storedEntry("../escape.txt", line)}));
    server.serveFile("/nozip.zip", line);
    server.serveFile("/rooted.zip", testsupport::buildZip({testsupport::storedEntry("/rooted.txt", line)}));
    WriteSites(LottoId, HistorySite(server.url("/evil.zip")));
    WriteSites(MiniId, HistorySite(server.url("/nozip.zip")));
    WriteSites(MultiId, HistorySite(server.url("/rooted.zip")));
    folder->writeFile("Temp/Lotto/a-earlier.txt", line);

    const fs::path temp = folder->path() / "Temp";
    PlayUpdate(
        [&](TfrmDownload &window) {
            EXPECT_EQ(window.LV->Item(0).SubItem(0), QStringLiteral("Nie mogę rozpakować pliku."));
            EXPECT_EQ(window.LV->Item(1).SubItem(0), QStringLiteral("Nie mogę rozpakować pliku."));
            EXPECT_EQ(window.RowImage(2), TfrmDownload::imgRead);
            const std::vector<fs::path> runs = RunFolders(temp);
            ASSERT_EQ(runs.size(), 1u);
            for (const fs::path &outside :
                 {runs[0] / "escape.txt", temp / "escape.txt", folder->path() / "escape.txt"})
                EXPECT_FALSE(fs::exists(outside)) << outside;
            EXPECT_EQ(testsupport::readFile(runs[0] / "3" / "rooted.txt"), line);
        },
        false);
    EXPECT_FALSE(fs::exists("/rooted.txt"));
    EXPECT_EQ(testsupport::readFile(temp / "Lotto" / "a-earlier.txt"), line);
}

// Lotto's game file with the short name "..", with its draws and sites where that name puts them: the
// game is not loaded, so the update neither offers it nor unpacks into the program folder.
TEST_F(DownloadWindowTest, AGameRefusedForItsShortNameRemovesNothing)
{
    TGameData named;
    ASSERT_EQ(ParseGameDescription(testsupport::readFile(fs::path(KORVANTILE_DATA_ROOT) / "games" / "Lotto.txt"),
                                   named.Info),
              "");
    named.Info.ShortName = "..";
    const TDynByteArr game = GameFileBytes(named.Info);
    folder->writeFile("Games/Lotto.dat", std::string(game.begin(), game.end()));
    folder->writeFile("Draws/..Draws", "");
    TSiteMan sites((folder->path() / "Sites").string(), &named);
    ASSERT_TRUE(sites.AddSite(HistorySite(server.url("/lotto.zip"))));
    ASSERT_TRUE(sites.Save());
    for (const char *file : {"History/Histoty.dat", "Temp/kept.txt", "beside.txt"})
        folder->writeFile(file, "kept");
    OpenFrame();
    EXPECT_EQ(Games.GameById(LottoId), nullptr);
    WriteSites(MiniId, HistorySite(server.url("/lotto.zip")));

    PlayUpdate(
        [](TfrmDownload &window) {
            ASSERT_EQ(window.LV->ItemCount(), 1);
            EXPECT_EQ(window.RowImage(0), TfrmDownload::imgRead);
        },
        false);
    for (const char *file :
         {"History/Histoty.dat", "Temp/kept.txt", "beside.txt", "Sites/..Sites", "Sites/MiniLottoSites"})
        EXPECT_TRUE(fs::exists(folder->path() / file)) << file;
}

TEST_F(DownloadWindowTest, AnUnwritableDrawsFileKeepsTheHistoryAndSendsNoNotice)
{
    OpenFrame();
    WriteSites(LottoId, HistorySite(server.url("/lotto.zip")));
    const int32_t before = Games.GameById(LottoId)->DrawsMan->Count();
    fs::remove(DrawsFile("Lotto"));
    fs::create_directory(DrawsFile("Lotto")); // a folder in the file's place cannot be replaced
    script.answerBox(1);
    PlayUpdate(
        [](TfrmDownload &window) {
            // The whole file came: the bar full and 100%.
            EXPECT_EQ(window.ProgressBar1->Position(), window.ProgressBar1->Max());
            EXPECT_EQ(window.lblProg->text(), QStringLiteral("100%"));
        },
        true);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_TRUE(script.boxes()[0].Text.startsWith(QStringLiteral("Nie można zapisać pliku.")));
    EXPECT_EQ(Games.GameById(LottoId)->DrawsMan->Count(), before);
    EXPECT_TRUE(child->Commands.empty());
}

TEST_F(DownloadWindowTest, UnsavedEditsOfTheGameAreSavedFirstOrKeepTheGameOut)
{
    folder->writeDraws("Lotto", SaturdayDraws(5));
    const std::string saved = testsupport::readFile(DrawsFile("Lotto"));
    OpenFrame();
    ProgramParams.IncreaseUpdate = true;
    WriteSites(LottoId, HistorySite(server.url("/lotto.zip")));
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId));
    frame->mToolDraws->trigger();
    auto *editor = qobject_cast<TfrmDrawsEditor *>(frame->ActiveChildForm());
    ASSERT_NE(editor, nullptr);
    const TDateTime added = EncodeDate(2020, 2, 8);
    editor->AddDraw({4, 8, 15, 16, 23, 42}, added);
    const QString question = QStringLiteral("Zapisać zmiany w bazie losowań gry Lotto 6 z 49?");

    // Cancel: the game stays out of the update and the editor keeps its draw.
    script.answerBox(platform::IDCANCEL);
    PlayUpdate([](TfrmDownload &) {}, true);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(std::pair(script.boxes()[0].Text, script.boxes()[0].Flags), std::pair(question, 35));
    EXPECT_EQ(testsupport::readFile(DrawsFile("Lotto")), saved);
    EXPECT_EQ(Games.GameById(LottoId)->DrawsMan->Count(), 5);
    EXPECT_EQ(editor->DrawsMan->Count(), 6);
    EXPECT_TRUE(editor->btnWrite->isEnabled());
    EXPECT_TRUE(child->Commands.empty());

    // Yes: the draw is saved before the update (which adds nothing older than the history's end) and
    // the editor, reloaded, still shows it.
    script.answerBox(platform::IDYES);
    PlayUpdate([](TfrmDownload &) {}, true);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].Text, question);
    TDrawsManager file(Games.GameById(LottoId), -1);
    file.LoadFromFile(DrawsFile("Lotto"));
    ASSERT_EQ(file.Count(), 6);
    EXPECT_EQ(file.GetDraw(5).Date, added);
    EXPECT_EQ(Games.GameById(LottoId)->DrawsMan->Count(), 6);
    ASSERT_FALSE(child->Commands.empty());
    EXPECT_EQ(child->Commands.back().Code, WM_DRAWS_DOWNLOADED);
    EXPECT_EQ(editor->DrawsMan->Count(), 6);
    EXPECT_FALSE(editor->btnWrite->isEnabled());
}

TEST_F(DownloadWindowTest, TheUpdateIsRefusedOfflineOrWithoutSitesAndTheChoiceFollowsTheRoot)
{
    OpenFrame();
    Online = false;
    script.answerBox(1);
    UpdateDrawsFromInternet(frame.get());
    Online = true;
    script.answerBox(1);
    UpdateDrawsFromInternet(frame.get());
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Brak połączenia z Internetem."));
    EXPECT_EQ(script.boxes()[1].Text, QStringLiteral("Brak zdefiniowanych lokalizacji."));

    WriteSites(LottoId, HistorySite(server.url("/lotto.zip")));
    WriteSites(MultiId, HistorySite(server.url("/lotto.zip")));
    script.onDialog([this](QDialog &dialog) {
        auto &games = dynamic_cast<TfrmSelGames &>(dialog);
        TTreeNTNode *root = games.tvGames->Items().GetFirstNode();
        ASSERT_EQ(root->Count(), 2);
        games.tvGames->setSelected(root);
        QTest::keyClick(games.tvGames, Qt::Key_Space); // the root off: every game off
        EXPECT_FALSE(root->Item(0)->Checked());
        EXPECT_FALSE(root->Item(1)->Checked());
        EXPECT_FALSE(games.btnOK->isEnabled());
        games.tvGames->setSelected(root->Item(1));
        QTest::keyClick(games.tvGames, Qt::Key_Space);
        EXPECT_TRUE(games.btnOK->isEnabled());
        EXPECT_EQ(games.Result(), "001");
        Online = false; // lost before the download
        games.btnOK->click();
    });
    script.answerBox(1);
    UpdateDrawsFromInternet(frame.get());
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[2].Text, QStringLiteral("Próba połączenia nie powiodła się."));
}
