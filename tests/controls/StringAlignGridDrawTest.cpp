// Effective alignment, fonts and colours of the aligned grid, checked on its painted image.
#include "GridTestSupport.h"

#include "controls/TextDraw.h"

using namespace gridtest;

namespace {

int colourDistance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

} // namespace

TEST(AlignGridDrawing, BackgroundComesFromCellThenColumnThenRowThenGrid)
{
    auto grid = makeGrid();
    grid->setDrawSelection(false);
    grid->SetColorCol(2, clRed);
    grid->SetColorRow(2, clBlue);
    grid->SetColorRow(3, clBlue);
    grid->SetColorCell(2, 2, clLime);
    // Fixed cells take only the fixed stores, and the cell store.
    grid->SetColorFixedCol(2, clYellow);
    grid->SetColorFixedRow(3, clAqua);
    grid->SetColorCell(0, 1, clFuchsia);

    const QImage image = paint(*grid);
    EXPECT_EQ(cellBackground(image, *grid, 1, 1), QColor(Qt::white));
    EXPECT_EQ(cellBackground(image, *grid, 2, 1), QColor(Qt::red));
    EXPECT_EQ(cellBackground(image, *grid, 1, 2), QColor(Qt::blue));
    EXPECT_EQ(cellBackground(image, *grid, 2, 2), QColor(Qt::green));
    EXPECT_EQ(cellBackground(image, *grid, 2, 3), QColor(Qt::red));
    EXPECT_EQ(cellBackground(image, *grid, 2, 0), QColor(Qt::yellow));
    EXPECT_EQ(cellBackground(image, *grid, 3, 0), QColor(192, 192, 192));
    EXPECT_EQ(cellBackground(image, *grid, 0, 2), QColor(192, 192, 192));
    EXPECT_EQ(cellBackground(image, *grid, 0, 3), QColor(Qt::cyan));
    EXPECT_EQ(cellBackground(image, *grid, 0, 1), QColor(Qt::magenta));

    EXPECT_EQ(grid->GetColorCell(2, 3), clRed);
    EXPECT_EQ(grid->GetColorCol(1), clWhite);
    EXPECT_EQ(grid->GetColorCol(2), clRed);
}

TEST(AlignGridDrawing, AlignmentComesFromCellThenColumnThenRowThenGrid)
{
    auto grid = makeGrid();
    grid->setDrawSelection(false);
    grid->setAlignment(alRight);
    grid->SetAlignCol(2, alCenter);
    grid->SetAlignRow(3, alLeft);
    grid->SetAlignCell(3, 3, alRight);
    grid->SetFixedAlignCol(1, alCenter);
    grid->SetFixedAlignRow(2, alLeft);
    // A cell record without its own alignment inherits.
    grid->SetColorCell(2, 1, clWhite);
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            grid->setCells(col, row, QStringLiteral("H"));

    const QImage image = paint(*grid);
    auto expectAt = [&](int col, int row, TMyAlign align) {
        const TRect rect = grid->CellRect(col, row);
        const QRect ink = inkInCell(image, *grid, col, row);
        ASSERT_FALSE(ink.isEmpty()) << col << "," << row;
        const QFontMetrics metrics(toQFont(grid->GetFontCell(col, row)));
        const int advance = metrics.horizontalAdvance(QStringLiteral("H"));
        int boxLeft = rect.Left + 2;
        if (align == alRight)
            boxLeft = rect.Right - 2 - advance;
        else if (align == alCenter)
            boxLeft = rect.Left + 2 + (rect.Width() - 4 - advance) / 2;
        EXPECT_GE(ink.left(), boxLeft) << col << "," << row;
        EXPECT_LE(ink.right(), boxLeft + advance) << col << "," << row;
        EXPECT_EQ(grid->GetAlignCell(col, row), align) << col << "," << row;
    };
    expectAt(1, 1, alRight);
    expectAt(2, 1, alCenter);
    expectAt(1, 3, alLeft);
    expectAt(2, 3, alCenter);
    expectAt(3, 3, alRight);
    expectAt(2, 0, alRight);
    expectAt(1, 0, alCenter);
    expectAt(0, 2, alLeft);
    expectAt(0, 3, alRight);

    EXPECT_EQ(grid->GetAlignCol(2), alCenter);
    EXPECT_EQ(grid->GetAlignCol(1), alRight);
    EXPECT_EQ(grid->GetFixedAlignCol(1), alCenter);
    EXPECT_EQ(grid->GetFixedAlignCol(2), alRight);
    EXPECT_EQ(grid->GetFixedAlignRow(2), alLeft);
}

