#include "output/FPrintSystem.h"

#include "controls/FloatSpin.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGame.h"
#include "engine/USysGeneral.h"
#include "output/UBlankPrint.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/Printer.h"
#include "shell/GuardedConnect.h"
#include "shell/FGlobalMessages.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double MarginLimit = 100;
constexpr int CancelResult = 2;

TFloatSpin *NewSpin(QWidget *Parent, uint8_t Precision, double Min, double Max)
{
    auto *spin = new TFloatSpin(Parent);
    spin->SetPrecision(Precision);
    spin->SetMaxValue(Max);
    spin->SetMinValue(Min);
    spin->Loaded();
    return spin;
}

void AddRow(QFormLayout *Form, const QString &Caption, TFloatSpin *Spin)
{
    auto *label = new QLabel(Caption);
    label->setBuddy(Spin);
    Form->addRow(label, Spin);
}

void SetRange(TFloatSpin *Spin, int Min, int Max, int Value)
{
    Spin->SetMinValue(Min);
    Spin->SetMaxValue(Max);
    Spin->SetValue(Value);
}

// Within the edit's range only.
void ApplyStored(TFloatSpin *Spin, int Value)
{
    if (Value >= Spin->MinValue() && Value <= Spin->MaxValue())
        Spin->SetValue(Value);
}

// Tells that Job went to the printer, or that the printer did not take it.
void TellPrinted(bool Sent, const QString &Job)
{
    if (Sent)
        MsgBox(Job + QStringLiteral(" wysłano do drukarki."), QString(), MsgFlagsInformation);
    else
        MsgBox(QStringLiteral("Nie można rozpocząć wydruku."), QString(), MsgFlagsNotice);
}

} // namespace

TfrmPrintSystem::TfrmPrintSystem(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 505);
    setWindowTitle(QStringLiteral("Drukowanie systemu"));

    cbForms = new QComboBox(this);
    auto *formsLabel = new QLabel(QStringLiteral("Rodzaj &kuponu:"), this);
    formsLabel->setBuddy(cbForms);

    gbMargins = new QGroupBox(QStringLiteral("Marginesy"), this);
    sePosY = NewSpin(gbMargins, 1, -MarginLimit, MarginLimit);
    sePosX = NewSpin(gbMargins, 1, -MarginLimit, MarginLimit);
    auto *margins = new QFormLayout(gbMargins);
    AddRow(margins, QStringLiteral("&Górny:"), sePosY);
    AddRow(margins, QStringLiteral("&Lewy:"), sePosX);

    gbExtra = new QGroupBox(QStringLiteral("Dodatkowe ustawienia"), this);
    seDraws = NewSpin(gbExtra, 0, 1, 1);
    seRate = NewSpin(gbExtra, 0, 1, 1);
    auto *extra = new QFormLayout(gbExtra);
    AddRow(extra, QStringLiteral("Liczba &losowań:"), seDraws);
    AddRow(extra, QStringLiteral("Sta&wka:"), seRate);

    gbSlips = new QGroupBox(QStringLiteral("Wybór kuponów"), this);
    seFrom = NewSpin(gbSlips, 0, 1, 1);
    seTo = NewSpin(gbSlips, 0, 1, 1);
    seFrom->LargeInc = 10;
    seTo->LargeInc = 10;
    auto *slips = new QFormLayout(gbSlips);
    AddRow(slips, QStringLiteral("&Od:"), seFrom);
    AddRow(slips, QStringLiteral("&Do:"), seTo);
    seTo->OnChange = guardedCall(this, &TfrmPrintSystem::seToChange);

    btnPrint = new QPushButton(QStringLiteral("D&rukuj"), this);
    btnPrint->setDefault(true);
    btnTest = new QPushButton(QStringLiteral("&Test"), this);
    btnClose = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnPrint, &QPushButton::clicked, this, &TfrmPrintSystem::btnPrintClick);
    connectGuarded(btnTest, &QPushButton::clicked, this, &TfrmPrintSystem::btnTestClick);
    connectGuarded(btnClose, &QPushButton::clicked, this, [this] { done(CancelResult); });
    connectGuarded(cbForms, &QComboBox::currentIndexChanged, this, &TfrmPrintSystem::cbFormsChange);

    Enter = new QAction(this);
    Enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connectGuarded(Enter, &QAction::triggered, this, [this] { done(CancelResult); });
    Esc = new QAction(this);
    Esc->setShortcut(QKeySequence(Qt::Key_Escape));
    connectGuarded(Esc, &QAction::triggered, this, [this] { done(CancelResult); });
    addActions({Enter, Esc});

    auto *top = new QHBoxLayout;
    top->addWidget(formsLabel);
    top->addWidget(cbForms, 1);
    auto *groups = new QGridLayout;
    groups->addWidget(gbMargins, 0, 0);
    groups->addWidget(gbExtra, 0, 1);
    groups->addWidget(gbSlips, 1, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnTest);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

void TfrmPrintSystem::FormShow()
{
    if (PrintForms.Count() == 0)
        return;
    {
        const QSignalBlocker blocker(cbForms);
        cbForms->clear();
        for (int i = 0; i < PrintForms.Count(); ++i)
            cbForms->addItem(QString::fromStdString(PrintForms.GetForm(i)->Name));
        cbForms->setCurrentIndex(0);
    }
    Layout = PrintForms.GetForm(0);
    LoadSettings();
    SetRanges();
    SetExtraEdits();
    ComputePrinterScale();
}

