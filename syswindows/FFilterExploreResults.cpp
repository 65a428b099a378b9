// The exploration tab's results: a grid and a bar chart per exploration of the last completed run,
// sorting all of them by one click, and the report.
#include "syswindows/FFilterExplore.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalUtils.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FGlobalGrids.h"
#include "shell/ResultGrid.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QListWidget>

#include <algorithm>

namespace {

constexpr TColor BarColor = 0xC08080;

// Sort codes of the columns; a hit level's code adds the level.
constexpr int SortValue = 1;
constexpr int SortCount = 2;
constexpr int SortWin = 3;
constexpr int SortWinRatio = 4;
constexpr int SortHits = 100;
constexpr int SortHitsRatio = 200;

QString Percent(float Share)
{
    return QString::fromStdString(FormatFloat("0.00", double(Share) * 100)) + QStringLiteral("% ");
}

QString Ratio(float Value)
{
    return QString::fromStdString(FormatFloat("0.00", double(Value)));
}

} // namespace

void TFilterExploration::LayoutResults()
{
    for (TItem &item : Items)
        item.Box->hide();
    for (int index = 0; index < ResultCount(); ++index) {
        SetGridColumns(index);
        FillChart(index);
        Items[size_t(ResultItem(index))].Box->show();
    }
}

void TFilterExploration::SetGridColumns(int Index)
{
    const TEFilter &eFilter = Result(Index);
    TItem &item = Items[size_t(ResultItem(Index))];
    int valueWidth = 65;
    if (eFilter.PatternRows) {
        valueWidth = eFilter.MaxGroups * 16;
        if (valueWidth < 65)
            valueWidth = 55;
    }
    std::vector<TResultColumn> columns = {
        {eFilter.PatternRows ? QStringLiteral("Układ") : QStringLiteral("Wartość"), valueWidth, alRight, SortValue, 0, true},
        {QStringLiteral("Ilość"), 80, alRight, SortCount, 0, true},
        {QStringLiteral("Procent"), 60, alRight, SortCount, 0, true},
    };
    if (eFilter.Comparing) {
        const auto levelColumns = [&](const QString &Suffix, int Code, int Width) {
            for (int level = 0; level < eFilter.LevelCount(); ++level) {
                const QString name = QString::fromStdString(eFilter.HitsInfo.RowLabels[size_t(level)]);
                columns.push_back({QLatin1Char('\'') + name + QLatin1Char('\'') + Suffix, Width, alRight,
                                   Code + level, 0, true});
            }
        };
        levelColumns(QString(), SortHits, 50);
        columns.push_back({QStringLiteral("Wygrana"), 100, alRight, SortWin, 0, true});
        levelColumns(QStringLiteral(" %"), SortHits, 50);
        columns.push_back({QStringLiteral("Wygrana %"), 60, alRight, SortWin, 0, true});
        levelColumns(QStringLiteral(" O"), SortHitsRatio, 50);
        columns.push_back({QStringLiteral("Wygrana O"), 60, alRight, SortWinRatio, 0, true});
    }
    item.View->SetColumns(columns);
    const int shownItem = ResultItem(Index);
    item.View->SetCellProc([this, shownItem](int Col, int Row, TCellFormat &Format) {
        for (const TExploration &exploration : Shown.Explorations)
            if (exploration.Item == shownItem)
                CellFormat(*exploration.EFilter, Col, Row, Format);
    });
    item.View->ShowRows(eFilter.RowCount);
    // Every column wide enough for the texts it shows.
    for (int col = 0; col < int(columns.size()); ++col) {
        QStringList texts;
        for (int row = 0; row < int(eFilter.Rows.size()); ++row) {
            TCellFormat format;
            CellFormat(eFilter, col, row, format);
            texts << format.Text;
        }
        SetColWidth(item.Grid, col, columns[size_t(col)].DesignWidth, texts);
    }
}

