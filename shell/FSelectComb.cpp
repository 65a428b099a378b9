#include "shell/FSelectComb.h"

#include "core/UComb.h"
#include "engine/UDrawsDB.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalMessages.h"
#include "shell/FReadComb.h"
#include "shell/GuardedConnect.h"
#include "shell/NumberPad.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <string>

namespace {

constexpr QSize PadButtonSize(27, 27);
constexpr int PadColumns = 10;
constexpr int PadMargin = 6;

QString NumbersText(const TDynByteArr &Comb, std::string_view Fmt)
{
    std::string text;
    CombToStr(Comb.data(), uint8_t(Comb.size()), Fmt, text, 1);
    return QString::fromStdString(text);
}

QPlainTextEdit *NewMemo(QWidget *Parent, bool ReadOnly)
{
    auto *memo = new QPlainTextEdit(Parent);
    memo->setReadOnly(ReadOnly);
    memo->setTabChangesFocus(true);
    FitMemoLines(memo, 3);
    return memo;
}

} // namespace

TfrmSelectComb::TfrmSelectComb(QWidget *parent) : QDialog(parent)
{
    CreateControls();
    Clear();
}

void TfrmSelectComb::CreateControls()
{
    gbKey = new TNumberPad(this);
    gbKey->OnChange = guardedCall(this, &TfrmSelectComb::SelectionChanged);

    gbSelected = new QGroupBox(QStringLiteral("Wybrane liczby"), this);
    lblToSelect = new QLabel(gbSelected);
    lblSelected = new QLabel(gbSelected);
    txtSelected = NewMemo(gbSelected, true);
    txtSelected->setFont(QFont(QStringLiteral("Courier New"), 9));
    auto *selected = new QGridLayout(gbSelected);
    selected->addWidget(new QLabel(QStringLiteral("Do wybrania :"), gbSelected), 0, 0);
    selected->addWidget(lblToSelect, 0, 1);
    selected->addWidget(new QLabel(QStringLiteral("Wybrano :"), gbSelected), 1, 0);
    selected->addWidget(lblSelected, 1, 1);
    selected->setColumnStretch(1, 1);
    selected->addWidget(txtSelected, 2, 0, 1, 2);

    gbInput = new QGroupBox(QStringLiteral("&Kombinacja z klawiatury "), this);
    eInput = NewMemo(gbInput, false);
    btnReadNums = new QPushButton(QStringLiteral("&Wczytaj"), gbInput);
    connectGuarded(btnReadNums, &QPushButton::clicked, this, &TfrmSelectComb::btnReadNumsClick);
    auto *input = new QHBoxLayout(gbInput);
    input->addWidget(eInput, 1);
    input->addWidget(btnReadNums, 0, Qt::AlignTop);

    gbDate = new QGroupBox(this);
    auto *dateLabel = new QLabel(QStringLiteral("&Data losowania:"), gbDate);
    dtDateDraw = NewDateEdit(gbDate);
    dateLabel->setBuddy(dtDateDraw);
    auto *date = new QHBoxLayout(gbDate);
    date->addWidget(dateLabel);
    date->addWidget(dtDateDraw);
    date->addStretch(1);

    btnReset = new QPushButton(QStringLiteral("Wy&czyść"), this);
    connectGuarded(btnReset, &QPushButton::clicked, gbKey, &TNumberPad::Clear);
    btnRead = new QPushButton(QStringLiteral("Wc&zytaj..."), this);
    connectGuarded(btnRead, &QPushButton::clicked, this, &TfrmSelectComb::btnReadClick);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmSelectComb::btnOKClick);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {btnReset, btnRead, btnOK, btnCancel})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(gbSelected);
    right->addWidget(gbInput);
    right->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(gbKey, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addWidget(gbDate);
}

void TfrmSelectComb::Clear()
{
    MinLen = 1;
    MaxLen = 1;
    MaxNumber = 1;
    Mode = scmNumbers;
    Default.clear();
    Key.clear();
    Editing = false;
    Sorted = true;
    DrawsMan = nullptr;
    Date = 0;
    Count = 0;
    Numbers.clear();
}

void TfrmSelectComb::Prepare()
{
    switch (Mode) {
    case scmDraw:
        setWindowTitle(Editing ? QStringLiteral("Edycja losowania") : QStringLiteral("Nowe losowanie"));
        break;
    case scmComb:
        setWindowTitle(Editing ? QStringLiteral("Edycja kombinacji") : QStringLiteral("Nowa kombinacja"));
        break;
    default:
        setWindowTitle(QStringLiteral("Wybór kombinacji"));
        break;
    }
    gbKey->Sorted = Sorted;
    gbKey->Build(MaxNumber, PadButtonSize, PadColumns, PadMargin);
    lblToSelect->setText(MinLen == MaxLen ? QString::number(MinLen)
                                          : QString::number(MinLen) + QStringLiteral(" -  ") + QString::number(MaxLen));
    gbDate->setVisible(Mode == scmDraw);
    if (Mode == scmDraw)
        dtDateDraw->setDate(ToQDate(Editing ? Date : std::floor(Now())));
    // The key first, so that no number of the default outside it is chosen.
    if (!Key.empty())
        gbKey->RestrictTo(Key);
    ApplyComb(Default);
}

void TfrmSelectComb::ApplyComb(const TDynByteArr &Comb)
{
    gbKey->Load(Comb);
    eInput->setPlainText(NumbersText(gbKey->Chosen(), "%d "));
}

void TfrmSelectComb::SelectionChanged()
{
    const int count = int(gbKey->Chosen().size());
    lblSelected->setText(QString::number(count));
    txtSelected->setPlainText(NumbersText(gbKey->Chosen(), "%2d "));
    btnOK->setEnabled(MinLen <= count && count <= MaxLen);
}

void TfrmSelectComb::btnReadNumsClick()
{
    TTextToComb parser;
    parser.Init(uint8_t(MaxNumber), uint8_t(MaxLen));
    if (parser.Parse(eInput->toPlainText().toStdString(), Sorted, true))
        ApplyComb(TDynByteArr(parser.Comb.begin(), parser.Comb.begin() + parser.Count));
}

void TfrmSelectComb::btnReadClick()
{
    if (const auto numbers = ReadCombSet(this))
        ApplyComb(*numbers);
}

void TfrmSelectComb::btnOKClick()
{
    const TDynByteArr &chosen = gbKey->Chosen();
    if (int(chosen.size()) < MinLen || int(chosen.size()) > MaxLen) {
        MsgBox(QStringLiteral("Nie wybrano odpowiedniej ilości liczb."), QString(), MsgFlagsNotice);
        return;
    }
    const TDateTime date = FromQDate(dtDateDraw->date());
    if (Mode == scmDraw && DrawsMan && !(Editing && date == std::floor(Date)) && DrawsMan->IndexOfDate(date) >= 0) {
        MsgBox(QStringLiteral("Istnieje już losowanie o takiej dacie!"), QString(), MsgFlagsNotice);
        return;
    }
    Numbers = chosen;
    Count = int(Numbers.size());
    Date = date;
    accept();
}

std::optional<TSelectedComb> SelectComb(QWidget *Owner, const std::function<void(TfrmSelectComb &)> &Setup)
{
    TfrmSelectComb dialog(Owner);
    dialog.Clear();
    Setup(dialog);
    dialog.Prepare();
    if (platform::execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return TSelectedComb{dialog.Numbers, dialog.Date};
}
