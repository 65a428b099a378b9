#pragma once
// The settings the aligned grid keeps per cell, column or row, and the small types around them.

#include "controls/Graphics.h"
#include "controls/PropertyStream.h"

#include <QString>

#include <cstdint>
#include <optional>

using TMyFont = TFont;
using TMyBrush = TBrush;

// Names and order as the stored properties number them.
enum TMyAlign : uint8_t { alRight, alLeft, alCenter, alCenterCenter, alDefault };
enum TWordWrap : uint8_t { ww_none, ww_wordwrap, ww_ellipsis, ww_default };
enum TNextCell : uint8_t {
    nc_rightdown, nc_downright, nc_leftdown, nc_downleft, nc_leftup, nc_upleft, nc_rightup, nc_upright
};
enum TLastCell : uint8_t { lc_newcolrow, lc_stop, lc_first, lc_exit };
enum TRelation : uint8_t { rel_greater, rel_equal, rel_less };

constexpr int MyAlignCount = 5;
constexpr int WordWrapCount = 4;
constexpr int NextCellCount = 8;
constexpr int LastCellCount = 4;

// Editable byte of a record: 0 inherit, 1 not editable, 2 editable.
constexpr uint8_t EditInherit = 0;
inline uint8_t EditableByte(bool editable) { return editable ? 2 : 1; }

// One column's sort state: Direction 1 or -1 (the two orders), 2 unsorted, 0 in a fresh entry;
// SortKey 0 means the column is not sortable.
struct TSortCol {
    int8_t Direction = 0;
    int32_t SortKey = 0;
};

// What OnGetCellFormat receives for a cell; the handler may change any field.
struct TCellFormat {
    QString Text;
    TMyAlign Alignment = alLeft;
    TMyFont Font;
    TMyBrush Brush;
    TWordWrap Wordwrap = ww_none;
};

// The settings of one cell, column or row; a field left at its default inherits.
class TCellProperties {
public:
    std::optional<TMyBrush> Brush;
    std::optional<TMyBrush> SelectedBrush; // only its colour is used
    std::optional<TMyFont> Font;
    std::optional<TMyFont> SelectedFont;   // only its colour is used
    TMyAlign Align = alDefault;
    TWordWrap Wordwrap = ww_default;
    uint8_t Editable = EditInherit;

    bool IsEmpty() const;
    // The tagged items of the record, ended by tag 0.
    void WriteToWriter(TPropertyWriter &Writer) const;
    // Reads the value(s) of one tag; a tag outside 1..7 has no value.
    void ReadItem(int Tag, TListReader &Reader);
    // Reads tagged items up to and including tag 0.
    void ReadItems(TListReader &Reader);
};

void WriteFont(TPropertyWriter &Writer, const TMyFont &Font);
void WriteBrush(TPropertyWriter &Writer, const TMyBrush &Brush);
TMyFont ReadFont(TListReader &Reader);
TMyBrush ReadBrush(TListReader &Reader);
