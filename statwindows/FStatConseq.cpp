#include "statwindows/FStatConseq.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/DateTime.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/FSelectComb.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UStatFreq.h"
#include "statwindows/CombListCells.h"
#include "statwindows/FCombProp.h"
#include "statwindows/StatConseqParams.h"
#include "syswindows/SysFormats.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

const QString NoDrawsText = QStringLiteral("Brak losowań spełniających parametry statystyki.");

constexpr int NumberWidth = 24;
constexpr int NarrowestCombinationWidth = 90;
constexpr TColor AnalysedDrawColor = 0xE1DFAE; // 14802862
constexpr TColor SundayColor = 0x0000FF;
constexpr int Sunday = 7;

enum TDrawsColumn { dcNo, dcDate, dcDay, dcNumbers };

} // namespace

TfrmStatConseq::TfrmStatConseq(QWidget *Owner)
    : TGenStatForm(ConseqStatIndex, QStringLiteral("> Następstwa"), true, 2, Owner)
{
    platform::setHelpContext(this, 609);
    CreateControls();
    AnalysedDraws = BindResultGrid(sgDraws, 2, [this](int Col, int Row, TCellFormat &Format) {
        sgDrawsGetCellFormat(Col, Row, Format);
    });
    Results = BindResultGrid(
        grid, 1, [this](int Col, int Row, TCellFormat &Format) { gridGetCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return gridSortColumn(SortKey, Direction); });
    SetupGrids();
    ShowComb();

    connectGuarded(btnSelComb, &QPushButton::clicked, this, &TfrmStatConseq::btnCombClick);
    connectGuarded(btnCombProp, &QPushButton::clicked, this, [this] { ShowCombProperties(grid->Row() - 1); });
    grid->OnDblClick = guardedCall([this] { ShowCombProperties(grid->DblClickDataRow()); });
    connectGuarded(chkMaxRows, &QCheckBox::toggled, this, [this](bool Checked) { seMaxRows->setEnabled(Checked); });
}

TfrmStatConseq::~TfrmStatConseq()
{
    FreeStat();
}

void TfrmStatConseq::SetupControls()
{
    State = 1;
    seCombLen->SetMaxValue(Game->Info.MaxK);
}

std::unique_ptr<TStat> TfrmStatConseq::CreateStat()
{
    auto stat = std::make_unique<TStatConseq>(&Game->Info, nullptr, StatProgressHandler(), StatStatusHandler(),
                                              StatFinishedHandler());
    StatConseq = stat.get();
    return stat;
}

void TfrmStatConseq::ReadParams()
{
    // The draws count is bounded by the range, known only now.
    seDrawsCount->SetMaxValue(Range.Range.Count);
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex),
                                                  TStatConseqParams::RecordSize);
    ApplyParams(stored.Valid() ? TStatConseqParams::Decode(stored.Bytes) : TStatConseqParams{});
}

void TfrmStatConseq::ApplyParams(const TStatConseqParams &Params)
{
    (Params.Successors != 0 ? rbConseq : rbPreced)->setChecked(true);
    (Params.Interval != 0 ? rbDrawsRange : rbDrawsStep)->setChecked(true);
    SetStoredValue(seDrawsCount, Params.DrawsCount);
    SetStoredValue(seCombLen, Params.CombLen);
    SetStoredValue(seMinFreq, Params.MinFreq);
    chkMaxRows->setChecked(Params.LimitRows != 0);
    seMaxRows->setEnabled(chkMaxRows->isChecked());
    if (Params.MaxRows > 0)
        SetStoredValue(seMaxRows, Params.MaxRows);
    // The combination is taken only when it is one the combination dialog could have given.
    const int count = Params.CombCount;
    const int most = std::min<int>(int(TStatConseqParams::CombFieldSize), Game->Info.Drawn);
    if (count >= 1 && count <= most && ValidStoredComb(Params.Comb, count, Game->Info.MaxNumber, false)) {
        Comb.assign(Params.Comb.begin(), Params.Comb.begin() + count);
        ShowComb();
    }
}

void TfrmStatConseq::WriteParams()
{
    TStatConseqParams p;
    p.Valid = 1;
    p.Successors = rbConseq->isChecked();
    p.DrawsCount = SpinValue(seDrawsCount);
    p.Interval = rbDrawsRange->isChecked();
    p.CombLen = uint8_t(SpinValue(seCombLen));
    p.MinFreq = uint16_t(SpinValue(seMinFreq));
    p.LimitRows = chkMaxRows->isChecked();
    p.MaxRows = SpinValue(seMaxRows);
    // A combination the field cannot hold is stored as none.
    if (Comb.size() <= p.Comb.size()) {
        p.CombCount = uint8_t(Comb.size());
        std::copy(Comb.begin(), Comb.end(), p.Comb.begin());
    }
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), p.Encode());
}

void TfrmStatConseq::ShowComb()
{
    txtComb->setText(CombCellText(Comb.data(), Comb.size()));
}

void TfrmStatConseq::btnCombClick()
{
    const auto entered = SelectNumbers(this, {1, Game->Info.Drawn, Game->Info.MaxNumber, Comb, {}});
    if (!entered)
        return;
    Comb = entered->Numbers;
    ShowComb();
}

void TfrmStatConseq::ShowCombProperties(int Row)
{
    if (State != 0 || Row < 0 || Row >= StatConseq->RowCount)
        return;
    StatConseq->GetItemComb(Row, CurComb);
    // The working draws are the analysed ones.
    ::ShowCombProperties(*Game, CurComb, Range.Range, StatConseq->Draws);
}

