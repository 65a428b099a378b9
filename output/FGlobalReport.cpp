#include "output/FGlobalReport.h"

#include "controls/StringAlignGrid.h"
#include "output/FExcelReport.h"
#include "output/FRowsRange.h"
#include "output/FSelRepItems.h"
#include "platform/gui/ModalHooks.h"
#include "shell/GridReportOpener.h"

#include <utility>

std::optional<TReportRows> AskReportRows(QWidget *Owner, int RowCount)
{
    TfrmRowsRange dialog(Owner);
    dialog.MaxRow = RowCount - 1;
    if (platform::execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    if (dialog.AllRows)
        return TReportRows{-1, -1};
    return TReportRows{dialog.FromRow, dialog.ToRow};
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

void RunTablesReport(QWidget *Owner, const std::string &Header, int FirstGridRow, std::vector<TReportTable> Tables)
{
    if (Tables.empty())
        return;
    RunExcelReport(Owner, [Header, FirstGridRow, Tables = std::move(Tables)](const TMyThread &Thread, TEReport &Report,
                                                                             TProgress &Progress) {
        int64_t total = 0;
        for (const TReportTable &table : Tables)
            total += ReportProgressTotal(table.Grid);
        Progress.Init(10000, total, 0);
        Report.AddSheets(int(Tables.size()));
        Report.WriteHeader(2, Header);
        for (size_t i = 0; i < Tables.size(); ++i) {
            if (i > 0)
                Report.SelectSheet(int(i) + 1);
            if (!Tables[i].SheetName.empty())
                Report.SetSheetName(Tables[i].SheetName);
            Report.WriteGrid(i == 0 ? FirstGridRow : 2, 2, Tables[i].Grid, Thread, Progress);
            if (Report.Stopped(Thread))
                return;
        }
        Report.ShowExcel();
    });
}

void RunRowsReport(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &SheetName,
                   const std::string &Header, int FirstGridRow, std::vector<TReportTable> Further)
{
    if (!ExcelAvailable())
        return;
    const std::optional<TReportRows> rows = AskReportRows(Owner, Grid.RowCount());
    if (!rows)
        return;
    Further.insert(Further.begin(), {SheetName, TReportGrid::Take(Grid, rows->From, rows->To)});
    RunTablesReport(Owner, Header, FirstGridRow, std::move(Further));
}

void InstallReports()
{
    SetGridReportOpener([](QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow) {
        RunRowsReport(Owner, Grid, std::string(), Header, GridRow);
    });
}
