#include "platform/gui/Workbook.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace platform {
namespace {

size_t StyleHash(const TCellStyle &S)
{
    size_t h = std::hash<std::string>()(S.FontName);
    const auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(std::hash<double>()(S.FontSize));
    mix(size_t(S.Bold) | size_t(S.HorzAlign) << 1 | size_t(S.VertAlign) << 4 | size_t(S.WrapText) << 6);
    mix(std::hash<std::string>()(S.NumberFormat));
    mix(S.Fill ? size_t(*S.Fill) + 1 : 0);
    for (const TBorderLine &line : S.Borders)
        mix(size_t(line.Weight) << 24 | line.Color);
    return h;
}

template <typename T> void SetRange(std::vector<std::optional<T>> &Items, int First, int Last, T Value)
{
    if (size_t(Last) >= Items.size())
        Items.resize(size_t(Last) + 1);
    for (int i = First; i <= Last; ++i)
        Items[size_t(i)] = Value;
}

template <typename T> std::vector<std::pair<int, T>> SetItems(const std::vector<std::optional<T>> &Items)
{
    std::vector<std::pair<int, T>> set;
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i])
            set.emplace_back(int(i), *Items[i]);
    return set;
}

} // namespace

TStyleTable::TStyleTable()
{
    Intern(TCellStyle());
}

uint32_t TStyleTable::Intern(const TCellStyle &Style)
{
    const size_t hash = StyleHash(Style);
    for (auto [it, end] = FIndex.equal_range(hash); it != end; ++it)
        if (FStyles[it->second] == Style)
            return it->second;
    const auto index = uint32_t(FStyles.size());
    FStyles.push_back(Style);
    FIndex.emplace(hash, index);
    return index;
}

TCellRange TCellRange::Normalised() const
{
    return {std::min(Row1, Row2), std::min(Col1, Col2), std::max(Row1, Row2), std::max(Col1, Col2)};
}

TCell &TWorksheet::Ensure(int Row, int Col)
{
    if (size_t(Row) >= FRows.size())
        FRows.resize(size_t(Row) + 1);
    std::vector<TCell> &row = FRows[size_t(Row)];
    if (size_t(Col) >= row.size())
        row.resize(size_t(Col) + 1);
    return row[size_t(Col)];
}

TCell *TWorksheet::Find(int Row, int Col)
{
    if (Row < 0 || Col < 0 || size_t(Row) >= FRows.size() || size_t(Col) >= FRows[size_t(Row)].size())
        return nullptr;
    return &FRows[size_t(Row)][size_t(Col)];
}

const TCell *TWorksheet::Cell(int Row, int Col) const
{
    return const_cast<TWorksheet *>(this)->Find(Row, Col);
}

void TWorksheet::SetText(int Row, int Col, std::string Text)
{
    TCell &cell = Ensure(Row, Col);
    cell.HasText = true;
    cell.Text = std::move(Text);
}

void TWorksheet::Format(const TCellRange &Block, const std::function<void(TCellStyle &Style)> &Change)
{
    const TCellRange b = Block.Normalised();
    // Cells of one style all change to the same new style.
    std::unordered_map<uint32_t, uint32_t> changed;
    for (int row = b.Row1; row <= b.Row2; ++row)
        for (int col = b.Col1; col <= b.Col2; ++col) {
            TCell &cell = Ensure(row, col);
            auto [it, inserted] = changed.try_emplace(cell.Style, 0);
            if (inserted) {
                TCellStyle style = FStyles[cell.Style];
                Change(style);
                it->second = FStyles.Intern(style);
            }
            cell.Style = it->second;
        }
}

void TWorksheet::ChangeSide(TCell &Cell, TCellSide Side, TBorderLine Line)
{
    if (FStyles[Cell.Style].Borders[Side] == Line)
        return;
    TCellStyle style = FStyles[Cell.Style];
    style.Borders[Side] = Line;
    Cell.Style = FStyles.Intern(style);
}

void TWorksheet::SetSide(int Row, int Col, TCellSide Side, TBorderLine Line)
{
    ChangeSide(Ensure(Row, Col), Side, Line);
    static constexpr int dRow[] = {0, -1, 0, 1};
    static constexpr int dCol[] = {-1, 0, 1, 0};
    if (TCell *neighbour = Find(Row + dRow[Side], Col + dCol[Side]))
        ChangeSide(*neighbour, TCellSide((Side + 2) % 4), Line);
}

void TWorksheet::SetBorder(const TCellRange &Block, TBorderPart Part, TBorderLine Line)
{
    const TCellRange b = Block.Normalised();
    switch (Part) {
    case TBorderPart::EdgeLeft:
    case TBorderPart::EdgeRight:
        for (int row = b.Row1; row <= b.Row2; ++row)
            SetSide(row, Part == TBorderPart::EdgeLeft ? b.Col1 : b.Col2,
                    Part == TBorderPart::EdgeLeft ? sideLeft : sideRight, Line);
        break;
    case TBorderPart::EdgeTop:
    case TBorderPart::EdgeBottom:
        for (int col = b.Col1; col <= b.Col2; ++col)
            SetSide(Part == TBorderPart::EdgeTop ? b.Row1 : b.Row2, col,
                    Part == TBorderPart::EdgeTop ? sideTop : sideBottom, Line);
        break;
    case TBorderPart::InsideVertical:
        for (int row = b.Row1; row <= b.Row2; ++row)
            for (int col = b.Col1; col < b.Col2; ++col) {
                Ensure(row, col + 1);
                SetSide(row, col, sideRight, Line);
            }
        break;
    case TBorderPart::InsideHorizontal:
        for (int row = b.Row1; row < b.Row2; ++row)
            for (int col = b.Col1; col <= b.Col2; ++col) {
                Ensure(row + 1, col);
                SetSide(row, col, sideBottom, Line);
            }
        break;
    }
}

void TWorksheet::SetColumnWidth(const TCellRange &Block, double Width)
{
    const TCellRange b = Block.Normalised();
    SetRange(FColWidths, b.Col1, b.Col2, Width);
}

void TWorksheet::SetRowHeight(const TCellRange &Block, double Points)
{
    const TCellRange b = Block.Normalised();
    SetRange(FRowHeights, b.Row1, b.Row2, Points);
}

std::optional<double> TWorksheet::ColumnWidth(int Col) const
{
    return size_t(Col) < FColWidths.size() ? FColWidths[size_t(Col)] : std::nullopt;
}

std::optional<double> TWorksheet::RowHeight(int Row) const
{
    return size_t(Row) < FRowHeights.size() ? FRowHeights[size_t(Row)] : std::nullopt;
}

std::vector<std::pair<int, double>> TWorksheet::ColumnWidths() const
{
    return SetItems(FColWidths);
}

std::vector<std::pair<int, double>> TWorksheet::RowHeights() const
{
    return SetItems(FRowHeights);
}

TWorkbook::TWorkbook()
{
    AddSheet();
}

TWorksheet &TWorkbook::AddSheet()
{
    FSheets.push_back(std::make_unique<TWorksheet>("Arkusz" + std::to_string(FSheets.size() + 1), FStyles));
    return *FSheets.back();
}

} // namespace platform
