#include "stats/UStatTables.h"

#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "core/USort.h"

#include <algorithm>
#include <stdexcept>

void TStatTables::AddDetailTable(TDets &ADetails, TGDets &AGroups, TValueFormat Format)
{
    Tables.push_back({&ADetails, &AGroups, Format, nullptr, nullptr, nullptr});
}

void TStatTables::AddPatternTable(TCDets &APatterns, TCGDets &APatternGroups, TPatternFormat Format)
{
    Tables.push_back({nullptr, nullptr, nullptr, &APatterns, &APatternGroups, Format});
}

const TStatTables::TTable &TStatTables::TableOf(int32_t Table) const
{
    if (Table < 1 || Table > static_cast<int32_t>(Tables.size()))
        throw std::out_of_range("TStatTables: no table " + std::to_string(Table));
    return Tables[static_cast<size_t>(Table - 1)];
}

std::string TStatTables::ValueText(const TTable &T, int32_t Col, int32_t Value) const
{
    return T.ValueFormat ? T.ValueFormat(Col, Value) : std::to_string(Value);
}

int32_t TStatTables::DrawOf(int32_t Table, int32_t Col, int32_t Row) const
{
    const TTable &t = TableOf(Table);
    if (t.Patterns)
        return t.Patterns->Item(Row, 0).Draw;
    return (*t.Details)[static_cast<size_t>(Row)][static_cast<size_t>(Col)].Draw;
}

// ---------------------------------------------------------------------------------------------------
// Texts

void TStatTables::GetDetailText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const
{
    const TTable &t = TableOf(Table);
    if (t.Patterns) {
        const TDConfigItem item = t.Patterns->Item(Row, 0);
        S = t.PatternFormat(item.Pattern, t.Patterns->Width(), item.Len);
        return;
    }
    const int32_t value = (*t.Details)[static_cast<size_t>(Row)][static_cast<size_t>(Col)].Value;
    S = value == 0 ? "" : ValueText(t, Col, value) + " ";
}

void TStatTables::GetDrawLabel(int32_t Table, int32_t Col, int32_t Row, bool ShowDate, std::string &S) const
{
    const TStatDraw &draw = Draws[static_cast<size_t>(DrawOf(Table, Col, Row))];
    S = ShowDate && FromDraws ? DateToStr(draw.Date) : std::to_string(draw.No);
}

void TStatTables::GetDrawText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const
{
    const TStatDraw &draw = Draws[static_cast<size_t>(DrawOf(Table, Col, Row))];
    CombToStr(draw.Numbers.data(), static_cast<uint8_t>(std::min<size_t>(draw.Numbers.size(), static_cast<size_t>(K))),
              "%2d ", S, 0);
}

void TStatTables::GetGroupValueText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const
{
    const TTable &t = TableOf(Table);
    S.clear();
    if (t.PatternGroups) {
        if (!t.PatternGroups->empty() && Row >= 0 && Row < (*t.PatternGroups)[0].Count) {
            const TCGSItem &item = (*t.PatternGroups)[0].Items[static_cast<size_t>(Row)];
            S = t.PatternFormat(item.Pattern.data(), static_cast<int32_t>(item.Pattern.size()), item.Len);
        }
        return;
    }
    if (Col >= 0 && Col < static_cast<int32_t>(t.Groups->size()) && Row >= 0 &&
        Row < (*t.Groups)[static_cast<size_t>(Col)].Count)
        S = ValueText(t, Col, (*t.Groups)[static_cast<size_t>(Col)].Items[static_cast<size_t>(Row)].Value) + " ";
}

void TStatTables::GetGroupCountText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const
{
    const TTable &t = TableOf(Table);
    S.clear();
    if (t.PatternGroups) {
        if (!t.PatternGroups->empty() && Row >= 0 && Row < (*t.PatternGroups)[0].Count)
            S = std::to_string((*t.PatternGroups)[0].Items[static_cast<size_t>(Row)].Draws) + " ";
        return;
    }
    if (Col >= 0 && Col < static_cast<int32_t>(t.Groups->size()) && Row >= 0 &&
        Row < (*t.Groups)[static_cast<size_t>(Col)].Count)
        S = std::to_string((*t.Groups)[static_cast<size_t>(Col)].Items[static_cast<size_t>(Row)].Draws) + " ";
}

std::string TStatTables::JoinedPattern(const uint8_t *Pattern, int32_t Width, int32_t Len)
{
    if (Len <= 0)
        return "0";
    std::string text;
    for (int32_t i = std::max(Width - Len, 0); i < Width; ++i)
        text += (text.empty() ? "" : " - ") + std::to_string(Pattern[i]);
    return text;
}

// ---------------------------------------------------------------------------------------------------
// Sorting

void TStatTables::SortDetailsByDraw(int32_t Table, int32_t Dir)
{
    const TTable &t = TableOf(Table);
    if (t.Patterns) {
        SortConfigTable(*t.Patterns, 0, &TStatDetails::CompareConfigDraw, Dir);
        return;
    }
    const int32_t cols = t.Details->empty() ? 0 : static_cast<int32_t>(t.Details->front().size());
    for (int32_t c = 0; c < cols; ++c)
        SortDetColumn(*t.Details, c, &TStatDetails::CompareDetDraw, Dir);
}

