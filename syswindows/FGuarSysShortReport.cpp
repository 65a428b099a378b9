// The guarantee window's report: its details and, unless the system is full, its summary.
#include "syswindows/FGuarSysShort.h"

#include "core/ProgramLocale.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"

#include <optional>
#include <utility>

namespace {

// The first grid below the heading.
constexpr int FirstGridRow = 8;

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
    std::vector<TReportTable> tables;
    if (ReportDetails)
        tables.push_back({"Szczegóły", TReportGrid::Take(*sgDetails)});
    if (ReportSummary)
        tables.push_back({"Podsumowanie", TReportGrid::Take(*sgTotal)});
    RunTablesReport(this, header, FirstGridRow, std::move(tables));
}
