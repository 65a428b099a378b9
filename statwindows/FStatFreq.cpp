#include "statwindows/FStatFreq.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FSelectComb.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UStatFreq.h"
#include "statwindows/CombListCells.h"
#include "statwindows/FCombProp.h"
#include "statwindows/StatFreqParams.h"
#include "syswindows/SysFormats.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr int WideCombinationLength = 7;
constexpr int NarrowCombinationWidth = 144;
constexpr int NumberWidth = 24;

enum TFreqSortKey { skComb = 1, skFreq = 2, skParity = 3, skLast = 4 };

} // namespace

TfrmStatFreq::TfrmStatFreq(QWidget *Owner)
    : TGenStatForm(FreqStatIndex, QStringLiteral("> Częstotliwości"), true, 1, Owner)
{
    platform::setHelpContext(this, 602);
    CreateControls();
    Results = BindResultGrid(
        grid, 1, [this](int Col, int Row, TCellFormat &Format) { gridGetCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return gridSortColumn(SortKey, Direction); });
    SetupTotal();
    ColourResultGrid(sgTotal);
    ShowReqComb();

    seCombLen->OnChange = guardedCall(this, &TfrmStatFreq::seCombLenChange);
    seMinFreq->OnChange = guardedCall(this, &TfrmStatFreq::seMinFreqChange);
    seFrom->OnChange = [this](QObject *) {
        if (!FReadingParams)
            seTo->SetMinValue(SpinValue(seFrom));
    };
    connectGuarded(btnComb, &QPushButton::clicked, this, &TfrmStatFreq::btnCombClick);
    connectGuarded(btnCombProp, &QPushButton::clicked, this, [this] { ShowCombProperties(grid->Row() - 1); });
    grid->OnDblClick = guardedCall([this] { ShowCombProperties(grid->DblClickDataRow()); });
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{chkMaxRows, rbRange, rbSpecComb})
        connectGuarded(button, &QAbstractButton::toggled, this, &TfrmStatFreq::UpdateEnabling);
    UpdateEnabling();
}

TfrmStatFreq::~TfrmStatFreq()
{
    FreeStat();
}

void TfrmStatFreq::SetupControls()
{
    const TGameInfo &info = Game->Info;
    State = 1;
    FCombLenLimit = info.MaxK;
    if (!FromDraws && !IsMultiBet(info, System->K))
        FCombLenLimit = System->K;
    seCombLen->SetMinValue(1);
    seCombLen->SetMaxValue(FCombLenLimit);
    seMaxRows->SetMaxValue(2147483647);
    seFrom->SetMinValue(1);
    seFrom->SetMaxValue(info.MaxNumber);
    seFrom->SetValue(1);
    seTo->SetMinValue(1);
    seTo->SetMaxValue(info.MaxNumber);
    seTo->SetValue(info.MaxNumber);
    SetupGrid();
}

std::unique_ptr<TStat> TfrmStatFreq::CreateStat()
{
    auto stat = std::make_unique<TStatFreq>(&Game->Info, FromDraws ? nullptr : System, StatProgressHandler(),
                                            StatStatusHandler(), StatFinishedHandler());
    StatFreq = stat.get();
    return stat;
}

void TfrmStatFreq::ReadParams()
{
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex),
                                                  TStatFreqParams::RecordSize);
    ApplyParams(stored.Valid() ? TStatFreqParams::Decode(stored.Bytes) : TStatFreqParams::Defaults(Game->Info.MaxNumber));
}

void TfrmStatFreq::ApplyParams(const TStatFreqParams &Params)
{
    const int n = Game->Info.MaxNumber;
    // "To" follows "from" only once both are read.
    FReadingParams = true;
    SetStoredValue(seCombLen, Params.CombLen);
    chkAllWithAll->setChecked(Params.EachWithEach != 0);
    seMinFreq->SetValue(1);
    SetStoredValue(seMinFreq, Params.MinFreq);
    chkMaxRows->setChecked(Params.LimitRows != 0);
    seMaxRows->SetValue(1000);
    if (Params.MaxRows > 0)
        SetStoredValue(seMaxRows, Params.MaxRows);
    rbRange->setChecked(Params.UseRange != 0);
    if (Params.RangeFrom >= 1 && Params.RangeFrom <= n)
        seFrom->SetValue(Params.RangeFrom);
    if (Params.RangeTo >= 1 && Params.RangeTo <= n)
        seTo->SetValue(Params.RangeTo);
    if (SpinValue(seTo) < SpinValue(seFrom))
        seFrom->SetValue(SpinValue(seTo));
    FReadingParams = false;
    seTo->SetMinValue(SpinValue(seFrom));
    rbSpecComb->setChecked(Params.UseComb != 0);
    // The stored count and numbers are taken only when they describe a combination of this game.
    if (Params.UseComb != 0 && ValidStoredComb(Params.Comb, Params.CombCount, n, false)) {
        ReqCount = Params.CombCount;
        ReqComb.assign(Params.Comb.begin(), Params.Comb.begin() + ReqCount);
        ShowReqComb();
    }
    const std::array<QRadioButton *, 3> parity = {rbEvenAny, rbEvenYes, rbEvenNo};
    if (Params.Parity < parity.size())
        parity[Params.Parity]->setChecked(true);
    chkSucc->setChecked(Params.Consecutive != 0);
    UpdateEnabling();
}

