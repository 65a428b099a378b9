#include "statwindows/FStatSerieBreak.h"

#include "controls/FloatSpin.h"
#include "controls/PBEdit.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UStatSerieBreak.h"
#include "statwindows/FCombProp.h"
#include "statwindows/StatSerieBreakParams.h"
#include "syswindows/SysFormats.h"

#include <QCheckBox>
#include <QTabWidget>

#include <algorithm>

const TSerieBreakTexts SeriesTexts = {
    TfrmStatSerieBreak::SeriesStatIndex, true, QStringLiteral("> Serie liczb"), QStringLiteral("Serie"), QStringLiteral("serii"),
    QStringLiteral("Seria"), QStringLiteral("S"), QStringLiteral("Kombinacje:")};
const TSerieBreakTexts BreakTexts = {
    TfrmStatSerieBreak::BreakStatIndex, false, QStringLiteral("> Przerwy"), QStringLiteral("Przerwy"), QStringLiteral("przerw"),
    QStringLiteral("Przerwa"), QStringLiteral("P"), QStringLiteral("Kombinacje - przerwy:")};

namespace {

// The sort manager's grids.
enum TSortEntry { seDetails1 = 1, seDetails2 = 2, seTotal1 = 3, seTotal2 = 4 };
// Sort keys: the number or length columns and the count columns of the per-number tables; the
// combinations table's combination, minimum, maximum and mean; the distribution's length, count, share.
enum TDetailsKey { skNumber = 1, skCount = 2 };
enum TTotal1Key { skComb = 1, skMin = 2, skMax = 3, skMean = 4 };
enum TTotal2Key { skLength = 1, skRuns = 2, skShare = 3 };

// The summary's columns of the distribution rows: the length and the runs.
constexpr uint8_t LengthColumn = 0;
constexpr uint8_t RunsColumn = 6;
// From this many combination rows on the combinations table is left out of the report.
constexpr int MaxReportedCombRows = 65000;

constexpr int DetailsWidth = 42;
constexpr int Details2Width = 35;

QString Text(const std::string &S)
{
    return QString::fromStdString(S);
}

TColor Shade(int Group)
{
    return Group % 2 == 0 ? ResultShadeLight : ResultShadeDark;
}

} // namespace

TfrmStatSerieBreak::TfrmStatSerieBreak(const TSerieBreakTexts &ATexts, QWidget *Owner)
    : TGenStatForm(ATexts.StatIndex, ATexts.Caption, true, 4, Owner), Texts(ATexts)
{
    platform::setHelpContext(this, ATexts.IsSeries ? 604 : 605);
    CreateControls();
    Total1 = BindResultGrid(
        sgTotal1, seTotal1,
        [this](int Col, int Row, TCellFormat &Format) { sgTotal1GetCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return sgTotal1SortColumn(SortKey, Direction); },
        [this] { return HasResults() && StatSB->ShowCombs; });
    SetupSummaryGrids();
    for (TStringAlignGrid *grid : {sgDetails1, sgDetails2, sgTotal2, sgTotal3})
        ColourResultGrid(grid);
    sgDetails1->OnSortColumn = [this](TStringAlignGrid *, int, TSortCol &Entry) {
        RunGuarded([&] { sgDetails1SortColumn(Entry.SortKey, Entry.Direction); });
    };
    sgDetails2->OnSortColumn = [this](TStringAlignGrid *, int, TSortCol &Entry) {
        RunGuarded([&] { sgDetails2SortColumn(Entry.SortKey, Entry.Direction); });
    };
    sgTotal2->OnSortColumn = [this](TStringAlignGrid *, int, TSortCol &Entry) {
        RunGuarded([&] { sgTotal2SortColumn(Entry.SortKey, Entry.Direction); });
    };
    sgDetails1->OnSelectCell = guardedCall([this](TStringGrid *, int ACol, int ARow) { sgDetails1SelectCell(ACol, ARow); });
    sgDetails1->OnDblClick = guardedCall([this] { sgDetails1DblClick(); });
    sgTotal1->OnDblClick = guardedCall([this] { sgTotal1DblClick(); });
    connectGuarded(cbShowCombs, &QCheckBox::toggled, this, &TfrmStatSerieBreak::cbShowCombsClick);
    for (int entry = seDetails1; entry <= seTotal2; ++entry)
        SortMan.SetSort(entry, 1, -1);
}

