// Header-click sorting, the built-in sort, the clipboard keys and the width calculations.
#include "GridTestSupport.h"

#include "controls/GridSupport.h"
#include "tests/support/SortShapes.h"

#include <QClipboard>
#include <QScrollBar>
#include <QStyle>

#include <functional>
#include <random>

using namespace gridtest;

namespace {

QStringList column(const TStringAlignGrid &grid, int col)
{
    QStringList texts;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        texts << grid.Cells(col, row);
    return texts;
}

QPoint centreOf(const TStringAlignGrid &grid, int col, int row)
{
    return grid.CellRect(col, row).toQRect().center();
}

} // namespace

TEST(AlignGridSorting, HeaderClicksToggleTheDirectionAndTheMarks)
{
    auto grid = makeGrid(3, 5);
    ASSERT_TRUE(focusGrid(*grid));
    grid->setSortByClick(true);
    ASSERT_EQ(grid->SortCols.size(), 3u);
    grid->SortCols[1].SortKey = 1;
    grid->setCells(1, 0, QStringLiteral("Liczby"));
    grid->setCells(2, 0, QStringLiteral("Data"));
    const QStringList values{"b", "d", "a", "c"};
    for (int row = 1; row <= 4; ++row) {
        grid->setCells(1, row, values[row - 1]);
        grid->setCells(2, row, QString::number(row));
    }
    grid->SetColorCell(2, 3, clRed); // goes with the row of "a"
    int calls = 0;
    grid->OnSortColumn = [&](TStringAlignGrid *sender, int col, TSortCol &entry) {
        ++calls;
        sender->SortColRow(col, 1, sender->RowCount() - 1, true, entry.Direction == 1);
        sender->SetSortDirection(entry.SortKey, entry.Direction, true);
        sender->UpdateSortMarks();
    };

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 0));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(grid->SortCols[1].Direction, 1);
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Liczby -"));
    EXPECT_EQ(column(*grid, 1), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(column(*grid, 2), (QStringList{"3", "1", "4", "2"}));
    EXPECT_EQ(grid->GetColorCell(2, 1), clRed);
    EXPECT_EQ(grid->GetColorCell(2, 3), clWhite);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 0));
    EXPECT_EQ(grid->SortCols[1].Direction, -1);
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Liczby +"));
    EXPECT_EQ(column(*grid, 1), (QStringList{"d", "c", "b", "a"}));
    EXPECT_EQ(grid->GetColorCell(2, 4), clRed);

    // A column without a sort key, and a body cell, sort nothing.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 2, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 2));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("Data"));
}

TEST(AlignGridSorting, MarksAndDirectionsFollowTheKeys)
{
    auto grid = makeGrid(4, 2);
    grid->setSortByClick(true);
    grid->SortCols[1] = {1, 1};
    grid->SortCols[2] = {-1, 2};
    grid->SortCols[3] = {1, 3};
    grid->setCells(1, 0, QStringLiteral("Nr +"));
    grid->setCells(2, 0, QStringLiteral("Data -"));
    grid->setCells(3, 0, QStringLiteral("Suma"));
    grid->UpdateSortMarks();
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Nr -"));
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("Data +"));
    EXPECT_EQ(grid->Cells(3, 0), QStringLiteral("Suma -"));

    grid->SetSortDirection(2, 1, true);
    EXPECT_EQ(grid->SortCols[2].Direction, 1);
    EXPECT_EQ(grid->SortCols[1].Direction, 2);
    EXPECT_EQ(grid->SortCols[3].Direction, 2);
    grid->UpdateSortMarks();
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Nr"));
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("Data -"));

    // A change of the column count clears the keys and keeps the directions.
    grid->setColCount(5);
    ASSERT_EQ(grid->SortCols.size(), 5u);
    EXPECT_EQ(grid->SortCols[2].SortKey, 0);
    EXPECT_EQ(grid->SortCols[2].Direction, 1);
    EXPECT_EQ(grid->SortCols[4].Direction, 0);
    grid->setSortByClick(false);
    EXPECT_TRUE(grid->SortCols.empty());
}

