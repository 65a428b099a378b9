#pragma once
// ZIP archives written field by field as APPNOTE lays them out, and small encoders for the compression
// methods the reader decodes.

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

uint32_t zipCrc(const std::string &Data);

struct ZipEntry {
    std::string Name;       // the stored bytes
    std::string Packed;     // the member's data as stored
    uint32_t Crc = 0;
    uint32_t Size = 0;      // uncompressed
    uint16_t Method = 0;
    uint16_t Flags = 0;
    uint16_t Time = 0x6000; // 12:00:00
    uint16_t Date = 0x4F8C; // 12.12.2019
};

// A member holding Data: stored (method 0) or deflated (method 8).
ZipEntry storedEntry(const std::string &Name, const std::string &Data);
ZipEntry deflatedEntry(const std::string &Name, const std::string &Data);
// A member whose data were packed by another encoder.
ZipEntry packedEntry(const std::string &Name, const std::string &Data, uint16_t Method, std::string Packed,
                     uint16_t Flags = 0);

// Local headers with their data, the central directory and the end record, after Prefix. With
// AdjustOffsets false the directory's offsets ignore the prefix (a stub glued on in front).
std::string buildZip(const std::vector<ZipEntry> &Entries, const std::string &Prefix = {}, bool AdjustOffsets = true);

// Raw deflate through zlib.
std::string deflateRaw(const std::string &Data);

// Method 1. Codes widen when needed; a full table is partially cleared before the next code is added.
std::string shrink(const std::string &Data);
// Methods 2 to 5 (Factor 1 to 4): follower sets of up to 8 bytes, copies found greedily.
std::string reduce(const std::string &Data, int Factor);
// Method 6 with its flags: bit 1 the 8 KB window, bit 2 the literal tree.
std::string implode(const std::string &Data, uint16_t Flags);

// What Debian's unzip extracts of the member to standard output; "<failed>" when it fails.
std::string unzipMember(const std::string &Archive, const std::string &Member);

// Text that compresses: numbered lines of draws.
std::string sampleText(int Lines);

} // namespace testsupport
