#include "shell/FSelectComb.h"

#include "engine/UDrawsDB.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalMessages.h"
#include "shell/FReadComb.h"
#include "shell/GuardedConnect.h"
#include "shell/NumberPad.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

TfrmSelectComb::TfrmSelectComb(QWidget *parent) : QDialog(parent)
{
    CreateControls();
    Clear();
}

void TfrmSelectComb::CreateControls()
{
    gbKey = new TNumberPad(this);
    gbKey->OnChange = guardedCall(this, &TfrmSelectComb::SelectionChanged);

    static_cast<TNumberChoiceBoxes &>(*this) = BuildNumberChoiceBoxes(this);
    connectGuarded(btnReadNums, &QPushButton::clicked, this, &TfrmSelectComb::btnReadNumsClick);

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
    BuildChoicePad(*gbKey, MaxNumber);
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
    ShowChosen(gbKey->Chosen());
    btnOK->setEnabled(MinLen <= count && count <= MaxLen);
}

void TfrmSelectComb::btnReadNumsClick()
{
    if (const auto typed = TypedNumbers(MaxNumber, MaxLen, Sorted))
        ApplyComb(*typed);
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

std::optional<TSelectedComb> SelectNumbers(QWidget *Owner, const TNumbersChoice &Choice)
{
    return SelectComb(Owner, [&Choice](TfrmSelectComb &Dialog) {
        Dialog.MinLen = Choice.MinLen;
        Dialog.MaxLen = Choice.MaxLen;
        Dialog.MaxNumber = Choice.MaxNumber;
        Dialog.Mode = scmNumbers;
        Dialog.Default = Choice.Default;
        Dialog.Key = Choice.Key;
    });
}
