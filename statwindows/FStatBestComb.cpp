#include "statwindows/FStatBestComb.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalMessages.h"
#include "shell/FSelectComb.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UStatBestComb.h"
#include "statwindows/StatBestCombParams.h"
#include "syswindows/FCheckComb.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

const QString NoPrizesText = QStringLiteral("Tabela wygranych dla tej gry jest niewypełniona.");

// The most combinations the exhaustive search can number.
constexpr long double MaxExactCombinations = 9223372036854775807.0L;

QString NumbersText(const TDynByteArr &Numbers)
{
    std::string text;
    CombToStr(Numbers.data(), uint8_t(Numbers.size()), "%2d ", text, 1);
    return QString::fromStdString(text);
}

// C(N, K) from the extended table; 0 outside 0 <= K <= N.
long double Binomial(int N, int K)
{
    if (N < 0 || K < 0 || K > N || size_t(N) >= NewtonExt.size())
        return 0;
    return NewtonExt[size_t(N)][size_t(K)];
}

// Numbers (ascending) followed by the smallest of From (ascending) that it lacks, up to Count; sorted.
TDynByteArr FillUp(TDynByteArr Numbers, const TDynByteArr &From, int Count)
{
    if (int(Numbers.size()) > Count)
        Numbers.resize(size_t(Count));
    for (uint8_t number : From) {
        if (int(Numbers.size()) >= Count)
            break;
        if (!ByteInArray(number, Numbers))
            Numbers.push_back(number);
    }
    std::sort(Numbers.begin(), Numbers.end());
    return Numbers;
}

} // namespace

TfrmStatBestComb::TfrmStatBestComb(QWidget *Owner)
    : TGenStatForm(BestCombStatIndex, QStringLiteral("> Optymalne kombinacje"), true, 1, Owner),
      NewBests([this, post = StatReportHandler()] {
          post([this] { Guarded([this] { ListNewBests(); }); });
      })
{
    platform::setHelpContext(this, 608);
    CreateControls();
    ResultGrid = BindResultGrid(
        Grid, 1, [this](int Col, int Row, TCellFormat &Format) { GridCellFormat(Col, Row, Format); }, {},
        [this] { return !Results.empty(); });
    Grid->OnDblClick = [this](TStringGrid *) {
        if (btnCheckComb->isEnabled())
            Guarded([this] { btnCheckCombClick(); });
    };

    seCombLen->OnChange = guardedCall(this, &TfrmStatBestComb::seCombLenChange);
    seKeyLen->OnChange = guardedCall(this, &TfrmStatBestComb::seKeyLenChange);
    seConstLen->OnChange = guardedCall(this, &TfrmStatBestComb::seConstLenChange);
    seHitFrom->OnChange = guardedCall([this] {
        SetSpinRange(seHitTo, SpinValue(seHitFrom), int(seHitTo->MaxValue()));
    });
    connectGuarded(btnKey, &QPushButton::clicked, this, &TfrmStatBestComb::btnKeyClick);
    connectGuarded(btnConsts, &QPushButton::clicked, this, &TfrmStatBestComb::btnConstsClick);
    connectGuarded(btnCheckComb, &QPushButton::clicked, this, &TfrmStatBestComb::btnCheckCombClick);
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{rbAlg2, rbHit})
        connectGuarded(button, &QAbstractButton::toggled, this, &TfrmStatBestComb::UpdateEnabling);
}

TfrmStatBestComb::~TfrmStatBestComb()
{
    FreeStat();
}

void TfrmStatBestComb::SetupControls()
{
    const TGameInfo &info = Game->Info;
    const int n = info.MaxNumber;
    State = 1;
    KeyCount = n;
    Key.assign(size_t(n), 0);
    FillNumbers(Key);
    const int lowest = MinWinHits(info, info.MinK);
    SetSpinRange(seCombLen, lowest, n);
    seCombLen->SetValue(lowest);
    SetSpinRange(seKeyLen, lowest, n);
    seKeyLen->SetValue(n);
    SetSpinRange(seConstLen, 0, lowest - 1);
    seConstLen->SetValue(0);
    seCombLenChange();
    seHitFrom->SetValue(seHitFrom->MinValue());
    seHitTo->SetValue(seHitTo->MaxValue());
    CombLen = lowest;
    MinWin = MinWinHits(info, CombLen);
    LevelCount = HitLevelCount(info, CombLen);
    SetupGrid();
}