TfrmStatSerieBreak::~TfrmStatSerieBreak()
{
    FreeStat();
}

std::unique_ptr<TStat> TfrmStatSerieBreak::CreateStat()
{
    auto stat = std::make_unique<TStatSerieBreak>(&Game->Info, Texts.IsSeries, StatProgressHandler(),
                                                  StatFinishedHandler());
    StatSB = stat.get();
    return stat;
}

void TfrmStatSerieBreak::ReadParams()
{
    seCombLen->SetMaxValue(StatSB->MaxCombLen());
    // No validity byte: an unread record is all zero, its length outside the spin edit's range.
    const TStoredRecord stored =
        ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), TStatSerieBreakParams::RecordSize);
    const TStatSerieBreakParams params = TStatSerieBreakParams::Decode(stored.Bytes);
    SetStoredValue(seCombLen, params.CombLen);
    cbShowCombs->setChecked(params.ShowCombs != 0);
    cbCountStd->setChecked(params.CountStd != 0);
    cbShowCombsClick();
}

void TfrmStatSerieBreak::WriteParams()
{
    TStatSerieBreakParams params;
    params.CombLen = SpinValue(seCombLen);
    params.ShowCombs = cbShowCombs->isChecked();
    params.CountStd = cbCountStd->isChecked();
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), params.Encode());
}

void TfrmStatSerieBreak::cbShowCombsClick()
{
    cbCountStd->setEnabled(cbShowCombs->isChecked());
}

void TfrmStatSerieBreak::ClearResults()
{
    for (TStringAlignGrid *grid : {sgDetails1, sgDetails2, sgTotal2}) {
        grid->setRowCount(2);
        grid->ClearRows(1, 1);
        grid->InvalidateGrid();
    }
    Total1->ShowRows(0);
    for (int row = 1; row < sgTotal3->RowCount(); ++row)
        sgTotal3->setCells(1, row, QString());
    eSelComb->clear();
}

bool TfrmStatSerieBreak::StartStat()
{
    StatSB->SetParams(SpinValue(seCombLen), cbShowCombs->isChecked(), cbShowCombs->isChecked() && cbCountStd->isChecked(),
                      false, {});
    UpdateMenu();
    StatSB->Start();
    return true;
}

bool TfrmStatSerieBreak::ShowResults()
{
    FCombLen = StatSB->CombLen;
    ReapplySorts();
    const bool details = FCombLen == 1;
    ShowDetailPages(details);
    if (details) {
        ShowDetails1();
        ShowDetails2();
    }
    Total1->ShowRows(StatSB->ShowCombs ? StatSB->CombRowCount : 0);
    const int total1Key = SortMan.GetSortColumn(seTotal1);
    Total1->MarkSort(total1Key, SortMan.GetSortDir(seTotal1, total1Key));
    ShowTotal2();
    ShowTotal3();
    if (PageControl2->currentWidget() == TabSheet1)
        PageControl2->setCurrentWidget(TabSheet4);
    return true;
}

void TfrmStatSerieBreak::ReapplySorts()
{
    TStatSerieBreak &stat = *StatSB;
    // The statistic delivers every table ascending by number or length.
    if (FCombLen == 1) {
        if (const int dir = SortMan.GetSortDir(seDetails1, skCount); dir != 2)
            stat.SortDetails1ByCount(dir);
        else if (SortMan.GetSortDir(seDetails1, skNumber) == 1)
            stat.SortDetails1ByNum(1);
        if (const int dir = SortMan.GetSortDir(seDetails2, skCount); dir != 2)
            stat.SortDetails2ByCount(dir);
        else if (SortMan.GetSortDir(seDetails2, skNumber) == 1)
            stat.SortDetails2ByLen(1);
    }
    if (stat.ShowCombs) {
        const int key = SortMan.GetSortColumn(seTotal1);
        const int dir = SortMan.GetSortDir(seTotal1, key);
        if (key >= skMin && key <= skMean)
            stat.SortCombRowsBy(key - 1, dir);
        else if (key == skComb && dir == 1)
            stat.SortCombRows(1);
    }
    const int key = SortMan.GetSortColumn(seTotal2);
    const int dir = SortMan.GetSortDir(seTotal2, key);
    if (key == skRuns || key == skShare)
        stat.SortSummary(RunsColumn, dir);
    else if (key == skLength && dir == 1)
        stat.SortSummary(LengthColumn, 1);
}

