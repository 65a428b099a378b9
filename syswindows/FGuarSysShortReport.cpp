// The guarantee window's report: its details and, unless the system is full, its summary.
#include "syswindows/FGuarSysShort.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"

#include <optional>

namespace {

// The grids below the heading on the first sheet; on a further sheet from its second row.
constexpr int FirstGridRow = 8;
constexpr int FurtherGridRow = 2;

} // namespace

void TfrmGuarSysShort::Report()
{
    if (State != 0 || !ExcelAvailable())
        return;
    ReportDetails = true;
    ReportSummary = false;
    if (!Set->System.IsFullInOrder()) {
        const std::optional<std::vector<bool>> chosen =
            AskReportItems(this, {QStringLiteral("Szczegóły"), QStringLiteral("Podsumowanie")}, {});
        if (!chosen)
            return;
        ReportDetails = (*chosen)[0];
        ReportSummary = (*chosen)[1];
    }
    const std::string header = "Gwarancja : " + Set->Description + "#" + " #" + "Parametry:#" +
                               " Dokładność gwarancji : " + FormatFloat("0.00000", Precision) + "#";
    struct TSheet {
        const char *Name;
        const TStringAlignGrid *Grid;
    };
    std::vector<TSheet> sheets;
    if (ReportDetails)
        sheets.push_back({"Szczegóły", sgDetails});
    if (ReportSummary)
        sheets.push_back({"Podsumowanie", sgTotal});
    if (sheets.empty())
        return;
    RunExcelReport(this, [header, sheets](const TMyThread &Thread, TEReport &Report, TProgress &Progress) {
        std::vector<const TStringAlignGrid *> grids;
        for (const TSheet &sheet : sheets)
            grids.push_back(sheet.Grid);
        Progress.Init(10000, ReportProgressTotal(grids, {}), 0);
        Report.AddSheets(int(sheets.size()));
        Report.WriteHeader(2, header);
        for (size_t i = 0; i < sheets.size(); ++i) {
            if (i > 0)
                Report.SelectSheet(int(i) + 1);
            Report.SetSheetName(sheets[i].Name);
            Report.WriteGrid(i == 0 ? FirstGridRow : FurtherGridRow, 2, *sheets[i].Grid, Thread, Progress, -1, -1);
            if (Report.Stopped(Thread))
                return;
        }
        Report.ShowExcel();
    });
}
