// The report forms of the statistics windows.
#include "statwindows/FStatGeneral.h"

#include "controls/StringAlignGrid.h"
#include "core/UGlobalUtils.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalDrawsRange.h"

#include <utility>

std::string TGenStatForm::ReportHeader(const std::string &StatName, const std::string &RangeTitle) const
{
    std::string header =
        "Gra        : " + Game->Info.Name + "#" + "Statystyka : " + StatName + "#" + " #" + "Parametry#";
    // The draws the tables were computed over, whatever range the window shows by now.
    if (FromDraws)
        header += RangeTitle + "#" + ReportRangeLines(Stat->Range);
    else
        header += System->GetDescription(false) + "#";
    return header;
}

void TGenStatForm::ReportRows(const TStringAlignGrid &Grid, const std::string &SheetName, const std::string &Header,
                              std::vector<TReportTable> Further)
{
    RunRowsReport(this, Grid, SheetName, Header, CountChar(Header, '#') + 4, std::move(Further));
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
    std::vector<TReportTable> tables;
    for (size_t i = 0; i < Items.size(); ++i) {
        if (!ReportItems[i])
            continue;
        const bool sameSheet = !tables.empty() && tables.back().SheetName == Items[i].SheetName;
        tables.push_back({Items[i].SheetName, TReportGrid::Take(*Items[i].Grid), Items[i].Caption, sameSheet});
    }
    RunTablesReport(this, Header, FirstGridRow, std::move(tables));
}
