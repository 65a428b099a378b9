#pragma once
// What the filter editor shows for each filter kind: the captions, the relation items of its two
// combos, the bounds of its spin edits and the extra panels; and the values it shows of a kind's
// parameters and writes back into them.

#include "core/DynArrays.h"
#include "engine/UDrawsRange.h"

#include <cstdint>
#include <string>
#include <vector>

class TFilter;

struct TRelationItem {
    uint8_t Code = 0; // the condition mode (TRangeMode), or the digit kind of "Cyfry"
    std::string Text;

    bool operator==(const TRelationItem &) const = default;
};

// The relations as the combos list them before a kind drops or retitles some.
std::vector<TRelationItem> BaseRelations1();
std::vector<TRelationItem> BaseRelations2();

// Which digits the ten boxes stand for.
enum class TDigitBoxes : uint8_t {
    None,
    ByDigitKind, // first or last digits, by the first combo
    First,
    Last,
};

struct TFilterEditorLayout {
    // Row 1: caption, relation combo and range; PositionOnly keeps only the "from" spin, in the combo's
    // place; Range1 False hides the range (and its labels).
    bool Row1 = true;
    bool Range1 = true;
    bool PositionOnly = false;
    std::string Title1;
    std::vector<TRelationItem> Relations1;
    int32_t Min1 = 0;
    int32_t Max1 = 0;
    bool Row2 = true;
    std::string Title2;
    std::vector<TRelationItem> Relations2;
    int32_t Min2 = 0;
    int32_t Max2 = 0;
    TDigitBoxes Digits = TDigitBoxes::None;
    bool Comb = false;       // the reference combination panel
    bool DrawsRange = false; // the draws-range panel
    bool Exclusive = false;  // "Dozwolone inne grupy"
};

// The layout of Filter's kind, its bounds taken from Filter.
TFilterEditorLayout FilterEditorLayout(const TFilter &Filter);

// How many digit boxes are usable for Boxes (DigitKind choosing for ByDigitKind) in a game whose highest
// number is MaxNumber.
uint32_t UsableDigitBoxes(TDigitBoxes Boxes, uint8_t DigitKind, uint8_t MaxNumber);

// The editor's values of a filter, the same fields for every kind.
struct TFilterEditValues {
    uint8_t Relation1 = 0; // for "Cyfry" the digit kind
    int32_t From1 = 0;     // for the position kinds the position
    int32_t To1 = 0;
    uint8_t Relation2 = 0;
    int32_t From2 = 0;
    int32_t To2 = 0;
    bool OthersAllowed = false; // Exclusive 0
    std::string Digits = "0000000000";
    TDynByteArr Comb;
    TDrawsRange Range;
    bool AndMode = true;
};

TFilterEditValues GetEditValues(const TFilter &Filter);
// Writes into Filter's parameters the values its kind has.
void SetEditValues(TFilter &Filter, const TFilterEditValues &Values);
