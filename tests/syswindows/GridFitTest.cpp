#include "controls/Graphics.h"
#include "core/UComb.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalProgress.h"
#include "syswindows/FSysShort.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

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
