#include "statwindows/FStatWait.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FMainCommands.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UStatFreqCombs.h"
#include "stats/UStatWait.h"
#include "statwindows/StatWaitParams.h"

#include <QChartView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include <string>

namespace {

const QString NoMemoryText = QStringLiteral("Brak pamięci dla kombinacji o takiej długości.");

QString Real(double Value)
{
    return QString::fromStdString(FormatFloat("0.00", Value));
}

} // namespace

TfrmStatWait::TfrmStatWait(QWidget *Owner) : TGenStatForm(WaitStatIndex, QStringLiteral("> Oczekiwanie"), true, 2, Owner)
{
    platform::setHelpContext(this, 612);
    CreateControls();
    SortMan.SetSort(DetailsEntry, DrawSortKey, -1);
    SortMan.SetSort(GroupsEntry, GroupValueSortKey, -1);
    Details = BindResultGrid(
        sgDetails, DetailsEntry,
        [this](int Col, int Row, TCellFormat &Format) { sgDetailsGetCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return sgDetailsSortColumn(SortKey, Direction); });
    Groups = BindResultGrid(
        sgAggr, GroupsEntry,
        [this](int Col, int Row, TCellFormat &Format) { sgAggrGetCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return sgAggrSortColumn(SortKey, Direction); });
    SetupTotal();
    ColourResultGrid(sgTotal);
    sgDetails->OnSelectCell = guardedCall([this](TStringGrid *, int, int ARow) { sgDetailsSelectCell(ARow); });
}

TfrmStatWait::~TfrmStatWait()
{
    FreeStat();
}

std::unique_ptr<TStat> TfrmStatWait::CreateStat()
{
    auto stat = std::make_unique<TStatWait>(&Game->Info, StatProgressHandler(), StatFinishedHandler());
    StatWait = stat.get();
    return stat;
}

void TfrmStatWait::ReadParams()
{
    // The limits that depend on the statistic and the range, known only now.
    seCombLen->SetMaxValue(StatWait->MaxCombLen());
    seDrawsCount->SetMaxValue(Range.Range.Count);
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex),
                                                  TStatWaitParams::RecordSize);
    ApplyParams(stored.Valid() ? TStatWaitParams::Decode(stored.Bytes) : TStatWaitParams{});
}

void TfrmStatWait::ApplyParams(const TStatWaitParams &Params)
{
    SetStoredValue(seCombLen, Params.CombLen);
    (Params.WaitMode != 0 ? cbStat1 : cbStat2)->setChecked(true);
    if (Params.Percent >= 0 && Params.Percent <= 100)
        seCombPrecent->SetValue(Params.Percent);
    if (Params.WindowDraws > 0)
        SetStoredValue(seDrawsCount, Params.WindowDraws);
}

void TfrmStatWait::WriteParams()
{
    TStatWaitParams p;
    p.Valid = 1;
    p.CombLen = uint8_t(SpinValue(seCombLen));
    p.WaitMode = cbStat1->isChecked();
    p.Percent = float(seCombPrecent->Value());
    p.WindowDraws = uint16_t(SpinValue(seDrawsCount));
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), p.Encode());
}

void TfrmStatWait::ClearResults()
{
    Details->ShowRows(0);
    Groups->ShowRows(0);
    for (int row = 1; row < sgTotal->RowCount(); ++row)
        sgTotal->setCells(1, row, QString());
    eSelComb->clear();
}

void TfrmStatWait::PrepareCompute()
{
    Chart1->hide();
}

bool TfrmStatWait::StartStat()
{
    const int k = SpinValue(seCombLen);
    StatWait->SetParams(cbStat1->isChecked() ? 1 : 0, k, float(seCombPrecent->Value() / 100), SpinValue(seDrawsCount));
    const int most = StatWait->MaxCombLen();
    if (most < k) {
        // The counters of K-combinations do not fit: only what fits can be asked for.
        seCombLen->SetMaxValue(most);
        StatWait->Refuse(NoMemoryText.toStdString());
        return false;
    }
    StatWait->Start();
    UpdateMenu();
    return true;
}

bool TfrmStatWait::ShowResults()
{
    eSelComb->clear();
    LayoutGrids();
    ReapplySorts();
    ShowSummary();
    DrawChart(SortMan.GetSortDir(DetailsEntry, DrawSortKey) != 2);
    PageControl1->setCurrentIndex(0);
    return true;
}

void TfrmStatWait::ReapplySorts()
{
    // The statistic leaves the details by draw (-1) and the groups by value (-1).
    const int detailsDir = SortMan.GetSortDir(DetailsEntry, DrawSortKey);
    if (detailsDir == 2) {
        const int dir = SortMan.GetSortDir(DetailsEntry, ValueSortKey);
        StatWait->SortDetailsByValue(dir);
        Details->MarkSort(ValueSortKey, dir);
    } else {
        if (detailsDir == 1)
            StatWait->SortDetailsByDraw(1);
        Details->MarkSort(DrawSortKey, detailsDir);
    }
    const int groupsDir = SortMan.GetSortDir(GroupsEntry, GroupValueSortKey);
    if (groupsDir == 2) {
        const int dir = SortMan.GetSortDir(GroupsEntry, GroupCountSortKey);
        StatWait->SortGroupsByCount(dir);
        Groups->MarkSort(GroupCountSortKey, dir);
    } else {
        if (groupsDir == 1)
            StatWait->SortGroupsByValue(1);
        Groups->MarkSort(GroupValueSortKey, groupsDir);
    }
}

