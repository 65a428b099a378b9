#include "shell/GridReportOpener.h"

#include <utility>

namespace {

TGridReportOpener &Opener()
{
    static TGridReportOpener opener;
    return opener;
}

} // namespace

void SetGridReportOpener(TGridReportOpener NewOpener)
{
    Opener() = std::move(NewOpener);
}

void OpenGridReport(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow)
{
    if (Opener())
        Opener()(Owner, Grid, Header, GridRow);
}
