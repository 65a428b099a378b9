#include "statwindows/FPredReduct.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "core/USort.h"
#include "engine/UGameMan.h"
#include "engine/UStatDrawsMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FSelectComb.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UPredReduct.h"
#include "stats/UStatFreq.h"
#include "statwindows/PredReductParams.h"
#include "syswindows/SysFormats.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

enum TPredSortKey { skNumber = 1, skFreq1 = 2, skFreq2 = 3 };

} // namespace

TfrmPredReduct::TfrmPredReduct(QWidget *Owner)
    : TGenStatForm(-1, QStringLiteral("> Typowanie redukcyjne"), true, 1, Owner)
{
    CreateControls();
    platform::setHelpContext(this, 710);
    Results = BindResultGrid(
        Grid, 1, [this](int Col, int Row, TCellFormat &Format) { GridCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) {
            SortKeyOrder(SortKey, Direction);
            Results->ShowRows(KeyCount);
            return true;
        },
        [] { return true; });
    QPalette palette = txtResult->palette();
    palette.setColor(QPalette::Base, toQColor(ResultGridColor));
    txtResult->setPalette(palette);

    seCombLen->OnChange = guardedCall(this, &TfrmPredReduct::seCombLenChange);
    seKeyLen->OnChange = guardedCall(this, &TfrmPredReduct::seKeyLenChange);
    seDrawFrom->OnChange = guardedCall(this, &TfrmPredReduct::seDrawFromChange);
    seDrawTo->OnChange = guardedCall(this, &TfrmPredReduct::seDrawToChange);
    connectGuarded(btnKey, &QPushButton::clicked, this, &TfrmPredReduct::btnKeyClick);
}

TfrmPredReduct::~TfrmPredReduct()
{
    FreeStat();
}

void TfrmPredReduct::SetupControls()
{
    const TGameInfo &info = Game->Info;
    State = 1;
    SortMan.SetSort(1, skFreq2, 1);
    SetupGrid();
    SetSpinRange(seCombLen, info.MinK, info.MaxK);
    seCombLen->SetValue(info.MinK);
    SetSpinRange(seKeyLen, info.MinK, info.MaxNumber);
    seKeyLen->SetValue(info.MaxNumber);
    seCombLenChange();
    seHitWin->SetValue(HitsInfo.HighHits);
    KeyCount = info.MaxNumber;
    KeyOrder.assign(info.MaxNumber, 0);
    FillNumbers(KeyOrder);
    Freq.assign(info.MaxNumber, {});
}

std::unique_ptr<TStat> TfrmPredReduct::CreateStat()
{
    FreqStat = std::make_unique<TStatFreqOne>(&Game->Info);
    auto stat = std::make_unique<TPredReduct>(&Game->Info, StatProgressHandler(), StatFinishedHandler());
    Pred = stat.get();
    return stat;
}

void TfrmPredReduct::ReadParams()
{
    // The sub-range depends on the range, which is known only now.
    SetDrawLimits();
    seDrawFrom->SetValue(1);
    seDrawTo->SetValue(10);
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Tools\\", Game->Info.Id, PredReductToolNo),
                                                  TPredReductParams::RecordSize);
    if (stored.Valid())
        ApplyParams(TPredReductParams::Decode(stored.Bytes));
    seKeyLenChange();
    FReady = true;
    CountFrequencies();
    ShowGrid();
    txtResult->clear();
}

void TfrmPredReduct::ApplyParams(const TPredReductParams &Params)
{
    const int n = Game->Info.MaxNumber;
    SetStoredValue(seCombLen, Params.CombLen);
    SetStoredValue(seHitWin, Params.HitWin);
    SetStoredValue(seDrawFrom, Params.DrawFrom);
    SetStoredValue(seDrawTo, Params.DrawTo);
    if (!SetStoredValue(seKeyLen, Params.KeyLen))
        return;
    KeyCount = SpinValue(seKeyLen);
    // The order is taken only when it is one of this game's numbers, each once.
    if (n <= int(Params.KeyOrder.size()) && ValidStoredComb(Params.KeyOrder, n, n, false))
        KeyOrder.assign(Params.KeyOrder.begin(), Params.KeyOrder.begin() + n);
}

