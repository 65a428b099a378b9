// The play-history browser and the entry editor, offscreen, on hand-built histories and on a system
// added from its window.
#include "controls/FloatSpin.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalUtils.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalStartup.h"
#include "syswindows/FHistEdit.h"
#include "syswindows/FHistory.h"
#include "syswindows/UHistory.h"
#include "tests/support/HangGuard.h"
#include "tests/syswindows/HistoryTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using histtest::Entry;

namespace {

QString Money(int64_t Count)
{
    return QString::fromStdString(MoneyToStr(Currency::fromCount(Count)));
}

QString Day(TDateTime Date)
{
    return QString::fromStdString(DateToStr(Date));
}

void ShowEverything(TfrmHistory &History)
{
    History.cbGame->setCurrentIndex(0);
    History.chkFrom->setChecked(false);
    History.chkTo->setChecked(false);
    History.Refresh->trigger();
}

// Three entries: Lotto on days 100 and 105, game 2 on day 103.
std::vector<Entry> ThreeEntries()
{
    return {{.Id = 1,
             .Date = 100,
             .GameId = 1,
             .K = 6,
             .N = 10,
             .Combs = 1200,
             .Multiplier = 2,
             .Cost = 20000,
             .Hits = {0, 0, 0, 0, 2, 0, 0, 3, 0, 0},
             .Name = "L1.dat"},
            {.Id = 2, .Date = 105, .GameId = 1, .Cost = 50000, .Win = 100000, .Name = "L2.dat"},
            {.Id = 3, .Date = 103, .GameId = 2, .Kind = 4, .Cost = 30000, .Name = "L3.dat"}};
}

} // namespace

TEST_F(HistoryTest, BrowserFiltersShowsTheCheckedLevelsAndTotalsAndEditsEntries)
{
    const platform::Bytes original = histtest::index(3, ThreeEntries());
    histtest::writeAll(indexPath(), original);
    const QString lotto = QString::fromStdString(Lotto().Info.ShortName);
    script.onDialog([&](QDialog &Dialog) {
        auto &history = dynamic_cast<TfrmHistory &>(Dialog);
        // The defaults: both bounds on today, so nothing of 1900 is shown.
        EXPECT_EQ(history.Grid->RowCount(), 2);
        EXPECT_EQ(testsupport::GridRowTexts(*history.Grid, 1).join(QString()), QString());
        EXPECT_EQ(history.eCost->text(), Money(0));

        ShowEverything(history);
        ASSERT_EQ(history.Grid->RowCount(), 4);
        EXPECT_EQ(testsupport::GridRowTexts(*history.Grid, 1).mid(0, 11),
                  (QStringList{"3", Day(105), lotto, "Skróc. - klasyczny", "6", "10", "5", "1", Money(50000),
                               Money(100000), Money(50000)}));
        EXPECT_EQ(
            testsupport::GridRowTexts(*history.Grid, 3).mid(0, 11),
            (QStringList{"1", Day(100), lotto, "Skróc. - klasyczny", "6", "10",
                         "1" + QString(QChar(0xA0)) + "200", "2", Money(20000), Money(0), Money(-20000)}));
        EXPECT_EQ(history.eCost->text(), Money(100000));
        EXPECT_EQ(history.eWin->text(), Money(100000));
        EXPECT_EQ(history.eProfit->text(), Money(0));

        // Levels 6 and 3 only.
        history.btnDeselAll->click();
        history.lbHits->item(4)->setCheckState(Qt::Checked);
        history.lbHits->item(7)->setCheckState(Qt::Checked);
        history.Refresh->trigger();
        ASSERT_EQ(history.Grid->ColCount(), 13);
        EXPECT_EQ(testsupport::GridRowTexts(*history.Grid, 0).mid(11), (QStringList{"6", "3"}));
        EXPECT_EQ(testsupport::GridRowTexts(*history.Grid, 3).mid(11), (QStringList{"2", "3"}));
        EXPECT_EQ(testsupport::GridRowTexts(*history.Grid, 1).mid(11), (QStringList{"", ""}));

        // Lotto up to day 103: the first entry alone.
        history.cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId) + 1);
        history.chkTo->setChecked(true);
        history.dtTo->setDate(ToQDate(103));
        history.Refresh->trigger();
        ASSERT_EQ(history.History().View.Count(), 1);
        EXPECT_EQ(history.History().View.GetItem(0)->Id, 1u);

        // The multiplier typed and Return pressed: it changes, the cost stays; then the win changes the
        // profit and the totals.
        history.Grid->setRow(1);
        script.onDialog([](QDialog &Edit) {
            auto &edit = dynamic_cast<TfrmHistEdit &>(Edit);
            EXPECT_EQ(edit.sgHits->Cells(1, 1), "2");
            EXPECT_EQ(edit.sgHits->Cells(1, 4), "3");
            EXPECT_EQ(edit.eCost->text(), Money(20000));
            edit.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&edit, testsupport::HangGuardMs));
            edit.seRate->setFocus();
            edit.seRate->selectAll();
            QTest::keyClicks(edit.seRate, "7");
            QTest::keyClick(edit.seRate, Qt::Key_Return);
            EXPECT_EQ(edit.result(), 1);
        });
        history.btnChange->click();
        const THistoryItem &entry = *history.History().View.GetItem(0);
        EXPECT_EQ(entry.Multiplier, 7);
        EXPECT_EQ(entry.Cost.count(), 20000);
        script.onDialog([](QDialog &Edit) {
            auto &edit = dynamic_cast<TfrmHistEdit &>(Edit);
            edit.seWin->setText("999999999,99");
            edit.sgHits->setCells(1, 6, "4294967295");
            edit.btnOK->click();
        });
        history.btnChange->click();
        EXPECT_EQ(entry.Win.count(), 9999999999900);
        EXPECT_EQ(entry.Profit.count(), 9999999999900 - 20000);
        EXPECT_EQ(entry.Hits[9], 4294967295u);
        EXPECT_EQ(history.eProfit->text(), Money(9999999999900 - 20000));

        // A count that is no u32 leaves the entry as it was.
        script.onDialog([](QDialog &Edit) {
            auto &edit = dynamic_cast<TfrmHistEdit &>(Edit);
            edit.seRate->SetValue(9);
            edit.sgHits->setCells(1, 2, "4294967296");
            edit.btnOK->click();
        });
        script.answerBox(platform::IDOK);
        history.btnChange->click();
        EXPECT_EQ(script.boxes().back().Text, "Wartości w tabeli trafień nie zostały właściwie wprowadzone.");
        EXPECT_EQ(script.boxes().back().Flags, 48);
        EXPECT_EQ(entry.Multiplier, 7);

        history.btnDelAll->click();
        EXPECT_EQ(history.History().View.Count(), 0);
        history.btnCancel->click();
    });
    frame->mToolHistory->trigger();
    EXPECT_EQ(histtest::readAll(indexPath()), original) << "Anuluj leaves the files as they were";
}