std::unique_ptr<TStat> TfrmStatBestComb::CreateStat()
{
    auto stat = std::make_unique<TStatBestComb>(
        &Game->Info, StatProgressHandler(), [this](TStatBestComb &Sender) { NewBest(Sender); },
        StatFinishedHandler());
    StatBest = stat.get();
    return stat;
}

void TfrmStatBestComb::ReadParams()
{
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex),
                                                  TStatBestCombParams::RecordSize);
    ApplyParams(stored.Valid() ? TStatBestCombParams::Decode(stored.Bytes) : TStatBestCombParams::Defaults());
    UpdateAlgorithms();
    ShowKey();
    ShowConsts();
    ShowCombCount();
}

void TfrmStatBestComb::ApplyParams(const TStatBestCombParams &Params)
{
    const int n = Game->Info.MaxNumber;
    SetStoredValue(seCombLen, Params.CombLen);
    // The key and the constants only as numbers of this game that the controls can hold, the constants
    // among the key's and fewer than the combination's.
    const bool keyFits = Params.KeyCount >= seKeyLen->MinValue() && Params.KeyCount <= seKeyLen->MaxValue() &&
                         ValidStoredComb(Params.Key, Params.KeyCount, n, true);
    const bool numbersFit =
        keyFits && (Params.ConstCount == 0 ||
                    (Params.ConstCount < SpinValue(seCombLen) &&
                     ValidStoredComb(Params.Consts, Params.ConstCount, n, true) &&
                     std::includes(Params.Key.begin(), Params.Key.begin() + Params.KeyCount, Params.Consts.begin(),
                                   Params.Consts.begin() + Params.ConstCount)));
    if (numbersFit) {
        KeyChosen.assign(Params.Key.begin(), Params.Key.begin() + Params.KeyCount);
        seKeyLen->SetValue(Params.KeyCount);
        seKeyLenChange();
        ConstsChosen.assign(Params.Consts.begin(), Params.Consts.begin() + Params.ConstCount);
        seConstLen->SetValue(Params.ConstCount);
        seConstLenChange();
    }
    (Params.ByWin != 0 ? rbWin : rbHit)->setChecked(true);
    SetStoredValue(seHitFrom, Params.HitFrom);
    SetStoredValue(seHitTo, Params.HitTo);
    (Params.Exact != 0 ? rbAlg1 : rbAlg2)->setChecked(true);
    if (Params.MaxIter > 0)
        SetStoredValue(seMaxIter, Params.MaxIter);
    chkShowEqualCombs->setChecked(Params.ShowEqual != 0);
    UpdateEnabling();
}

TStatBestCombParams TfrmStatBestComb::ParamsFromControls() const
{
    TStatBestCombParams p;
    p.Valid = 1;
    p.CombLen = uint8_t(SpinValue(seCombLen));
    // A list longer than its field is stored as none.
    if (Key.size() <= p.Key.size()) {
        p.KeyCount = uint8_t(Key.size());
        std::copy(Key.begin(), Key.end(), p.Key.begin());
    }
    if (Consts.size() <= p.Consts.size()) {
        p.ConstCount = uint8_t(Consts.size());
        std::copy(Consts.begin(), Consts.end(), p.Consts.begin());
    }
    p.ByWin = rbWin->isChecked();
    p.HitFrom = uint8_t(SpinValue(seHitFrom));
    p.HitTo = uint8_t(SpinValue(seHitTo));
    p.Exact = rbAlg1->isChecked();
    p.MaxIter = SpinValue(seMaxIter);
    p.ShowEqual = chkShowEqualCombs->isChecked();
    return p;
}

void TfrmStatBestComb::WriteParams()
{
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), ParamsFromControls().Encode());
}