void TfrmStatWait::ShowSummary()
{
    const TSummaryItem &s = StatWait->SummaryRows[0];
    // No start reached the share: nothing to summarise.
    if (s.Max < 0)
        return;
    const long double all = Binomial(StatWait->N, StatWait->CombLen);
    const auto mean = [&](double Value) {
        QString text = Real(Value);
        if (StatWait->Mode == 0)
            text += QStringLiteral(" (") + Real(double(Value / all * 100)) + QStringLiteral("%)");
        return text + QLatin1Char(' ');
    };
    sgTotal->setCells(1, 1, QString::number(s.Min) + QLatin1Char(' '));
    sgTotal->setCells(1, 2, QString::number(s.Max) + QLatin1Char(' '));
    sgTotal->setCells(1, 3, mean(s.Mean));
    sgTotal->setCells(1, 4, mean(s.Expected));
    sgTotal->setCells(1, 5, Real(s.StdDev) + QLatin1Char(' '));
    SetColWidth(sgTotal, 1, 100, ColTexts(sgTotal, 1));
    FitGridWidth(sgTotal);
}

void TfrmStatWait::sgDetailsGetCellFormat(int Col, int Row, TCellFormat &Format)
{
    if (Row >= int(StatWait->Details.size()))
        return;
    std::string text;
    switch (Col) {
    case 0:
        StatWait->GetDrawLabel(Row, ProgramParams.StatShowDate, text);
        break;
    case 1:
        StatWait->GetDetailText(Row, text);
        break;
    default:
        StatWait->GetDetailPercentText(Row, text);
        break;
    }
    Format.Text = QString::fromStdString(text);
}

void TfrmStatWait::sgAggrGetCellFormat(int Col, int Row, TCellFormat &Format)
{
    std::string text;
    if (Col == 0)
        StatWait->GetGroupValueText(Row, text);
    else if (Col == 1 && StatWait->Mode == 0)
        StatWait->GetGroupPercentText(Row, text);
    else
        StatWait->GetGroupCountText(Row, text);
    Format.Text = QString::fromStdString(text);
}

bool TfrmStatWait::sgDetailsSortColumn(int SortKey, int Direction)
{
    if (SortKey == DrawSortKey)
        StatWait->SortDetailsByDraw(Direction);
    else
        StatWait->SortDetailsByValue(Direction);
    eSelComb->clear();
    DrawChart(SortKey == DrawSortKey);
    return true;
}

bool TfrmStatWait::sgAggrSortColumn(int SortKey, int Direction)
{
    if (SortKey == GroupValueSortKey)
        StatWait->SortGroupsByValue(Direction);
    else
        StatWait->SortGroupsByCount(Direction);
    return true;
}

void TfrmStatWait::sgDetailsSelectCell(int Row)
{
    if (State != 0 || Row < 1 || Row > int(StatWait->Details.size()))
        return;
    std::string text;
    StatWait->GetDrawText(Row - 1, text);
    eSelComb->setText(QString::fromStdString(text));
}

bool TfrmStatWait::HandleCommand(CommandEvent &Command)
{
    const bool handled = TGenStatForm::HandleCommand(Command);
    // A new range, or new draws in it, bound the draws count anew.
    if (Command.type() == WM_DRAWS_RANGE || ChangedDrawsGame(Command))
        seDrawsCount->SetMaxValue(Range.Range.Count);
    return handled;
}

std::string TfrmStatWait::ReportHeaderText() const
{
    const TStatWait &stat = *StatWait;
    std::string header = ReportHeader("Oczekiwanie", " Zakres losowań") +
                         " Długość kombinacji  : " + std::to_string(stat.CombLen) + "#";
    if (stat.Mode == 1)
        header += " Rodzaj statystyki   : Oczekiwanie (liczba losowań) na x% wszystkich kombinacji #"
                  "  Procent kombinacji : " + FormatFloat("0.00", double(stat.Percent) * 100) + "#";
    else
        header += " Rodzaj statystyki   : Liczba kombinacji w n losowaniach #"
                  "   Liczba losowań    : " + std::to_string(stat.Window) + "#";
    return header;
}

void TfrmStatWait::Report()
{
    const std::string header = ReportHeaderText();
    ReportTables({{QStringLiteral("Szczegóły"), "Szczegóły", sgDetails},
                  {QStringLiteral("Szczegóły - grupowanie"), "Szczegóły - grupowanie", sgAggr},
                  {QStringLiteral("Szczegóły - podsumowanie"), "Szczegóły - podsumowanie", sgTotal}},
                 header, CountChar(header, '#') + 3);
}
