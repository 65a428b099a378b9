// The aligned grid's in-place editor and its moves between cells, driven by key events.
#include "GridTestSupport.h"

#include "controls/NewInplaceEdit.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include <vector>

using namespace gridtest;

namespace {

struct EditLog {
    std::vector<std::pair<int, int>> before, after, cancelled, validated;
    bool accept = true;

    void attach(TStringAlignGrid &grid)
    {
        grid.OnBeforeEdit = [this](TStringAlignGrid *, int col, int row) { before.emplace_back(col, row); };
        grid.OnAfterEdit = [this](TStringAlignGrid *, int col, int row) { after.emplace_back(col, row); };
        grid.OnCancelEdit = [this](TStringAlignGrid *, int col, int row) { cancelled.emplace_back(col, row); };
        grid.OnValidateEdit = [this](TStringAlignGrid *, int col, int row, bool &result) {
            validated.emplace_back(col, row);
            result = accept;
        };
    }
};

std::unique_ptr<TStringAlignGrid> editableGrid(int cols = 5, int rows = 4)
{
    auto grid = makeGrid(cols, rows);
    grid->setOptions(grid->Options() | goEditing);
    return grid;
}

using Cell = std::pair<int, int>;

} // namespace

TEST(AlignGridEditing, TypingOpensTheEditorAndEnterConfirms)
{
    auto grid = editableGrid();
    ASSERT_TRUE(focusGrid(*grid));
    EditLog log;
    log.attach(*grid);
    grid->setCells(1, 1, QStringLiteral("old"));

    QTest::keyClicks(grid.get(), QStringLiteral("abc"));
    ASSERT_TRUE(grid->EditorVisible());
    EXPECT_EQ(grid->InplaceEditor()->Text(), QStringLiteral("abc"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc"));
    EXPECT_EQ(log.before, (std::vector<Cell>{{1, 1}}));
    EXPECT_TRUE(grid->Editing());

    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    EXPECT_FALSE(grid->EditorVisible());
    EXPECT_TRUE(log.after.empty()); // posted, not yet handled
    processPosted();
    EXPECT_EQ(log.validated, (std::vector<Cell>{{1, 1}}));
    EXPECT_EQ(log.after, (std::vector<Cell>{{1, 1}}));
    EXPECT_FALSE(grid->Editing());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc"));

    // Moving on and editing another cell does not confirm the finished edit again.
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    processPosted();
    EXPECT_EQ(log.after.size(), 1u);
    EXPECT_EQ(log.before, (std::vector<Cell>{{1, 1}, {1, 2}}));
}

TEST(AlignGridEditing, EscapeRestoresTheTextAndCancels)
{
    auto grid = editableGrid();
    ASSERT_TRUE(focusGrid(*grid));
    EditLog log;
    log.attach(*grid);
    grid->setCells(1, 1, QStringLiteral("old"));

    QTest::keyClick(grid.get(), Qt::Key_F2);
    ASSERT_TRUE(grid->EditorVisible());
    EXPECT_EQ(grid->InplaceEditor()->SelLength(), 3); // the whole text selected
    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("new"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("new"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Escape);
    processPosted();
    EXPECT_FALSE(grid->EditorVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old"));
    EXPECT_EQ(log.cancelled, (std::vector<Cell>{{1, 1}}));
    EXPECT_TRUE(log.after.empty());
    EXPECT_TRUE(log.validated.empty());

    // A later edit elsewhere does not confirm the cancelled one.
    QTest::keyClick(grid.get(), Qt::Key_Right);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    processPosted();
    EXPECT_TRUE(log.validated.empty());
}

TEST(AlignGridEditing, RejectedValidationKeepsTheEditOpenUntilAccepted)
{
    auto grid = editableGrid();
    ASSERT_TRUE(focusGrid(*grid));
    EditLog log;
    log.attach(*grid);
    log.accept = false;
    grid->setCells(1, 1, QStringLiteral("12"));

    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("x"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ(log.validated.size(), 1u);
    EXPECT_TRUE(log.after.empty());
    EXPECT_TRUE(grid->EditorVisible());
    EXPECT_TRUE(grid->Editing());
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(log.before.size(), 1u); // still the same edit

    // Esc after a rejection still brings back the text from before the edit.
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Escape);
    processPosted();
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("12"));

    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("y"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ(log.validated.size(), 2u);
    log.accept = true;
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ(log.validated.size(), 3u);
    EXPECT_EQ(log.after, (std::vector<Cell>{{1, 1}}));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("y"));
}

TEST(AlignGridEditing, NotEditableCellsNeverOpenTheEditor)
{
    auto grid = editableGrid();
    ASSERT_TRUE(focusGrid(*grid));
    grid->setEditable(false);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClicks(grid.get(), QStringLiteral("a"));
    EXPECT_FALSE(grid->EditorVisible());
    EXPECT_EQ(grid->Cells(1, 1), QString());

    grid->SetEditCell(1, 1, true);
    QTest::keyClicks(grid.get(), QStringLiteral("a"));
    EXPECT_TRUE(grid->EditorVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a"));
}

TEST(AlignGridEditing, EditorTakesTheCellsAlignmentAndSelectionSetting)
{
    auto grid = editableGrid();
    ASSERT_TRUE(focusGrid(*grid));
    grid->SetAlignCol(1, alRight);
    grid->SetAlignCol(2, alCenterCenter);
    grid->setSelectEditText(false);
    grid->setCells(1, 1, QStringLiteral("abc"));
    QTest::keyClick(grid.get(), Qt::Key_F2);
    TNewInplaceEdit *editor = grid->Editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->Alignment(), alRight);
    EXPECT_EQ(editor->SelLength(), 0);
    EXPECT_EQ(editor->SelStart(), 3);
    EXPECT_EQ(editor->geometry(), grid->CellRect(1, 1).toQRect());
    QTest::keyClick(editor, Qt::Key_Right); // at the end: the grid moves, the editor follows
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(editor->Alignment(), alCenterCenter);
    EXPECT_EQ(editor->Col, 2);
}

TEST(AlignGridEditing, TabMovesToColumnsWithTabStopsOnly)
{
    auto grid = editableGrid();
    grid->setOptions(grid->Options() | goTabs);
    ASSERT_TRUE(focusGrid(*grid));
    grid->setTabStops(2, false);
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{3, 1}));
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{4, 1}));
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{1, 2}));
    QTest::keyClick(grid.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{4, 1}));
    QTest::keyClick(grid.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{3, 1}));

    // Tab from the editor is handled by the grid and the editor follows.
    grid->setCol(1);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    ASSERT_TRUE(grid->EditorVisible());
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Editor()->Col, 3);
    EXPECT_FALSE(grid->InplaceEditor()->Text().contains(QLatin1Char('\t')));

    // The last cell wraps to the first with lc_first.
    grid->setSelection({4, 3, 4, 3});
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{1, 1}));
}

