#include "syswindows/FParSysShort.h"

#include "core/UGlobalRegistry.h"
#include "platform/gui/HelpContext.h"

#include <QCheckBox>
#include <QGroupBox>

TfrmParSysShort::TfrmParSysShort(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System skrócony - klasyczny"), {})
{
    platform::setHelpContext(this, 302);
    chkRandom = new QCheckBox(QStringLiteral("System losowy"), GroupBox1);
    AddParamRow(chkRandom);
}

void TfrmParSysShort::Init(const TGameData *Game, int AN, bool Empty, bool ARandom, int Kind, int ACount, int AK)
{
    if (!Empty)
        chkRandom->setChecked(ARandom);
    TGenParSysForm::Init(Game, Kind, Empty, AN, AK, ACount);
}

void TfrmParSysShort::ReadStoredParams()
{
    TGenParSysForm::ReadStoredParams();
    chkRandom->setChecked(ProgramReg.ReadBool("Rnd", false));
}

void TfrmParSysShort::WriteStoredParams() const
{
    TGenParSysForm::WriteStoredParams();
    ProgramReg.WriteBool("Rnd", Random);
}

void TfrmParSysShort::TakeOwnResults()
{
    Random = chkRandom->isChecked();
}