TStatFreqParams TfrmStatFreq::ParamsFromControls() const
{
    TStatFreqParams p;
    p.Valid = 1;
    p.CombLen = uint8_t(SpinValue(seCombLen));
    p.EachWithEach = chkAllWithAll->isChecked();
    p.MinFreq = uint16_t(SpinValue(seMinFreq));
    p.LimitRows = chkMaxRows->isChecked();
    p.MaxRows = SpinValue(seMaxRows);
    p.UseRange = rbRange->isChecked();
    p.RangeFrom = uint8_t(SpinValue(seFrom));
    p.RangeTo = uint8_t(SpinValue(seTo));
    p.UseComb = rbSpecComb->isChecked();
    p.CombCount = uint8_t(ReqCount);
    std::copy_n(ReqComb.begin(), std::min<size_t>(size_t(ReqCount), p.Comb.size()), p.Comb.begin());
    p.Parity = rbEvenYes->isChecked() ? 1 : rbEvenNo->isChecked() ? 2 : 0;
    p.Consecutive = chkSucc->isChecked();
    return p;
}

void TfrmStatFreq::WriteParams()
{
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), ParamsFromControls().Encode());
}

void TfrmStatFreq::ShowReqComb()
{
    txtComb->setText(CombCellText(ReqComb.data(), size_t(ReqCount)));
}

void TfrmStatFreq::btnCombClick()
{
    const TDynByteArr required(ReqComb.begin(), ReqComb.begin() + ReqCount);
    const auto entered = SelectNumbers(this, {1, SpinValue(seCombLen), Game->Info.MaxNumber, required, {}});
    if (!entered)
        return;
    ReqComb = entered->Numbers;
    ReqCount = int(ReqComb.size());
    ShowReqComb();
}

void TfrmStatFreq::seCombLenChange()
{
    UpdateEnabling();
}

void TfrmStatFreq::seMinFreqChange()
{
    // Never-drawn combinations are listed only up to the game's own limit.
    seCombLen->SetMaxValue(SpinValue(seMinFreq) == 0 ? Game->Info.MaxFreqLen : FCombLenLimit);
    UpdateEnabling();
}

void TfrmStatFreq::UpdateEnabling()
{
    chkAllWithAll->setEnabled(SpinValue(seCombLen) == 2 && SpinValue(seMinFreq) != 0);
    seMaxRows->setEnabled(chkMaxRows->isChecked());
    for (QWidget *control : std::initializer_list<QWidget *>{lblFrom, seFrom, lblTo, seTo})
        control->setEnabled(rbRange->isChecked());
    txtComb->setEnabled(rbSpecComb->isChecked());
    btnComb->setEnabled(rbSpecComb->isChecked());
}

void TfrmStatFreq::ClearResults()
{
    Results->ShowRows(0);
    for (int row = 1; row < sgTotal->RowCount(); ++row)
        sgTotal->setCells(1, row, QString());
}

void TfrmStatFreq::PrepareCompute()
{
    PageControl1->setCurrentIndex(1);
    btnCombProp->setEnabled(false);
}

bool TfrmStatFreq::StartStat()
{
    CombLen = SpinValue(seCombLen);
    CurComb.assign(size_t(CombLen), 0);
    TConstraints constraints;
    TStatFreq::ClearConstraints(constraints);
    constraints.UseComb = rbSpecComb->isChecked();
    constraints.Comb = ReqComb;
    constraints.CombCount = ReqCount;
    constraints.UseRange = rbRange->isChecked();
    constraints.RangeFrom = SpinValue(seFrom);
    constraints.RangeTo = SpinValue(seTo);
    constraints.Parity = rbEvenYes->isChecked() ? 1 : rbEvenNo->isChecked() ? 2 : 0;
    constraints.Consecutive = chkSucc->isChecked();
    StatFreq->SetParams(CombLen, SpinValue(seMinFreq), constraints, chkAllWithAll->isEnabled() && chkAllWithAll->isChecked(),
                        SpinValue(seMaxRows), chkMaxRows->isChecked());
    UpdateMenu();
    return StatFreq->Start();
}

bool TfrmStatFreq::ShowResults()
{
    if (StatFreq->RowCount <= 0) {
        Results->ShowRows(0);
        return false;
    }
    btnCombProp->setEnabled(StatFreq->MinFreq >= 1 && FromDraws);
    Results->ShowRows(StatFreq->RowCount);
    SortMan.SetSort(1, skFreq, 1);
    Results->MarkSort(skFreq, 1);
    WidenForCombinations();
    ShowSummary();
    return true;
}

void TfrmStatFreq::WidenForCombinations()
{
    const int width = CombLen >= WideCombinationLength ? NumberWidth * CombLen : NarrowCombinationWidth;
    SetColWidth(grid, 1, width, {CombCellText(std::vector<uint8_t>(size_t(CombLen), Game->Info.MaxNumber).data(), size_t(CombLen))});
    FitWindowToGrid(this, grid, grid->CalcGridWidth(false), false);
}