TPredReductParams TfrmPredReduct::ParamsFromControls() const
{
    TPredReductParams p;
    p.Valid = 1;
    p.CombLen = uint8_t(SpinValue(seCombLen));
    p.HitWin = uint8_t(SpinValue(seHitWin));
    p.DrawFrom = uint16_t(SpinValue(seDrawFrom));
    p.DrawTo = uint16_t(SpinValue(seDrawTo));
    p.KeyLen = uint8_t(SpinValue(seKeyLen));
    // An order longer than the field is not kept.
    if (KeyOrder.size() <= p.KeyOrder.size())
        std::copy(KeyOrder.begin(), KeyOrder.end(), p.KeyOrder.begin());
    return p;
}

void TfrmPredReduct::WriteParams()
{
    WriteParamsRecord(ParamsKey("Tools\\", Game->Info.Id, PredReductToolNo), ParamsFromControls().Encode());
}

void TfrmPredReduct::SetDrawLimits()
{
    const int draws = std::max<int>(1, int(Range.Range.Count));
    SetSpinRange(seDrawFrom, 1, draws);
    SetSpinRange(seDrawTo, SpinValue(seDrawFrom), draws);
}

void TfrmPredReduct::seCombLenChange()
{
    CombLen = SpinValue(seCombLen);
    seKeyLen->SetMinValue(CombLen);
    HitsInfo.Init(Game->Info, Game->Info.MaxNumber, CombLen, false);
    SetSpinRange(seHitWin, HitsInfo.LowHits, HitsInfo.HighHits);
}

void TfrmPredReduct::seKeyLenChange()
{
    if (seKeyLen->Value() < SpinValue(seCombLen))
        return;
    seKeyLen->SetMinValue(SpinValue(seCombLen));
    KeyCount = SpinValue(seKeyLen);
    if (FReady)
        ShowGrid();
}

void TfrmPredReduct::seDrawFromChange()
{
    const int from = SpinValue(seDrawFrom);
    if (SpinValue(seDrawTo) < from)
        seDrawTo->SetValue(from);
    seDrawTo->SetMinValue(from);
    if (!FReady)
        return;
    CountSubRange();
    ShowGrid();
}

void TfrmPredReduct::seDrawToChange()
{
    const double to = seDrawTo->Value();
    if (!FReady || to < seDrawTo->MinValue() || to > seDrawTo->MaxValue())
        return;
    CountSubRange();
    ShowGrid();
}

void TfrmPredReduct::btnKeyClick()
{
    const int n = Game->Info.MaxNumber;
    const int length = SpinValue(seKeyLen);
    const auto entered = SelectComb(this, [&](TfrmSelectComb &Dialog) {
        Dialog.MinLen = length;
        Dialog.MaxLen = length;
        Dialog.MaxNumber = n;
        Dialog.Sorted = false;
        Dialog.Default.assign(KeyOrder.begin(), KeyOrder.begin() + length);
    });
    if (!entered)
        return;
    TDynByteArr order = entered->Numbers;
    for (int number = 1; number <= n; ++number)
        if (!ByteInArray(uint8_t(number), entered->Numbers))
            order.push_back(uint8_t(number));
    KeyOrder = std::move(order);
    KeyCount = int(entered->Numbers.size());
    SortMan.SetSort(1, SortMan.GetSortColumn(1), 2);
    ShowGrid();
}

void TfrmPredReduct::CountFrequencies()
{
    Freq.assign(Freq.size(), {});
    // A range without draws leaves every count 0.
    if (Range.Empty())
        return;
    FreqStat->LoadDraws(Range.Range, *Game->DrawsMan, 1);
    FreqStat->Calculate();
    for (size_t i = 0; i < Freq.size() && i < FreqStat->Rows.size(); ++i)
        Freq[i].Freq1 = FreqStat->Rows[i].Freq;
    CountSubRange();
}

