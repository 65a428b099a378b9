#pragma once
// The user's saved number sets, which belong to no game: "SetCombs.dat" in the other-files folder, a
// list of 1113-byte records, newest first.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr int MaxSetNumbers = 80;       // a set holds numbers of 1..80
constexpr int MaxSetComment = 1023;     // Windows-1250 characters
constexpr size_t CombSetRecSize = 1113; // Saved f64, Count u8, 80 numbers, 1024 comment bytes

struct TCombSetRec {
    TDateTime Saved = 0;                 // whole days
    uint8_t Count = 0;
    std::array<uint8_t, MaxSetNumbers> Numbers{}; // the first Count, in the order of choice
    std::string Comment;

    // The record for Numbers (at most 80 are kept) saved today.
    static TCombSetRec Make(std::span<const uint8_t> Numbers, const std::string &Comment);
    std::span<const uint8_t> Chosen() const { return {Numbers.data(), Count}; }
};

using TCombSets = std::vector<TCombSetRec>;

// OtherDir + "SetCombs.dat".
std::string CombSetsFileName();

// The file's bytes: header (no game, kind fkCombSet), the count, the records in order, the checksum.
platform::Bytes EncodeCombSets(const TCombSets &Sets);
// The sets of a file's bytes; false, with no sets, unless the bytes are a current number-sets file of the
// right size and checksum. A record with more than 80 numbers, or numbers outside 1..80 or repeated, is
// left out.
bool DecodeCombSets(std::span<const uint8_t> Bytes, TCombSets &Sets);

struct TCombSetsFile {
    TCombSets Sets;
    bool Refused = false; // the file exists but was not taken
};
// A missing file gives no sets; one that cannot be read or decoded gives none and is marked Refused.
TCombSetsFile ReadCombSets(const std::string &FileName);
// Writes Sets, creating the folder when missing; a file refused when read is first moved aside under a
// free ".damaged" name. False when the file cannot be written.
bool WriteCombSets(const std::string &FileName, const TCombSetsFile &File);
