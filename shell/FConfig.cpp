// The options dialog's games: the working copies, the shown game taken back into its copy with its checks,
// and OK, which stores every game and the program settings.
#include "shell/FConfig.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UGlobalUtils.h"
#include "engine/UGameMan.h"
#include "platform/gui/ModalHooks.h"
#include "platform/gui/WindowFit.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/ResultGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <cmath>

namespace {

constexpr int64_t StakeScale = Currency::Scale;

// The amount a stake field shows, in 1/10000.
Currency StakeOf(TFloatSpin *Field)
{
    Field->Commit();
    return Currency::fromCount(std::llround(Field->Value() * double(StakeScale)));
}

QString PrizeText(const TGameInfo &Info, Currency Prize)
{
    if (Info.PrizeByStake)
        return QString::fromStdString(FormatFloat("#,##0.##", Prize.toDouble())) + QLatin1Char('x');
    return QString::fromStdString(MoneyToStr(Prize));
}

} // namespace

void TfrmConfig::FormShow()
{
    {
        const QSignalBlocker blocker(cbGame);
        for (int i = 0; i < Games.Count(); ++i) {
            TGameData *game = Games.GetGame(i);
            cbGame->addItem(QString::fromStdString(game->Info.Name));
            TGameCopy copy{std::make_unique<TSiteMan>(SitesDir, game), game->Info};
            copy.Sites->Load(false);
            FCopies.push_back(std::move(copy));
        }
    }
    if (!FCopies.empty()) {
        cbGame->setCurrentIndex(0);
        cbGameChange(0);
    }
    if (OpenOnWins) {
        PageControl1->setCurrentWidget(tsWins);
        sgWins->setFocus();
        const int index = Games.GameIndexOfId(WinsGameId);
        if (index >= 0)
            cbGame->setCurrentIndex(index);
    }
    seGProb->SetValue(ProgramParams.GProb);
    seMaxComb->SetMinValue(Limits.MaxCombLow);
    seMaxComb->SetMaxValue(Limits.MaxCombHigh);
    seMaxComb->SetValue(ProgramParams.MaxComb);
    chkIncreaseUpdate->setChecked(ProgramParams.IncreaseUpdate);
    (ProgramParams.StatShowDate ? rbStatShowDate : rbStatShowIndex)->setChecked(true);
}

void TfrmConfig::cbGameChange(int Index)
{
    if (Index < 0 || Index == FGameIndex)
        return;
    if (FGameIndex >= 0 && !TakeGame()) {
        const QSignalBlocker blocker(cbGame);
        cbGame->setCurrentIndex(FGameIndex);
        return;
    }
    FGameIndex = Index;
    ShowGame(Index);
}

void TfrmConfig::ShowGame(int Index)
{
    const TGameInfo &info = FCopies[size_t(Index)].Info;
    ShowSites();
    eBasicRate->SetValue(info.BasicStake.toDouble());
    lblWinRate->setEnabled(info.PrizeByStake);
    eWinRate->setEnabled(info.PrizeByStake);
    if (info.PrizeByStake)
        eWinRate->SetValue(info.WinStake.toDouble());
    ShowWins(info);
    ShowLine(FileFields(), info.Line);
    // The games' prize tables differ in width: the dialog takes the width this game's needs.
    if (isVisible()) {
        platform::fitToArea(*this);
        platform::resizeInArea(*this, QSize(sizeHint().width(), height()));
    }
}

void TfrmConfig::ShowWins(const TGameInfo &Info)
{
    const int maxPicks = Info.MaxK;
    const int low = MinWinHits(Info, Info.MinK);
    sgWins->setColCount(maxPicks - Info.MinK + 2);
    sgWins->setRowCount(maxPicks - low + 2);
    sgWins->setCells(0, 0, QString());
    for (int c = 1; c < sgWins->ColCount(); ++c)
        sgWins->setCells(c, 0, QString::number(maxPicks - c + 1));
    for (int r = 1; r < sgWins->RowCount(); ++r)
        sgWins->setCells(0, r, QStringLiteral("'%1'").arg(maxPicks - r + 1));
    for (int c = 1; c < sgWins->ColCount(); ++c)
        for (int r = 1; r < sgWins->RowCount(); ++r) {
            const Currency prize = Info.Prizes[size_t(maxPicks - c)][size_t(maxPicks - r)];
            sgWins->setCells(c, r, prize == NoPrize ? QString() : PrizeText(Info, prize));
            sgWins->SetEditCell(c, r, !Info.PrizeByStake && prize != NoPrize);
        }
    ColourResultGrid(sgWins);
    if (!Info.PrizeByStake)
        sgWins->setColor(clWindow);
    FitWins();
    sgWins->FocusCell(1, 1, true);
}

