#include "shell/GridReportOpener.h"

#include "shell/WindowOpeners.h"

void OpenGridReport(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow)
{
    CallOpener(WindowOpeners().GridReport, Owner, Grid, Header, GridRow);
}
