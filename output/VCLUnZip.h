#pragma once
// Reads ZIP archives and extracts their members into a folder: stored, shrunk, reduced, imploded and
// deflated members, traditional encryption, sets of numbered files. It runs in a worker: it shows
// nothing, and an unknown method, a failed allocation or damaged data only skip the member.

#include "output/VCLUnZipErrors.h"
#include "output/kpZipObj.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

enum class TUZOverwriteMode { Always, Never };

class TVCLUnZip {
public:
    // The most all members of one extraction may write together; a member that would pass it is skipped.
    static constexpr uint64_t MaxOutputSize = 64ull << 20;

    // Forgets any archive read before.
    void SetZipName(const std::string &Name);
    const std::string &GetZipName() const { return ZipName; }
    void SetSortMode(TZipSortMode Mode);
    TZipSortMode GetSortMode() const { return SortMode; }

    std::string DestDir;
    bool DoAll = false;                   // every member, else those matching FilesList
    std::vector<std::string> FilesList;   // names or wildcard patterns (kpMatch)
    bool RecreateDirs = false;            // members' folders recreated under DestDir
    TUZOverwriteMode OverwriteMode = TUZOverwriteMode::Never;
    std::string RootDir;                  // a folder prefix removed from members' folders
    std::string Password;                 // for encrypted members; without it they are skipped

    // Reads the archive when it was not read yet or has changed on disk, then extracts the chosen
    // members into DestDir (created when missing). Answers how many were taken, less those skipped or
    // failing the CRC test; folder entries count when taken. Throws the exceptions of VCLUnZipErrors.h.
    int UnZip();
    // Reads the archive as UnZip does, without extracting.
    void ReadZip();

    // The members in SortMode order.
    int Count() const { return static_cast<int>(Sorted.size()); }
    const TZipHeaderInfo &Member(int Index) const { return Members[static_cast<size_t>(Sorted[static_cast<size_t>(Index)])]; }
    const TEndCentral &GetEndCentral() const { return EndCentral; }

private:
    bool FindEndCentral();
    bool ReadCentralDirectory();
    void ScanLocalHeaders();
    // False when the member is not written: unsafe path, no password, existing file kept, no room left,
    // unknown method, damaged data or a CRC that differs.
    bool Extract(const TZipHeaderInfo &Member);
    bool TakesMember(const TZipHeaderInfo &Member) const;
    // The member's output folder under DestDir, made when missing; false when the member's folder leaves
    // DestDir or runs through anything but real folders.
    bool OutputFolder(const TZipHeaderInfo &Member, std::filesystem::path &Folder) const;
    bool ReadMemberData(const TZipHeaderInfo &Member, std::vector<uint8_t> &Data);
    bool Decrypt(const TZipHeaderInfo &Member, std::vector<uint8_t> &Data) const;

    std::string ZipName;
    TZipSortMode SortMode = TZipSortMode::ByNone;
    bool Read = false;
    std::filesystem::file_time_type ReadTime;
    TEndCentral EndCentral;
    std::vector<TZipHeaderInfo> Members; // the archive's order
    std::vector<int> Sorted;
    uint64_t OutputLeft = 0;
};