void TStatTables::SortDetailsByValue(int32_t Table, int32_t Dir)
{
    const TTable &t = TableOf(Table);
    if (t.Patterns) {
        SortConfigTable(*t.Patterns, 0, &TStatDetails::CompareConfigPattern, Dir);
        return;
    }
    const int32_t cols = t.Details->empty() ? 0 : static_cast<int32_t>(t.Details->front().size());
    for (int32_t c = 0; c < cols; ++c)
        SortDetColumn(*t.Details, c, &TStatDetails::CompareDetValue, Dir);
}

void TStatTables::SortGroupsByValue(int32_t Table, int32_t Dir)
{
    const TTable &t = TableOf(Table);
    if (t.PatternGroups) {
        if (!t.PatternGroups->empty())
            SortCGTable(*t.PatternGroups, 0, &TStatDetails::CompareCGPattern, Dir);
        return;
    }
    for (size_t c = 0; c < t.Groups->size(); ++c)
        SortGroupColumn(*t.Groups, static_cast<int32_t>(c), &TStatDetails::CompareGroupValue, Dir);
}

void TStatTables::SortGroupsByCount(int32_t Table, int32_t Dir)
{
    const TTable &t = TableOf(Table);
    if (t.PatternGroups) {
        if (!t.PatternGroups->empty())
            SortCGTable(*t.PatternGroups, 0, &TStatDetails::CompareCGCount, Dir);
        return;
    }
    for (size_t c = 0; c < t.Groups->size(); ++c)
        SortGroupColumn(*t.Groups, static_cast<int32_t>(c), &TStatDetails::CompareGroupCount, Dir);
}

bool TStatTables::NumberedInOrder() const
{
    for (size_t i = 1; i < Draws.size(); ++i)
        if (Draws[i - 1].No >= Draws[i].No)
            return false;
    return true;
}

// The order the sort by draw gives, latest first. With the draws numbered in their order (as loaded oldest
// first) every item's row follows from its draw, so a million rows need no sort.
void TStatTables::SortTablesByDraw()
{
    if (!NumberedInOrder()) {
        for (int32_t table = 1; table <= static_cast<int32_t>(Tables.size()); ++table)
            SortDetailsByDraw(table, 1);
        return;
    }
    const auto rowOf = [this](int32_t Draw) { return static_cast<size_t>(DrawCount - 1 - Draw); };
    for (const TTable &t : Tables) {
        if (t.Patterns) {
            TCDets placed;
            placed.Assign(t.Patterns->RowCount(), 1, t.Patterns->Width());
            for (int32_t r = 0; r < t.Patterns->RowCount(); ++r) {
                const TDConfigItem item = t.Patterns->Item(r, 0);
                const auto row = static_cast<int32_t>(rowOf(item.Draw));
                placed.SetItem(row, 0, item.Draw, item.Len);
                std::copy_n(item.Pattern, t.Patterns->Width(), placed.Pattern(row, 0));
            }
            *t.Patterns = std::move(placed);
            continue;
        }
        TDets &dets = *t.Details;
        const auto unmoved = [&dets] {
            for (size_t r = 0; r < dets.size(); ++r)
                for (const TDetItem &cell : dets[r])
                    if (cell.Draw != static_cast<int32_t>(r))
                        return false;
            return true;
        };
        if (unmoved()) { // rows as made: whole rows change places
            std::reverse(dets.begin(), dets.end());
            continue;
        }
        const size_t cols = dets.empty() ? 0 : dets.front().size();
        std::vector<TDetItem> column(dets.size());
        for (size_t c = 0; c < cols; ++c) {
            for (const TDetRow &row : dets)
                column[rowOf(row[c].Draw)] = row[c];
            for (size_t r = 0; r < dets.size(); ++r)
                dets[r][c] = column[r];
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// Building

void TStatTables::NewDetails(TDets &ADetails, int32_t Cols) const
{
    ADetails.assign(static_cast<size_t>(DrawCount), TDetRow(static_cast<size_t>(std::max(Cols, 0))));
    for (int32_t i = 0; i < DrawCount; ++i)
        for (TDetItem &cell : ADetails[static_cast<size_t>(i)])
            cell.Draw = i;
}

void TStatTables::GroupAndSummarize(const TDets &ADetails, TGDets &AGroups, TTDets &ASummary, int32_t Cols,
                                    int32_t &Widest)
{
    Group(ADetails, AGroups, Cols);
    Widest = WidestCount;
    Summarize(ADetails, ASummary, Cols);
}

void TStatTables::NewPatterns(TCDets &APatterns, int32_t Width)
{
    PatternWidth = Width;
    APatterns.Assign(DrawCount, 1, Width);
    for (int32_t i = 0; i < DrawCount; ++i)
        APatterns.SetItem(i, 0, i, 0);
}

void TStatTables::SetRightAligned(TCDets &APatterns, int32_t Row, uint8_t *Values, int32_t Count)
{
    SortBytes(Values, Count);
    uint8_t *pattern = APatterns.Pattern(Row, 0);
    const int32_t width = APatterns.Width();
    const int32_t kept = std::min(Count, width); // the callers' widths hold every entry
    std::fill(pattern, pattern + width, 0);
    std::copy(Values + (Count - kept), Values + Count, pattern + (width - kept));
    APatterns.SetItem(Row, 0, APatterns.Item(Row, 0).Draw, Count);
}

void TStatTables::GroupPatterns(TCDets &APatterns, TCGDets &APatternGroups, int32_t &Widest)
{
    GroupConfigs(APatterns, APatternGroups, 1);
    Widest = WidestCount;
}
