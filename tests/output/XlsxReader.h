#pragma once
// Reads back what the report wrote: an .xlsx file unpacked with the system's unzip and its XML parts
// parsed (sheet names, cell texts with their resolved styles, column widths, row heights), and the
// sheets as LibreOffice converts them to CSV. A missing tool fails the test.

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct XlsxBorder {
    std::string Style; // "" none, "thin", "medium"
    std::string Color; // "FF808080"
};

struct XlsxCell {
    bool HasValue = false;
    std::string Text;
    std::string NumberFormat; // "General" or the format code
    std::string Font;
    double FontSize = 0;
    bool Bold = false;
    std::string Horizontal; // "" general, "left", "center", "right"
    std::string Vertical;   // "" bottom, "center"
    bool Wrap = false;
    std::string Fill;       // "" none, else the colour "FFRRGGBB"
    std::array<XlsxBorder, 4> Borders; // left, top, right, bottom
};

struct XlsxSheet {
    std::string Name;
    std::map<std::string, XlsxCell> Cells; // by reference "B2"
    std::map<int, double> ColWidths;        // by 1-based column
    std::map<int, double> RowHeights;       // rows written, by 1-based row: their height or the default

    // The cell, or an empty one (no value, default style) when the sheet has none there.
    const XlsxCell &At(const std::string &Ref) const;
};

std::vector<XlsxSheet> readXlsx(const std::filesystem::path &File);

// The sheets converted by LibreOffice headless to CSV, one file per sheet: rows of fields by sheet name.
using CsvRows = std::vector<std::vector<std::string>>;
std::map<std::string, CsvRows> convertToCsv(const std::filesystem::path &File);

// The width the file stores for a column of Width units: whole pixels of a 7-pixel digit plus 5 pixels
// of padding, in 1/256 of a unit.
double storedColumnWidth(double Width);

} // namespace testsupport
