#include "core/UGlobalFiles.h"

#include "core/UCRC.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1250.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <limits>
#include <string_view>

namespace {

char foldedChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    if (pattern == "*.*")
        return true;
    size_t n = 0, p = 0;
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || foldedChar(pattern[p]) == foldedChar(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string foldedName(const std::string &name)
{
    std::string result = name;
    std::transform(result.begin(), result.end(), result.begin(), foldedChar);
    return result;
}

// By name ignoring ASCII case, names differing only in case by their bytes.
bool nameOrder(const std::string &a, const std::string &b)
{
    const std::string foldedA = foldedName(a), foldedB = foldedName(b);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

// "" stays the current folder; anything else ends with '/'.
std::string folderPrefix(const std::string &folder)
{
    return (folder.empty() || folder.back() == '/') ? folder : folder + '/';
}

// The regular files of folder matching pattern, sorted; our temporary files never appear, and with
// ordinaryOnly neither do hidden ones.
TStrArray listFolder(const std::string &folder, std::string_view pattern, bool ordinaryOnly)
{
    TStrArray names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string name = it->path().filename().string();
        if (platform::isTemporaryFileName(name) || (ordinaryOnly && name.front() == '.'))
            continue;
        if (matchesPattern(name, pattern))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), nameOrder);
    return names;
}

} // namespace

void writeFileHeader(platform::ByteWriter &out, const TFileHeader &header)
{
    out.putBytes(header.Ver);
    out.put(header.GameId);
    out.put(header.FileKind);
    out.put(header.SubKind);
}

bool readFileHeader(platform::ByteReader &in, TFileHeader &header)
{
    TFileHeader read;
    if (!in.getBytes(read.Ver) || !in.get(read.GameId) || !in.get(read.FileKind) || !in.get(read.SubKind))
        return false;
    header = read;
    return true;
}

void writeFileInfo(platform::ByteWriter &out, const TFileInfo &info)
{
    const std::string comment = platform::utf8ToCp1250(info.Comment);
    out.put(info.Date);
    out.putZeroTerminated(info.Title, InfoTitleSize);
    out.put(static_cast<uint32_t>(comment.size()));
    out.putBytes(std::span(reinterpret_cast<const uint8_t *>(comment.data()), comment.size()));
}

bool readFileInfo(platform::ByteReader &in, TFileInfo &info)
{
    TFileInfo read;
    uint32_t commentLength = 0;
    TDynByteArr comment;
    if (!in.get(read.Date) || !in.getZeroTerminated(read.Title, InfoTitleSize) || !in.get(commentLength) ||
        !in.getBytes(comment, commentLength))
        return false;
    read.Comment = platform::cp1250ToUtf8(
        std::string_view(reinterpret_cast<const char *>(comment.data()), comment.size()));
    info = std::move(read);
    return true;
}

bool readFileHead(const std::string &FileName, TFileHeader &Header, TFileInfo &Info)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(FileName, error))
        return false;
    const uintmax_t size = std::filesystem::file_size(FileName, error);
    std::ifstream in(FileName, std::ios::binary);
    constexpr size_t FixedSize = FileHeaderSize + InfoBlockSize;
    if (error || !in || size < FixedSize + CRCSize)
        return false;
    TDynByteArr head(FixedSize);
    if (!in.read(reinterpret_cast<char *>(head.data()), std::streamsize(FixedSize)))
        return false;
    uint32_t commentLength = 0;
    platform::ByteReader(std::span(head).last(4)).get(commentLength);
    if (commentLength > size - FixedSize - CRCSize)
        return false;
    head.resize(FixedSize + commentLength);
    if (!in.read(reinterpret_cast<char *>(head.data() + FixedSize), std::streamsize(commentLength)))
        return false;
    platform::ByteReader reader(head);
    TFileHeader header;
    TFileInfo info;
    if (!readFileHeader(reader, header) || !readFileInfo(reader, info))
        return false;
    Header = header;
    Info = std::move(info);
    return true;
}

uint32_t StreamCRC(std::span<const uint8_t> Stream, bool ExcludeTail)
{
    if (ExcludeTail)
        Stream = Stream.first(Stream.size() > CRCSize ? Stream.size() - CRCSize : 0);
    return calcCRC(Stream);
}

void AppendStreamCRC(platform::ByteWriter &Stream)
{
    Stream.put(StreamCRC(Stream.bytes(), false));
}

bool hasValidCRC(std::span<const uint8_t> bytes)
{
    if (bytes.size() <= CRCSize)
        return false;
    platform::ByteReader trailer(bytes.last(CRCSize));
    uint32_t stored = 0;
    return trailer.get(stored) && stored == StreamCRC(bytes, true);
}

bool CheckFileCRC(const std::string &FileName)
{
    TDynByteArr bytes;
    return readFileBytes(FileName, bytes) && hasValidCRC(bytes);
}

bool IsCurrentVersion(std::span<const uint8_t> Ver)
{
    return Ver.size() >= 2 && Ver[0] == CurrentFileVersion[0] && Ver[1] == CurrentFileVersion[1];
}

bool NamesAFile(std::string_view Name)
{
    if (Name.empty() || Name == "." || Name == "..")
        return false;
    for (const char c : Name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

bool readFileBytes(const std::string &FileName, TDynByteArr &Bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(FileName, error))
        return false;
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        return false;
    TDynByteArr read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    Bytes = std::move(read);
    return true;
}

std::string NextFileName(const std::string &Folder)
{
    const std::string folder = folderPrefix(Folder);
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
        std::filesystem::create_directories(folder, error);
        if (!std::filesystem::is_directory(folder, error))
            return std::string();
    }
    int64_t largest = 0;
    for (const auto &name : listFolder(folder, "*.*", true)) {
        if (name.size() <= 5)
            continue;
        const char *first = name.data() + 1;
        const char *last = name.data() + name.size() - 4;
        int64_t number = 0;
        const auto [end, result] = std::from_chars(first, last, number);
        if (result == std::errc() && end == last)
            largest = std::max(largest, number);
    }
    if (largest == std::numeric_limits<int64_t>::max())
        return std::string();
    return folder + "L" + std::to_string(largest + 1) + ".dat";
}

void ListFiles(const std::string &Mask, TStrArray &List)
{
    const size_t slash = Mask.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : Mask.substr(0, slash + 1);
    const std::string_view pattern = std::string_view(Mask).substr(folder.size());
    List = pattern.empty() ? TStrArray() : listFolder(folder, pattern, false);
}

std::string GetFirstFile(const std::string &Folder)
{
    const std::string folder = folderPrefix(Folder);
    const TStrArray names = listFolder(folder, "*.*", true);
    return names.empty() ? std::string() : folder + names.front();
}

std::unique_ptr<std::fstream> OpenFileStream(const std::string &FileName, std::ios::openmode Mode)
{
    auto stream = std::make_unique<std::fstream>(FileName, Mode | std::ios::binary);
    if (!stream->is_open())
        return nullptr;
    return stream;
}
