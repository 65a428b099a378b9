#pragma once
// A spreadsheet workbook held in memory: sheets of cells with text and a style each, column widths and
// row heights, written as an .xlsx file. Formats act on blocks of cells with the spreadsheet's rules:
// every cell of the block takes the format, written yet or not; borders are kept per cell side, and an
// edge shared by two cells is set on both, so a later assignment wins. Rows and columns count from 0.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

enum class THorzAlign : uint8_t { General, Left, Center, Right };
enum class TVertAlign : uint8_t { Bottom, Center };
enum class TBorderWeight : uint8_t { None, Thin, Medium };
enum TCellSide : uint8_t { sideLeft, sideTop, sideRight, sideBottom };

// Colours here are 0xRRGGBB.
struct TBorderLine {
    TBorderWeight Weight = TBorderWeight::None;
    uint32_t Color = 0;

    bool operator==(const TBorderLine &) const = default;
};

struct TCellStyle {
    std::string FontName = "Calibri"; // the workbook's default font
    double FontSize = 11;
    bool Bold = false;
    THorzAlign HorzAlign = THorzAlign::General;
    TVertAlign VertAlign = TVertAlign::Bottom;
    bool WrapText = false;
    std::string NumberFormat; // empty: General
    std::optional<uint32_t> Fill;
    std::array<TBorderLine, 4> Borders; // by TCellSide

    bool operator==(const TCellStyle &) const = default;
};

// The styles of a workbook, each kept once; index 0 is the default style.
class TStyleTable {
public:
    TStyleTable();
    uint32_t Intern(const TCellStyle &Style);
    const TCellStyle &operator[](uint32_t Index) const { return FStyles[Index]; }
    size_t Count() const { return FStyles.size(); }

private:
    std::vector<TCellStyle> FStyles;
    std::unordered_multimap<size_t, uint32_t> FIndex; // by hash
};

struct TCell {
    bool HasText = false;
    std::string Text;
    uint32_t Style = 0;
};

// A block of cells from (Row1, Col1) to (Row2, Col2), corners in any order.
struct TCellRange {
    int Row1 = 0;
    int Col1 = 0;
    int Row2 = 0;
    int Col2 = 0;

    // The same block with Row1 <= Row2 and Col1 <= Col2.
    TCellRange Normalised() const;
};

// Which lines of a block a border assignment sets.
enum class TBorderPart : uint8_t {
    EdgeLeft,
    EdgeTop,
    EdgeRight,
    EdgeBottom,
    InsideVertical,
    InsideHorizontal
};

class TWorksheet {
public:
    TWorksheet(std::string Name, TStyleTable &Styles) : Name(std::move(Name)), FStyles(Styles) {}

    std::string Name;

    void SetText(int Row, int Col, std::string Text);
    // Changes the style of every cell of the block (creating the cells not written yet).
    void Format(const TCellRange &Block, const std::function<void(TCellStyle &Style)> &Change);
    void SetBorder(const TCellRange &Block, TBorderPart Part, TBorderLine Line);
    // Whole columns and whole rows of the block: widths in character units, heights in points.
    void SetColumnWidth(const TCellRange &Block, double Width);
    void SetRowHeight(const TCellRange &Block, double Points);

    // nullptr for a cell never written nor formatted.
    const TCell *Cell(int Row, int Col) const;
    const TCellStyle &StyleOf(const TCell &Cell) const { return FStyles[Cell.Style]; }
    std::optional<double> ColumnWidth(int Col) const;
    std::optional<double> RowHeight(int Row) const;
    int RowCount() const { return int(FRows.size()); }
    int ColCount(int Row) const { return int(FRows[size_t(Row)].size()); }
    std::vector<std::pair<int, double>> ColumnWidths() const;
    std::vector<std::pair<int, double>> RowHeights() const;

private:
    TCell &Ensure(int Row, int Col);
    TCell *Find(int Row, int Col);
    // Sets one side of a cell, and the facing side of its neighbour when that cell exists.
    void SetSide(int Row, int Col, TCellSide Side, TBorderLine Line);
    void ChangeSide(TCell &Cell, TCellSide Side, TBorderLine Line);

    TStyleTable &FStyles;
    std::vector<std::vector<TCell>> FRows;
    std::vector<std::optional<double>> FColWidths;
    std::vector<std::optional<double>> FRowHeights;
};

class TWorkbook {
public:
    // The width of a default column in character units and in pixels at 96 pixels per inch.
    static constexpr double DefaultColumnWidth = 8.43;
    static constexpr double DefaultColumnPixels = 64;

    // A new workbook holds one sheet, "Arkusz1".
    TWorkbook();

    TWorksheet &AddSheet();
    int SheetCount() const { return int(FSheets.size()); }
    TWorksheet &Sheet(int Index) { return *FSheets[size_t(Index)]; }
    const TWorksheet &Sheet(int Index) const { return *FSheets[size_t(Index)]; }
    const TStyleTable &Styles() const { return FStyles; }

private:
    TStyleTable FStyles;
    std::vector<std::unique_ptr<TWorksheet>> FSheets;
};

// Writes the workbook as an .xlsx file (one format per style in use) through writeFileAtomically; false
// when the file cannot be made or written.
bool writeXlsx(const TWorkbook &Workbook, const std::filesystem::path &FileName);

} // namespace platform