void TFilterExploration::CellFormat(const TEFilter &EFilter, int Col, int Row, TCellFormat &Format) const
{
    if (Row < 0 || Row >= int(EFilter.Rows.size()))
        return;
    const TEFilterRow &row = EFilter.Rows[size_t(Row)];
    const int levels = EFilter.LevelCount();
    switch (Col) {
    case 0:
        Format.Text = QString::fromStdString(EFilter.GetRowText(row)) + QLatin1Char(' ');
        return;
    case 1:
        Format.Text = QString::fromStdString(FormatFloat("#,##", double(row.Count))) + QLatin1Char(' ');
        return;
    case 2:
        Format.Text = Percent(row.Share);
        return;
    default:
        break;
    }
    if (!EFilter.Comparing)
        return;
    const int col = Col - 3;
    // Hit counts and "Wygrana", hit shares and "Wygrana %", hit ratios and "Wygrana O".
    const int group = col / (levels + 1);
    const int level = col % (levels + 1);
    Format.Brush.Color = group == 1 ? ResultShadeDark : ResultShadeLight;
    const bool win = level == levels;
    switch (group) {
    case 0:
        if (win)
            Format.Text = QString::fromStdString(MoneyToStr(row.Win));
        else if (row.Hits[size_t(level)] != 0)
            Format.Text = QString::number(row.Hits[size_t(level)]);
        return;
    case 1:
        if (win)
            Format.Text = Percent(row.WinShare);
        else if (row.HitShares[size_t(level)] != 0)
            Format.Text = Percent(row.HitShares[size_t(level)]);
        return;
    default:
        if (win)
            Format.Text = Ratio(row.WinRatio);
        else if (row.HitRatios[size_t(level)] != 0)
            Format.Text = Ratio(row.HitRatios[size_t(level)]);
        return;
    }
}

void TFilterExploration::FillChart(int Index)
{
    const TEFilter &eFilter = Result(Index);
    QChart *chart = Items[size_t(ResultItem(Index))].Chart->chart();
    ClearChart(chart);
    QList<double> counts;
    QStringList labels;
    for (const TEFilterRow &row : eFilter.Rows) {
        counts << double(row.Count);
        labels << QString::fromStdString(eFilter.GetRowText(row));
    }
    chart->addSeries(NewBarSeries(counts, BarColor));
    // Many bars: their labels stand upright, in full.
    AddCategoryAxes(chart, labels, labels.size() > 20 ? TurnedLabels : 0,
                    counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end()));
}

bool TFilterExploration::SortAll(int SortKey, int Direction)
{
    for (const TExploration &exploration : Shown.Explorations) {
        TEFilter &eFilter = *exploration.EFilter;
        if (SortKey == SortValue)
            eFilter.SortByValue(Direction);
        else if (SortKey == SortCount)
            eFilter.SortByCount(Direction);
        else if (SortKey == SortWin)
            eFilter.SortByWin(Direction);
        else if (SortKey == SortWinRatio)
            eFilter.SortByWinRatio(Direction);
        else if (SortKey >= SortHitsRatio)
            eFilter.SortByHitsRatio(SortKey - SortHitsRatio, Direction);
        else if (SortKey >= SortHits)
            eFilter.SortByHits(SortKey - SortHits, Direction);
    }
    for (int index = 0; index < ResultCount(); ++index) {
        TItem &item = Items[size_t(ResultItem(index))];
        item.View->RecordSort(SortKey, Direction);
        item.View->ShowRows(Result(index).RowCount);
        FillChart(index);
    }
    return true;
}

std::string TFilterExploration::ReportHeader() const
{
    std::string header = "Badanie filtrów ##Gra      : " + Game->Info.Name + "#";
    const TFilterSource &filtered = Source.Filtered;
    if (filtered.Mode == 1) {
        header += "System : " + filtered.System->GetDescription(false) + "#";
        if (Shown.CheckWins)
            header += "Sprawdzenie wygranych :#" + ReportRangeLines(Shown.Range);
        return header;
    }
    TDrawsRange range = filtered.DrawsMan->GetRange();
    filtered.DrawsMan->DescribeFlaggedRange(range);
    return header + "Baza losowań :#" + ReportRangeLines(range);
}

void TFilterExploration::EF_btnReportClick()
{
    if (Running() || Shown.Explorations.empty() || !ExcelAvailable())
        return;
    std::vector<TReportTable> tables;
    for (const TExploration &exploration : Shown.Explorations)
        tables.push_back({EF_lbFilters->item(exploration.Item)->text().toStdString(),
                          TReportGrid::Take(*Items[size_t(exploration.Item)].Grid)});
    RunTablesReport(this, ReportHeader(), Source.Filtered.Mode == 1 && !Shown.CheckWins ? 7 : 11, std::move(tables));
}
