#include "controls/Graphics.h"
#include "core/UComb.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalProgress.h"
#include "syswindows/FCheckComb.h"
#include "syswindows/FCheckSysDetails.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FHistEdit.h"
#include "syswindows/FHistory.h"
#include "syswindows/FParGuarSysShort.h"
#include "syswindows/FSysShort.h"
#include "syswindows/SysFormats.h"
#include "syswindows/UHistory.h"
#include "tests/support/HangGuard.h"
#include "tests/syswindows/HistoryTestSupport.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

namespace {

// The grid draws a text this far inside each edge of its cell.
constexpr int Margin = 2;

QFontMetrics CellMetrics(const TStringAlignGrid &Grid, int Col, int Row)
{
    return QFontMetrics(toQFont(Grid.GetFontCell(Col, Row)));
}

// Every text the grid holds fits its cell in the font it is drawn in, and every row and column shows.
void ExpectTextsFit(TStringAlignGrid &Grid, const char *Name, bool WholeGridShows)
{
    for (int row = 0; row < Grid.RowCount(); ++row)
        for (int col = 0; col < Grid.ColCount(); ++col) {
            const QString text = Grid.Cells(col, row);
            if (text.isEmpty())
                continue;
            const QFontMetrics metrics = CellMetrics(Grid, col, row);
            EXPECT_LE(metrics.horizontalAdvance(text), Grid.ColWidths(col) - 2 * Margin)
                << Name << " (" << col << ", " << row << ") " << text.toStdString();
            EXPECT_LE(metrics.height(), Grid.RowHeights(row) - 2 * Margin) << Name << " row " << row;
        }
    if (WholeGridShows) {
        EXPECT_EQ(Grid.VisibleRowCount(), Grid.RowCount() - Grid.FixedRows()) << Name;
        EXPECT_EQ(Grid.VisibleColCount(), Grid.ColCount() - Grid.FixedCols()) << Name;
    }
}

// Every text the grid draws, stored or supplied by its window, fits its cell in the font it is drawn in.
void ExpectDrawnTextsFit(const TStringAlignGrid &Grid, const char *Name)
{
    EXPECT_EQ(testsupport::CutCells(Grid), std::vector<std::string>()) << Name;
}

// The field shows its whole text: kept in view from its first character or from its last, it looks the same.
void ExpectWholeText(QLineEdit &Field, const char *Name)
{
    const QString text = Field.text();
    ASSERT_FALSE(text.isEmpty()) << Name;
    EXPECT_LE(Field.fontMetrics().horizontalAdvance(text), Field.width()) << Name << " " << text.toStdString();
    Field.setCursorPosition(0);
    const QImage start = Field.grab().toImage();
    Field.setCursorPosition(int(text.size()));
    EXPECT_TRUE(Field.grab().toImage() == start) << Name << " hides part of " << text.toStdString();
}

// Laid-out windows: the layouts' requests handled.
void LayOut()
{
    for (int pass = 0; pass < 3; ++pass)
        QApplication::processEvents();
}

// The largest money in whole grosze: ten rows of a tenth of it add up to it.
constexpr Currency LargestMoney = Currency::fromCount(INT64_MAX / 100 * 100);

} // namespace

// The windows at the default font and at a font half as large again.
class GridFitTest : public SysWindowTest, public testing::WithParamInterface<double> {
protected:
    void SetUp() override
    {
        defaultFont = QApplication::font();
        QFont font = defaultFont;
        if (defaultFont.pointSizeF() > 0)
            font.setPointSizeF(defaultFont.pointSizeF() * GetParam());
        else
            font.setPixelSize(int(defaultFont.pixelSize() * GetParam()));
        QApplication::setFont(font);
        SysWindowTest::SetUp();
    }
    void TearDown() override
    {
        SysWindowTest::TearDown();
        QApplication::setFont(defaultFont);
    }

    QFont defaultFont;
};

