#pragma once
// The parameter records of the windows: one packed binary value "Params" under a window's key, read
// through RegStream when the window is set up and written when it goes; and the rules by which stored
// values reach the controls. A window lays its record out field by field with platform/ByteStream.

#include "platform/ByteStream.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class QComboBox;
class TFloatSpin;

inline constexpr const char *ParamsValueName = "Params";

// Area + game id + "\" + Index, in decimal: "Stats\1\0" for Area "Stats\", game 1, statistic 0.
std::string ParamsKey(const std::string &Area, int GameId, int Index);

struct TStoredRecord {
    platform::Bytes Bytes; // the record's size; zero-filled past a shorter stored value
    bool Read = false;     // the value was there; otherwise Bytes are all zero

    // The rule of records with a validity byte: usable only when read and first byte is 1.
    bool Valid() const { return Read && !Bytes.empty() && Bytes[0] == 1; }
};

// The record of Size bytes stored as "Params" under Key.
TStoredRecord ReadParamsRecord(const std::string &Key, size_t Size);
// Stores Record as "Params" under Key.
void WriteParamsRecord(const std::string &Key, const platform::Bytes &Record);

// The range rule: a stored number goes into the spin edit only within its MinValue..MaxValue, a stored
// list index only below the item count. Each answers whether the value was taken.
bool SetStoredValue(TFloatSpin *Spin, int64_t Stored);
bool SetStoredIndex(QComboBox *List, int64_t Stored);

// Whether a stored combination can be used: Count numbers (1 to the field's size) at the front of
// Field, each in 1..N, none repeated, and ascending when Ascending (callers that merge it with drawn
// numbers, as CountHits does, need that).
bool ValidStoredComb(std::span<const uint8_t> Field, int Count, int N, bool Ascending);