TEST(AlignGridSorting, QuicksortOrdersRowsAndColumnsWithTheirProperties)
{
    auto grid = makeGrid(2, 301);
    std::mt19937 random(7);
    std::vector<int> values(300);
    for (int i = 0; i < 300; ++i) {
        values[size_t(i)] = int(random() % 50);
        grid->setCells(1, i + 1, QString::asprintf("%03d", values[size_t(i)]));
        grid->setObjects(1, i + 1, values[size_t(i)]);
        grid->SetAlignCell(1, i + 1, values[size_t(i)] % 2 ? alRight : alCenter);
    }
    grid->SortColRow(1, 1, 300, true, true);
    std::sort(values.begin(), values.end());
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(grid->Cells(1, i + 1), QString::asprintf("%03d", values[size_t(i)]));
        EXPECT_EQ(grid->Objects(1, i + 1), values[size_t(i)]);
        EXPECT_EQ(grid->GetAlignCell(1, i + 1), values[size_t(i)] % 2 ? alRight : alCenter);
    }
    grid->SortColRow(1, 1, 300, true, false);
    EXPECT_EQ(grid->Cells(1, 1), QString::asprintf("%03d", values.back()));
    EXPECT_EQ(grid->Cells(1, 300), QString::asprintf("%03d", values.front()));

    // Columns of a row, with a comparison of our own (numeric).
    auto wide = makeGrid(6, 2);
    const int numbers[] = {10, 9, 100, 1, 55};
    for (int col = 1; col <= 5; ++col)
        wide->setCells(col, 1, QString::number(numbers[col - 1]));
    wide->OnCompareRow = [](TStringAlignGrid *g, int row, int a, int b) {
        const int x = g->Cells(a, row).toInt();
        const int y = g->Cells(b, row).toInt();
        return x < y ? rel_less : x > y ? rel_greater : rel_equal;
    };
    wide->SortColRow(1, 1, 5, false, true);
    EXPECT_EQ(wide->Cells(1, 1), QStringLiteral("1"));
    EXPECT_EQ(wide->Cells(3, 1), QStringLiteral("10"));
    EXPECT_EQ(wide->Cells(5, 1), QStringLiteral("100"));
}

TEST(AlignGridSorting, OrderedAndEqualRangesSortQuickly)
{
    // In order and in reverse order: n log n work (n squared would not finish within the test's time).
    auto grid = makeGrid(2, 50001);
    for (int row = 1; row <= 50000; ++row)
        grid->setCells(1, row, QString::asprintf("%05d", row));
    grid->SortColRow(1, 1, 50000, true, true);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("00001"));
    EXPECT_EQ(grid->Cells(1, 50000), QStringLiteral("50000"));
    grid->SortColRow(1, 1, 50000, true, false);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("50000"));
    EXPECT_EQ(grid->Cells(1, 25000), QStringLiteral("25001"));
    EXPECT_EQ(grid->Cells(1, 50000), QStringLiteral("00001"));

    auto equal = makeGrid(2, 1001);
    for (int row = 1; row <= 1000; ++row)
        equal->setCells(1, row, QStringLiteral("x"));
    equal->SortColRow(1, 1, 1000, true, false);
    EXPECT_EQ(column(*equal, 1), QStringList(1000, QStringLiteral("x")));
}

