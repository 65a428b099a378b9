// The grid base: geometry, navigation, scrolling, sizing, moving, and the cost of a huge grid.
#include "GridTestSupport.h"

#include <QScrollBar>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

using namespace gridtest;

using Cell = std::pair<int, int>;

namespace {

// Shows how many cells hold a stored text.
struct ProbeGrid : TStringAlignGrid {
    int storedTexts() const
    {
        int count = 0;
        CellTexts().forEach([&](int, int, const QString &) { ++count; });
        return count;
    }
    int storedRowSlots() const
    {
        int count = 0;
        for (int col = 0; col < CellTexts().ColumnCount(); ++col)
            count += CellTexts().column(col).Count();
        return count;
    }
};

} // namespace

TEST(GridGeometry, CellRectsFollowWidthsHeightsAndLines)
{
    auto grid = makeGrid(5, 6);
    grid->setGridLineWidth(2);
    grid->setColWidths(1, 30);
    grid->setRowHeights(2, 40);
    EXPECT_EQ(grid->CellRect(0, 0), (TRect{0, 0, 60, 24}));
    EXPECT_EQ(grid->CellRect(1, 0), (TRect{62, 0, 92, 24}));
    EXPECT_EQ(grid->CellRect(2, 2), (TRect{94, 52, 154, 92}));
    EXPECT_EQ(grid->CellRect(2, 3), (TRect{94, 94, 154, 118}));
    // Without vertical lines in the scrolling part there is no gap there.
    grid->setOptions(grid->Options() & ~goVertLine);
    EXPECT_EQ(grid->CellRect(2, 1), (TRect{92, 26, 152, 50}));
    EXPECT_EQ(grid->RowHeights(2), 40);
    EXPECT_EQ(grid->RowHeights(3), 24);
    grid->setDefaultRowHeight(20);
    EXPECT_EQ(grid->RowHeights(2), 20);

    // Every pixel of a cell, and of the lines to its right and below, maps back to it.
    grid->setOptions(DefaultGridOptions);
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            const TRect rect = grid->CellRect(col, row);
            EXPECT_EQ(grid->MouseCoord(rect.Left, rect.Top), (TGridCoord{col, row}));
            EXPECT_EQ(grid->MouseCoord(rect.Right + 1, rect.Bottom + 1), (TGridCoord{col, row}));
        }
    EXPECT_EQ(grid->MouseCoord(-1, 5), (TGridCoord{-1, -1}));
    EXPECT_EQ(grid->MouseCoord(5000, 5), (TGridCoord{-1, -1}));

    // Scrolled, with and without fixed rows and columns, the first visible cells sit at the top left.
    auto scrolled = makeGrid(30, 60);
    for (int fixed : {1, 0}) {
        scrolled->setFixedCols(fixed);
        scrolled->setFixedRows(fixed);
        scrolled->setTopRow(20);
        scrolled->setLeftCol(10);
        const int origin = fixed * 61;
        EXPECT_EQ(scrolled->CellRect(10, 20), (TRect{origin, fixed * 25, origin + 60, fixed * 25 + 24}));
        EXPECT_EQ(scrolled->MouseCoord(origin + 1, fixed * 25 + 1), (TGridCoord{10, 20})) << fixed;
        EXPECT_EQ(scrolled->MouseCoord(origin + 62, fixed * 25 + 26), (TGridCoord{11, 21})) << fixed;
        EXPECT_TRUE(scrolled->CellRect(9, 20).isEmpty());
    }
}

TEST(GridNavigation, KeysMoveTheCurrentCellAndScrollItIntoView)
{
    auto grid = makeGrid(4, 100);
    ASSERT_TRUE(focusGrid(*grid));
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{1, 1}));
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{2, 2}));
    QTest::keyClick(grid.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 99);
    const TRect last = grid->CellRect(2, 99);
    EXPECT_FALSE(last.isEmpty());
    EXPECT_LE(last.Bottom, grid->viewport()->height());
    EXPECT_EQ(grid->TopRow(), 99 - grid->VisibleRowCount() + 1);
    QTest::keyClick(grid.get(), Qt::Key_PageUp);
    EXPECT_EQ(grid->Row(), 99 - grid->VisibleRowCount());
    QTest::keyClick(grid.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);

    // Shift stretches the selection from the anchor.
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 3, 2}));
    QTest::keyClick(grid.get(), Qt::Key_Up);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 1, 3, 1}));

    // A refused cell keeps the current one.
    grid->OnSelectCell = [](TStringGrid *, int col, int, bool &CanSelect) { CanSelect = col != 2; };
    QTest::keyClick(grid.get(), Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 3);
}