void TfrmStatSerieBreak::ShowDetailPages(bool Shown)
{
    PageControl2->setTabVisible(PageControl2->indexOf(TabSheet2), Shown);
    PageControl2->setTabVisible(PageControl2->indexOf(TabSheet3), Shown);
}

int TfrmStatSerieBreak::Details1Class(int Col) const
{
    if (sgDetails1->FixedCols() == 1)
        return Col - 1;
    return Col / 2;
}

void TfrmStatSerieBreak::ShowDetails1()
{
    const TStatSerieBreak &stat = *StatSB;
    const int lengths = stat.LenCount;
    const bool byNumber = SortMan.GetSortColumn(seDetails1) == skNumber;
    const int direction = SortMan.GetSortDir(seDetails1, SortMan.GetSortColumn(seDetails1));
    // Sorted by number the numbers stand once, in a fixed column; sorted by count each column is in
    // its own order, so each count has its number beside it.
    TStringAlignGrid *grid = sgDetails1;
    grid->setFixedCols(0);
    grid->setColCount(byNumber ? lengths + 1 : 2 * lengths);
    grid->setRowCount(stat.N + 1);
    grid->setFixedCols(byNumber ? 1 : 0);
    grid->setSortByClick(true);
    grid->SortCols.assign(size_t(grid->ColCount()), TSortCol{});
    std::string text;
    const auto numberColumn = [&](int Col, int Class) {
        grid->setCells(Col, 0, QStringLiteral("L"));
        grid->SetAlignCol(Col, alCenter);
        grid->SetFixedAlignCol(Col, alCenter);
        grid->SortCols[size_t(Col)] = TSortCol{int8_t(direction), skNumber};
        for (int row = 0; row < stat.N; ++row) {
            stat.GetDetails1NumText(Class, row, text);
            grid->setCells(Col, row + 1, Text(text));
        }
    };
    if (byNumber)
        numberColumn(0, 0);
    for (int c = 0; c < lengths; ++c) {
        const int col = byNumber ? c + 1 : 2 * c + 1;
        if (!byNumber) {
            numberColumn(col - 1, c);
            grid->SetColorCol(col - 1, Shade(c));
        }
        grid->setCells(col, 0, Texts.CountPrefix + QString::number(stat.Lengths[size_t(c)]));
        grid->SetAlignCol(col, alRight);
        grid->SetColorCol(col, Shade(c));
        grid->SortCols[size_t(col)] = TSortCol{int8_t(direction), skCount};
        for (int row = 0; row < stat.N; ++row) {
            stat.GetDetails1CountText(c, row, text);
            grid->setCells(col, row + 1, Text(text));
        }
    }
    for (int col = 0; col < grid->ColCount(); ++col)
        SetColWidth(grid, col, DetailsWidth, ColTexts(grid, col));
    grid->SetSortDirection(SortMan.GetSortColumn(seDetails1), direction, true);
    grid->UpdateSortMarks();
    // The cursor back on the column of the length class selected before.
    if (SelClass >= 0 && SelClass < lengths)
        grid->setCol(byNumber ? SelClass + 1 : 2 * SelClass + 1);
    grid->InvalidateGrid();
}

void TfrmStatSerieBreak::ShowDetails2()
{
    const TStatSerieBreak &stat = *StatSB;
    TStringAlignGrid *grid = sgDetails2;
    const int direction = SortMan.GetSortDir(seDetails2, SortMan.GetSortColumn(seDetails2));
    grid->setColCount(2 * stat.N);
    grid->setRowCount(std::max(stat.WidestCount, 1) + 1);
    grid->ClearRows(1, grid->RowCount() - 1);
    grid->setSortByClick(true);
    grid->SortCols.assign(size_t(grid->ColCount()), TSortCol{});
    std::string text;
    for (int number = 0; number < stat.N; ++number) {
        const int col = 2 * number;
        grid->setCells(col, 0, QString::number(number + 1));
        grid->setCells(col + 1, 0, QStringLiteral("I"));
        grid->SortCols[size_t(col)] = TSortCol{int8_t(direction), skNumber};
        grid->SortCols[size_t(col + 1)] = TSortCol{int8_t(direction), skCount};
        for (int c = col; c <= col + 1; ++c) {
            grid->SetAlignCol(c, alRight);
            grid->SetColorCol(c, Shade(number));
        }
        for (int row = 0; row < stat.WidestCount; ++row) {
            stat.GetDetails2LenText(number, row, text);
            grid->setCells(col, row + 1, Text(text));
            stat.GetDetails2CountText(number, row, text);
            grid->setCells(col + 1, row + 1, Text(text));
        }
    }
    for (int col = 0; col < grid->ColCount(); ++col)
        SetColWidth(grid, col, Details2Width, ColTexts(grid, col));
    grid->SetSortDirection(SortMan.GetSortColumn(seDetails2), direction, true);
    grid->UpdateSortMarks();
    grid->InvalidateGrid();
}