// Whatever the rows' order, a sort takes n log n comparisons: over the shapes both ways and against the
// adversary.
TEST(AlignGridSorting, EveryOrderSortsWithinNLogNComparisons)
{
    constexpr int n = 20000;
    auto grid = makeGrid(2, n + 1);
    // Each row carries its item; Order(A, B) is negative, 0 or positive for item A's key below, equal to
    // or above item B's.
    std::function<int(int A, int B)> order;
    long compares = 0;
    grid->OnCompareCol = [&](TStringAlignGrid *Grid, int Col, int A, int B) {
        if (++compares > testsupport::SortCompareBound(n))
            throw testsupport::ETooManyComparisons{};
        const int result = order(int(Grid->Objects(Col, A)), int(Grid->Objects(Col, B)));
        return result < 0 ? rel_less : result > 0 ? rel_greater : rel_equal;
    };
    const auto sortItems = [&](bool Ascending) {
        for (int row = 1; row <= n; ++row)
            grid->setObjects(1, row, row - 1);
        compares = 0;
        grid->SortColRow(1, 1, n, true, Ascending);
    };
    const auto inOrder = [&](bool Ascending) {
        for (int row = 2; row <= n; ++row) {
            const int result = order(int(grid->Objects(1, row - 1)), int(grid->Objects(1, row)));
            if (Ascending ? result > 0 : result < 0)
                return false;
        }
        return true;
    };
    for (const testsupport::TSortShape &shape : testsupport::SortShapes(n)) {
        order = [&](int A, int B) { return shape.Keys[size_t(A)] - shape.Keys[size_t(B)]; };
        for (const bool ascending : {true, false}) {
            ASSERT_NO_THROW(sortItems(ascending)) << shape.Name << (ascending ? " ascending" : " descending");
            ASSERT_TRUE(inOrder(ascending)) << shape.Name;
        }
    }
    testsupport::TSortAdversary adversary(n);
    order = [&](int A, int B) { return adversary.Compare(A, B); };
    ASSERT_NO_THROW(sortItems(true)) << "against the adversary";
    order = [&](int A, int B) { return adversary.Key(A) - adversary.Key(B); };
    EXPECT_TRUE(inOrder(true));
}

