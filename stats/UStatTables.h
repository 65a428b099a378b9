#pragma once
// The shared part of the per-draw table statistics (miscellaneous properties, consecutive numbers, number
// ranges, differences, digits, frequency ranges). Their windows address tables by number from 1: each
// is a detail table (a TDets, one list per column, with its grouping) or a pattern table (a TCDets of one
// table, with its grouping). This base answers the texts and sorts the windows ask of a table, and holds
// the building steps every table repeats: rows made, grouped and summarised, running means, patterns
// right-aligned in PatternWidth bytes.

#include "stats/UStatGeneral.h"

#include <cstdint>
#include <string>
#include <vector>

class TStatTables : public TStatDetails {
public:
    using TStatDetails::TStatDetails;

    // Readers of table Table; Col is a column of a detail table (ignored for a pattern table), Row a row
    // of the sorted list.
    // The cell's value and a blank, an empty text for 0; for a pattern row, its pattern in the table's
    // form.
    void GetDetailText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const;
    // The row's draw: its date when ShowDate over past draws, else its No.
    void GetDrawLabel(int32_t Table, int32_t Col, int32_t Row, bool ShowDate, std::string &S) const;
    // The numbers of the row's draw.
    void GetDrawText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const;
    // The value (pattern) of group item Row and a blank, the number of its draws and a blank; empty
    // texts for a Row beyond the column's items.
    void GetGroupValueText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const;
    void GetGroupCountText(int32_t Table, int32_t Col, int32_t Row, std::string &S) const;
    // Every column of the table in turn (or its pattern list), Dir 1 putting larger keys first.
    void SortDetailsByDraw(int32_t Table, int32_t Dir);
    void SortDetailsByValue(int32_t Table, int32_t Dir);
    void SortGroupsByValue(int32_t Table, int32_t Dir);
    void SortGroupsByCount(int32_t Table, int32_t Dir);

    // "0" for no entry, else the last Len pattern bytes joined by " - ".
    static std::string JoinedPattern(const uint8_t *Pattern, int32_t Width, int32_t Len);

protected:
    // A value of column Col as shown, without the trailing blank.
    using TValueFormat = std::string (*)(int32_t Col, int32_t Value);
    // A pattern of Width bytes with Len meaningful entries, as shown.
    using TPatternFormat = std::string (*)(const uint8_t *Pattern, int32_t Width, int32_t Len);

    // Registers the next table (numbered from 1 in the order registered); once, from the constructor.
    void AddDetailTable(TDets &ADetails, TGDets &AGroups, TValueFormat Format = nullptr);
    void AddPatternTable(TCDets &APatterns, TCGDets &APatternGroups, TPatternFormat Format);

    // ADetails := DrawCount rows of Cols cells (the row's draw, 0).
    void NewDetails(TDets &ADetails, int32_t Cols) const;
    // Group (by counting) with Widest := the widest column, then Summarize (Key and Expected kept).
    void GroupAndSummarize(const TDets &ADetails, TGDets &AGroups, TTDets &ASummary, int32_t Cols,
                           int32_t &Widest);
    // Means := Cols lists of the running means of each column in draw order; without rows the lists
    // are empty.
    template <typename T>
    static void ColumnMeans(const TDets &ADetails, int32_t Cols, std::vector<std::vector<T>> &Means)
    {
        Means.assign(static_cast<size_t>(Cols), {});
        for (int32_t c = 0; c < Cols; ++c)
            RunningMeans(ADetails, c, Means[static_cast<size_t>(c)]);
    }
    // PatternWidth := Width; APatterns := DrawCount rows of one table, row i of draw i with Len 0 and
    // Width zero bytes.
    void NewPatterns(TCDets &APatterns, int32_t Width);
    // Row Row of the single pattern table: Len := Count, the Count Values (each >= 1, at most
    // PatternWidth of them) ascending in the last Count bytes; Values is sorted on the way.
    static void SetRightAligned(TCDets &APatterns, int32_t Row, uint8_t *Values, int32_t Count);
    // GroupConfigs of the single pattern table; Widest := its distinct patterns.
    void GroupPatterns(TCDets &APatterns, TCGDets &APatternGroups, int32_t &Widest);
    // Every registered table, latest draw first.
    void SortTablesByDraw();

private:
    struct TTable {
        TDets *Details = nullptr;
        TGDets *Groups = nullptr;
        TValueFormat ValueFormat = nullptr;
        TCDets *Patterns = nullptr;
        TCGDets *PatternGroups = nullptr;
        TPatternFormat PatternFormat = nullptr;
    };

    const TTable &TableOf(int32_t Table) const;
    // The working draws' numbers ascend with their order.
    bool NumberedInOrder() const;
    std::string ValueText(const TTable &T, int32_t Col, int32_t Value) const;
    int32_t DrawOf(int32_t Table, int32_t Col, int32_t Row) const;

    std::vector<TTable> Tables;
};

// A statistic of one detail table (table 1): its readers and sorts without the table number.
class TSingleTableStat : public TStatTables {
public:
    using TStatTables::TStatTables;

    void GetDetailText(int32_t Col, int32_t Row, std::string &S) const { TStatTables::GetDetailText(1, Col, Row, S); }
    void GetDrawLabel(int32_t Col, int32_t Row, bool ShowDate, std::string &S) const
    {
        TStatTables::GetDrawLabel(1, Col, Row, ShowDate, S);
    }
    void GetDrawText(int32_t Col, int32_t Row, std::string &S) const { TStatTables::GetDrawText(1, Col, Row, S); }
    void GetGroupValueText(int32_t Col, int32_t Row, std::string &S) const
    {
        TStatTables::GetGroupValueText(1, Col, Row, S);
    }
    void GetGroupCountText(int32_t Col, int32_t Row, std::string &S) const
    {
        TStatTables::GetGroupCountText(1, Col, Row, S);
    }
    void SortDetailsByDraw(int32_t Dir) { TStatTables::SortDetailsByDraw(1, Dir); }
    void SortDetailsByValue(int32_t Dir) { TStatTables::SortDetailsByValue(1, Dir); }
    void SortGroupsByValue(int32_t Dir) { TStatTables::SortGroupsByValue(1, Dir); }
    void SortGroupsByCount(int32_t Dir) { TStatTables::SortGroupsByCount(1, Dir); }
};