void TfrmStatBestComb::seCombLenChange()
{
    const TGameInfo &info = Game->Info;
    const int length = SpinValue(seCombLen);
    seKeyLen->SetMinValue(length);
    const int lowest = MinWinHits(info, length);
    const int highest = lowest + std::max(1, HitLevelCount(info, length)) - 1;
    SetSpinRange(seHitFrom, lowest, highest);
    SetSpinRange(seHitTo, SpinValue(seHitFrom), highest);
    SetSpinRange(seConstLen, 0, length - 1);
    UpdateAlgorithms();
    ShowCombCount();
}

void TfrmStatBestComb::seKeyLenChange()
{
    if (seKeyLen->Value() < SpinValue(seCombLen))
        return;
    KeyCount = SpinValue(seKeyLen);
    TDynByteArr all(Game->Info.MaxNumber, 0);
    FillNumbers(all);
    TDynByteArr chosen = KeyChosen;
    std::sort(chosen.begin(), chosen.end());
    Key = FillUp(std::move(chosen), all, KeyCount);
    KeepConstsInKey();
    ShowKey();
    ShowConsts();
    ShowCombCount();
    UpdateAlgorithms();
}

void TfrmStatBestComb::seConstLenChange()
{
    ConstCount = SpinValue(seConstLen);
    // The numbers chosen last that are still key numbers come first.
    TDynByteArr chosen;
    for (uint8_t number : ConstsChosen)
        if (std::binary_search(Key.begin(), Key.end(), number))
            chosen.push_back(number);
    Consts = FillUp(std::move(chosen), Key, ConstCount);
    ShowConsts();
    ShowCombCount();
}

void TfrmStatBestComb::KeepConstsInKey()
{
    TDynByteArr kept, free;
    for (uint8_t number : Consts)
        if (std::binary_search(Key.begin(), Key.end(), number))
            kept.push_back(number);
    CombDifference(int(Key.size()), int(kept.size()), Key.data(), kept.data(), free);
    Consts = FillUp(std::move(kept), free, int(Consts.size()));
    ConstCount = int(Consts.size());
}

void TfrmStatBestComb::btnKeyClick()
{
    const int length = SpinValue(seKeyLen);
    const auto entered = SelectNumbers(this, {length, length, Game->Info.MaxNumber, Key, {}});
    if (!entered)
        return;
    Key = entered->Numbers;
    std::sort(Key.begin(), Key.end());
    KeyChosen = Key;
    KeyCount = int(Key.size());
    KeepConstsInKey();
    ShowKey();
    ShowConsts();
    ShowCombCount();
    UpdateAlgorithms();
}

void TfrmStatBestComb::btnConstsClick()
{
    const int length = SpinValue(seConstLen);
    if (length == 0)
        return;
    const auto entered = SelectNumbers(this, {length, length, Game->Info.MaxNumber, Consts, Key});
    if (!entered)
        return;
    Consts = entered->Numbers;
    std::sort(Consts.begin(), Consts.end());
    ConstsChosen = Consts;
    ConstCount = int(Consts.size());
    ShowConsts();
    ShowCombCount();
}

void TfrmStatBestComb::ShowKey()
{
    txtKey->setText(NumbersText(Key));
    txtKey->setCursorPosition(0);
}

void TfrmStatBestComb::ShowConsts()
{
    txtConsts->setText(NumbersText(Consts));
    txtConsts->setCursorPosition(0);
}

void TfrmStatBestComb::ShowCombCount()
{
    // The search takes the numbers besides the constants from the key numbers that are not constants.
    const long double count = Binomial(KeyCount - ConstCount, SpinValue(seCombLen) - ConstCount);
    seCombCount->setText(QString::fromStdString(FormatFloat("#,##", double(count))));
}

void TfrmStatBestComb::UpdateAlgorithms()
{
    const bool tooMany = Binomial(KeyCount, SpinValue(seCombLen)) > MaxExactCombinations;
    if (tooMany)
        rbAlg2->setChecked(true);
    rbAlg1->setEnabled(!tooMany);
    UpdateEnabling();
}

void TfrmStatBestComb::UpdateEnabling()
{
    for (QWidget *control : std::initializer_list<QWidget *>{lblMaxIter, seMaxIter})
        control->setEnabled(rbAlg2->isChecked());
    for (QWidget *control : std::initializer_list<QWidget *>{lblHitFrom, seHitFrom, lblHitTo, seHitTo})
        control->setEnabled(rbHit->isChecked());
}

