#include "output/VCLUnZip.h"

#include "output/UnZipDecoders.h"
#include "output/ZipDiskSet.h"
#include "output/kpMatch.h"
#include "platform/AtomicFile.h"
#include "platform/ByteStream.h"
#include "platform/Cp852.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <fstream>
#include <iterator>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t EndSignature = 0x06054B50;
constexpr uint32_t CentralSignature = 0x02014B50;
constexpr uint32_t LocalSignature = 0x04034B50;
constexpr size_t EndSize = 22;
constexpr size_t CentralSize = 46;
constexpr size_t LocalSize = 30;
constexpr size_t EndSearchSize = 65528;
constexpr uint64_t ExeStubSize = 14000;
constexpr size_t ReadBlock = 16000;
constexpr size_t EncryptionHeaderSize = 12;

// The fields that local and central headers share, from "version needed" to the extra field's length.
struct THeaderSizes {
    uint32_t Compressed = 0;
    uint32_t Uncompressed = 0;
    uint16_t NameLength = 0;
    uint16_t ExtraLength = 0;
};

THeaderSizes ReadSharedFields(platform::ByteReader &R, TZipHeaderInfo &M)
{
    THeaderSizes sizes;
    R.get(M.VersionNeeded);
    R.get(M.Flags);
    R.get(M.Method);
    R.get(M.Time);
    R.get(M.Date);
    R.get(M.Crc);
    R.get(sizes.Compressed);
    R.get(sizes.Uncompressed);
    R.get(sizes.NameLength);
    R.get(sizes.ExtraLength);
    M.CompressedSize = sizes.Compressed;
    M.UncompressedSize = sizes.Uncompressed;
    return sizes;
}

bool ReadExactly(TZipDiskSet &Disks, std::vector<uint8_t> &Buffer, size_t N)
{
    Buffer.resize(N);
    return Disks.Read(Buffer.data(), N) == N;
}

// The stored name: UTF-8 with flag bit 11, else code page 852; both '\' and '/' separate folders.
void SplitName(const std::string &Raw, TZipHeaderInfo &M)
{
    std::string name = (M.Flags & 0x0800) ? Raw : platform::cp852ToUtf8(Raw);
    std::replace(name.begin(), name.end(), '\\', '/');
    const size_t slash = name.find_last_of('/');
    M.Directory = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
    M.FileName = slash == std::string::npos ? name : name.substr(slash + 1);
}

// The traditional PKWARE cipher.
class TZipKeys {
public:
    explicit TZipKeys(const std::string &Password)
    {
        for (char c : Password)
            Update(static_cast<uint8_t>(c));
    }
    uint8_t Decrypt(uint8_t Byte)
    {
        const uint32_t temp = (Keys[2] & 0xFFFF) | 2;
        const auto plain = static_cast<uint8_t>(Byte ^ static_cast<uint8_t>((temp * (temp ^ 1)) >> 8));
        Update(plain);
        return plain;
    }

private:
    void Update(uint8_t Byte)
    {
        Keys[0] = static_cast<uint32_t>(crc32(Keys[0] ^ 0xFFFFFFFFu, &Byte, 1) ^ 0xFFFFFFFFu);
        Keys[1] = (Keys[1] + (Keys[0] & 0xFF)) * 134775813u + 1;
        const auto high = static_cast<uint8_t>(Keys[1] >> 24);
        Keys[2] = static_cast<uint32_t>(crc32(Keys[2] ^ 0xFFFFFFFFu, &high, 1) ^ 0xFFFFFFFFu);
    }

    std::array<uint32_t, 3> Keys{0x12345678, 0x23456789, 0x34567890};
};

void SetFileTime(const fs::path &Path, const TZipHeaderInfo &M)
{
    const TZipDateTime t = RepairDosDateTime(M.Date, M.Time);
    std::tm local{};
    local.tm_year = t.Year - 1900;
    local.tm_mon = t.Month - 1;
    local.tm_mday = t.Day;
    local.tm_hour = t.Hour;
    local.tm_min = t.Minute;
    local.tm_sec = t.Second;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    if (when == -1)
        return;
    const std::array<timespec, 2> times{timespec{when, 0}, timespec{when, 0}};
    ::utimensat(AT_FDCWD, Path.c_str(), times.data(), AT_SYMLINK_NOFOLLOW);
}