TEST_P(GridFitTest, ClassicWindowAndItsDialogShowEveryTextWhole)
{
    bool dialogSeen = false;
    script.onDialog([&](QDialog &Dialog) {
        auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
        // Counts of thousands and the largest wins in the hit table.
        params.seCDraws->setText(QStringLiteral("6"));
        params.seCNum->setText(QStringLiteral("40"));
        params.seCComb->setText(QStringLiteral("3838380"));
        QApplication::processEvents();
        ExpectTextsFit(*params.sgStat, "dialog sgStat", true);
        ExpectTextsFit(*params.sgGuar, "dialog sgGuar", false);
        // All six drawn among 40 numbers: C(6, 3) C(34, 3) bets with three hits, 2 000 000 + 204 x 4 000
        // + 8 415 x 150 + 119 680 x 24 won.
        const QString nbsp(QChar(0x00A0));
        EXPECT_EQ(params.sgGuar->Cells(4, 1), "119" + nbsp + "680,00");
        EXPECT_EQ(params.sgGuar->Cells(5, 1), "6" + nbsp + "950" + nbsp + "570,00" + nbsp + "zł");
        dialogSeen = true;
        params.btnCancel->click();
    });
    TGenSysForm *window = OpenClassic();
    sendCommand(window, WM_SYS_PARAMS);
    ASSERT_TRUE(dialogSeen);

    TGenSysForm *generated = Generate(14, 8, 100);
    QApplication::processEvents();
    ExpectTextsFit(*generated->sgStat, "sgStat", true);
    ExpectTextsFit(*generated->sgKey, "sgKey", true);
    ExpectTextsFit(*generated->sgFilters, "sgFilters", false);
    ExpectTextsFit(*generated->sgSystem, "sgSystem", false);
    QString combination;
    generated->sgSystem->GetCellText(1, 100, combination);
    EXPECT_LE(CellMetrics(*generated->sgSystem, 1, 100).horizontalAdvance(combination.trimmed()),
              generated->sgSystem->ColWidths(1) - 2 * Margin);
}

TEST_P(GridFitTest, MillionthRowNumberFitsItsColumn)
{
    TGenSysForm *window = OpenClassic();
    std::unique_ptr<TSystem> system = CreateSystem(skShort, Games.GameById(LottoId));
    system->SetParams(49, 6);
    TDynByteArr comb;
    NextComb(comb, 49, 6, true);
    for (int row = 0; row < 1'000'000; ++row, NextComb(comb, 49, 6, false))
        system->AddComb(comb.data());
    window->OpenSystem(Games.GameById(LottoId), std::move(system));

    ASSERT_EQ(window->sgSystem->RowCount(), 1'000'001);
    QString number;
    window->sgSystem->GetCellText(0, 1'000'000, number);
    ASSERT_EQ(number, QStringLiteral("1000000"));
    EXPECT_LE(CellMetrics(*window->sgSystem, 0, 1'000'000).horizontalAdvance(number),
              window->sgSystem->ColWidths(0) - 2 * Margin);
    ExpectTextsFit(*window->sgStat, "sgStat", true);
    QApplication::processEvents();
    EXPECT_EQ(window->sgSystem->VisibleColCount(), 2) << "the window fits the wider grid";
}

// The room of the status bar's percentage holds its widest text, so the bar keeps its length as it grows.
TEST_P(GridFitTest, PercentLabelHoldsTheWidestPercentage)
{
    ProgressShow(10000, 1);
    const QLabel *label = frame->lblProg;
    ASSERT_EQ(label->text(), QStringLiteral("100,00%"));
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->minimumWidth());
}

INSTANTIATE_TEST_SUITE_P(Fonts, GridFitTest, testing::Values(1.0, 1.5));

// The windows that show money and counts, at their largest: Lotto with ten draws, the oldest of them the
// numbers 1 to 6.
class FigureFitTest : public GridFitTest {
protected:
    void PrepareFolder() override
    {
        std::vector<testsupport::FixtureDraw> draws = {{EncodeDate(2024, 1, 2), {1, 2, 3, 4, 5, 6}}};
        for (int i = 1; i < 10; ++i)
            draws.push_back({EncodeDate(2024, 1, 2 + 3 * i), {i, 10 + i, 20 + i, 30 + i, 40, 49}});
        folder->writeDraws("Lotto", draws);
    }

    TGameInfo &Lotto() { return Games.GameById(LottoId)->Info; }

    static void Check(TfrmCheckSystem *Window)
    {
        sendCommand(Window, WM_TASK_START);
        ASSERT_TRUE(testsupport::ProcessUntil([Window] { return !Window->CheckPending() && !Window->Checking(); }));
        ASSERT_TRUE(Window->HasResults());
        LayOut();
    }