void TfrmPredReduct::CountSubRange()
{
    for (TNumberFreq &freq : Freq)
        freq.Freq2 = 0;
    if (Range.Empty())
        return;
    // The sub-range counts the draws from..to of the range, newest first.
    FreqStat->LoadDraws(Range.Range, *Game->DrawsMan, 1);
    const int from = SpinValue(seDrawFrom), to = SpinValue(seDrawTo);
    TStatDraws slice;
    StatDrawsMan.CopyDraws(FreqStat->Draws, slice, from - 1, to - from + 1);
    FreqStat->LoadStatDraws(slice, 1);
    FreqStat->Calculate();
    for (size_t i = 0; i < Freq.size() && i < FreqStat->Rows.size(); ++i)
        Freq[i].Freq2 = FreqStat->Rows[i].Freq;
}

void TfrmPredReduct::ShowGrid()
{
    const int column = SortMan.GetSortColumn(1);
    const int direction = SortMan.GetSortDir(1, column);
    Results->MarkSort(column, direction);
    if (direction != 2)
        SortKeyOrder(column, direction);
    Results->ShowRows(KeyCount);
}

void TfrmPredReduct::SortKeyOrder(int SortKey, int Direction)
{
    const auto freq = [this](uint8_t Number) -> const TNumberFreq & { return Freq[Number - 1u]; };
    std::sort(KeyOrder.begin(), KeyOrder.end(), [&](uint8_t A, uint8_t B) {
        int order = 0;
        switch (SortKey) {
        case skNumber:
            order = CompareKeys(A, B, Direction);
            break;
        case skFreq1:
            order = CompareKeys(freq(A).Freq1, freq(B).Freq1, Direction);
            if (order == 0)
                order = CompareKeys(freq(A).Freq2, freq(B).Freq2, Direction);
            break;
        case skFreq2:
            order = CompareKeys(freq(A).Freq2, freq(B).Freq2, Direction);
            if (order == 0)
                order = CompareKeys(freq(A).Freq1, freq(B).Freq1, Direction);
            break;
        default:
            break;
        }
        // Equal counts: the smaller number first.
        if (order == 0)
            order = CompareKeys(A, B, -1);
        return order < 0;
    });
}

void TfrmPredReduct::GridCellFormat(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= KeyCount || size_t(Row) >= KeyOrder.size())
        return;
    const uint8_t number = KeyOrder[size_t(Row)];
    const TNumberFreq &freq = Freq[number - 1u];
    switch (Col) {
    case 0:
        Format.Text = QString::number(number);
        break;
    case 1:
        Format.Text = CountText(freq.Freq1);
        break;
    case 2:
        Format.Text = CountText(freq.Freq2);
        break;
    default:
        break;
    }
}

void TfrmPredReduct::ClearResults()
{
    txtResult->clear();
}

bool TfrmPredReduct::CheckCompute()
{
    if (seKeyLen->Value() < SpinValue(seCombLen))
        seKeyLen->SetValue(SpinValue(seCombLen));
    seKeyLenChange();
    return true;
}

bool TfrmPredReduct::StartStat()
{
    CombLen = SpinValue(seCombLen);
    Pred->SetParams(KeyCount, KeyOrder.data(), CombLen, SpinValue(seHitWin));
    UpdateMenu();
    Pred->Start();
    return true;
}

bool TfrmPredReduct::ShowResults()
{
    TDynByteArr remaining;
    for (size_t i = 0; i < Pred->CandFlags.size(); ++i)
        if (Pred->CandFlags[i])
            remaining.push_back(uint8_t(i + 1));
    std::string text;
    CombToStr(remaining.data(), uint8_t(remaining.size()), "%2d ", text, 1);
    txtResult->setText(QString::fromStdString(text));
    txtResult->setCursorPosition(0);
    return true;
}

void TfrmPredReduct::RangeEdited()
{
    SetDrawLimits();
    CountFrequencies();
    ShowGrid();
}