TEST(AlignGridEditing, TabWithoutTabStopsAndNewRowsStopsAfterOneRow)
{
    auto grid = editableGrid(3, 3);
    grid->setOptions(grid->Options() | goTabs);
    ASSERT_TRUE(focusGrid(*grid));
    grid->setTabStops(1, false);
    grid->setTabStops(2, false);
    grid->setAfterLastCellTab(lc_newcolrow);
    grid->setSelection({2, 2, 2, 2});
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{1, 3}));
}

TEST(AlignGridEditing, AutoEditNextCellSkipsCellsThatAreNotEditable)
{
    auto grid = editableGrid();
    grid->setAutoEditNextCell(true);
    grid->SetEditCol(2, false);
    grid->SetEditCol(3, false);
    ASSERT_TRUE(focusGrid(*grid));
    EditLog log;
    log.attach(*grid);

    QTest::keyClicks(grid.get(), QStringLiteral("1"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{4, 1}));
    EXPECT_TRUE(grid->EditorVisible());
    EXPECT_TRUE(grid->Editing());
    EXPECT_EQ(log.before, (std::vector<Cell>{{1, 1}, {4, 1}}));

    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("2"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{1, 2}));
    EXPECT_EQ(log.after, (std::vector<Cell>{{1, 1}, {4, 1}}));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("1"));
    EXPECT_EQ(grid->Cells(4, 1), QStringLiteral("2"));
}

TEST(AlignGridEditing, ConfirmingTheLastCellAppendsARow)
{
    auto grid = editableGrid(3, 3);
    grid->setAutoEditNextCell(true);
    ASSERT_TRUE(focusGrid(*grid));
    grid->setSelection({2, 2, 2, 2});
    QTest::keyClicks(grid.get(), QStringLiteral("z"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ((Cell{grid->Col(), grid->Row()}), (Cell{1, 3}));
    EXPECT_TRUE(grid->EditorVisible());
}

TEST(AlignGridEditing, LosingTheFocusConfirmsTheEdit)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *grid = new TStringAlignGrid;
    grid->setOptions(grid->Options() | goEditing);
    auto *other = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, testsupport::HangGuardMs));
    grid->setFocus();
    EditLog log;
    log.attach(*grid);

    QTest::keyClicks(grid, QStringLiteral("q"));
    ASSERT_TRUE(grid->EditorVisible());
    other->setFocus();
    processPosted();
    EXPECT_EQ(log.after, (std::vector<Cell>{{1, 1}}));
    EXPECT_FALSE(grid->EditorVisible());
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_TRUE(other->hasFocus());

    // A rejected validation takes the focus back with the editor open.
    log.accept = false;
    grid->setFocus();
    QTest::keyClicks(grid, QStringLiteral("r"));
    other->setFocus();
    processPosted();
    EXPECT_TRUE(grid->EditorVisible());
    EXPECT_FALSE(other->hasFocus());
}

