#include "output/FGlobalReport.h"

#include "controls/StringAlignGrid.h"
#include "output/FExcelReport.h"
#include "output/FRowsRange.h"
#include "output/FSelRepItems.h"
#include "platform/gui/ModalHooks.h"
#include "shell/GridReportOpener.h"

std::optional<TReportRows> AskReportRows(QWidget *Owner, int RowCount)
{
    TfrmRowsRange dialog(Owner);
    dialog.MaxRow = RowCount - 1;
    if (platform::execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    if (dialog.AllRows)
        return TReportRows{RowCount, -1, -1};
    return TReportRows{dialog.ToRow - dialog.FromRow + 2, dialog.FromRow, dialog.ToRow};
}

std::optional<std::vector<bool>> AskReportItems(QWidget *Owner, const std::vector<QString> &Names,
                                                const std::vector<bool> &Enabled)
{
    TfrmSelRepItems dialog(Owner);
    dialog.SetItems(Names, Enabled);
    if (platform::execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.GetChecked();
}

namespace {

void ReportGrid(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow)
{
    if (!ExcelAvailable())
        return;
    const std::optional<TReportRows> rows = AskReportRows(Owner, Grid.RowCount());
    if (!rows)
        return;
    RunExcelReport(Owner, [&Grid, Header, GridRow, rows = *rows](const TMyThread &Thread, TEReport &Report,
                                                                 TProgress &Progress) {
        const int64_t cols = Grid.ColCount();
        Progress.Init(10000, 10 * (cols + 19) + cols * rows.Count, 0);
        Report.AddSheets(1);
        Report.WriteHeader(2, Header);
        Report.WriteGrid(GridRow, 2, Grid, Thread, Progress, rows.From, rows.To);
        if (!Report.Stopped(Thread))
            Report.ShowExcel();
    });
}

} // namespace

void InstallReports()
{
    SetGridReportOpener(ReportGrid);
}
