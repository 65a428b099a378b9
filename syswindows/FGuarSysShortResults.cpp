// The guarantee window's results: the details grid drawn from the row map, its sorting and popup, the
// summary grid, and the window's shape once they show.
#include "syswindows/FGuarSysShort.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "platform/gui/WindowFit.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"
#include "syswindows/SysFormats.h"

#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include <algorithm>
#include <numeric>

namespace {

constexpr int NameWidth = 115;
constexpr int TierWidth = 45;
constexpr int ProbabilityWidth = 75;
constexpr int WinWidth = 115;

// The summary's rows of one guarantee, from its name.
constexpr int SummaryRows = 7;
const QStringList SummaryCaptions = {QStringLiteral(" Min"), QStringLiteral(" Max"), QStringLiteral(" Średnia"),
                                     QStringLiteral(" Odch. std.")};

QString Real(double Value, const char *Format)
{
    return QString::fromStdString(FormatFloat(Format, Value));
}

} // namespace

void TfrmGuarSysShort::ShowResults()
{
    SetupGrids();
    Panel1->hide();
    Panel4->show();
    const bool full = Set->System.IsFullInOrder();
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), !full);
    const QWidget *window = WindowFrame();
    platform::resizeInArea(*this, QSize(window->width(), SavedHeight + window->height() - height()));
    BuildRowMap();
    State = 0;
    Details->ShowRows(int(RowMap.size()));
    Details->WidenToRows(WidestDetailRows());
    if (!full)
        FillSummary();
    lblPrec->setText(QStringLiteral("Dokładność gwarancji: ") + Real(Precision, "0.00000"));
    if (isVisible())
        FitWidth();
    UpdateMenu();
    if (ParentWindow)
        ParentWindow->SetChildState(this, State);
    // At its new size the window takes again the place it opened in beside its system window.
    PlaceChildForm(this, ParentWindow);
}

void TfrmGuarSysShort::SetupGrids()
{
    Tiers = Set->HitInfo.RowCount;
    std::vector<TResultColumn> columns = {{QStringLiteral("Trafienie"), NameWidth}};
    for (int tier = 0; tier < Tiers; ++tier)
        columns.push_back({QString::fromStdString(Set->HitInfo.RowLabels[size_t(tier)]), TierWidth, alRight, tier + 1});
    columns.push_back({QStringLiteral("Prawd."), ProbabilityWidth, alRight, Tiers + 1});
    columns.push_back({QStringLiteral("Wygrana"), WinWidth, alRight, Tiers + 2});
    Details->SetColumns(columns);
    for (TResultColumn &column : columns)
        column.SortKey = 0;
    Total->SetColumns(columns);
    QStringList names;
    for (int g = 0; g < Count; ++g)
        names << QString::fromStdString(Set->GetItem(g).Caption);
    SetColWidth(sgDetails, 0, NameWidth, names);
    SetColWidth(sgTotal, 0, NameWidth, names + SummaryCaptions);
}

void TfrmGuarSysShort::BuildRowMap()
{
    RowMap.clear();
    pGuars->clear();
    for (int g = 0; g < Count; ++g) {
        const TGuaranty &item = Set->GetItem(g);
        const int firstRow = int(RowMap.size()) + sgDetails->FixedRows();
        const int shown = item.DetailRowCount(ProgramParams.GProb);
        for (int i = 0; i < shown; ++i)
            RowMap.push_back({uint16_t(g), i == 0 ? rkFirst : rkOutcome, uint32_t(i)});
        if (g + 1 < Count)
            RowMap.push_back({uint16_t(g), rkSeparator, 0});
        connectGuarded(pGuars->addAction(QString::fromStdString(item.Caption)), &QAction::triggered, this,
                [this, firstRow] { sgDetails->setTopRow(firstRow); });
    }
}

const TGuarVector *TfrmGuarSysShort::DetailOutcome(int Row) const
{
    if (Row < 0 || Row >= int(RowMap.size()) || RowMap[size_t(Row)].Kind == rkSeparator)
        return nullptr;
    const TRowMapEntry &entry = RowMap[size_t(Row)];
    const TGuaranty &item = Set->GetItem(entry.Guaranty);
    // A sample may have drawn no set at all.
    return entry.Outcome < item.Vectors.size() ? &item.Vectors[entry.Outcome] : nullptr;
}

