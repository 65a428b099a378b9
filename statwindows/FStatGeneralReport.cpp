// The report forms of the statistics windows.
#include "statwindows/FStatGeneral.h"

#include "controls/StringAlignGrid.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalDrawsRange.h"

#include <algorithm>

std::string TGenStatForm::ReportHeader(const std::string &StatName, const std::string &RangeTitle) const
{
    std::string header =
        "Gra        : " + Game->Info.Name + "#" + "Statystyka : " + StatName + "#" + " #" + "Parametry#";
    if (FromDraws)
        header += RangeTitle + "#" + ReportRangeLines(Range.Range);
    else
        header += System->GetDescription(false) + "#";
    return header;
}

void TGenStatForm::ReportRows(const TStringAlignGrid &Grid, TRowsReportProc Proc)
{
    if (!ExcelAvailable())
        return;
    const std::optional<TReportRows> rows = AskReportRows(this, Grid.RowCount());
    if (!rows)
        return;
    RunExcelReport(this, [rows = *rows, Proc = std::move(Proc)](const TMyThread &Thread, TEReport &Report,
                                                                TProgress &Progress) {
        Proc(rows, Thread, Report, Progress);
    });
}

void TGenStatForm::ReportTables(const std::vector<TReportItem> &Items, const std::string &Header,
                                int FirstGridRow)
{
    if (!ExcelAvailable())
        return;
    std::vector<QString> names;
    std::vector<bool> enabled;
    for (const TReportItem &item : Items) {
        names.push_back(item.Name);
        enabled.push_back(item.Enabled);
    }
    const std::optional<std::vector<bool>> checked = AskReportItems(this, names, enabled);
    if (!checked)
        return;
    ReportItems = *checked;
    std::vector<const TStringAlignGrid *> grids;
    for (const TReportItem &item : Items)
        grids.push_back(item.Grid);
    RunExcelReport(this, [this, Items, Header, FirstGridRow, grids](const TMyThread &Thread, TEReport &Report,
                                                                    TProgress &Progress) {
        Progress.Init(10000, ReportProgressTotal(grids, ReportItems), 0);
        Report.AddSheets(int(std::count(ReportItems.begin(), ReportItems.end(), true)));
        Report.WriteHeader(2, Header);
        int sheet = 0;
        for (size_t i = 0; i < Items.size(); ++i) {
            if (!ReportItems[i])
                continue;
            if (++sheet > 1)
                Report.SelectSheet(sheet);
            Report.SetSheetName(Items[i].SheetName);
            Report.WriteGrid(sheet == 1 ? FirstGridRow : 2, 2, *Items[i].Grid, Thread, Progress, -1, -1);
            if (Report.Stopped(Thread))
                return;
        }
        Report.ShowExcel();
    });
}
