#include "output/ZipDiskSet.h"

#include "output/VCLUnZipErrors.h"

#include <cstdio>

std::string TZipDiskSet::DiskName(uint32_t Disk) const
{
    if (Disk == LastDisk)
        return ZipName;
    const size_t slash = ZipName.find_last_of('/');
    const size_t dot = ZipName.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    char extension[16];
    std::snprintf(extension, sizeof extension, ".%03u", Disk + 1);
    return (hasExtension ? ZipName.substr(0, dot) : ZipName) + extension;
}

void TZipDiskSet::Open(uint32_t Disk)
{
    if (IsOpen && Disk == CurrentDisk)
        return;
    Stream.close();
    Stream.clear();
    IsOpen = false;
    Stream.open(DiskName(Disk), std::ios::binary);
    if (!Stream)
        throw EUserCanceled("User canceled loading new disk.");
    CurrentDisk = Disk;
    IsOpen = true;
}

void TZipDiskSet::Seek(uint32_t Disk, uint64_t Offset)
{
    Open(Disk);
    Stream.clear();
    Stream.seekg(static_cast<std::streamoff>(Offset));
}

size_t TZipDiskSet::Read(uint8_t *Buffer, size_t N)
{
    size_t done = 0;
    while (done < N && IsOpen) {
        Stream.read(reinterpret_cast<char *>(Buffer + done), static_cast<std::streamsize>(N - done));
        done += static_cast<size_t>(Stream.gcount());
        if (done < N) {
            if (CurrentDisk >= LastDisk)
                break;
            Seek(CurrentDisk + 1, 0);
        }
    }
    return done;
}
