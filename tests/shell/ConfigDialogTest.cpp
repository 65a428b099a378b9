#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/DateTime.h"
#include "core/ProgramParams.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "shell/FConfig.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/TaskRunner.h"
#include "tests/fixtures/GridTexts.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/FontScales.h"
#include "tests/support/HangGuard.h"
#include "tests/support/ProcessUntil.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

namespace {

// The 8-byte little-endian counts of a prize table, row after row.
platform::Bytes CountBytes(const std::vector<int64_t> &Counts)
{
    platform::Bytes bytes;
    for (const int64_t count : Counts)
        for (int shift = 0; shift < 64; shift += 8)
            bytes.push_back(uint8_t(uint64_t(count) >> shift));
    return bytes;
}

std::string FileBytes(const std::string &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A child window with a worker of its own.
class WorkingChild : public TGenForm {
public:
    TTaskRunner Runner;
};

void RunUntilStopped(TTaskRunner &Runner)
{
    Runner.Start([](TMyThread &Thread) {
        while (!Thread.GetTerminated())
            std::this_thread::yield();
    });
}

} // namespace

class ConfigDialogTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        frame = std::make_unique<TfrmMain>();
        lotto = Games.GameById(1);
        ASSERT_NE(lotto, nullptr);
        savedParams = ProgramParams;
        savedLimits = Limits;
    }
    void TearDown() override
    {
        frame.reset();
        ProgramParams = savedParams;
        Limits = savedLimits;
        ShellTest::TearDown();
    }

    // Opens the dialog from the frame's menu item and lets Step play it; answers whether OK closed it.
    bool Open(const std::function<void(TfrmConfig &)> &Step)
    {
        bool accepted = false;
        script.onDialog([&](QDialog &Dialog) {
            auto *config = dynamic_cast<TfrmConfig *>(&Dialog);
            ASSERT_NE(config, nullptr);
            Step(*config);
            accepted = config->result() == QDialog::Accepted;
        });
        frame->mToolConfig->trigger();
        return accepted;
    }

    // The message the last click gave (one box, flags 48), its page and its focused control.
    void ExpectRefusal(TfrmConfig &Dialog, QPushButton *Button, const QString &Message, QWidget *Page,
                       QWidget *Focus)
    {
        Dialog.PageControl1->setCurrentWidget(Dialog.tsGeneral);
        const size_t before = script.boxes().size();
        script.answerBox(1);
        Button->click();
        ASSERT_EQ(script.boxes().size(), before + 1) << Message.toStdString();
        EXPECT_EQ(script.boxes().back().Text, Message);
        EXPECT_EQ(script.boxes().back().Flags, 48);
        EXPECT_EQ(Dialog.PageControl1->currentWidget(), Page) << Message.toStdString();
        EXPECT_EQ(Dialog.focusWidget(), Focus) << Message.toStdString();
        EXPECT_NE(Dialog.result(), QDialog::Accepted);
    }

    // Types Text into the prize table's cell (Col, Row) with the Wins page active and ends the edit with Return.
    static void TypePrize(TfrmConfig &Dialog, int Col, int Row, const QString &Text)
    {
        Dialog.PageControl1->setCurrentWidget(Dialog.tsWins);
        QApplication::setActiveWindow(&Dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog, testsupport::HangGuardMs));
        Dialog.sgWins->setFocus();
        Dialog.sgWins->FocusCell(Col, Row, true);
        QTest::keyClicks(Dialog.sgWins, Text);
        ASSERT_TRUE(Dialog.sgWins->EditorVisible());
        QTest::keyClick(Dialog.sgWins->InplaceEditor(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    static std::optional<platform::RegValue> Stored(uint8_t Id, const char *Name)
    {
        return store().value("Settings\\" + std::to_string(Id), Name);
    }
    static bool NothingStored(uint8_t Id)
    {
        return !Stored(Id, "BasicStake") && !Stored(Id, "WinStake") && !Stored(Id, "Wins") && !Stored(Id, "Line");
    }

    std::unique_ptr<TfrmMain> frame;
    TGameData *lotto = nullptr;
    TProgramParams savedParams;
    TLimits savedLimits;
};

TEST_F(ConfigDialogTest, ChangedStakeAndPrizeReachTheRegistryOnlyOnOk)
{
    const bool accepted = Open([&](TfrmConfig &Dialog) {
        Dialog.cbGame->setCurrentIndex(1); // Mini Lotto: 5 picks, prizes for 3 to 5 hits
        ASSERT_EQ(Dialog.sgWins->ColCount(), 2);
        ASSERT_EQ(Dialog.sgWins->RowCount(), 4);
        EXPECT_EQ(Dialog.sgWins->Cells(1, 3), QStringLiteral("20,00\u00A0zł"));
        Dialog.eBasicRate->SetValue(2.25);
        Dialog.sgWins->setCells(1, 3, QStringLiteral("25,5"));
        Dialog.cbGame->setCurrentIndex(0);
        EXPECT_FALSE(Stored(2, "BasicStake"));
        EXPECT_FALSE(Stored(2, "Wins"));
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(accepted);
    EXPECT_EQ(Stored(2, "BasicStake"), platform::RegValue(platform::Bytes{0, 0, 0, 0, 0, 0, 0x02, 0x40}));
    std::vector<int64_t> wins(20, -10000);
    wins.insert(wins.end(), {-10000, -10000, 255000, 2000000, 2000000000});
    EXPECT_EQ(Stored(2, "Wins"), platform::RegValue(CountBytes(wins)));
    const TGameInfo &mini = Games.GameById(2)->Info;
    EXPECT_EQ(mini.BasicStake.count(), 22500);
    EXPECT_EQ(mini.Prizes[4][2].count(), 255000);
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(ConfigDialogTest, CancelLeavesTheRegistryAndTheSiteFilesUntouched)
{
    TSiteMan sites(SitesDir, lotto);
    TSiteRec rec;
    rec.Location = "http://lotto.example/wyniki.txt";
    ASSERT_TRUE(sites.AddSite(rec));
    ASSERT_TRUE(sites.Save());
    const std::string before = FileBytes(sites.FileName());
    const TGameInfo info = lotto->Info;

    const bool accepted = Open([&](TfrmConfig &Dialog) {
        ASSERT_EQ(Dialog.lbSites->count(), 1);
        Dialog.eISite->setText(QStringLiteral("http://inne.example/lotto.zip"));
        Dialog.btnAdd->click();
        Dialog.lbSites->setCurrentRow(1);
        Dialog.btnDelete->click();
        ASSERT_EQ(Dialog.lbSites->count(), 1);
        EXPECT_EQ(Dialog.lbSites->item(0)->text(), QStringLiteral("http://inne.example/lotto.zip"));
        Dialog.eBasicRate->SetValue(5);
        Dialog.sgWins->setCells(7, 10, QStringLiteral("30,00"));
        Dialog.btnCancel->click();
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(FileBytes(sites.FileName()), before);
    EXPECT_TRUE(NothingStored(1));
    EXPECT_EQ(lotto->Info.BasicStake, info.BasicStake);
    EXPECT_EQ(lotto->Info.Prizes, info.Prizes);
}

TEST_F(ConfigDialogTest, EveryCheckOfTheFileAndSitePagesNamesItsPageAndControl)
{
    Open([&](TfrmConfig &Dialog) {
        struct Case {
            bool Site; // the site page's Add, else OK
            std::function<void(TfrmConfig &)> Change;
            QString Message;
            std::function<QWidget *(TfrmConfig &)> Focus;
        };
        const QString difference =
            QStringLiteral("Różnica między kolumną z liczbami a kolumną z datą musi być większa lub równa od 6");
        const std::vector<Case> cases = {
            {false, [](TfrmConfig &D) { D.eFColNumber->SetValue(1); },
             QStringLiteral("Kolumna z datą musi być różna od kolumny z liczbami."), [](TfrmConfig &D) { return D.eFColDate; }},
            {false, [](TfrmConfig &D) { D.eFColDate->SetValue(5); }, difference,
             [](TfrmConfig &D) { return D.eFColNumber; }},
            {false, [](TfrmConfig &D) { D.eFDateFormat->clear(); }, QStringLiteral("Proszę podać format daty."),
             [](TfrmConfig &D) { return D.eFDateFormat; }},
            {false, [](TfrmConfig &D) { D.eFDateFormat->setText(QStringLiteral("DRD")); },
             QStringLiteral("Proszę podać odpowiedni format daty np. DMR"), [](TfrmConfig &D) { return D.eFDateFormat; }},
            {false, [](TfrmConfig &D) { D.eFDateSep->clear(); }, QStringLiteral("Proszę podać separator daty."),
             [](TfrmConfig &D) { return D.eFDateSep; }},
            {false, [](TfrmConfig &D) { D.eFNumSep->clear(); }, QStringLiteral("Proszę podać separator liczb."),
             [](TfrmConfig &D) { return D.eFNumSep; }},
            {false, [](TfrmConfig &D) { D.eFSecSep->clear(); }, QStringLiteral("Proszę podać separator sekcji."),
             [](TfrmConfig &D) { return D.eFSecSep; }},
            {true, [](TfrmConfig &D) { D.eISite->setText(QStringLiteral("   ")); },
             QStringLiteral("Proszę podać lokalizację."), [](TfrmConfig &D) { return D.eISite; }},
            {true, [](TfrmConfig &D) { D.eIColDate->SetValue(2); },
             QStringLiteral("Kolumna z datą musi być różna od kolumny z liczbami."), [](TfrmConfig &D) { return D.eIColDate; }},
            {true, [](TfrmConfig &D) { D.eIColDate->SetValue(7); }, difference,
             [](TfrmConfig &D) { return D.eIColNumber; }},
            {true, [](TfrmConfig &D) { D.eIDateFormat->clear(); }, QStringLiteral("Proszę podać format daty."),
             [](TfrmConfig &D) { return D.eIDateFormat; }},
            {true, [](TfrmConfig &D) { D.eIDateFormat->setText(QStringLiteral("MR")); },
             QStringLiteral("Proszę podać odpowiedni format daty np. DMR"), [](TfrmConfig &D) { return D.eIDateFormat; }},
            {true, [](TfrmConfig &D) { D.eIDateSep->clear(); }, QStringLiteral("Proszę podać separator daty."),
             [](TfrmConfig &D) { return D.eIDateSep; }},
            {true, [](TfrmConfig &D) { D.eISecSep->clear(); }, QStringLiteral("Proszę podać separator sekcji."),
             [](TfrmConfig &D) { return D.eISecSep; }},
            {true, [](TfrmConfig &D) { D.eISite->setText(QStringLiteral("HTTP://LOTTO.EXAMPLE/A.TXT")); },
             QStringLiteral("Istnieje już taka lokalizacja."), [](TfrmConfig &D) { return D.eISite; }},
        };
        // Valid layouts, and a site already listed whose location differs only in case.
        const auto reset = [&Dialog] {
            for (const TfrmConfig::TLineFields &fields :
                 {TfrmConfig::TLineFields{Dialog.eFColDate, Dialog.eFColNumber, Dialog.chkFStartDate, Dialog.dtFStart,
                                          Dialog.eFDateFormat, Dialog.eFDateSep, Dialog.eFNumSep, Dialog.eFSecSep},
                  TfrmConfig::TLineFields{Dialog.eIColDate, Dialog.eIColNumber, Dialog.chkIStartDate, Dialog.dtIStart,
                                          Dialog.eIDateFormat, Dialog.eIDateSep, Dialog.eINumSep, Dialog.eISecSep}}) {
                fields.ColDate->SetValue(1);
                fields.ColNumber->SetValue(2);
                fields.DateFormat->setText(QStringLiteral("RMD"));
                fields.DateSep->setText(QStringLiteral("-"));
                fields.NumSep->setText(QStringLiteral(";"));
                fields.SecSep->setText(QStringLiteral(";"));
            }
            Dialog.eISite->setText(QStringLiteral("http://lotto.example/a.txt"));
        };
        reset();
        Dialog.btnAdd->click();
        ASSERT_EQ(Dialog.lbSites->count(), 1);
        for (const Case &c : cases) {
            reset();
            c.Change(Dialog);
            ExpectRefusal(Dialog, c.Site ? Dialog.btnAdd : Dialog.btnOK, c.Message, c.Site ? Dialog.tsSites : Dialog.tsFile,
                          c.Focus(Dialog));
        }
        EXPECT_EQ(Dialog.lbSites->count(), 1) << "no refused site was added";
        EXPECT_EQ(script.boxes().size(), cases.size());

        // A site needs no number separator; a refused game change keeps the game.
        reset();
        Dialog.eISite->setText(QStringLiteral("http://lotto.example/b.txt"));
        Dialog.eINumSep->clear();
        Dialog.btnAdd->click();
        EXPECT_EQ(Dialog.lbSites->count(), 2);
        Dialog.eFNumSep->clear();
        script.answerBox(1);
        Dialog.cbGame->setCurrentIndex(2);
        EXPECT_EQ(script.boxes().back().Text, QStringLiteral("Proszę podać separator liczb."));
        EXPECT_EQ(Dialog.cbGame->currentIndex(), 0);
        EXPECT_EQ(script.boxes().size(), cases.size() + 1);
    });
}

TEST_F(ConfigDialogTest, APrizeTableLeftAsShownPassesAndANegativePrizeIsRefused)
{
    const TGameInfo info = lotto->Info;
    ASSERT_TRUE(Open([&](TfrmConfig &Dialog) {
        // Lotto: 12 down to 6 picks, degrees 12 down to 3; 6 picks and 6 hits is column 7, row 7.
        EXPECT_EQ(Dialog.sgWins->Cells(7, 7), QStringLiteral("2\u00A0000\u00A0000,00\u00A0zł"));
        // A prize typed in shows as money once its edit ends.
        TypePrize(Dialog, 7, 7, QStringLiteral("3000000"));
        EXPECT_EQ(Dialog.sgWins->Cells(7, 7), QStringLiteral("3\u00A0000\u00A0000,00\u00A0zł"));
        Dialog.sgWins->setCells(7, 7, QStringLiteral("2000000"));
        // Multi Multi pays multiples of the stake: 7 picks (column 4), 3 and 4 hits (rows 8 and 7).
        Dialog.cbGame->setCurrentIndex(Dialog.cbGame->findText(QStringLiteral("Multi Multi"), Qt::MatchStartsWith));
        EXPECT_EQ(std::pair(Dialog.sgWins->Cells(4, 8), Dialog.sgWins->Cells(4, 7)),
                  std::pair(QStringLiteral("0,5x"), QStringLiteral("2x")));
        Dialog.cbGame->setCurrentIndex(0);
        Dialog.btnOK->click();
    }));
    std::vector<int64_t> wins;
    for (int k = 1; k <= 12; ++k)
        for (int h = 1; h <= 12; ++h) {
            static constexpr int64_t prizes[] = {240000, 1500000, 40000000, 20000000000};
            wins.push_back(k >= 6 && h >= 3 && h <= 6 ? prizes[h - 3] : -10000);
        }
    EXPECT_EQ(Stored(1, "Wins"), platform::RegValue(CountBytes(wins)));
    EXPECT_TRUE(script.boxes().empty());

    EXPECT_FALSE(Open([&](TfrmConfig &Dialog) {
        Dialog.sgWins->setCells(7, 10, QStringLiteral("-5,00"));
        ExpectRefusal(Dialog, Dialog.btnOK, QStringLiteral("Wartości w tabeli wygranych nie zostały właściwie wprowadzone."),
                      Dialog.tsWins, Dialog.sgWins);
        EXPECT_EQ(Dialog.sgWins->Col(), 7);
        EXPECT_EQ(Dialog.sgWins->Row(), 10);
    }));
    EXPECT_EQ(lotto->Info.Prizes, info.Prizes);
}

TEST_F(ConfigDialogTest, TheLargestPrizeTypedShowsWhole)
{
    testsupport::ForEachFontScale([&](double) {
        Open([&](TfrmConfig &Dialog) {
            TypePrize(Dialog, 7, 7, QStringLiteral("922337203685477,58"));
            ASSERT_EQ(Dialog.sgWins->Cells(7, 7), QStringLiteral("922\u00A0337\u00A0203\u00A0685\u00A0477,58\u00A0zł"));
            EXPECT_EQ(testsupport::CutCells(*Dialog.sgWins), std::vector<std::string>());
            // The whole table in view once the dialog has grown to it.
            EXPECT_LE(Dialog.sgWins->CalcGridWidth(false), Dialog.sgWins->width());
            EXPECT_TRUE(testsupport::ProcessUntil([&] {
                return Dialog.rect().contains(QRect(Dialog.sgWins->mapTo(&Dialog, QPoint()), Dialog.sgWins->size()));
            }));
            Dialog.btnCancel->click();
        });
    });
}

TEST_F(ConfigDialogTest, AnAcceptedFileLayoutReadsADrawLineThroughTheDrawsManager)
{
    ASSERT_TRUE(Open([&](TfrmConfig &Dialog) {
        Dialog.eFColDate->SetValue(1);
        Dialog.eFColNumber->SetValue(2);
        Dialog.eFDateFormat->setText(QStringLiteral("DMR"));
        Dialog.eFDateSep->setText(QStringLiteral("-"));
        Dialog.eFNumSep->setText(QStringLiteral(";"));
        Dialog.eFSecSep->setText(QStringLiteral(";"));
        Dialog.btnOK->click();
    }));
    const std::string file = (folder->path() / "import.txt").string();
    std::ofstream(file, std::ios::binary) << "29-05-2004;3;11;17;25;33;48\r\n";
    TDrawsManager draws(lotto, -1);
    draws.SetFormat(lotto->Info.Line);
    draws.LoadFromFile(file);
    ASSERT_EQ(draws.Count(), 1);
    EXPECT_EQ(draws.SkippedLines, 0);
    EXPECT_EQ(draws.GetDraw(0).Date, EncodeDate(2004, 5, 29));
    EXPECT_EQ(draws.GetDraw(0).Numbers, TDynByteArr({3, 11, 17, 25, 33, 48}));
}

TEST_F(ConfigDialogTest, ASiteListThatCannotBeWrittenKeepsTheDialogAndTheSettings)
{
    folder->writeFile("Sites", "a file where the folder should be");
    EXPECT_FALSE(Open([&](TfrmConfig &Dialog) {
        Dialog.eISite->setText(QStringLiteral("http://lotto.example/a.txt"));
        Dialog.btnAdd->click();
        Dialog.seMaxComb->SetValue(50000);
        Dialog.eBasicRate->SetValue(4);
        script.answerBox(1);
        Dialog.btnOK->click();
        ASSERT_EQ(script.boxes().size(), 1u);
        EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie można zapisać pliku.\n") +
                                              QString::fromStdString(SitesDir + "LottoSites"));
        EXPECT_EQ(script.boxes()[0].Flags, 48);
        EXPECT_TRUE(Dialog.isVisible());
    }));
    EXPECT_EQ(ProgramParams.MaxComb, savedParams.MaxComb);
    EXPECT_TRUE(NothingStored(1));
    EXPECT_EQ(lotto->Info.BasicStake.count(), 30000);
}

TEST_F(ConfigDialogTest, ASiteListThatCannotBeReadIsKeptAsideOnOkAndSaidOnce)
{
    const std::string damaged = "not a site list";
    folder->writeFile("Sites/LottoSites", damaged);
    const std::string kept = SitesDir + "LottoSites.damaged";
    const QString notice = QStringLiteral("Plik lokalizacji gry Lotto 6 z 49 był uszkodzony i został zachowany jako ") +
                           QString::fromStdString(kept) + QLatin1Char('.');
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_TRUE(Open([&](TfrmConfig &Dialog) {
            EXPECT_EQ(Dialog.lbSites->count(), 0);
            if (round == 0)
                script.answerBox(1);
            Dialog.btnOK->click();
        }));
        ASSERT_EQ(script.boxes().size(), 1u);
        EXPECT_EQ(std::pair(script.boxes()[0].Text, script.boxes()[0].Flags), std::pair(notice, 48));
        EXPECT_EQ(FileBytes(kept), damaged);
        EXPECT_FALSE(std::filesystem::exists(SitesDir + "LottoSites"));
    }
}

TEST_F(ConfigDialogTest, ProgramSettingsTakeEffectWithinTheirLimits)
{
    ASSERT_TRUE(Open([&](TfrmConfig &Dialog) {
        Dialog.seMaxComb->SetValue(5);
        EXPECT_EQ(Dialog.seMaxComb->Value(), Limits.MaxCombLow) << "below the limits cannot be entered";
        Dialog.seMaxComb->SetValue(54321);
        Dialog.seGProb->SetValue(0.25);
        Dialog.rbStatShowIndex->setChecked(true);
        Dialog.chkIncreaseUpdate->setChecked(true);
        Dialog.btnOK->click();
    }));
    EXPECT_EQ(ProgramParams.MaxComb, 54321);
    EXPECT_EQ(Limits.MaxComb, 54321);
    EXPECT_EQ(ProgramParams.GProb, 0.25);
    EXPECT_FALSE(ProgramParams.StatShowDate);
    EXPECT_TRUE(ProgramParams.IncreaseUpdate);
}

TEST_F(ConfigDialogTest, TheDialogOpensCentredOverTheMainWindowAtTheSizeItKeepsEachTime)
{
    frame->setGeometry(150, 60, 1000, 700);
    frame->show();
    for (int opening = 0; opening < 2; ++opening) {
        QRect opened;
        QRect kept;
        Open([&](TfrmConfig &Dialog) {
            opened = Dialog.geometry();
            for (int page = 0; page < Dialog.PageControl1->count(); ++page) {
                Dialog.PageControl1->setCurrentIndex(page);
                QCoreApplication::processEvents();
            }
            kept = Dialog.geometry();
        });
        EXPECT_EQ(kept, opened) << opening;
        // Where Qt centres a dialog of that size over the main window.
        QDialog plain(frame.get());
        plain.resize(kept.size());
        plain.show();
        EXPECT_EQ(kept.topLeft(), plain.geometry().topLeft()) << opening;
    }
}

TEST_F(ConfigDialogTest, NothingIsAppliedWhileAWorkerRunsAndTheMessageNamesItsWindow)
{
    auto *child = new WorkingChild;
    child->setWindowTitle(QStringLiteral("<Lotto #1> Praca"));
    AddChildForm(child);
    TTaskRunner loose; // made after the window was built: it belongs to no window
    RunUntilStopped(child->Runner);
    RunUntilStopped(loose);
    EXPECT_FALSE(Open([&](TfrmConfig &Dialog) {
        Dialog.eBasicRate->SetValue(4);
        script.answerBox(1);
        Dialog.btnOK->click();
        child->Runner.Stop();
        script.answerBox(1);
        Dialog.btnOK->click();
    }));
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie można teraz zmienić ustawień, bo trwają obliczenia.\n"
                                                     "Zatrzymaj obliczenia w oknach:\n<Lotto #1> Praca"));
    EXPECT_EQ(script.boxes()[1].Text, QStringLiteral("Nie można teraz zmienić ustawień, bo trwają obliczenia.\n"
                                                     "Zatrzymaj je i spróbuj ponownie."));
    EXPECT_TRUE(NothingStored(1));
    EXPECT_EQ(lotto->Info.BasicStake.count(), 30000);

    loose.Stop();
    EXPECT_TRUE(Open([](TfrmConfig &Dialog) { Dialog.btnOK->click(); }));
}
