// The check window's report: the parameters of the last check as header lines, then the result grid.
#include "syswindows/FCheckSystem.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "shell/FGlobalDrawsRange.h"

#include <QRadioButton>

#include <array>

namespace {

// The header's own lines end in row 11 (12 with a line for the combination or the grouping).
constexpr int PlainGridRow = 14;
constexpr int NumbersGridRow = 15;
constexpr int GroupedGridRow = 16;

} // namespace

std::string TfrmCheckSystem::ReportHeader() const
{
    static const std::array<std::string, 3> typeNames = {"Zakres losowań", "Ostatnie losowanie", "Własne liczby"};
    static const std::array<std::string, 4> groupNames = {"Dzień", "Tydzień", "Miesiąc", "Rok"};
    std::string header = "Gra       : " + Game->Info.Name + "#" + "Narzędzie : Sprawdzenie systemu#" + " #" +
                         "Parametry#" + " Zakres danych#" + ReportRangeLines(ReportParams.Range) + " #" +
                         " Rodzaj sprawdzenia  : " + typeNames[ReportParams.CheckType] + "#";
    if (ReportParams.CheckType == ctNumbers) {
        // The numbers without the blank that follows the last one.
        std::string numbers;
        CombToStr(ReportParams.Numbers.data(), uint8_t(ReportParams.Numbers.size()), "%2d ", numbers, 1);
        header += "  Kombinacja         : " + numbers + "#";
    } else if (ReportParams.CheckType == ctRange) {
        header += " Rodzaj grupowania   : " + groupNames[GroupType] + "#";
    }
    return header;
}

void TfrmCheckSystem::Report()
{
    if (!ExcelAvailable())
        return;
    const std::string header = ReportHeader();
    const int gridRow = ReportParams.CheckType == ctNumbers  ? NumbersGridRow
                        : ReportParams.CheckType == ctRange ? GroupedGridRow
                                                             : PlainGridRow;
    RunTablesReport(this, header, gridRow, {{std::string(), TReportGrid::Take(*Grid)}});
}