void TfrmStatConseq::ClearResults()
{
    AnalysedDraws->ShowRows(0);
    Results->ShowRows(0);
    btnCombProp->setEnabled(false);
}

void TfrmStatConseq::PrepareCompute()
{
    btnCombProp->setEnabled(false);
}

bool TfrmStatConseq::StartStat()
{
    CombLen = SpinValue(seCombLen);
    CurComb.assign(size_t(CombLen), 0);
    StatConseq->SetParams(rbConseq->isChecked(), Comb, SpinValue(seDrawsCount), rbDrawsRange->isChecked(), CombLen,
                          SpinValue(seMinFreq), chkMaxRows->isChecked(), SpinValue(seMaxRows));
    if (!StatConseq->SelectDraws()) {
        // Nothing to count: the run ends at once with the notice.
        StatConseq->Refuse(NoDrawsText.toStdString());
        return false;
    }
    UpdateMenu();
    return StatConseq->Start();
}

bool TfrmStatConseq::ShowResults()
{
    if (StatConseq->RowCount <= 0) {
        ClearResults();
        return false;
    }
    AnalysedDraws->ShowRows(StatConseq->AllCount);
    Results->ShowRows(StatConseq->RowCount);
    btnCombProp->setEnabled(true);
    SortMan.SetSort(1, FreqSortKey, 1);
    Results->MarkSort(FreqSortKey, 1);
    WidenForCombinations();
    return true;
}

void TfrmStatConseq::WidenForCombinations()
{
    const int width = std::max(NumberWidth * CombLen, NarrowestCombinationWidth);
    SetColWidth(grid, 1, width, {CombCellText(TDynByteArr(size_t(CombLen), Game->Info.MaxNumber).data(), size_t(CombLen))});
    FitWindowToGrid(this, grid, grid->CalcGridWidth(false), false);
}

void TfrmStatConseq::gridGetCellFormat(int Col, int Row, TCellFormat &Format)
{
    if (Row >= StatConseq->RowCount)
        return;
    FCellComb.resize(size_t(CombLen));
    CombListCellText(*StatConseq, Col, Row, FCellComb, size_t(CombLen), Format.Text);
}

bool TfrmStatConseq::gridSortColumn(int SortKey, int Direction)
{
    void (TStatFreq::*sort)(int32_t, const TMyThread *) = nullptr;
    if (SortKey == CombSortKey)
        sort = &TStatFreq::SortByComb;
    else if (SortKey == FreqSortKey)
        sort = &TStatFreq::SortByFreq;
    else
        return false;
    SortInWorker([stat = StatConseq, sort, Direction](const TMyThread &Thread) { (stat->*sort)(Direction, &Thread); },
                 [this, SortKey, Direction] { Results->RecordSort(SortKey, Direction); });
    // Recorded and marked once sorted.
    return false;
}

void TfrmStatConseq::sgDrawsGetCellFormat(int Col, int Row, TCellFormat &Format)
{
    if (Row >= StatConseq->AllCount)
        return;
    const TStatDraw &draw = StatConseq->AllDraws[size_t(Row)];
    switch (Col) {
    case dcNo:
        Format.Text = QString::number(draw.No);
        break;
    case dcDate:
        Format.Text = QString::fromStdString(DateToStr(draw.Date));
        break;
    case dcDay: {
        const int day = DayOfTheWeek(draw.Date);
        Format.Text = QString::fromUtf8(ProgramLocale::ShortDayNames[size_t(day - 1)]);
        if (day == Sunday)
            Format.Font.Color = SundayColor;
        break;
    }
    default:
        Format.Text = CombCellText(draw.Numbers.data(), draw.Numbers.size());
        break;
    }
    if (draw.Mark != 0)
        Format.Brush.Color = AnalysedDrawColor;
}

bool TfrmStatConseq::HandleCommand(CommandEvent &Command)
{
    const bool handled = TGenStatForm::HandleCommand(Command);
    // A new range, or new draws in it, bound the draws count anew.
    if (Command.type() == WM_DRAWS_RANGE || ChangedDrawsGame(Command))
        seDrawsCount->SetMaxValue(Range.Range.Count);
    return handled;
}

std::string TfrmStatConseq::ReportHeaderText() const
{
    const TStatConseq &stat = *StatConseq;
    std::string comb;
    CombToStr(stat.Comb.data(), uint8_t(stat.Comb.size()), "%2d ", comb);
    return ReportHeader("Następstwa", " Zakres losowań") +
           " Rodzaj statystyki   : " + (stat.Successors ? "Następstwa" : "Poprzedzenia") + "#" +
           " Kombinacja          : " + comb + "#" +
           " Losowania#" +
           "  Liczba losowań     : " + std::to_string(stat.Jump) + "#" +
           "  Zakres             : " + (stat.Interval ? "Przedział" : "Skok") + "#" +
           " Długość kombinacji  : " + std::to_string(stat.CombLen) + "#" +
           " Min. częstotliwość  : " + std::to_string(stat.MinFreq) + "#" +
           " Max. liczba wierszy : " + (stat.LimitRows ? std::to_string(stat.MaxRows) : std::string("Brak")) + "#";
}

void TfrmStatConseq::Report()
{
    ReportRows(*grid, "Wyniki", ReportHeaderText(), {});
}