// Amounts no sum of which can be shown: an entry whose profit leaves the range of money refuses the index;
// totals that leave it show as such.
TEST_F(HistoryTest, AmountsBeyondTheRangeOfMoneyNeitherEndTheBrowserNorShowAsSums)
{
    constexpr int64_t Big = int64_t(1) << 62;
    const auto browse = [&](const std::vector<Entry> &Entries, const std::function<void(TfrmHistory &)> &Check) {
        histtest::writeAll(indexPath(), histtest::index(2, Entries));
        script.onDialog([&](QDialog &Dialog) {
            auto &history = dynamic_cast<TfrmHistory &>(Dialog);
            ShowEverything(history);
            Check(history);
            history.btnCancel->click();
        });
        frame->mToolHistory->trigger();
    };
    browse({{.Id = 1, .Cost = -Big, .Win = Big}}, [](TfrmHistory &History) {
        EXPECT_EQ(History.History().View.Count(), 0);
        EXPECT_EQ(History.eWin->text(), Money(0));
    });
    // Profits of 2^62 each.
    browse({{.Id = 1, .Cost = 10000, .Win = Big + 10000, .Name = "L1.dat"},
            {.Id = 2, .Cost = 10000, .Win = Big + 10000, .Name = "L2.dat"}},
           [](TfrmHistory &History) {
               EXPECT_EQ(History.History().View.Count(), 2);
               EXPECT_EQ(History.eCost->text(), Money(20000));
               EXPECT_EQ(History.eWin->text(), "poza zakresem");
               EXPECT_EQ(History.eProfit->text(), "poza zakresem");
           });
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(HistoryTest, SavingTheChangesCommitsTheIndexAndAFailedSaveKeepsTheBrowserOpen)
{
    std::vector<Entry> entries = ThreeEntries();
    histtest::writeAll(indexPath(), histtest::index(3, entries));
    for (const Entry &e : entries)
        histtest::writeAll(historyDir() / e.Name, {1});
    script.onDialog([&](QDialog &Dialog) {
        auto &history = dynamic_cast<TfrmHistory &>(Dialog);
        ShowEverything(history);
        history.Grid->setRow(2); // day 103
        history.btnDelete->click();
        EXPECT_EQ(history.Grid->RowCount(), 3);
        EXPECT_EQ(history.eCost->text(), Money(70000));
        fs::remove(indexPath());
        fs::create_directories(indexPath() / "x");
        script.answerBox(platform::IDOK);
        history.btnWrite->click();
        EXPECT_EQ(script.boxes().back().Text,
                  "Nie można zapisać pliku.\n" + QString::fromStdString(HistoryDir + "Histoty.dat"));
        EXPECT_TRUE(history.isVisible());
        EXPECT_TRUE(fs::exists(historyDir() / "L3.dat"));
        fs::remove_all(indexPath());
        history.btnWrite->click();
        EXPECT_FALSE(history.isVisible());
    });
    frame->mToolHistory->trigger();
    EXPECT_EQ(histtest::readAll(indexPath()), histtest::index(3, {entries[0], entries[1]}));
    EXPECT_FALSE(fs::exists(historyDir() / "L3.dat"));
}

TEST_F(HistoryTest, WczytajOpensTheEntrysSystemAndTheRecordRestoresTheWindow)
{
    TGenSysForm *window = Generate(9, 6, 5);
    AddThroughWindow(window, 2, QDate(2026, 5, 4));
    const QStringList rows = RowTexts(*window);
    const size_t before = frame->ChildForms().size();
    script.onDialog([&](QDialog &Dialog) {
        auto &history = dynamic_cast<TfrmHistory &>(Dialog);
        ShowEverything(history);
        history.Grid->setRow(1);
        history.btnShow->click();
        ASSERT_EQ(frame->ChildForms().size(), before + 1);
        auto *opened = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
        ASSERT_TRUE(opened);
        EXPECT_EQ(RowTexts(*opened), rows);
        // A missing system file is skipped.
        fs::remove(historyDir() / "L1.dat");
        history.btnShow->click();
        EXPECT_EQ(frame->ChildForms().size(), before + 1);

        history.cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId) + 1);
        history.chkFrom->setChecked(true);
        history.dtFrom->setDate(QDate(2026, 1, 1));
        history.dtTo->setDate(QDate(2026, 12, 31));
        history.lbHits->item(0)->setCheckState(Qt::Unchecked);
        history.lbHits->item(9)->setCheckState(Qt::Unchecked);
        history.btnCancel->click();
    });
    frame->mToolHistory->trigger();

    platform::Bytes expected{1};
    histtest::put(expected, LottoId, 4);
    expected.push_back(1);
    histtest::putDouble(expected, EncodeDate(2026, 1, 1));
    expected.push_back(0);
    histtest::putDouble(expected, EncodeDate(2026, 12, 31));
    for (uint8_t level : {0, 1, 1, 1, 1, 1, 1, 1, 1, 0})
        expected.push_back(level);
    ASSERT_EQ(expected.size(), 33u);
    EXPECT_EQ(store().value("Tools\\0\\4", "Params"), platform::RegValue(expected));

    script.onDialog([&](QDialog &Dialog) {
        auto &history = dynamic_cast<TfrmHistory &>(Dialog);
        EXPECT_EQ(history.cbGame->currentIndex(), Games.GameIndexOfId(LottoId) + 1);
        EXPECT_TRUE(history.chkFrom->isChecked());
        EXPECT_FALSE(history.chkTo->isChecked());
        EXPECT_EQ(history.dtFrom->date(), QDate(2026, 1, 1));
        EXPECT_EQ(history.dtTo->date(), QDate(2026, 12, 31));
        EXPECT_EQ(history.lbHits->item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(history.lbHits->item(1)->checkState(), Qt::Checked);
        EXPECT_EQ(history.Grid->ColCount(), 19);
        EXPECT_EQ(history.History().View.Count(), 1)
            << "the entry of 4 May 2026 is within the restored filter";
    });
    frame->mToolHistory->trigger();
}