void TfrmConfig::FitWins()
{
    // The degrees' column as narrow as its texts; the prizes' at least the forms' default width.
    SetColWidth(sgWins, 0, 0, ColTexts(sgWins, 0));
    for (int c = 1; c < sgWins->ColCount(); ++c)
        SetColWidth(sgWins, c, DesignColWidth, ColTexts(sgWins, c));
    FitGridWidth(sgWins);
    FitGridHeight(sgWins);
}

bool TfrmConfig::TakeWins(TGameInfo &Info)
{
    if (Info.PrizeByStake)
        return true;
    const int maxPicks = Info.MaxK;
    auto prizes = Info.Prizes;
    for (int c = 1; c < sgWins->ColCount(); ++c)
        for (int r = 1; r < sgWins->RowCount(); ++r) {
            Currency &prize = prizes[size_t(maxPicks - c)][size_t(maxPicks - r)];
            if (prize == NoPrize)
                continue;
            Currency typed;
            if (!TryMoneyToCurr(sgWins->Cells(c, r).toStdString(), typed) || typed < Currency()) {
                PageControl1->setCurrentWidget(tsWins);
                MsgBox(QStringLiteral("Wartości w tabeli wygranych nie zostały właściwie wprowadzone."), QString(),
                       MsgFlagsNotice);
                sgWins->FocusCell(c, r, true);
                sgWins->setFocus();
                return false;
            }
            prize = typed;
        }
    Info.Prizes = std::move(prizes);
    return true;
}

void TfrmConfig::ShowTypedPrize(int Col, int Row)
{
    Currency typed;
    if (TryMoneyToCurr(sgWins->Cells(Col, Row).toStdString(), typed) && typed >= Currency()) {
        sgWins->setCells(Col, Row, QString::fromStdString(MoneyToStr(typed)));
        FitWins();
    }
}

void TfrmConfig::Refuse(const QString &Message, QWidget *Page, QWidget *Field)
{
    PageControl1->setCurrentWidget(Page);
    MsgBox(Message, QString(), MsgFlagsNotice);
    Field->setFocus();
}

bool TfrmConfig::CheckLine(const TLineFields &Fields, QWidget *Page, bool NeedNumberSep)
{
    const int date = SpinValue(Fields.ColDate);
    const int numbers = SpinValue(Fields.ColNumber);
    const int drawn = FCopies[size_t(FGameIndex)].Info.Drawn;
    const QString format = Fields.DateFormat->text();
    const bool formatComplete = format.contains(QLatin1Char('D')) && format.contains(QLatin1Char('M')) &&
                                format.contains(QLatin1Char('R'));
    const struct {
        bool Failed;
        QString Message;
        QWidget *Field;
    } checks[] = {
        {date == numbers, QStringLiteral("Kolumna z datą musi być różna od kolumny z liczbami."), Fields.ColDate},
        {numbers < date && date - numbers < drawn,
         QStringLiteral("Różnica między kolumną z liczbami a kolumną z datą musi być większa lub równa od ") +
             QString::number(drawn),
         Fields.ColNumber},
        {format.isEmpty(), QStringLiteral("Proszę podać format daty."), Fields.DateFormat},
        {!formatComplete, QStringLiteral("Proszę podać odpowiedni format daty np. DMR"), Fields.DateFormat},
        {Fields.DateSep->text().isEmpty(), QStringLiteral("Proszę podać separator daty."), Fields.DateSep},
        {NeedNumberSep && Fields.NumSep->text().isEmpty(), QStringLiteral("Proszę podać separator liczb."),
         Fields.NumSep},
        {Fields.SecSep->text().isEmpty(), QStringLiteral("Proszę podać separator sekcji."), Fields.SecSep},
    };
    for (const auto &check : checks)
        if (check.Failed) {
            Refuse(check.Message, Page, check.Field);
            return false;
        }
    return true;
}