TEST(AlignGridDrawing, DefaultGridAlignmentDrawsLeft)
{
    auto grid = makeGrid();
    grid->setAlignment(alDefault);
    EXPECT_EQ(grid->GetAlignCell(1, 1), alLeft);
    EXPECT_EQ(grid->GetAlignCell(0, 0), alLeft);
    grid->setWordwrap(ww_default);
    EXPECT_EQ(grid->GetWordwrapCell(1, 1), ww_none);
}

TEST(AlignGridDrawing, FontComesFromCellThenColumnThenRowThenGrid)
{
    auto grid = makeGrid();
    grid->setDrawSelection(false);
    TMyFont base;
    base.Height = -16;
    base.Style = fsBold;
    base.Color = clBlack;
    grid->setFont(base);
    TMyFont fixedFont = base;
    fixedFont.Color = clMaroon;
    grid->setFixedFont(fixedFont);
    grid->FontCol(2).Color = clRed;
    grid->FontRow(2).Color = clBlue;
    grid->FontFixedCol(2).Color = clGreen;
    TMyFont &large = grid->FontCell(3, 3);
    large.Height = -22;
    large.Color = clNavy;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            grid->setCells(col, row, QStringLiteral("H"));

    const QImage image = paint(*grid);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 1, 1), QColor(Qt::black)), 60);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 2, 1), QColor(Qt::red)), 60);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 1, 2), QColor(Qt::blue)), 60);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 2, 2), QColor(Qt::red)), 60);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 3, 3), QColor(0, 0, 128)), 60);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 2, 0), QColor(0, 128, 0)), 60);
    EXPECT_LT(colourDistance(inkColour(image, *grid, 3, 0), QColor(128, 0, 0)), 60);
    // The row store does not reach the fixed cell of that row.
    EXPECT_LT(colourDistance(inkColour(image, *grid, 0, 2), QColor(128, 0, 0)), 60);

    const QRect small = inkInCell(image, *grid, 1, 1);
    const QRect big = inkInCell(image, *grid, 3, 3);
    EXPECT_NEAR(small.height(), QFontMetrics(toQFont(base)).capHeight(), 1.5);
    EXPECT_NEAR(big.height(), QFontMetrics(toQFont(large)).capHeight(), 1.5);

    EXPECT_EQ(grid->GetFontCol(2).Color, clRed);
    EXPECT_EQ(grid->GetFontCol(1), base);
    grid->ResetFontCol(2);
    EXPECT_EQ(grid->GetFontCell(2, 1), base);
    EXPECT_EQ(grid->GetFontCell(2, 2).Color, clBlue);
}

TEST(AlignGridDrawing, SelectedCellsTakeTheSelectedColours)
{
    auto grid = makeGrid();
    grid->setSelectedCellColor(clNavy);
    grid->setSelectedFontColor(clYellow);
    grid->SetSelectedColorCol(1, clLime);
    grid->setSelection({1, 1, 2, 1});
    grid->setCells(2, 1, QStringLiteral("H"));

    QImage image = paint(*grid);
    EXPECT_EQ(cellBackground(image, *grid, 1, 1), QColor(Qt::green));
    EXPECT_EQ(cellBackground(image, *grid, 2, 1), QColor(0, 0, 128));
    EXPECT_EQ(cellBackground(image, *grid, 1, 2), QColor(Qt::white));
    EXPECT_LT(colourDistance(inkColour(image, *grid, 2, 1), QColor(Qt::yellow)), 60);

    grid->setDrawSelection(false);
    image = paint(*grid);
    EXPECT_EQ(cellBackground(image, *grid, 2, 1), QColor(Qt::white));
}