void TfrmStatBestComb::ClearResults()
{
    Results.clear();
    ResultGrid->ShowRows(0);
    btnCheckComb->setEnabled(false);
}

bool TfrmStatBestComb::CheckCompute()
{
    if (seKeyLen->Value() < SpinValue(seCombLen))
        seKeyLen->SetValue(SpinValue(seCombLen));
    seKeyLenChange();
    if (TicketCost(Game->Info, SpinValue(seCombLen)) == Currency()) {
        MsgBox(NoPrizesText, QString(), MsgFlagsNotice);
        return false;
    }
    return true;
}

void TfrmStatBestComb::PrepareCompute()
{
    PageControl1->setCurrentWidget(tsResults);
    NextNo = 1;
    NewBests.Reset();
    CombLen = SpinValue(seCombLen);
    MinWin = MinWinHits(Game->Info, CombLen);
    LevelCount = HitLevelCount(Game->Info, CombLen);
    SetupGrid();
    Searched = {CombLen,
                Key,
                Consts,
                rbHit->isChecked(),
                SpinValue(seHitFrom),
                SpinValue(seHitTo),
                rbAlg2->isChecked(),
                SpinValue(seMaxIter)};
}

bool TfrmStatBestComb::StartStat()
{
    StatBest->SetParams(Searched.Genetic, Searched.MaxIter, CombLen, Key.data(), int(Key.size()), Consts.data(),
                        int(Consts.size()), Searched.Weighted, Searched.HitFrom, Searched.HitTo,
                        chkShowEqualCombs->isChecked());
    UpdateMenu();
    StatBest->Start();
    return true;
}

void TfrmStatBestComb::NewBest(const TStatBestComb &Sender)
{
    // On the worker: only the statistic's own description of its new best is read.
    TBestCombRow row;
    row.Comb.assign(Sender.Comb.begin(), Sender.Comb.begin() + Sender.CombLen);
    row.Hits.assign(Sender.Hist.begin(), Sender.Hist.end());
    row.Win = Sender.PrizeValue;
    NewBests.Add(std::move(row));
}

void TfrmStatBestComb::ListNewBests()
{
    std::vector<TBestCombRow> rows = NewBests.Take();
    if (rows.empty())
        return;
    std::vector<int> added;
    for (TBestCombRow &row : rows) {
        row.No = NextNo++;
        added.push_back(int(Results.size()));
        Results.push_back(std::move(row));
    }
    ResultGrid->ShowRows(int(Results.size()));
    ResultGrid->WidenToRows(added);
    btnCheckComb->setEnabled(true);
}

bool TfrmStatBestComb::ShowResults()
{
    ListNewBests();
    Grid->InvalidateGrid();
    return true;
}

void TfrmStatBestComb::ResultsStopped()
{
    // The bests found before the stop stay listed.
    ListNewBests();
    Grid->InvalidateGrid();
}

void TfrmStatBestComb::GridCellFormat(int Col, int Row, TCellFormat &Format) const
{
    if (size_t(Row) >= Results.size())
        return;
    const TBestCombRow &row = Results[size_t(Row)];
    if (Col == 0) {
        Format.Text = QString::number(row.No) + QLatin1Char(' ');
    } else if (Col <= LevelCount) {
        const size_t level = size_t(Col - 1);
        if (level < row.Hits.size() && row.Hits[level] != 0)
            Format.Text = QString::number(row.Hits[level]) + QLatin1Char(' ');
    } else if (Col == LevelCount + 1) {
        Format.Text = QString::fromStdString(MoneyToStr(row.Win)) + QLatin1Char(' ');
    } else if (Col == LevelCount + 2) {
        // A buffer of this call's own: the report takes the cells too.
        std::string comb;
        CombToStr(row.Comb.data(), uint8_t(row.Comb.size()), "%2d ", comb);
        Format.Text = QString::fromStdString(comb) + QLatin1Char(' ');
    }
}

void TfrmStatBestComb::btnCheckCombClick()
{
    const int row = Grid->Row() - Grid->FixedRows();
    if (row < 0 || size_t(row) >= Results.size())
        return;
    NewCheckCombWindow()->SetComb(Game, Range.Range, Results[size_t(row)].Comb);
}
