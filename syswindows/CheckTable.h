#pragma once
// The result tables of the check windows: a first column, one column per hit level of a band, "Suma"
// where the table sums the band, and "Wygrana"; the texts of check rows in them, and the first column of
// rows grouped by day, week, month or year.

#include "shell/ResultGrid.h"
#include "syswindows/SystemCheck.h"

#include <QRadioButton>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// What zeros show as in a row.
enum TZeroText : uint8_t {
    ztShown = 0,  // counts "0", wins the money of zero
    ztTotals = 1, // counts empty, wins shown
    ztBlank = 2,  // counts, sums and wins empty
};

struct TCheckColumns {
    bool HasLabel = true; // the table has a first column
    int TopLevel = 0;     // the level of the first hit column
    size_t FirstHit = 0;  // the hit element the first hit column shows
    int HitCount = 0;     // hit columns, the levels TopLevel down
    bool WithSum = false; // a "Suma" column after them

    // The first column (when HasLabel) as given, the hit columns "'" + level + "'", "Suma", "Wygrana".
    std::vector<TResultColumn> Columns(const TResultColumn &Label) const;
    // The text of column Col of Row beyond the first column (empty for the first column).
    QString CellText(const TCheckRow &Row, int Col, TZeroText Zeros) const;
    int ColCount() const { return (HasLabel ? 1 : 0) + HitCount + (WithSum ? 1 : 0) + 1; }
};

// Widens Grid's columns, by the width rule, to the data rows Also and to the rows of Rows (shown from data
// row First on) that hold the widest texts: in each column the row of its largest figure (digits are of one
// width in the grids' fonts, and no figure is negative), the first win beyond the range of money, the
// largest Index (draw and combination numbers) and the first row (dates are of one width).
void WidenToWidestRows(TResultGrid &Grid, const std::vector<TCheckRow> &Rows, int First,
                       std::vector<int> Also = {});

// The first column of a row of draws grouped by Group: the draw number DrawNo (day grouping while dates
// are not shown in statistics), the date (day, week), "mm/yyyy" (month) or "yyyy" (year).
QString GroupRowLabel(const TCheckRow &Row, TCheckGroup Group, int32_t DrawNo);

// The numbers as CombToStr writes them in Format.
QString NumbersText(const uint8_t *Numbers, size_t Count, const char *Format);

// The index of the checked button of a group, 0 when none is.
template <size_t N>
uint8_t CheckedIndex(const std::array<QRadioButton *, N> &Buttons)
{
    for (size_t i = 0; i < N; ++i)
        if (Buttons[i]->isChecked())
            return uint8_t(i);
    return 0;
}