TEST(GridNavigation, ColumnsAndRowsSizeWithTheMouse)
{
    auto grid = makeGrid(4, 4);
    grid->setOptions(grid->Options() | goColSizing | goRowSizing);
    int changed = 0;
    grid->OnColWidthsChanged = [&](TStringAlignGrid *) { ++changed; };
    const TRect header = grid->CellRect(1, 0);
    const QPoint border(header.Right, header.Top + 5);
    QTest::mouseMove(grid->viewport(), border);
    EXPECT_EQ(grid->viewport()->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, border);
    EXPECT_EQ(grid->GridState(), gsColSizing);
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(15, 0)), grid->viewport()->mapToGlobal(QPointF(border + QPoint(15, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, border + QPoint(15, 0));
    EXPECT_EQ(grid->ColWidths(1), 75);
    EXPECT_GE(changed, 1);
    EXPECT_EQ(grid->GridState(), gsNormal);

    const TRect rowHeader = grid->CellRect(0, 2);
    const QPoint rowBorder(rowHeader.Left + 5, rowHeader.Bottom);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, rowBorder);
    QMouseEvent down(QEvent::MouseMove, QPointF(rowBorder + QPoint(0, -10)), grid->viewport()->mapToGlobal(QPointF(rowBorder + QPoint(0, -10))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid->viewport(), &down);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, rowBorder + QPoint(0, -10));
    EXPECT_EQ(grid->RowHeights(2), 14);
}

TEST(GridRows, MovedInsertedAndExchangedRowsTakeTheirPropertiesAlong)
{
    auto grid = makeGrid(4, 6);
    for (int row = 0; row < 6; ++row)
        grid->setCells(1, row, QString::number(row));
    grid->SetAlignRow(2, alRight);
    grid->SetColorCell(1, 4, clRed);
    grid->SetFixedAlignRow(2, alCenter);
    grid->setRowHeights(2, 40);
    grid->setRow(2);

    grid->MoveRow(2, 4); // 0 1 3 4 2 5
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("2"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("3"));
    EXPECT_EQ(grid->GetAlignCell(1, 4), alRight);
    EXPECT_EQ(grid->GetColorCell(1, 3), clRed);
    EXPECT_EQ(grid->RowHeights(4), 40);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->GetAlignCell(0, 2), alCenter); // the fixed-row store stays with its position

    grid->InsertRow(0); // inserted at the first non-fixed row
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("0"));
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("1"));
    EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("2"));
    EXPECT_EQ(grid->GetAlignCell(1, 5), alRight);
    EXPECT_EQ(grid->GetColorCell(1, 4), clRed);
    EXPECT_EQ(grid->Row(), 5);

    const QByteArray before = grid->WriteProperties();
    grid->ExchangeRows(3, 3);
    EXPECT_EQ(grid->WriteProperties(), before);
    grid->ExchangeRows(4, 6);
    EXPECT_EQ(grid->Cells(1, 6), QStringLiteral("4"));
    EXPECT_EQ(grid->GetColorCell(1, 6), clRed);
    EXPECT_EQ(grid->GetColorCell(1, 4), clWhite);

    grid->ClearRows(-1, 2);
    EXPECT_EQ(grid->Cells(1, 0), QString());
    EXPECT_EQ(grid->Cells(1, 2), QString());
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("3"));
    grid->setCells(2, 5, QStringLiteral("x"));
    grid->ClearCells(5, 2, 5, 3); // rows and columns alternate
    EXPECT_EQ(grid->Cells(2, 5), QString());
    EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("2"));
}

TEST(GridColumns, InsertingBeforeTheFixedColumnInsertsAfterIt)
{
    auto grid = makeGrid(4, 3);
    grid->setCells(0, 1, QStringLiteral("fixed"));
    grid->setCells(1, 1, QStringLiteral("one"));
    grid->SetAlignCol(1, alRight);
    grid->SetFixedAlignCol(1, alCenter);
    grid->setCol(2);
    grid->InsertColumn(0);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->Cells(0, 1), QStringLiteral("fixed"));
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("one"));
    EXPECT_EQ(grid->GetAlignCol(2), alRight);
    EXPECT_EQ(grid->GetAlignCol(1), alLeft);
    EXPECT_EQ(grid->GetFixedAlignCol(1), alCenter);
    EXPECT_EQ(grid->Col(), 3);
}