// Appends the segments of a member's folder; false for a ".." segment.
bool AddSegments(const std::string &Folder, std::vector<std::string> &Segments)
{
    size_t start = 0;
    while (start <= Folder.size()) {
        const size_t end = std::min(Folder.find('/', start), Folder.size());
        const std::string segment = Folder.substr(start, end - start);
        if (segment == "..")
            return false;
        if (!segment.empty() && segment != ".")
            Segments.push_back(segment);
        start = end + 1;
    }
    return true;
}

bool IsRealFolder(const fs::path &Path)
{
    std::error_code ec;
    return fs::symlink_status(Path, ec).type() == fs::file_type::directory;
}

} // namespace

void TVCLUnZip::SetZipName(const std::string &Name)
{
    ZipName = Name;
    Read = false;
    Members.clear();
    Sorted.clear();
    EndCentral = {};
}

void TVCLUnZip::SetSortMode(TZipSortMode Mode)
{
    SortMode = Mode;
    Sorted = SortZipMembers(Members, SortMode);
}

bool TVCLUnZip::FindEndCentral()
{
    std::ifstream in(ZipName, std::ios::binary | std::ios::ate);
    if (!in)
        throw EIncompleteZip();
    const auto fileSize = static_cast<uint64_t>(in.tellg());
    if (fileSize < EndSize)
        return false;
    const size_t tailSize = static_cast<size_t>(std::min<uint64_t>(fileSize, EndSearchSize));
    std::vector<uint8_t> tail(tailSize);
    in.seekg(static_cast<std::streamoff>(fileSize - tailSize));
    if (!in.read(reinterpret_cast<char *>(tail.data()), static_cast<std::streamsize>(tailSize)))
        return false;
    for (size_t pos = tailSize - EndSize + 1; pos-- > 0;) {
        platform::ByteReader r(std::span<const uint8_t>(tail).subspan(pos));
        uint32_t signature = 0;
        r.get(signature);
        if (signature != EndSignature)
            continue;
        TEndCentral &e = EndCentral;
        r.get(e.ThisDisk);
        r.get(e.CentralDisk);
        r.get(e.EntriesThisDisk);
        r.get(e.TotalEntries);
        r.get(e.CentralSize);
        r.get(e.CentralOffset);
        r.get(e.CommentLength);
        e.CommentOffset = fileSize >= e.CommentLength ? fileSize - e.CommentLength : 0;
        return true;
    }
    return false;
}

bool TVCLUnZip::ReadCentralDirectory()
{
    TZipDiskSet disks(ZipName);
    disks.SetLastDisk(EndCentral.ThisDisk);
    disks.Seek(EndCentral.CentralDisk, EndCentral.CentralOffset);
    std::vector<uint8_t> fixed, bytes;
    for (int entry = 0; entry < EndCentral.TotalEntries; ++entry) {
        if (!ReadExactly(disks, fixed, CentralSize)) {
            if (entry == 0)
                return false;
            break; // a directory cut short keeps the members read whole
        }
        platform::ByteReader r(fixed);
        uint32_t signature = 0;
        uint16_t commentLength = 0, diskStart = 0;
        uint32_t offset = 0;
        TZipHeaderInfo m;
        r.get(signature);
        if (signature != CentralSignature) {
            if (entry == 0)
                return false;
            break;
        }
        r.get(m.VersionMadeBy);
        const THeaderSizes sizes = ReadSharedFields(r, m);
        r.get(commentLength);
        r.get(diskStart);
        r.get(m.InternalAttributes);
        r.get(m.ExternalAttributes);
        r.get(offset);
        m.DiskStart = diskStart;
        m.LocalOffset = offset;
        if (!ReadExactly(disks, bytes, sizes.NameLength))
            break;
        SplitName(std::string(bytes.begin(), bytes.end()), m);
        if (!ReadExactly(disks, bytes, size_t{sizes.ExtraLength} + commentLength) && entry + 1 < EndCentral.TotalEntries)
            break;
        Members.push_back(std::move(m));
    }
    return true;
}

