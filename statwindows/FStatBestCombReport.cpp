// The optimal combinations' report: the search's parameters below the common header lines, then the
// listed rows on the one sheet.
#include "statwindows/FStatBestComb.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "core/UGlobalUtils.h"
#include "engine/UGameMan.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"

namespace {

std::string NumbersLine(const TDynByteArr &Numbers)
{
    std::string text;
    CombToStr(Numbers.data(), uint8_t(Numbers.size()), "%2d ", text);
    return text;
}

} // namespace

std::string TfrmStatBestComb::ReportHeaderText() const
{
    const TSearchParams &p = Searched;
    const bool everyNumber = int(p.Key.size()) == Game->Info.MaxNumber;
    std::string header = ReportHeader("Optymalne kombinacje", " Zakres losowań") + " #" +
                         " Długość kombinacji   : " + std::to_string(p.CombLen) + "#" +
                         " Ilość liczb          : " + std::to_string(p.Key.size()) + "#" +
                         " Klucz                : " + (everyNumber ? "Wszystkie liczby" : NumbersLine(p.Key)) + "#" +
                         " Ilość liczb stałych  : " + std::to_string(p.Consts.size()) + "#";
    if (!p.Consts.empty())
        header += " Liczby stałe         : " + NumbersLine(p.Consts) + "#";
    header += " Rodzaj optymalizacji : " +
              (p.Weighted ? "Trafienia (" + std::to_string(p.HitFrom) + " - " + std::to_string(p.HitTo) + ")"
                          : std::string("Wygrana")) +
              "#";
    header += " Algorytm             : " +
              (p.Genetic ? "Przybliżony (liczba iteracji = " + std::to_string(p.MaxIter) + ")" : std::string("Dokładny")) +
              "#";
    return header;
}

void TfrmStatBestComb::Report()
{
    if (!ExcelAvailable())
        return;
    const std::string header = ReportHeaderText();
    // The rows three below the header's last line.
    RunTablesReport(this, header, CountChar(header, '#') + 4,
                    {{std::string(), TReportGrid::Take(*Grid, 1, int(Results.size()))}});
}