    static void ExpectCostsWhole(TfrmCheckSystem &Window)
    {
        ExpectWholeText(*Window.txtSystemCost, "txtSystemCost");
        ExpectWholeText(*Window.txtTotalCost, "txtTotalCost");
        ExpectWholeText(*Window.txtWin, "txtWin");
        ExpectWholeText(*Window.txtProfit, "txtProfit");
        ExpectWholeText(*Window.txtAvgProfit, "txtAvgProfit");
    }
};

TEST_P(FigureFitTest, TheSystemCheckAndItsDetailsShowTheLargestFiguresWhole)
{
    Lotto().Prizes[5][5] = LargestMoney;
    TfrmCheckSystem *check = OpenCheck(OpenRows(LottoId, 15, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {10, 11, 12, 13, 14, 15}}));
    // What the worker counts, raised to the largest: every level hit by the most rows a system holds in
    // each draw, wins that add up to the largest money.
    check->Checker = [](TCheckJob &Job, const TMyThread &Thread) {
        Job.Execute(Thread);
        for (TCheckRow &row : Job.Rows) {
            std::fill(row.Hits.begin(), row.Hits.end(), INT32_MAX);
            row.Win = Currency::fromCount(LargestMoney.count() / int64_t(Job.Rows.size()));
        }
    };
    // Every level down to one hit.
    check->chkShowAllHits->click();
    ASSERT_TRUE(check->chkShowAllHits->isChecked());
    Check(check);
    EXPECT_EQ(check->txtWin->text(), MoneyText(LargestMoney));
    EXPECT_EQ(testsupport::GridRowTexts(*check->Grid, 2).at(1), CountText(int64_t(INT32_MAX) * 10));
    ExpectCostsWhole(*check);
    ExpectDrawnTextsFit(*check->Grid, "check");
    for (QRadioButton *group : {check->rbWeek, check->rbYear, check->rbDay}) {
        group->setChecked(true);
        ExpectDrawnTextsFit(*check->Grid, "check regrouped");
    }

    // The details of the draw of 1 to 6 (the oldest, the last row): the six wins the largest money.
    check->Checker = [](TCheckJob &Job, const TMyThread &Thread) { Job.Execute(Thread); };
    Check(check);
    check->Grid->setRow(check->Grid->RowCount() - 1);
    ASSERT_TRUE(check->btnDetails->isEnabled());
    bool detailsSeen = false;
    script.onDialog([&](QDialog &Dialog) {
        auto &details = dynamic_cast<TfrmCheckSysDetails &>(Dialog);
        EXPECT_EQ(testsupport::GridRowTexts(*details.Grid, 4).back(), MoneyText(LargestMoney));
        ExpectDrawnTextsFit(*details.Grid, "details");
        detailsSeen = true;
    });
    check->btnDetails->click();
    EXPECT_TRUE(detailsSeen);
}

TEST_P(FigureFitTest, ALossOfTheSystemCheckShowsItsSign)
{
    // The dearest bet, and a system of 60 000 rows that wins nothing.
    Lotto().BasicStake = MaxStake;
    std::vector<std::vector<int>> rows;
    TDynByteArr comb;
    NextComb(comb, 49, 6, true);
    for (int row = 0; row < 60'000; ++row, NextComb(comb, 49, 6, false))
        rows.emplace_back(comb.begin(), comb.end());
    TfrmCheckSystem *check = OpenCheck(OpenRows(LottoId, 49, rows));
    check->Checker = [](TCheckJob &Job, const TMyThread &Thread) {
        Job.Execute(Thread);
        for (TCheckRow &row : Job.Rows) {
            std::fill(row.Hits.begin(), row.Hits.end(), 0);
            row.Win = Currency();
        }
    };
    Check(check);
    const Currency cost = MaxStake * 60'000;
    EXPECT_EQ(check->txtProfit->text(), MoneyText(Currency() - cost * 10));
    ExpectCostsWhole(*check);
    ExpectDrawnTextsFit(*check->Grid, "check");
}

TEST_P(FigureFitTest, TheCombinationCheckShowsTheLargestWinWhole)
{
    Lotto().Prizes[5][5] = LargestMoney;
    store().setValue("Tools\\1\\1", "Comb", platform::RegValue(platform::Bytes{1, 2, 3, 4, 5, 6}));
    frame->mToolCheckComb->trigger();
    auto *window = qobject_cast<TfrmCheckComb *>(frame->ChildForms().back());
    ASSERT_NE(window, nullptr);
    Activate(window);
    sendCommand(window, WM_TASK_START);
    ASSERT_TRUE(window->HasResults());
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, window->Grid1->RowCount() - 1).back(), MoneyText(LargestMoney));
    ExpectDrawnTextsFit(*window->Grid1, "Grid1");
    ExpectDrawnTextsFit(*window->Grid2, "Grid2");
    window->rbMonth->setChecked(true);
    ExpectDrawnTextsFit(*window->Grid1, "Grid1 by month");
}