void TVCLUnZip::ScanLocalHeaders()
{
    EndCentral = {};
    std::ifstream in(ZipName, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const bool exe = ZipName.size() >= 4 && ZipName.compare(ZipName.size() - 4, 4, ".EXE") == 0;
    static constexpr std::array<uint8_t, 4> local{0x50, 0x4B, 0x03, 0x04};
    const auto from = file.begin() + static_cast<std::ptrdiff_t>(std::min<uint64_t>(exe ? ExeStubSize : 0, file.size()));
    size_t pos = static_cast<size_t>(std::search(from, file.end(), local.begin(), local.end()) - file.begin());
    while (pos + LocalSize <= file.size()) {
        platform::ByteReader r(std::span<const uint8_t>(file).subspan(pos));
        uint32_t signature = 0;
        TZipHeaderInfo m;
        r.get(signature);
        if (signature != LocalSignature)
            break;
        const auto [compressed, uncompressed, nameLength, extraLength] = ReadSharedFields(r, m);
        if (pos + LocalSize + nameLength > file.size())
            break;
        SplitName(std::string(file.begin() + static_cast<std::ptrdiff_t>(pos + LocalSize),
                              file.begin() + static_cast<std::ptrdiff_t>(pos + LocalSize + nameLength)),
                  m);
        m.LocalOffset = pos;
        pos += LocalSize + nameLength + extraLength + compressed + ((m.Flags & 8) ? 16 : 0);
        Members.push_back(std::move(m));
    }
    if (Members.empty())
        throw EBadZipFile();
}

void TVCLUnZip::ReadZip()
{
    std::error_code ec;
    const auto time = fs::last_write_time(ZipName, ec);
    if (Read && !ec && time == ReadTime)
        return;
    Members.clear();
    Sorted.clear();
    EndCentral = {};
    if (!FindEndCentral())
        throw EIncompleteZip();
    if (EndCentral.TotalEntries > 0 && !ReadCentralDirectory())
        ScanLocalHeaders();
    Sorted = SortZipMembers(Members, SortMode);
    Read = true;
    ReadTime = time;
}

bool TVCLUnZip::TakesMember(const TZipHeaderInfo &M) const
{
    if (M.IsFolder())
        return RecreateDirs;
    if (DoAll)
        return true;
    const std::string full = M.Directory + M.FileName;
    return std::any_of(FilesList.begin(), FilesList.end(), [&](const std::string &pattern) {
        std::string p = pattern;
        std::replace(p.begin(), p.end(), '\\', '/');
        return kpMatch(p, p.find('/') == std::string::npos ? M.FileName : full);
    });
}

bool TVCLUnZip::OutputFolder(const TZipHeaderInfo &M, fs::path &Folder) const
{
    std::vector<std::string> segments;
    if (RecreateDirs) {
        std::string folder = M.Directory;
        std::string root = RootDir;
        std::replace(root.begin(), root.end(), '\\', '/');
        if (!root.empty() && folder.compare(0, root.size(), root) == 0)
            folder.erase(0, root.size());
        if (folder.size() >= 2 && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0])))
            folder.erase(0, 2);
        if (!AddSegments(folder, segments))
            return false;
    }
    Folder = DestDir;
    std::error_code ec;
    fs::create_directories(Folder, ec);
    if (!IsRealFolder(Folder))
        return false;
    for (const std::string &segment : segments) {
        Folder /= segment;
        if (!fs::exists(fs::symlink_status(Folder, ec)))
            fs::create_directory(Folder, ec);
        if (!IsRealFolder(Folder))
            return false;
    }
    return true;
}

