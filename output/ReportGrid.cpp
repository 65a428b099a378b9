#include "output/ReportGrid.h"

#include "controls/StringAlignGrid.h"

#include <algorithm>

namespace {

QString TrimControls(const QString &S)
{
    qsizetype first = 0;
    qsizetype last = S.size();
    while (first < last && S[first].unicode() < 33)
        ++first;
    while (last > first && S[last - 1].unicode() < 33)
        --last;
    return S.mid(first, last - first);
}

} // namespace

TReportGrid TReportGrid::Take(const TStringAlignGrid &Grid, int FromRow, int ToRow)
{
    TReportGrid taken;
    const int colCount = Grid.ColCount();
    for (int c = 0; c < colCount; ++c) {
        const TMyFont font = Grid.GetFontCol(c);
        const bool fixed = c < Grid.FixedCols();
        taken.Columns.push_back({font.Name.toStdString(), font.Style == fsBold,
                                 fixed ? Grid.GetFixedAlignCol(c) : Grid.GetAlignCol(c), fixed, Grid.ColWidths(c)});
    }
    taken.DefaultRowHeight = Grid.DefaultRowHeight();
    taken.HeaderHeight = Grid.RowHeights(0);
    taken.WordWrap = Grid.Wordwrap() == ww_wordwrap;
    taken.FixedColor = Grid.FixedColor();

    if (FromRow == -1) {
        FromRow = 1;
        ToRow = Grid.RowCount() - 1;
    } else {
        FromRow = std::max(FromRow, 1);
        ToRow = std::min(ToRow, Grid.RowCount() - 1);
    }
    taken.FRowCount = std::max(ToRow - FromRow + 1, 0) + 1;
    taken.FTexts.reserve(size_t(taken.FRowCount) * size_t(colCount));
    QString text;
    for (int c = 0; c < colCount; ++c) {
        if (Grid.Cells(c, 0).isEmpty())
            Grid.GetCellText(c, 0, text);
        else
            text = Grid.unmarkedCaption(c);
        taken.FTexts.push_back(TrimControls(text).toStdString());
    }
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = 0; c < colCount; ++c) {
            Grid.GetCellText(c, r, text);
            taken.FTexts.push_back(TrimControls(text).toStdString());
        }
    return taken;
}