std::vector<int> TfrmGuarSysShort::WidestDetailRows() const
{
    // Per tier, then the probability and the win.
    std::vector<int> widest(size_t(Tiers) + 2, -1);
    const auto take = [&widest](size_t Slot, int Row, const auto &Wider) {
        if (widest[Slot] < 0 || Wider(widest[Slot]))
            widest[Slot] = Row;
    };
    for (int row = 0; row < int(RowMap.size()); ++row) {
        const TGuarVector *outcome = DetailOutcome(row);
        if (!outcome)
            continue;
        for (size_t tier = 0; tier < std::min(size_t(Tiers), outcome->Hits.size()); ++tier)
            take(tier, row, [&](int Best) { return outcome->Hits[tier] > DetailOutcome(Best)->Hits[tier]; });
        take(size_t(Tiers), row, [&](int Best) { return outcome->Probability < DetailOutcome(Best)->Probability; });
        take(size_t(Tiers) + 1, row, [&](int Best) { return outcome->Win > DetailOutcome(Best)->Win; });
    }
    widest.erase(std::remove(widest.begin(), widest.end(), -1), widest.end());
    return widest;
}

void TfrmGuarSysShort::sgDetailsGetCellFormat(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= int(RowMap.size()) || RowMap[size_t(Row)].Kind == rkSeparator)
        return;
    const TRowMapEntry &entry = RowMap[size_t(Row)];
    const TGuaranty &item = Set->GetItem(entry.Guaranty);
    if (Col == 0) {
        if (entry.Kind == rkFirst)
            Format.Text = QString::fromStdString(item.Caption);
        return;
    }
    const TGuarVector *outcome = DetailOutcome(Row);
    if (!outcome)
        return;
    if (Col <= Tiers) {
        const int tier = Col - 1;
        if (tier < item.RowCount() && outcome->Hits[size_t(tier)] != 0)
            Format.Text = QString::number(outcome->Hits[size_t(tier)]);
    } else if (Col == Tiers + 1) {
        Format.Text = ReductionText(outcome->Probability);
    } else if (Col == Tiers + 2) {
        Format.Text = MoneyText(outcome->Win);
    }
}

bool TfrmGuarSysShort::sgDetailsSortColumn(int SortKey, int Direction)
{
    const uint8_t mode = SortKey <= Tiers ? 0 : SortKey == Tiers + 1 ? 1 : 2;
    Set->SortRows(mode, Direction);
    return true;
}

void TfrmGuarSysShort::FillSummary()
{
    sgTotal->setRowCount(1 + SummaryRows * std::max(Count, 1));
    const int probability = Tiers + 1, win = Tiers + 2;
    for (int g = 0; g < Count; ++g) {
        const TGuaranty &item = Set->GetItem(g);
        const int row = 1 + SummaryRows * g;
        sgTotal->setCells(0, row, QString::fromStdString(item.Caption));
        for (int i = 0; i < SummaryCaptions.size(); ++i)
            sgTotal->setCells(0, row + 2 + i, SummaryCaptions[i]);
        // A sample of no drawn set has no outcome to describe.
        if (item.Vectors.empty())
            continue;
        for (int tier = 0; tier < std::min(Tiers, item.RowCount()); ++tier) {
            const size_t t = size_t(tier);
            sgTotal->setCells(tier + 1, row + 2, QString::number(item.MinVector.Hits[t]));
            sgTotal->setCells(tier + 1, row + 3, QString::number(item.MaxVector.Hits[t]));
            sgTotal->setCells(tier + 1, row + 4, Real(item.MeanHits[t], "0.00"));
            sgTotal->setCells(tier + 1, row + 5, Real(item.StdHits[t], "0.00"));
        }
        sgTotal->setCells(probability, row + 2, Real(item.MinVector.Probability, "0.00000"));
        sgTotal->setCells(probability, row + 3, Real(item.MaxVector.Probability, "0.00000"));
        sgTotal->setCells(win, row + 2, MoneyText(item.MinVector.Win));
        sgTotal->setCells(win, row + 3, MoneyText(item.MaxVector.Win));
        sgTotal->setCells(win, row + 4, MoneyText(item.MeanWin));
        sgTotal->setCells(win, row + 5, MoneyText(item.StdWin));
    }
    std::vector<int> rows(size_t(sgTotal->RowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    WidenColsToRows(sgTotal, rows);
    sgTotal->InvalidateGrid();
}

void TfrmGuarSysShort::FitWidth()
{
    FitWindowToGrid(this, sgDetails, sgDetails->CalcGridWidth(true), true);
}