TEST(GridScrolling, AMillionRowsCostOnlyTheVisibleCells)
{
    auto grid = makeGrid<ProbeGrid>(4, 3);
    grid->setRowCount(1000001);
    grid->setCells(1, 0, QStringLiteral("Nr"));
    std::set<Cell> asked;
    int calls = 0;
    grid->OnGetCellFormat = [&](int col, int row, TCellFormat &format) {
        ++calls;
        asked.emplace(col, row);
        if (row > 0)
            format.Text = QString::number(row * 10 + col);
    };
    ASSERT_TRUE(focusGrid(*grid));
    QTest::keyClick(grid.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 1000000);
    EXPECT_EQ(grid->TopRow(), 1000000 - grid->VisibleRowCount() + 1);
    EXPECT_EQ(grid->verticalScrollBar()->value(), grid->verticalScrollBar()->maximum());

    calls = 0;
    asked.clear();
    const QImage image = paint(*grid);
    std::set<Cell> visible;
    for (int col = 0; col < grid->ColCount(); ++col)
        for (int row : {0, 1, 2}) // the fixed row and what lies near the top
            if (!grid->CellRect(col, row).isEmpty())
                visible.emplace(col, row);
    for (int col = 0; col < grid->ColCount(); ++col)
        for (int row = grid->TopRow(); row < grid->RowCount(); ++row)
            if (!grid->CellRect(col, row).isEmpty())
                visible.emplace(col, row);
    EXPECT_EQ(asked, visible);
    EXPECT_EQ(calls, int(visible.size()));
    EXPECT_TRUE(asked.count({2, 1000000}));
    EXPECT_FALSE(inkInCell(image, *grid, 2, 1000000).isEmpty());
    // Painting stored nothing for the virtual texts.
    EXPECT_EQ(grid->storedTexts(), 1);
    EXPECT_EQ(grid->storedRowSlots(), 1);

    // Scrolling by the scroll bar moves the top row.
    grid->verticalScrollBar()->setValue(10);
    EXPECT_EQ(grid->TopRow(), 11);
}

TEST(GridThreads, AWorkerReadsCellTextsWhileTheGuiPaints)
{
    auto grid = makeGrid(3, 5);
    grid->setCells(1, 1, QStringLiteral("stored"));
    const std::thread::id gui = std::this_thread::get_id();
    std::atomic<bool> workerInside{false};
    std::atomic<bool> release{false};
    std::atomic<int> guiCalls{0};
    grid->OnGetCellFormat = [&](int col, int row, TCellFormat &format) {
        if (std::this_thread::get_id() == gui) {
            ++guiCalls;
            format.Text = QStringLiteral("H");
            return;
        }
        workerInside = true;
        while (!release)
            std::this_thread::yield();
        format.Text = QString::number(col * 10 + row);
    };
    QString fromWorker;
    QString storedFromWorker;
    std::thread worker([&] {
        grid->GetCellText(2, 3, fromWorker);
        grid->GetCellText(1, 1, storedFromWorker);
    });
    while (!workerInside)
        std::this_thread::yield();
    // The worker is inside the handler: the GUI still draws every cell.
    const QImage image = paint(*grid);
    release = true;
    worker.join();
    EXPECT_GT(guiCalls.load(), 0);
    EXPECT_FALSE(inkInCell(image, *grid, 2, 2).isEmpty());
    EXPECT_EQ(fromWorker, QStringLiteral("23"));
    EXPECT_EQ(storedFromWorker, QStringLiteral("stored"));
}

TEST(GridThreads, CellsAreNotDrawnWhileTheirTextIsFetchedOnTheSameThread)
{
    auto grid = makeGrid(3, 3);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get(), testsupport::HangGuardMs));
    int calls = 0;
    grid->OnGetCellFormat = [&](int, int, TCellFormat &format) {
        // The first call makes the grid paint while the text is being fetched.
        if (++calls == 1)
            grid->viewport()->repaint();
        format.Text = QStringLiteral("v");
    };
    QString text;
    grid->GetCellText(1, 1, text);
    EXPECT_EQ(text, QStringLiteral("v"));
    EXPECT_EQ(calls, 1);
    // Once the fetch is over the cells draw again.
    const QImage image = paint(*grid);
    EXPECT_GT(calls, 1);
    EXPECT_FALSE(inkInCell(image, *grid, 1, 1).isEmpty());
}