TEST_P(FigureFitTest, TheGuaranteeTablesShowTheLargestWinsWhole)
{
    // A six nearly the largest money: with the other rows' prizes it stays within its range.
    Lotto().Prizes[5][5] = Currency::fromCount(int64_t(900'000'000'000'000) * Currency::Scale);
    TGenSysForm *system = Generate(8, 6, 5);
    script.onDialog([](QDialog &Dialog) {
        auto &params = dynamic_cast<TfrmParGuarSysShort &>(Dialog);
        params.FloatSpin1->setText(QStringLiteral("1,00000"));
        params.btnOK->click();
    });
    const int before = system->ChildWindows.Count();
    sendCommand(system, WM_SYS_GUARANTEE);
    ASSERT_EQ(system->ChildWindows.Count(), before + 1);
    auto *window = qobject_cast<TfrmGuarSysShort *>(system->ChildWindows.GetItem(before)->Form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(testsupport::ProcessUntil([window] { return window->State != 2; }));
    ASSERT_EQ(window->State, 0);
    ExpectDrawnTextsFit(*window->sgDetails, "sgDetails");
    ExpectDrawnTextsFit(*window->sgTotal, "sgTotal");
}

TEST_P(FigureFitTest, TheHistoryAndItsEntryEditorShowTheLargestFiguresWhole)
{
    // The dearest entry the index holds, losing all of it, its counts the largest of their types; and a
    // free entry whose win the editor raises to the most it takes.
    histtest::Entry dearest{.Id = 1, .Date = 46000, .K = 6, .N = 49, .Combs = INT32_MAX, .Multiplier = UINT16_MAX,
                            .Cost = LargestMoney.count(), .Name = "L1.dat"};
    dearest.Hits.fill(UINT32_MAX);
    const histtest::Entry won{.Id = 2, .Date = 46001, .K = 6, .N = 49, .Combs = 1, .Name = "L2.dat"};
    histtest::writeAll(folder->path() / "History" / "Histoty.dat", histtest::index(2, {dearest, won}));
    constexpr int64_t MostWon = 9999999999900;
    bool edited = false;
    script.onDialog([&](QDialog &Dialog) {
        auto &history = dynamic_cast<TfrmHistory &>(Dialog);
        history.cbGame->setCurrentIndex(0);
        history.chkFrom->setChecked(false);
        history.chkTo->setChecked(false);
        history.Refresh->trigger();
        ASSERT_EQ(history.History().View.Count(), 2);
        LayOut();
        EXPECT_EQ(history.eCost->text(), MoneyText(LargestMoney));
        ExpectDrawnTextsFit(*history.Grid, "history");
        for (QLineEdit *total : {history.eCost, history.eWin, history.eProfit})
            ExpectWholeText(*total, "history total");

        // The newest first: the win edited to the editor's most.
        history.Grid->setRow(1);
        script.onDialog([&](QDialog &Edit) {
            auto &edit = dynamic_cast<TfrmHistEdit &>(Edit);
            edit.seWin->setText(QStringLiteral("999999999,99"));
            LayOut();
            ExpectWholeText(*edit.seWin, "seWin");
            edit.btnOK->click();
        });
        history.btnChange->click();
        ASSERT_EQ(history.History().View.GetItem(0)->Win.count(), MostWon);
        ExpectDrawnTextsFit(*history.Grid, "history edited");

        history.Grid->setRow(2);
        script.onDialog([&](QDialog &Edit) {
            auto &edit = dynamic_cast<TfrmHistEdit &>(Edit);
            LayOut();
            EXPECT_EQ(edit.eCost->text(), MoneyText(LargestMoney));
            for (QLineEdit *field : {edit.eCComb, edit.eCost})
                ExpectWholeText(*field, "editor");
            ExpectTextsFit(*edit.sgHits, "sgHits", false);
            edited = true;
            edit.btnCancel->click();
        });
        history.btnChange->click();
        history.btnCancel->click();
    });
    frame->mToolHistory->trigger();
    EXPECT_TRUE(edited);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FigureFitTest, testing::Values(1.0, 1.5));