TEST(AlignGridDrawing, CellFormatHandlerSuppliesTextAndLook)
{
    auto grid = makeGrid();
    grid->setDrawSelection(false);
    grid->setCells(1, 2, QStringLiteral("stored"));
    int drawn = 0;
    TRect drawnRect;
    grid->OnDrawCell = [&](TStringGrid *, int col, int row, const TRect &rect, TGridDrawState) {
        if (col == 2 && row == 2) {
            ++drawn;
            drawnRect = rect;
        }
    };
    grid->OnGetCellFormat = [](int col, int row, TCellFormat &format) {
        if (col == 2 && row == 2) {
            format.Text = QStringLiteral("H");
            format.Brush.Color = clYellow;
            format.Alignment = alRight;
        }
        if (col == 1 && row == 2)
            format.Text = QStringLiteral("virtual");
    };
    const QImage image = paint(*grid);
    EXPECT_EQ(cellBackground(image, *grid, 2, 2), QColor(Qt::yellow));
    const QRect ink = inkInCell(image, *grid, 2, 2);
    EXPECT_GT(ink.left(), grid->CellRect(2, 2).Left + grid->CellRect(2, 2).Width() / 2);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(drawnRect, grid->CellRect(2, 2));

    QString text;
    grid->GetCellText(2, 2, text);
    EXPECT_EQ(text, QStringLiteral("H"));
    grid->GetCellText(1, 2, text);
    EXPECT_EQ(text, QStringLiteral("stored"));
    grid->GetCellText(3, 3, text);
    EXPECT_EQ(text, QString());
}

TEST(AlignGridDrawing, AmpersandIsDrawnAndCentreCentreStaysOnOneLine)
{
    auto grid = makeGrid();
    grid->setDrawSelection(false);
    grid->setCells(1, 1, QStringLiteral("&"));
    grid->setWordwrap(ww_wordwrap);
    grid->setRowHeights(2, 60);
    grid->setCells(1, 2, QStringLiteral("aa bb cc dd ee"));
    grid->setCells(2, 2, QStringLiteral("aa bb cc dd ee"));
    grid->SetAlignCol(2, alCenterCenter);

    const QImage image = paint(*grid);
    EXPECT_FALSE(inkInCell(image, *grid, 1, 1).isEmpty());
    const QFontMetrics metrics(toQFont(grid->Font()));
    const QRect wrapped = inkInCell(image, *grid, 1, 2);
    const QRect single = inkInCell(image, *grid, 2, 2);
    EXPECT_GT(wrapped.height(), metrics.height());
    EXPECT_LE(single.height(), metrics.height());
    // Vertically centred in the 60-pixel row.
    const TRect rect = grid->CellRect(2, 2);
    EXPECT_NEAR(single.center().y(), (rect.Top + rect.Bottom) / 2, 4);
}

TEST(AlignGridDrawing, GettersCreateNothingWhileOwnFontReadersDo)
{
    auto fresh = makeGrid();
    auto grid = makeGrid();
    EXPECT_EQ(grid->GetFontCol(1), grid->Font());
    EXPECT_EQ(grid->GetFontCell(1, 1), grid->Font());
    EXPECT_EQ(grid->GetColorCell(1, 1), clWhite);
    EXPECT_EQ(grid->GetAlignRow(2), alLeft);
    EXPECT_TRUE(grid->GetEditCell(2, 2));
    QString text;
    grid->GetCellText(1, 1, text);
    EXPECT_EQ(grid->WriteProperties(), fresh->WriteProperties());

    grid->FontCell(1, 1);
    EXPECT_NE(grid->WriteProperties(), fresh->WriteProperties());
}

TEST(AlignGridDrawing, EditabilityResolvesLikeTheOtherSettings)
{
    auto grid = makeGrid();
    grid->SetEditCol(2, false);
    grid->SetEditRow(3, true);
    grid->SetEditCell(2, 2, true);
    grid->setEditable(false);
    EXPECT_FALSE(grid->GetEditCell(1, 1));
    EXPECT_FALSE(grid->GetEditCell(2, 1));
    EXPECT_TRUE(grid->GetEditCell(2, 2));
    EXPECT_FALSE(grid->GetEditCell(2, 3));
    EXPECT_TRUE(grid->GetEditCell(1, 3));
}
