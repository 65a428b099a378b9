#pragma once
// The filter editor's parameter record: "Params" under "Tools\0\3", 143 bytes. Byte 0 is 1 once the
// record was saved; bytes 1 and 2 the delete type for a system and for a draw history; 3 and 4 the
// two options; bytes 5..142 belong to the filter exploration: its ten items, ten reserved bytes, its two
// options at 25 and 26 and its 116-byte draws range at offset 27.

#include "engine/UDrawsRange.h"
#include "platform/ByteStream.h"

#include <cstddef>

inline constexpr const char *FilterDialogKey = "Tools\\0\\3";

struct TFilterDialogRecord {
    static constexpr size_t Size = 143;
    static constexpr size_t ExplorationOffset = 5;
    static constexpr size_t ExplorationRangeOffset = 27;

    bool DelTypeSystem = false; // rbFltDel over a system
    bool DelTypeDraws = false;  // rbFltDel over a draw history
    bool DelComb = false;
    bool NewWindow = false;
    // Bytes 5..142.
    platform::Bytes Exploration = platform::Bytes(Size - ExplorationOffset, 0);
};

// The stored record. One never saved (missing, short or byte 0 not 1) keeps its other bytes, but its
// exploration range becomes DefaultRange: the exploration falls back to it, and the record written at
// close then holds it rather than a range of zeros that selects no draw.
TFilterDialogRecord ReadFilterDialogRecord(const TDrawsRange &DefaultRange);
// The 143 bytes with byte 0 set to 1.
platform::Bytes FilterDialogBytes(const TFilterDialogRecord &Record);
void WriteFilterDialogRecord(const TFilterDialogRecord &Record);