TDrawsFormat TfrmConfig::ReadLine(const TLineFields &Fields)
{
    const auto text = [](const QLineEdit *Edit) { return Edit->text().left(3).toStdString(); };
    TDrawsFormat format;
    format.DateField = uint8_t(SpinValue(Fields.ColDate));
    format.NumbersField = uint8_t(SpinValue(Fields.ColNumber));
    format.UseMinDate = Fields.StartDate->isChecked();
    format.MinDate =
        Fields.Start->date() == Fields.Start->minimumDate() ? 0 : FromQDate(Fields.Start->date());
    format.DateOrder = text(Fields.DateFormat);
    format.DateSep = text(Fields.DateSep);
    format.NumberSep = text(Fields.NumSep);
    format.FieldSep = text(Fields.SecSep);
    return format;
}

void TfrmConfig::ShowLine(const TLineFields &Fields, const TDrawsFormat &Format)
{
    Fields.ColDate->SetValue(Format.DateField);
    Fields.ColNumber->SetValue(Format.NumbersField);
    Fields.StartDate->setChecked(Format.UseMinDate);
    Fields.Start->setEnabled(Format.UseMinDate);
    Fields.Start->setDate(Format.MinDate > 0 ? ToQDate(Format.MinDate) : Fields.Start->minimumDate());
    Fields.DateFormat->setText(QString::fromStdString(Format.DateOrder));
    Fields.DateSep->setText(QString::fromStdString(Format.DateSep));
    Fields.NumSep->setText(QString::fromStdString(Format.NumberSep));
    Fields.SecSep->setText(QString::fromStdString(Format.FieldSep));
}

bool TfrmConfig::TakeGame()
{
    TGameInfo &info = FCopies[size_t(FGameIndex)].Info;
    if (!TakeWins(info) || !CheckLine(FileFields(), tsFile, true))
        return false;
    info.Line = ReadLine(FileFields());
    info.BasicStake = StakeOf(eBasicRate);
    if (info.PrizeByStake)
        info.WinStake = StakeOf(eWinRate);
    return true;
}

bool TfrmConfig::CanApply()
{
    const QStringList windows = WindowsAtWork();
    if (windows.isEmpty())
        return true;
    QStringList named = windows;
    named.removeAll(QString());
    QString text = QStringLiteral("Nie można teraz zmienić ustawień, bo trwają obliczenia.");
    if (named.isEmpty())
        text += QStringLiteral("\nZatrzymaj je i spróbuj ponownie.");
    else
        text += QStringLiteral("\nZatrzymaj obliczenia w oknach:\n") + named.join(QLatin1Char('\n'));
    MsgBox(text, QString(), MsgFlagsNotice);
    return false;
}

void TfrmConfig::btnOKClick()
{
    if (FGameIndex < 0 || !TakeGame() || !CanApply())
        return;
    for (const TGameCopy &copy : FCopies) {
        if (!copy.Sites->Save()) {
            ShowWriteFailure(copy.Sites->FileName());
            return;
        }
        if (!copy.Sites->KeptAs.empty())
            MsgBox(QStringLiteral("Plik lokalizacji gry %1 był uszkodzony i został zachowany jako %2.")
                       .arg(QString::fromStdString(copy.Info.Name), QString::fromStdString(copy.Sites->KeptAs)),
                   QString(), MsgFlagsNotice);
    }
    for (size_t i = 0; i < FCopies.size(); ++i) {
        const TGameInfo &edited = FCopies[i].Info;
        TGameInfo &info = Games.GetGame(int(i))->Info;
        info.BasicStake = edited.BasicStake;
        info.WinStake = edited.WinStake;
        if (!info.PrizeByStake)
            info.Prizes = edited.Prizes;
        info.Line = edited.Line;
        SaveGameSettings(info);
    }
    seGProb->Commit();
    ProgramParams.GProb = seGProb->Value();
    ProgramParams.MaxComb = SpinValue(seMaxComb);
    if (ProgramParams.MaxComb >= Limits.MaxCombLow && ProgramParams.MaxComb <= Limits.MaxCombHigh)
        Limits.MaxComb = ProgramParams.MaxComb;
    ProgramParams.IncreaseUpdate = chkIncreaseUpdate->isChecked();
    ProgramParams.StatShowDate = rbStatShowDate->isChecked();
    accept();
}

void OpenConfigDialog(QWidget *Parent, int WinsGameId)
{
    TfrmConfig dialog(Parent);
    if (WinsGameId >= 0) {
        dialog.OpenOnWins = true;
        dialog.WinsGameId = uint8_t(WinsGameId);
    }
    platform::execModal(dialog);
}
