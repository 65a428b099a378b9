// The combination check's report: the parameters of the last check as header lines, the draws table on
// the first sheet and the numbers table on the second.
#include "syswindows/FCheckComb.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "shell/FGlobalDrawsRange.h"

#include <array>

namespace {

// The header's lines end in row 13.
constexpr int GridRow = 16;

} // namespace

std::string TfrmCheckComb::ReportHeader() const
{
    static const std::array<std::string, 4> groupNames = {"Dzień", "Tydzień", "Miesiąc", "Rok"};
    // The numbers without the blank that follows the last one.
    std::string comb;
    CombToStr(Results.Comb.data(), uint8_t(Results.Comb.size()), "%2d ", comb, 1);
    return "Gra       : " + Game->Info.Name + "#" + "Narzędzie : Sprawdzenie kombinacji#" + " #" + "Parametry#" +
           " Zakres danych#" + ReportRangeLines(ReportRange) + " #" + " Kombinacja         : " + comb + "#" +
           " Stopnie wygranych  : Od " + std::to_string(Results.HitFrom) + " do " +
           std::to_string(Results.HitTo) + "#" + " Rodzaj grupowania  : " + groupNames[GroupType] + "#";
}

void TfrmCheckComb::Report()
{
    if (!ExcelAvailable())
        return;
    RunTablesReport(this, ReportHeader(), GridRow,
                    {{"Kombinacja", TReportGrid::Take(*Grid1)}, {"Liczby kombinacji", TReportGrid::Take(*Grid2)}});
}