void TfrmStatSerieBreak::sgDetails1SortColumn(int SortKey, int Direction)
{
    if (!HasResults() || FCombLen != 1)
        return;
    if (SortKey == skNumber)
        StatSB->SortDetails1ByNum(Direction);
    else
        StatSB->SortDetails1ByCount(Direction);
    SelClass = Details1Class(sgDetails1->Col());
    SortMan.SetSort(seDetails1, SortKey, Direction);
    ShowDetails1();
}

void TfrmStatSerieBreak::sgDetails2SortColumn(int SortKey, int Direction)
{
    if (!HasResults() || FCombLen != 1)
        return;
    if (SortKey == skNumber)
        StatSB->SortDetails2ByLen(Direction);
    else
        StatSB->SortDetails2ByCount(Direction);
    SortMan.SetSort(seDetails2, SortKey, Direction);
    ShowDetails2();
}

void TfrmStatSerieBreak::sgDetails1SelectCell(int Col, int Row)
{
    SelClass = Details1Class(Col);
    eSelComb->clear();
    if (!HasResults() || FCombLen != 1 || SelClass < 0 || SelClass >= StatSB->LenCount || Row < 1 || Row > StatSB->N)
        return;
    TDynByteArr comb;
    StatSB->GetDetails1Comb(SelClass, Row - 1, comb);
    eSelComb->setText(QString::asprintf("%2d ", comb.front()));
}

void TfrmStatSerieBreak::sgDetails1DblClick()
{
    // Only a data cell of a number's row: not the header nor the fixed number column.
    const TGridCoord cell = sgDetails1->DblClickCell();
    if (!HasResults() || FCombLen != 1 || cell.Y < 1 || cell.Y > StatSB->N)
        return;
    const int lengthClass = Details1Class(cell.X);
    if (cell.X < 0 || lengthClass < 0 || lengthClass >= StatSB->LenCount)
        return;
    TDynByteArr comb;
    StatSB->GetDetails1Comb(lengthClass, cell.Y - 1, comb);
    ShowCombProperties(comb);
}

void TfrmStatSerieBreak::sgTotal1GetCellFormat(int Col, int Row, TCellFormat &Format)
{
    if (Row >= StatSB->CombRowCount)
        return;
    std::string text;
    static constexpr int Tags[] = {0, 0, 1, 2, 3, 5};
    if (Col == 0)
        Format.Text = CountText(Row + 1) + QLatin1Char(' ');
    else if (Col == 1)
        StatSB->GetCombRowText(Row, text);
    else if (Col < int(std::size(Tags)) && (Tags[Col] != 5 || StatSB->CountStd))
        StatSB->GetCombRowCellText(Row, Tags[Col], text);
    if (Col > 0)
        Format.Text = Text(text);
}

bool TfrmStatSerieBreak::sgTotal1SortColumn(int SortKey, int Direction)
{
    TStatSerieBreak *stat = StatSB;
    SortInWorker(
        [stat, SortKey, Direction](const TMyThread &Thread) {
            if (SortKey == skComb)
                stat->SortCombRows(Direction, &Thread);
            else
                stat->SortCombRowsBy(SortKey - 1, Direction, &Thread);
        },
        [this, SortKey, Direction] { Total1->RecordSort(SortKey, Direction); });
    // Recorded and marked once sorted.
    return false;
}