TEST(AlignGridEditing, NextCellMovesFollowTheirDirections)
{
    auto grid = makeGrid(4, 4); // F = G = 1, L = B = 3
    struct Case {
        TNextCell direction;
        Cell from, to;
    };
    const Case cases[] = {
        {nc_rightdown, {3, 1}, {1, 2}}, {nc_downright, {1, 3}, {2, 1}}, {nc_leftdown, {1, 1}, {3, 2}},
        {nc_downleft, {2, 3}, {1, 1}},  {nc_leftup, {1, 2}, {3, 1}},    {nc_upleft, {2, 1}, {1, 3}},
        {nc_rightup, {3, 2}, {1, 1}},   {nc_upright, {1, 1}, {2, 3}},
    };
    for (const Case &c : cases) {
        int col = c.from.first;
        int row = c.from.second;
        EXPECT_FALSE(grid->MoveToNextCell(c.direction, lc_stop, row, col));
        EXPECT_EQ((Cell{col, row}), c.to) << int(c.direction);
    }
    // Past the end: stop, first cell of the direction, or a new row or column.
    int col = 3, row = 3;
    grid->MoveToNextCell(nc_rightdown, lc_stop, row, col);
    EXPECT_EQ((Cell{col, row}), (Cell{-1, -1}));
    col = 3, row = 3;
    grid->MoveToNextCell(nc_rightdown, lc_first, row, col);
    EXPECT_EQ((Cell{col, row}), (Cell{1, 1}));
    col = 1, row = 1;
    grid->MoveToNextCell(nc_leftup, lc_first, row, col);
    EXPECT_EQ((Cell{col, row}), (Cell{3, 3}));
    col = 1, row = 3;
    grid->MoveToNextCell(nc_downleft, lc_first, row, col);
    EXPECT_EQ((Cell{col, row}), (Cell{3, 1}));

    grid->setCells(1, 1, QStringLiteral("a"));
    col = 1, row = 1;
    EXPECT_TRUE(grid->MoveToNextCell(nc_upleft, lc_newcolrow, row, col));
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ((Cell{col, row}), (Cell{1, 3}));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("a")); // texts moved right of the new column
    EXPECT_EQ(grid->Cells(1, 1), QString());
    col = 4, row = 1;
    EXPECT_TRUE(grid->MoveToNextCell(nc_rightup, lc_newcolrow, row, col));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ((Cell{col, row}), (Cell{1, 1}));
}

TEST(AlignGridEditing, MultilineEditorKeepsEnterAndArrowKeys)
{
    auto grid = editableGrid();
    grid->setEditMultiline(true);
    ASSERT_TRUE(focusGrid(*grid));
    EditLog log;
    log.attach(*grid);
    QTest::keyClicks(grid.get(), QStringLiteral("a"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("b"));
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Up);
    processPosted();
    EXPECT_TRUE(grid->EditorVisible());
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a\nb"));
    EXPECT_TRUE(log.after.empty());
}

TEST(AlignGridEditing, TheEditorFollowsItsRowWhenRowsMove)
{
    auto grid = editableGrid(3, 6);
    ASSERT_TRUE(focusGrid(*grid));
    EditLog log;
    log.attach(*grid);
    for (int row = 1; row < 6; ++row)
        grid->setCells(1, row, QString::number(row));

    // A row moved up from below the editor pushes the editor's row down.
    grid->setRow(3);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("x"));
    grid->MoveRow(5, 2);
    EXPECT_EQ(grid->Editor()->Row, 4);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->InplaceEditor()->geometry(), grid->CellRect(1, 4).toQRect());
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ(log.after, (std::vector<Cell>{{1, 4}}));
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("x"));

    // A row moved down past the editor pulls the editor's row up.
    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClicks(grid->InplaceEditor(), QStringLiteral("y"));
    grid->MoveRow(1, 5);
    EXPECT_EQ(grid->Editor()->Row, 3);
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    processPosted();
    EXPECT_EQ(log.after, (std::vector<Cell>{{1, 4}, {1, 3}}));
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("y"));
}
