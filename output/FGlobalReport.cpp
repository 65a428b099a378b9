#include "output/FGlobalReport.h"

#include "controls/StringAlignGrid.h"
#include "output/FExcelReport.h"
#include "output/FRowsRange.h"
#include "output/FSelRepItems.h"
#include "platform/gui/ModalHooks.h"
#include "shell/WindowOpeners.h"

#include <algorithm>
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
        const auto sheets = std::count_if(Tables.begin() + 1, Tables.end(), [](const TReportTable &T) { return !T.SameSheet; });
        Report.AddSheets(int(sheets) + 1);
        Report.WriteHeader(2, Header);
        int sheet = 1;
        int row = FirstGridRow;
        for (size_t i = 0; i < Tables.size(); ++i) {
            const TReportTable &table = Tables[i];
            if (i == 0 || !table.SameSheet) {
                if (i > 0) {
                    Report.SelectSheet(++sheet);
                    row = 2;
                }
                if (!table.SheetName.empty())
                    Report.SetSheetName(table.SheetName);
            }
            if (!table.Caption.empty())
                Report.WriteTextCell(row++, 2, table.Caption);
            Report.WriteGrid(row, 2, table.Grid, Thread, Progress);
            if (Report.Stopped(Thread))
                return;
            row += table.Grid.RowCount() + 1;
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

void InstallReports(TWindowOpeners &Openers)
{
    Openers.GridReport = [](QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header,
                            int GridRow) { RunRowsReport(Owner, Grid, std::string(), Header, GridRow); };
}
