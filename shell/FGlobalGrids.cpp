#include "shell/FGlobalGrids.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The running font's average character width, measured as the dialog base unit is.
double RunningCharWidth()
{
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(RunningFont()).horizontalAdvance(alphabet) / double(alphabet.size());
}

int ScrollBarRoom(const TStringAlignGrid *Grid)
{
    return Grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Grid);
}

int TextWidth(const TFont &Font, const QString &Text)
{
    return QFontMetrics(toQFont(Font)).horizontalAdvance(Text) + 2 * CellTextMargin;
}

} // namespace

QFont RunningFont()
{
    return QApplication::font();
}

int ScaledWidth(int DesignPixels)
{
    return int(std::lround(DesignPixels * RunningCharWidth() / DesignCharWidth));
}

int ScaledHeight(int DesignPixels)
{
    return int(std::lround(double(DesignPixels) * QFontMetrics(RunningFont()).height() / DesignCharHeight));
}

QSize ScaledSize(int DesignWidth, int DesignHeight)
{
    return {ScaledWidth(DesignWidth), ScaledHeight(DesignHeight)};
}

TFont RunningGridFont()
{
    TFont font;
    font.Height = -QFontInfo(RunningFont()).pixelSize();
    return font;
}

int ScaledRowHeight(int DesignHeight)
{
    return std::max(ScaledHeight(DesignHeight), QFontMetrics(toQFont(RunningGridFont())).height() + 2 * CellTextMargin);
}

TStringAlignGrid *NewGrid(QWidget *Parent, int Cols, int Rows, int FixedCols, int FixedRows)
{
    auto *grid = new TStringAlignGrid(Parent);
    const TFont font = RunningGridFont();
    grid->setFont(font);
    grid->setFixedFont(font);
    grid->setColCount(Cols);
    grid->setRowCount(Rows);
    grid->setFixedCols(FixedCols);
    grid->setFixedRows(FixedRows);
    const int rowHeight = ScaledRowHeight(DesignRowHeight);
    grid->setDefaultRowHeight(rowHeight);
    grid->setDefaultColWidth(ScaledWidth(DesignColWidth));
    grid->setEditable(false);
    grid->setMinimumSize(ScaledWidth(40), 2 * rowHeight);
    grid->Loaded();
    return grid;
}

void MakeGridEditable(TStringAlignGrid *Grid)
{
    Grid->setOptions(Grid->Options() | goEditing);
    Grid->setEditable(true);
}

void SetColWidth(TStringAlignGrid *Grid, int Col, int DesignWidth, const QStringList &Values)
{
    int width = ScaledWidth(DesignWidth);
    const int fixedRows = Col < Grid->FixedCols() ? Grid->RowCount() : Grid->FixedRows();
    for (int row = 0; row < fixedRows; ++row)
        width = std::max(width, TextWidth(Grid->GetFontCell(Col, row), Grid->Cells(Col, row)));
    const TFont valueFont = Grid->GetFontCol(Col);
    for (const QString &value : Values)
        width = std::max(width, TextWidth(valueFont, value));
    Grid->setColWidths(Col, width);
}

void WidenColToTexts(TStringAlignGrid *Grid, int Col, const TFont &Font, const QStringList &Texts)
{
    int width = Grid->ColWidths(Col);
    for (const QString &text : Texts)
        width = std::max(width, TextWidth(Font, text));
    if (width != Grid->ColWidths(Col))
        Grid->setColWidths(Col, width);
}

void WidenColsToRows(TStringAlignGrid *Grid, const std::vector<int> &Rows)
{
    for (int col = 0; col < Grid->ColCount(); ++col)
        for (const int row : Rows)
            if (row >= 0 && row < Grid->RowCount()) {
                const TCellFormat cell = Grid->DrawnCellFormat(col, row);
                // A text wrapped over lines needs room for its widest word.
                WidenColToTexts(Grid, col, cell.Font,
                                cell.Wordwrap == ww_wordwrap ? cell.Text.split(QLatin1Char(' '), Qt::SkipEmptyParts)
                                                             : QStringList{cell.Text});
            }
}

void SetHeader(TStringAlignGrid *Grid, const QStringList &Captions, const std::vector<int> &DesignWidths)
{
    for (int col = 0; col < int(Captions.size()); ++col) {
        Grid->setCells(col, 0, Captions[col]);
        SetColWidth(Grid, col, DesignWidths[size_t(col)]);
    }
}

QStringList ColTexts(const TStringAlignGrid *Grid, int Col)
{
    QStringList texts;
    for (int row = Grid->FixedRows(); row < Grid->RowCount(); ++row)
        texts << Grid->Cells(Col, row);
    return texts;
}

void KeepColumnsInView(TStringAlignGrid *Grid)
{
    Grid->setMinimumWidth(Grid->CalcGridWidth(true));
}

void FitGridHeight(TStringAlignGrid *Grid)
{
    int height = 2 * Grid->frameWidth();
    for (int row = 0; row < Grid->RowCount(); ++row)
        height += Grid->RowHeights(row) + Grid->GridLineWidth();
    if (Grid->ScrollBars() == ssHorizontal || Grid->ScrollBars() == ssBoth)
        height += ScrollBarRoom(Grid);
    Grid->setFixedHeight(height);
}

void KeepRowsInView(TStringAlignGrid *Grid, int Rows)
{
    int height = 2 * Grid->frameWidth() + ScrollBarRoom(Grid);
    for (int row = 0; row < Grid->FixedRows() + Rows; ++row)
        height += Grid->DefaultRowHeight() + Grid->GridLineWidth();
    Grid->setMinimumHeight(height);
}

void FitGridWidth(TStringAlignGrid *Grid)
{
    int width = 2 * Grid->frameWidth();
    for (int col = 0; col < Grid->ColCount(); ++col)
        width += Grid->ColWidths(col) + Grid->GridLineWidth();
    if (Grid->ScrollBars() == ssVertical || Grid->ScrollBars() == ssBoth)
        width += ScrollBarRoom(Grid);
    Grid->setFixedWidth(width);
}

QString CombCellText(const uint8_t *Comb, size_t Len)
{
    std::string text;
    CombToStr(Comb, uint8_t(Len), "%2d ", text);
    return QString::fromStdString(text);
}
