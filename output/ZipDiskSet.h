#pragma once
// The files an archive is read from: the archive alone, or a set of numbered files whose disk n (counted
// from 0) is the archive's name with its extension replaced by "." and n + 1 in three digits, the last
// disk being the archive itself. Reads run on from one disk into the next.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

class TZipDiskSet {
public:
    explicit TZipDiskSet(std::string ZipName) : ZipName(std::move(ZipName)) {}

    // The disk that holds the end record; 0 for an archive of one file.
    void SetLastDisk(uint32_t Disk) { LastDisk = Disk; }
    std::string DiskName(uint32_t Disk) const;

    // EUserCanceled "User canceled loading new disk." when the disk's file is missing.
    void Seek(uint32_t Disk, uint64_t Offset);
    // Up to N bytes, running on into the next disks; fewer only at the end of the last disk.
    size_t Read(uint8_t *Buffer, size_t N);

private:
    void Open(uint32_t Disk);

    std::string ZipName;
    uint32_t LastDisk = 0;
    uint32_t CurrentDisk = 0;
    bool IsOpen = false;
    std::ifstream Stream;
};
