#include "syswindows/FHistItem.h"

#include "controls/FloatSpin.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalMessages.h"
#include "shell/GuardedConnect.h"
#include "syswindows/UHistory.h"

#include <QDate>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxMultiplier = 10000;

} // namespace

TfrmHistItem::TfrmHistItem(QWidget *parent) : QDialog(parent), FResult(std::make_unique<THistoryAddResult>())
{
    setWindowTitle(QStringLiteral("Historia"));
    dtDate = NewDateEdit(this);
    seRate = NewIntSpin(this, 1, MaxMultiplier, 1);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmHistItem::btnOKClick);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Data wysłania:"), dtDate);
    fields->addRow(QStringLiteral("Stawka"), seRate);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

TfrmHistItem::~TfrmHistItem() = default;

void TfrmHistItem::SetSystem(const TSystem *System)
{
    FSystem = System;
    dtDate->setDate(QDate::currentDate());
    seRate->SetValue(1);
}

void TfrmHistItem::btnOKClick()
{
    *FResult = AddToHistory(uint16_t(SpinValue(seRate)), *FSystem, FromQDate(dtDate->date()));
    done(1);
}

void AddSystemToHistory(QWidget *Parent, const TSystem &System)
{
    TfrmHistItem dialog(Parent);
    dialog.SetSystem(&System);
    if (platform::execModal(dialog) != 1)
        return;
    const THistoryAddResult &result = dialog.Result();
    if (!result.DamagedKeptAs.empty())
        MsgBox(QStringLiteral("Plik historii był uszkodzony i został zachowany jako ") +
                   QString::fromStdString(result.DamagedKeptAs) + QLatin1Char('.'),
               QString(), MsgFlagsNotice);
    if (result.Written)
        MsgBox(QStringLiteral("System został zapisany."), QString(), MsgFlagsInformation);
    else
        MsgBox(QStringLiteral("Nie można zapisać systemu w historii."), QString(), MsgFlagsNotice);
}