void TfrmPrintSystem::cbFormsChange(int Index)
{
    if (!Layout || Index < 0 || Index >= PrintForms.Count())
        return;
    SaveSettings();
    Layout = PrintForms.GetForm(Index);
    SetExtraEdits();
    LoadSettings();
    SetRanges();
}

void TfrmPrintSystem::seToChange()
{
    seFrom->SetMaxValue(seTo->Value());
}

void TfrmPrintSystem::SetLayoutOrigin()
{
    ComputePrinterScale();
    Layout->SetOrigin(sePosX->CheckValue(sePosX->Value()), sePosY->CheckValue(sePosY->Value()));
}

void TfrmPrintSystem::btnPrintClick()
{
    if (!Layout)
        return;
    SetLayoutOrigin();
    const auto [from, to] = ChosenSlips();
    if (from > to)
        return;
    TellPrinted(PrintSlips(from, to),
                from == to ? QStringLiteral("Kupon %1").arg(from) : QStringLiteral("Kupony %1 - %2").arg(from).arg(to));
}

void TfrmPrintSystem::btnTestClick()
{
    if (!Layout)
        return;
    SetLayoutOrigin();
    TellPrinted(Layout->TestPrint(), QStringLiteral("Stronę próbną"));
}

void TfrmPrintSystem::done(int Result)
{
    if (Layout)
        SaveSettings();
    QDialog::done(Result);
}

std::string TfrmPrintSystem::RegistrySection() const
{
    return "Blanc\\" + std::to_string(Layout->Game->Id) + "\\" + std::to_string(Layout->FormId);
}

void TfrmPrintSystem::LoadSettings()
{
    ProgramReg.SetSection(RegistrySection());
    sePosX->SetValue(ProgramReg.ReadFloat("XPos", 0));
    sePosY->SetValue(ProgramReg.ReadFloat("YPos", 0));
    if (Layout->Grid2.Present)
        ApplyStored(seDraws, ProgramReg.ReadInteger("Draws", 0));
    if (Layout->Grid3.Present)
        ApplyStored(seRate, ProgramReg.ReadInteger("Rate", 0));
}

void TfrmPrintSystem::SaveSettings()
{
    ProgramReg.SetSection(RegistrySection());
    ProgramReg.WriteFloat("XPos", sePosX->CheckValue(sePosX->Value()));
    ProgramReg.WriteFloat("YPos", sePosY->CheckValue(sePosY->Value()));
    if (Layout->Grid2.Present)
        ProgramReg.WriteInteger("Draws", int32_t(seDraws->IntegerInRange()));
    if (Layout->Grid3.Present)
        ProgramReg.WriteInteger("Rate", int32_t(seRate->IntegerInRange()));
}

int TfrmPrintSystem::SlipCount() const
{
    const int rows = System ? System->ViewCount() : 0;
    return (rows + Layout->PanelCount - 1) / Layout->PanelCount;
}

void TfrmPrintSystem::SetRanges()
{
    const int slips = SlipCount();
    SetRange(seFrom, 1, slips, 1);
    SetRange(seTo, 1, slips, slips);
}

void TfrmPrintSystem::SetExtraEdits()
{
    const TExtraGrid &stake = Layout->Grid3;
    seRate->setEnabled(stake.Present);
    if (stake.Present)
        SetRange(seRate, stake.Low, stake.High, stake.Low);
    const TExtraGrid &draws = Layout->Grid2;
    seDraws->setEnabled(draws.Present);
    if (draws.Present) {
        if (draws.Low < 2)
            SetRange(seDraws, draws.Low, draws.High, draws.Low);
        else
            SetRange(seDraws, 1, draws.High, 1);
    }
}

std::pair<int, int> TfrmPrintSystem::ChosenSlips() const
{
    const int slips = SlipCount();
    if (slips == 0)
        return {1, 0};
    const auto toSlip = [slips](int64_t Value) { return int(std::max<int64_t>(1, std::min<int64_t>(Value, slips))); };
    return {toSlip(seFrom->GetAsInteger()), toSlip(seTo->GetAsInteger())};
}

bool TfrmPrintSystem::PrintSlips(int From, int To)
{
    platform::TPrinter &printer = platform::Printer();
    if (!printer.BeginDoc())
        return false;
    for (int p = From; p <= To; ++p)
        PrintSlip(p, To);
    printer.EndDoc();
    return true;
}

void TfrmPrintSystem::PrintSlip(int P, int LastSlip)
{
    const int first = (P - 1) * Layout->PanelCount;
    const int last = std::min(first + Layout->PanelCount - 1, System->ViewCount() - 1);
    for (int row = first; row <= last; ++row)
        Layout->DrawComb(row - first + 1, System->GetComb(row, true), System->K);
    const auto inGrid = [](const TExtraGrid &Grid, int64_t Value) {
        return Grid.Present && Value >= Grid.Low && Value <= Grid.High;
    };
    if (inGrid(Layout->Grid1, System->K))
        Layout->DrawGrid1Cell(System->K);
    if (const int64_t draws = seDraws->GetAsInteger(); inGrid(Layout->Grid2, draws))
        Layout->DrawGrid2Cell(int(draws));
    if (const int64_t rate = seRate->GetAsInteger(); inGrid(Layout->Grid3, rate))
        Layout->DrawGrid3Cell(int(rate));
    Layout->DrawCaption(P, first + 1, last + 1);
    if (Layout->HasMarker)
        Layout->DrawMarker();
    if (P < LastSlip)
        platform::Printer().NewPage();
}