TEST(AlignGridClipboard, CopyCutAndPasteABlock)
{
    auto grid = makeGrid(4, 4);
    ASSERT_TRUE(focusGrid(*grid));
    grid->setCells(1, 1, QStringLiteral("a"));
    grid->setCells(2, 1, QStringLiteral("b"));
    grid->setCells(1, 2, QStringLiteral("c"));
    grid->setCells(2, 2, QStringLiteral("d"));
    grid->setSelection({1, 1, 2, 2});
    QTest::keyClick(grid.get(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\tb\r\nc\td\r\n"));

    // Cut copies everything and clears only editable cells.
    grid->ClipboardEditableOnly = true;
    grid->SetEditCell(2, 2, false);
    QTest::keyClick(grid.get(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(grid->Cells(2, 1), QString());
    EXPECT_EQ(grid->Cells(1, 2), QString());
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("d"));

    // Paste fills the selection from its top-left; an editable-only paste skips the locked cell.
    QTest::keyClick(grid.get(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("b"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("c"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("d"));

    // A single selected cell takes only the first field.
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ty"));
    grid->setSelection({3, 3, 3, 3});
    QTest::keyClick(grid.get(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid->Cells(3, 3), QStringLiteral("x"));
    EXPECT_EQ(grid->ColCount(), 4);

    // Switched off, the keys do nothing.
    grid->ClipboardEnabled = false;
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    QTest::keyClick(grid.get(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
}

TEST(AlignGridClipboard, SingleCharacterAndVirtualTextsAreCopied)
{
    auto grid = makeGrid(3, 3);
    grid->setCells(1, 1, QStringLiteral("7"));
    grid->CopyToClipboard(QLatin1Char('\t'), {1, 1, 1, 1});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("7\r\n"));
    grid->OnGetCellFormat = [](int col, int row, TCellFormat &format) { format.Text = QString::number(col * 10 + row); };
    EXPECT_EQ(grid->CopyToStream(QLatin1Char(';'), {1, 1, 2, 1}), QByteArray("7;21\r\n"));
    // A right edge before the left one reaches the last column; a negative top starts at row 0.
    EXPECT_EQ(grid->CopyToStream(QLatin1Char(';'), {2, -5, 0, 0}), QByteArray("20\r\n"));
}

TEST(AlignGridClipboard, PastingBeyondTheEdgesGrowsTheGrid)
{
    auto grid = makeGrid(3, 3);
    grid->PasteFromStream(QByteArray("p\tq\tr\r\ns\t\r\n\tu\r\n"), QLatin1Char('\t'), {2, 2, -1, -1});
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("p"));
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("q"));
    EXPECT_EQ(grid->Cells(4, 2), QStringLiteral("r"));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("s"));
    EXPECT_EQ(grid->Cells(3, 3), QString());
    EXPECT_EQ(grid->Cells(2, 4), QString());
    EXPECT_EQ(grid->Cells(3, 4), QStringLiteral("u"));
    // A bounded range cuts lines and fields.
    grid->PasteFromStream(QByteArray("1\t2\t3\n4\t5\t6\n"), QLatin1Char('\t'), {0, 0, 1, 0});
    EXPECT_EQ(grid->Cells(0, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("2"));
    EXPECT_EQ(grid->Cells(2, 0), QString());
    EXPECT_EQ(grid->Cells(0, 1), QString());
}

TEST(AlignGridSizing, AdjustLastColFillsTheClientWidth)
{
    auto grid = makeGrid(4, 3);
    grid->resize(400, 120);
    int changed = 0;
    grid->OnColWidthsChanged = [&](TStringAlignGrid *) { ++changed; };
    grid->setAutoAdjustLastCol(true);
    const int lines = 4 * grid->GridLineWidth();
    EXPECT_EQ(grid->ColWidths(3), grid->viewport()->width() - 3 * 60 - lines);
    EXPECT_GE(changed, 1);

    // Too little left for the least width: unchanged.
    grid->setAdjustedColMinWidth(50);
    grid->setColWidths(0, grid->viewport()->width() - 2 * 60 - lines - 30);
    const int before = grid->ColWidths(3);
    grid->AdjustLastCol();
    EXPECT_EQ(grid->ColWidths(3), before);
    grid->setAdjustedColMinWidth(20);
    grid->AdjustLastCol();
    EXPECT_EQ(grid->ColWidths(3), 30);

    // A resize re-adjusts and reports.
    int resized = 0;
    grid->OnResize = [&](TStringAlignGrid *) { ++resized; };
    grid->resize(500, 120);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(grid->ColWidths(3), 130);
}

TEST(AlignGridSizing, CalcGridWidthShowsEveryColumn)
{
    auto grid = makeGrid(4, 3);
    grid->setScrollBars(ssBoth);
    grid->setColWidths(2, 90);
    const int extent = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid.get());
    const int frame = 2 * grid->frameWidth();
    EXPECT_EQ(frame, 4);
    const int expected = frame + 60 + 60 + 90 + 60 + 4 * 1;
    grid->resize(expected, 200);
    EXPECT_FALSE(ScrollBarInUse(grid.get(), true));
    EXPECT_EQ(grid->CalcGridWidth(false), expected);
    EXPECT_EQ(grid->CalcGridWidth(true), expected + extent);
    grid->setRowCount(100);
    EXPECT_TRUE(ScrollBarInUse(grid.get(), true));
    EXPECT_EQ(grid->CalcGridWidth(false), expected + extent);
    // Sized by it, the grid shows all its columns.
    grid->resize(grid->CalcGridWidth(false), 200);
    EXPECT_EQ(grid->VisibleColCount(), 3);
    grid->setBorderStyle(bsNone);
    EXPECT_EQ(grid->CalcGridWidth(false), expected + extent - frame);
}

TEST(AlignGridSizing, FixedCellClicksReportTheirRowOrColumn)
{
    auto grid = makeGrid(4, 4);
    std::vector<int> rows, cols;
    grid->OnFixedRowClick = [&](TStringAlignGrid *, int row) { rows.push_back(row); };
    grid->OnFixedColClick = [&](TStringAlignGrid *, int col) { cols.push_back(col); };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 0, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 3, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 2, 2));
    EXPECT_EQ(rows, std::vector<int>{2});
    EXPECT_EQ(cols, std::vector<int>{3});
}