bool TVCLUnZip::ReadMemberData(const TZipHeaderInfo &M, std::vector<uint8_t> &Data)
{
    TZipDiskSet disks(ZipName);
    disks.SetLastDisk(EndCentral.ThisDisk);
    disks.Seek(M.DiskStart, M.LocalOffset);
    std::vector<uint8_t> header;
    if (!ReadExactly(disks, header, LocalSize))
        throw EFatalUnzipError();
    platform::ByteReader r(header);
    uint32_t signature = 0;
    uint16_t nameLength = 0, extraLength = 0;
    r.get(signature);
    r.skip(22);
    r.get(nameLength);
    r.get(extraLength);
    if (signature != LocalSignature)
        return false;
    if (!ReadExactly(disks, header, size_t{nameLength} + extraLength))
        throw EFatalUnzipError();
    // Grows with what arrives, so a false size in a header allocates nothing.
    Data.clear();
    std::vector<uint8_t> block(ReadBlock);
    for (uint64_t left = M.CompressedSize; left > 0;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(left, ReadBlock));
        const size_t got = disks.Read(block.data(), want);
        Data.insert(Data.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < want)
            throw EFatalUnzipError();
        left -= got;
    }
    return true;
}

bool TVCLUnZip::Decrypt(const TZipHeaderInfo &M, std::vector<uint8_t> &Data) const
{
    if (Password.empty() || Data.size() < EncryptionHeaderSize)
        return false;
    TZipKeys keys(Password);
    for (uint8_t &byte : Data)
        byte = keys.Decrypt(byte);
    const auto check = static_cast<uint8_t>((M.Flags & 8) ? M.Time >> 8 : M.Crc >> 24);
    if (Data[EncryptionHeaderSize - 1] != check)
        return false;
    Data.erase(Data.begin(), Data.begin() + EncryptionHeaderSize);
    return true;
}

bool TVCLUnZip::Extract(const TZipHeaderInfo &M)
{
    fs::path folder;
    if (!OutputFolder(M, folder))
        return false;
    if (M.IsFolder())
        return true;
    if (M.FileName == "." || M.FileName == ".." || M.FileName.find('\0') != std::string::npos)
        return false;
    const fs::path target = folder / M.FileName;
    std::error_code ec;
    const fs::file_type existing = fs::symlink_status(target, ec).type();
    if (existing == fs::file_type::directory ||
        (existing != fs::file_type::not_found && OverwriteMode == TUZOverwriteMode::Never))
        return false;
    if ((M.Encrypted() && Password.empty()) || M.UncompressedSize > OutputLeft)
        return false;

    TUnZipOutput out(M.UncompressedSize);
    try {
        std::vector<uint8_t> data;
        if (!ReadMemberData(M, data) || (M.Encrypted() && !Decrypt(M, data)))
            return false;
        switch (M.Method) {
        case 0:
            out.Append(data.data(), data.size());
            break;
        case 1:
            Unshrink(data, out);
            break;
        case 2:
        case 3:
        case 4:
        case 5:
            Unreduce(data, M.Method - 1, out);
            break;
        case 6:
            Explode(data, M.Flags, out);
            break;
        case 8:
            Inflate(data, out);
            break;
        default:
            return false;
        }
    } catch (const std::bad_alloc &) {
        return false;
    }
    const uint32_t crc = static_cast<uint32_t>(
        crc32_z(crc32(0, nullptr, 0), out.Data.data(), out.Data.size()));
    if (crc != M.Crc || out.Data.size() != M.UncompressedSize)
        return false;
    if (!platform::writeFileAtomically(target, out.Data))
        return false;
    OutputLeft -= out.Data.size();
    SetFileTime(target, M);
    return true;
}

int TVCLUnZip::UnZip()
{
    ReadZip();
    OutputLeft = MaxOutputSize;
    std::vector<int> order = SortZipMembers(Members, TZipSortMode::ByNone);
    int count = static_cast<int>(Members.size());
    for (int index : order) {
        const TZipHeaderInfo &m = Members[static_cast<size_t>(index)];
        if (!TakesMember(m) || !Extract(m))
            --count;
    }
    return count;
}