void TfrmStatSerieBreak::sgTotal1DblClick()
{
    // Only a result row: not the header, nor the empty row of a table without combinations.
    const TGridCoord cell = sgTotal1->DblClickCell();
    if (!HasResults() || !StatSB->ShowCombs || cell.X < 0 || cell.Y < 1 || cell.Y > StatSB->CombRowCount)
        return;
    TDynByteArr comb;
    StatSB->GetCombRowComb(cell.Y - 1, comb);
    ShowCombProperties(comb);
}

void TfrmStatSerieBreak::sgTotal2SortColumn(int SortKey, int Direction)
{
    if (!HasResults())
        return;
    StatSB->SortSummary(SortKey == skLength ? LengthColumn : RunsColumn, Direction);
    SortMan.SetSort(seTotal2, SortKey, Direction);
    ShowTotal2();
}

void TfrmStatSerieBreak::ShowTotal2()
{
    const TTDets &rows = StatSB->LenRows;
    sgTotal2->setRowCount(std::max<int>(int(rows.size()), 1) + 1);
    sgTotal2->ClearRows(1, 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = int(r) + 1;
        sgTotal2->setCells(0, row, QString::number(rows[r].Key) + QLatin1Char(' '));
        sgTotal2->setCells(1, row, CountText(rows[r].Sum) + QLatin1Char(' '));
        sgTotal2->setCells(2, row, Text(FormatFloat("0.00", rows[r].Percent * 100)) + QStringLiteral("% "));
    }
    for (int col = 0; col < 3; ++col)
        SetColWidth(sgTotal2, col, col == 2 ? 70 : 60, ColTexts(sgTotal2, col));
    KeepColumnsInView(sgTotal2);
    const int key = SortMan.GetSortColumn(seTotal2);
    sgTotal2->SetSortDirection(key, SortMan.GetSortDir(seTotal2, key), true);
    sgTotal2->UpdateSortMarks();
    sgTotal2->InvalidateGrid();
}

void TfrmStatSerieBreak::ShowTotal3()
{
    const TStatSerieBreak &stat = *StatSB;
    sgTotal3->setCells(1, 1, QString::number(stat.MinLen) + QLatin1Char(' '));
    sgTotal3->setCells(1, 2, QString::number(stat.MaxLen) + QLatin1Char(' '));
    sgTotal3->setCells(1, 3, Text(FormatFloat("0.00", stat.MeanLen)) + QLatin1Char(' '));
    SetColWidth(sgTotal3, 1, 80, ColTexts(sgTotal3, 1));
    FitGridWidth(sgTotal3);
}

void TfrmStatSerieBreak::ShowCombProperties(const TDynByteArr &Comb)
{
    ::ShowCombProperties(*Game, Comb, Stat->Range, Stat->Draws);
}

std::string TfrmStatSerieBreak::ReportSheetName(const QString &PageName) const
{
    // A sheet's name cannot hold a slash.
    return QString(PageName).replace(QLatin1Char('/'), QLatin1Char('|')).toStdString();
}

void TfrmStatSerieBreak::Report()
{
    const QString details1 = QStringLiteral("Szczegóły - ") + Texts.Runs + QStringLiteral("/Liczby");
    const QString details2 = QStringLiteral("Szczegóły - Liczby/") + Texts.Runs;
    const std::string distribution = "Rozkład " + Texts.RunsOf.toStdString();
    const bool perNumber = FCombLen == 1;
    const bool combs = StatSB->ShowCombs && StatSB->CombRowCount <= MaxReportedCombRows;
    const std::string summary = "Podsumowanie";
    const std::vector<TReportItem> items = {
        {details1, ReportSheetName(details1), sgDetails1, perNumber},
        {details2, ReportSheetName(details2), sgDetails2, perNumber},
        {QStringLiteral("Podsumowanie - Kombinacje"), summary, sgTotal1, combs, "Kombinacje"},
        {QStringLiteral("Podsumowanie - ") + Text(distribution), summary, sgTotal2, true, distribution},
        {QStringLiteral("Podsum. - ") + Text(distribution) + QStringLiteral(" - podsum."), summary, sgTotal3, true,
         distribution + " - podsumowanie"},
    };
    const std::string header = ReportHeader(Texts.Runs.toStdString(), " Zakres losowań") + " #" +
                               " Długość kombinacji  : " + std::to_string(FCombLen) + "#";
    ReportTables(items, header, CountChar(header, '#') + 4);
}
