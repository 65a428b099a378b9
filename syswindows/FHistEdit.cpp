#include "syswindows/FHistEdit.h"

#include "controls/FloatSpin.h"
#include "controls/FloatText.h"
#include "controls/StringAlignGrid.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalSystems.h"
#include "shell/FigureField.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"
#include "syswindows/SysFormats.h"
#include "syswindows/UHistory.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

namespace {

constexpr int MaxMultiplier = 10000;
constexpr double MaxWin = 999999999.99;
constexpr Currency MaxWinAmount = Currency::fromCount(9999999999900);

// A whole number 0..4294967295, blanks around it allowed.
bool ReadCount(const QString &Text, uint32_t &Value)
{
    const std::string text = Text.trimmed().toStdString();
    uint32_t value = 0;
    const auto [end, result] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result != std::errc() || end != text.data() + text.size())
        return false;
    Value = value;
    return true;
}

bool SameRecord(const THistoryItem &A, const THistoryItem &B)
{
    platform::ByteWriter a;
    platform::ByteWriter b;
    WriteHistoryItem(a, A);
    WriteHistoryItem(b, B);
    return a.bytes() == b.bytes();
}

} // namespace

TfrmHistEdit::TfrmHistEdit(QWidget *parent) : QDialog(parent), FItem(std::make_unique<THistoryItem>())
{
    setWindowTitle(QStringLiteral("Edycja pozycji"));
    dtDate = NewDateEdit(this);
    seRate = NewIntSpin(this, 1, MaxMultiplier, 1);
    seWin = new TFloatSpin(this);
    seWin->SetPrecision(2);
    seWin->SetMinValue(0);
    seWin->SetMaxValue(MaxWin);
    seWin->Loaded();
    sgHits = NewGrid(this, 2, 2, 1, 1);
    MakeGridEditable(sgHits);
    SetHeader(sgHits, {QStringLiteral("Traf."), QStringLiteral("Ilość")}, {40, 80});
    KeepColumnsInView(sgHits);
    ColourResultGrid(sgHits);
    eGame = new TFigureField(this);
    eSystem = new TFigureField(this);
    eK = new TFigureField(this);
    eN = new TFigureField(this);
    eCComb = new TFigureField(this);
    eCost = new TFigureField(this);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmHistEdit::btnOKClick);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });

    auto *facts = new QFormLayout;
    facts->addRow(QStringLiteral("Gra:"), eGame);
    facts->addRow(QStringLiteral("System:"), eSystem);
    facts->addRow(QStringLiteral("Liczba skreśleń"), eK);
    facts->addRow(QStringLiteral("Ilość liczb:"), eN);
    facts->addRow(QStringLiteral("Liczba kombinacji:"), eCComb);
    facts->addRow(QStringLiteral("Koszt systemu:"), eCost);
    auto *edits = new QFormLayout;
    const auto addRow = [edits, this](const QString &Caption, QWidget *Field) {
        auto *label = new QLabel(Caption, this);
        label->setBuddy(Field);
        edits->addRow(label, Field);
    };
    addRow(QStringLiteral("&Data wysłania:"), dtDate);
    addRow(QStringLiteral("&Stawka:"), seRate);
    addRow(QStringLiteral("&Wygrana:"), seWin);
    addRow(QStringLiteral("&Trafienia:"), sgHits);
    auto *columns = new QHBoxLayout;
    columns->addLayout(facts);
    columns->addLayout(edits);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

TfrmHistEdit::~TfrmHistEdit() = default;

void TfrmHistEdit::SetItem(const THistoryItem &Entry)
{
    *FItem = Entry;
    dtDate->setDate(ToQDate(Entry.Date));
    seRate->SetValue(Entry.Multiplier);
    seWin->setText(
        QString::fromStdString(CurrToStr(Entry.Win)).replace(QLatin1Char(','), localeDecimalSeparator()));
    const int index = Games.GameIndexOfId(uint8_t(Entry.GameId));
    const TGameData *game = Entry.GameId <= 0xFF && index >= 0 ? Games.GetGame(index) : nullptr;
    int top = Entry.K;
    if (game) {
        THitsInfo hits;
        hits.Init(game->Info, Entry.N, Entry.K, true);
        top = hits.HighHits;
        eGame->setText(QString::fromStdString(game->Info.Name));
    }
    // The entry counts ten levels at most.
    FTopLevel = std::clamp(top, 0, HistoryHitLevels);
    sgHits->setRowCount(std::max(FTopLevel, 1) + 1);
    for (int row = 1; row <= FTopLevel; ++row) {
        const int level = LevelOfRow(row);
        sgHits->setCells(0, row, QStringLiteral("'%1'").arg(level));
        sgHits->setCells(1, row, QString::number(Entry.Hits[size_t(HistoryHitLevels - level)]));
    }
    eSystem->setText(SystemKindName(Entry.SysKind));
    eK->setText(QString::number(Entry.K));
    eN->setText(QString::number(Entry.N));
    eCComb->setText(CountText(Entry.CombCount));
    eCost->setText(QString::fromStdString(MoneyToStr(Entry.Cost)));
}

void TfrmHistEdit::btnOKClick()
{
    THistoryItem edited = *FItem;
    for (int row = 1; row <= FTopLevel; ++row)
        if (!ReadCount(sgHits->Cells(1, row), edited.Hits[size_t(HistoryHitLevels - LevelOfRow(row))])) {
            MsgBox(QStringLiteral("Wartości w tabeli trafień nie zostały właściwie wprowadzone."), QString(),
                   MsgFlagsNotice);
            return;
        }
    edited.Date = FromQDate(dtDate->date());
    edited.Multiplier = uint16_t(SpinValue(seRate));
    // The text is read as money directly: the largest win has more digits than a real number keeps.
    Currency win;
    if (!TryStrToCurr(seWin->text().replace(localeDecimalSeparator(), QLatin1Char(',')).toStdString(), win))
        win = Currency();
    edited.Win = std::clamp(win, Currency(), MaxWinAmount);
    edited.Profit = edited.Win - edited.Cost;
    Modified = !SameRecord(edited, *FItem);
    *FItem = edited;
    done(1);
}
