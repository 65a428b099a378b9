#include "syswindows/FParSysRnd.h"
#include "platform/gui/HelpContext.h"

TfrmParSysRnd::TfrmParSysRnd(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System skrócony - losowy"), {.Count = true, .Hits = false})
{
    platform::setHelpContext(this, 304);
}