void TfrmStatFreq::ShowSummary()
{
    const auto real = [](double Value) { return QString::fromStdString(FormatFloat("0.00", Value)) + QLatin1Char(' '); };
    sgTotal->setCells(1, 1, CountText(StatFreq->Min) + QLatin1Char(' '));
    sgTotal->setCells(1, 2, CountText(StatFreq->Max) + QLatin1Char(' '));
    sgTotal->setCells(1, 3, real(StatFreq->Mean));
    sgTotal->setCells(1, 4, real(StatFreq->Expected));
    sgTotal->setCells(1, 5, real(StatFreq->StdDev));
    SetColWidth(sgTotal, 1, 100, ColTexts(sgTotal, 1));
    FitGridWidth(sgTotal);
}

void TfrmStatFreq::gridGetCellFormat(int Col, int Row, TCellFormat &Format)
{
    if (Row >= StatFreq->RowCount ||
        CombListCellText(*StatFreq, Col, Row, FCellComb, size_t(CombLen), Format.Text))
        return;
    uint32_t freq = 0;
    uint8_t parity = 0;
    switch (Col) {
    case 3: {
        StatFreq->GetItem(Row, FCellComb, freq, parity);
        static const std::array<QString, 3> codes = {QStringLiteral("-"), QStringLiteral("P"), QStringLiteral("N")};
        if (parity < codes.size())
            Format.Text = codes[parity];
        break;
    }
    case 4: {
        if (StatFreq->MinFreq < 1)
            break;
        uint32_t draw = 0;
        TDateTime date = 0;
        StatFreq->GetItemLast(Row, draw, date);
        if (draw == FreqNoDraw)
            break;
        char index[16];
        std::snprintf(index, sizeof index, "%5u", draw);
        Format.Text = QString::fromLatin1(index) + QStringLiteral(" (") + QString::fromStdString(DateToStr(date)) +
                      QLatin1Char(')');
        break;
    }
    default:
        break;
    }
}

bool TfrmStatFreq::gridSortColumn(int SortKey, int Direction)
{
    // Never-drawn combinations have neither frequency nor last occurrence to sort by.
    if (StatFreq->MinFreq == 0 && (SortKey == skFreq || SortKey == skLast))
        return false;
    void (TStatFreq::*sort)(int32_t, const TMyThread *) = nullptr;
    switch (SortKey) {
    case skComb:
        sort = &TStatFreq::SortByComb;
        break;
    case skFreq:
        sort = &TStatFreq::SortByFreq;
        break;
    case skParity:
        sort = &TStatFreq::SortByParity;
        break;
    case skLast:
        sort = &TStatFreq::SortByLast;
        break;
    default:
        return false;
    }
    SortInWorker([stat = StatFreq, sort, Direction](const TMyThread &Thread) { (stat->*sort)(Direction, &Thread); },
                 [this, SortKey, Direction] { Results->RecordSort(SortKey, Direction); });
    // Recorded and marked once sorted.
    return false;
}

void TfrmStatFreq::ShowCombProperties(int Row)
{
    // Over draws, of combinations that occurred.
    if (State != 0 || !FromDraws || StatFreq->MinFreq < 1 || Row < 0 || Row >= StatFreq->RowCount)
        return;
    StatFreq->GetItemComb(Row, CurComb);
    ::ShowCombProperties(*Game, CurComb, StatFreq->Range, StatFreq->Draws);
}

std::string TfrmStatFreq::ReportHeaderText() const
{
    const TStatFreq &stat = *StatFreq;
    std::string header = ReportHeader("Częstotliwości", " Zakres danych") + " #" +
                         " Długość kombinacji    : " + std::to_string(stat.CombLen) + "#" +
                         " Min. częstotliwość    : " + CountText(stat.MinFreq).toStdString() + "#";
    if (stat.LimitRows)
        header += " Max. liczba wierszy   : " + CountText(stat.MaxRows).toStdString() + "#";
    if (stat.EachWithEach)
        header += " Każda z każdą         : Tak #";
    const TConstraints &c = stat.Constraints;
    if (c.UseComb) {
        std::string comb;
        CombToStr(c.Comb.data(), uint8_t(c.CombCount), "%2d ", comb, 1);
        header += " Kombinacja            : " + comb + "#";
    }
    if (c.UseRange)
        header += " Zakres liczb          : " + std::to_string(c.RangeFrom) + " - " + std::to_string(c.RangeTo) + "#";
    if (c.Parity == 1)
        header += " Parzystość kombinacji : Parzysta #";
    else if (c.Parity == 2)
        header += " Parzystość kombinacji : Nieparzysta #";
    if (c.Consecutive)
        header += " Kolejne liczby        : Tak #";
    return header;
}

void TfrmStatFreq::Report()
{
    ReportRows(*grid, "Szczegóły", ReportHeaderText(), {{"Podsumowanie", TReportGrid::Take(*sgTotal)}});
}
