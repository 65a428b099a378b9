#include "shell/CombSetsGrid.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "shell/FGlobalGrids.h"

#include <QFontMetrics>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

constexpr TColor CombSetsGridColor = 0xCADAE1;
constexpr TColor CombSetsSelectedColor = 0xB4CBD6;
// A line of the numbers column holds this many numbers.
constexpr int NumbersPerLine = 27;

} // namespace

TStringAlignGrid *NewCombSetsGrid(QWidget *Parent, bool MultiSelect)
{
    TStringAlignGrid *grid = NewGrid(Parent, 4, 2, 0, 1);
    TGridOptions options = grid->Options() | goRowSelect;
    if (!MultiSelect)
        options &= ~goRangeSelect;
    grid->setOptions(options);
    grid->setColor(CombSetsGridColor);
    grid->setSelectedCellColor(CombSetsSelectedColor);
    grid->FontCol(3).Name = QStringLiteral("Courier New");
    grid->setWordwrap(ww_wordwrap);
    SetHeader(grid, {QStringLiteral("Lp."), QStringLiteral("Data"), QStringLiteral("N"), QStringLiteral("Liczby")},
              {30, 68, 27, 566});
    KeepColumnsInView(grid);
    return grid;
}

void FillCombSetsGrid(TStringAlignGrid *Grid, const TCombSets &Sets, QPlainTextEdit *Comment)
{
    if (Sets.empty()) {
        Grid->setRowCount(2);
        Grid->ClearRows(1, 1);
        Grid->setRowHeights(1, Grid->DefaultRowHeight());
    } else {
        Grid->setRowCount(int(Sets.size()) + 1);
        const int lineHeight = QFontMetrics(toQFont(Grid->GetFontCol(3))).lineSpacing();
        for (size_t i = 0; i < Sets.size(); ++i) {
            const TCombSetRec &set = Sets[i];
            const int row = int(i) + 1;
            std::string numbers;
            CombToStr(set.Numbers.data(), set.Count, "%2d ", numbers);
            Grid->setCells(0, row, QString::number(row) + QLatin1Char(' '));
            Grid->setCells(1, row, QString::fromStdString(DateToStr(set.Saved)));
            Grid->setCells(2, row, QString::number(set.Count) + QLatin1Char(' '));
            Grid->setCells(3, row, QString::fromStdString(numbers));
            const int lines = (set.Count + NumbersPerLine - 1) / NumbersPerLine;
            Grid->setRowHeights(row, lines <= 1 ? Grid->DefaultRowHeight()
                                                : std::max(Grid->DefaultRowHeight(), lines * lineHeight + 2));
        }
    }
    Grid->InvalidateGrid();
    ShowCombSetComment(Comment, Sets, Grid->Row());
}

void ShowCombSetComment(QPlainTextEdit *Comment, const TCombSets &Sets, int Row)
{
    Comment->clear();
    if (Row >= 1 && size_t(Row) <= Sets.size())
        Comment->setPlainText(QString::fromStdString(Sets[size_t(Row) - 1].Comment));
}
