#include "syswindows/FParSysRnd.h"

TfrmParSysRnd::TfrmParSysRnd(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System skrócony - losowy"), {.Count = true, .Hits = false})
{
}
