#pragma once
// The records of a ZIP archive as the reader keeps them: one member's central header, the end record,
// and the member list in one of eight orders.

#include <cstdint>
#include <string>
#include <vector>

// A member's date and time with out-of-range fields repaired.
struct TZipDateTime {
    int Year = 1980, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};

// Hours above 23 become 23, minutes and seconds above 59 become 59, a year above 2099 becomes 2099, a
// month of 0 becomes 1 and above 12 becomes 12, a day of 0 becomes 1.
TZipDateTime RepairDosDateTime(uint16_t Date, uint16_t Time);

struct TZipHeaderInfo {
    uint16_t VersionMadeBy = 0;
    uint16_t VersionNeeded = 0;
    uint16_t Flags = 0; // general purpose: bit 0 encrypted, bit 3 data descriptor, bit 11 UTF-8 name
    uint16_t Method = 0;
    uint16_t Time = 0, Date = 0; // as stored
    uint32_t Crc = 0;
    uint64_t CompressedSize = 0;
    uint64_t UncompressedSize = 0;
    uint32_t DiskStart = 0;
    uint16_t InternalAttributes = 0;
    uint32_t ExternalAttributes = 0;
    uint64_t LocalOffset = 0;
    std::string FileName;  // the name's last part, UTF-8
    std::string Directory; // the folder part, '/'-separated and ending with '/', or empty

    bool Encrypted() const { return (Flags & 1) != 0; }
    bool IsFolder() const { return FileName.empty(); }
    // min(100, round(compressed × 100 / uncompressed)), 0 for an empty member.
    int Rate() const;
};

struct TEndCentral {
    uint16_t ThisDisk = 0;
    uint16_t CentralDisk = 0;
    uint16_t EntriesThisDisk = 0;
    uint16_t TotalEntries = 0;
    uint32_t CentralSize = 0;
    uint32_t CentralOffset = 0;
    uint16_t CommentLength = 0;
    uint64_t CommentOffset = 0;
};

enum class TZipSortMode {
    ByName,
    ByFileName,
    ByDirectoryName,
    ByDate,
    ByCompressedSize,
    ByUnCompressedSize,
    ByRate,
    ByNone // disk, then local-header offset: the archive's own order
};

// Indexes into Members in the order of Mode; equal keys keep the archive's order.
std::vector<int> SortZipMembers(const std::vector<TZipHeaderInfo> &Members, TZipSortMode Mode);
