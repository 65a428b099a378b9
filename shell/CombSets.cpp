#include "shell/CombSets.h"

#include "core/UGlobalFiles.h"
#include "platform/AtomicFile.h"
#include "shell/FGlobalStartup.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <filesystem>

namespace {

constexpr size_t CommentFieldSize = MaxSetComment + 1;
constexpr size_t FrameSize = FileHeaderSize + sizeof(int32_t) + CRCSize;

bool ReadRecord(platform::ByteReader &In, TCombSetRec &Rec)
{
    In.get(Rec.Saved);
    In.get(Rec.Count);
    In.getBytes(Rec.Numbers);
    // The comment ends at its last byte whether or not a zero does.
    In.getZeroTerminated(Rec.Comment, MaxSetComment);
    In.skip(1);
    return In.ok();
}

bool ValidNumbers(const TCombSetRec &Rec)
{
    if (Rec.Count > MaxSetNumbers)
        return false;
    std::bitset<MaxSetNumbers + 1> seen;
    for (uint8_t number : Rec.Chosen()) {
        if (number < 1 || number > MaxSetNumbers || seen[number])
            return false;
        seen[number] = true;
    }
    return true;
}

} // namespace

TCombSetRec TCombSetRec::Make(std::span<const uint8_t> Numbers, const std::string &Comment)
{
    TCombSetRec rec;
    rec.Saved = std::floor(Now());
    rec.Count = uint8_t(std::min<size_t>(Numbers.size(), MaxSetNumbers));
    std::copy_n(Numbers.begin(), rec.Count, rec.Numbers.begin());
    rec.Comment = Comment;
    return rec;
}

std::string CombSetsFileName()
{
    return OtherDir + "SetCombs.dat";
}

platform::Bytes EncodeCombSets(const TCombSets &Sets)
{
    platform::ByteWriter out;
    TFileHeader header;
    header.FileKind = fkCombSet;
    writeFileHeader(out, header);
    out.put(int32_t(Sets.size()));
    for (const TCombSetRec &rec : Sets) {
        out.put(rec.Saved);
        out.put(rec.Count);
        out.putBytes(rec.Numbers);
        out.putZeroTerminated(rec.Comment, CommentFieldSize);
    }
    AppendStreamCRC(out);
    return out.take();
}

bool DecodeCombSets(std::span<const uint8_t> Bytes, TCombSets &Sets)
{
    Sets.clear();
    if (Bytes.size() < FrameSize || (Bytes.size() - FrameSize) % CombSetRecSize != 0 || !hasValidCRC(Bytes))
        return false;
    platform::ByteReader in(Bytes.first(Bytes.size() - CRCSize));
    TFileHeader header;
    int32_t count = 0;
    if (!readFileHeader(in, header) || !IsCurrentVersion(header.Ver) || header.FileKind != fkCombSet ||
        !in.get(count) || count < 0 || size_t(count) != in.remaining() / CombSetRecSize)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        TCombSetRec rec;
        if (!ReadRecord(in, rec))
            return false;
        if (ValidNumbers(rec))
            Sets.push_back(std::move(rec));
    }
    return true;
}

TCombSetsFile ReadCombSets(const std::string &FileName)
{
    TCombSetsFile file;
    std::error_code error;
    if (!std::filesystem::exists(FileName, error))
        return file;
    TDynByteArr bytes;
    file.Refused = !readFileBytes(FileName, bytes) || !DecodeCombSets(bytes, file.Sets);
    if (file.Refused)
        file.Sets.clear();
    return file;
}

bool WriteCombSets(const std::string &FileName, const TCombSetsFile &File)
{
    const std::filesystem::path path(FileName);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (File.Refused && std::filesystem::exists(path, error) && !platform::moveDamagedFileAside(path))
        return false;
    return platform::writeFileAtomically(path, EncodeCombSets(File.Sets));
}
