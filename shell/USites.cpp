#include "shell/USites.h"

#include "core/UGlobalFiles.h"
#include "engine/UGameMan.h"
#include "platform/AtomicFile.h"
#include "platform/ByteStream.h"

#include <algorithm>
#include <filesystem>
#include <optional>

std::vector<std::unique_ptr<TSiteMan>> SiteLists;

namespace {

constexpr size_t CountSize = 4;
constexpr size_t FrameSize = FileHeaderSize + CountSize + CRCSize; // 14

std::string Trimmed(const std::string &S)
{
    const size_t first = S.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return S.substr(first, S.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Folded(std::string S)
{
    std::transform(S.begin(), S.end(), S.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return S;
}

void WriteSite(platform::ByteWriter &Out, const TSiteRec &Rec)
{
    Out.putShortString(Rec.Location, TSiteRec::LocationLength);
    Out.put<uint8_t>(Rec.Zipped ? 1 : 0);
    WriteDrawsFormat(Out, Rec.Format);
}

void ReadSite(platform::ByteReader &In, TSiteRec &Rec)
{
    uint8_t zipped = 0;
    In.getShortString(Rec.Location, TSiteRec::LocationLength);
    In.get(zipped);
    Rec.Zipped = zipped != 0;
    ReadDrawsFormat(In, Rec.Format);
}

} // namespace

TDrawsFormat TSiteRec::DefaultSiteFormat()
{
    TDrawsFormat format;
    format.DateOrder = "DMR";
    return format;
}

bool SiteZipped(const std::string &Location)
{
    return Location.find(".zip") != std::string::npos;
}

TSiteMan::TSiteMan(std::string Folder, const TGameData *Game) : Folder(std::move(Folder)), Game(Game)
{
    Sorted = false;
}

std::string TSiteMan::FileName() const
{
    std::string folder = Folder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + Game->Info.ShortName + "Sites";
}

void TSiteMan::Load(bool OnlyFirst)
{
    Clear();
    std::error_code ec;
    Refused = std::filesystem::exists(FileName(), ec);
    TDynByteArr bytes;
    if (!readFileBytes(FileName(), bytes) || bytes.size() < FrameSize || !hasValidCRC(bytes))
        return;
    platform::ByteReader in(bytes);
    TFileHeader header;
    int32_t count = 0;
    if (!readFileHeader(in, header) || !IsCurrentVersion(header.Ver) || header.GameId != Game->Info.Id ||
        header.FileKind != fkSites || !in.get(count) || count < 0 ||
        bytes.size() != FrameSize + TSiteRec::RecordSize * static_cast<size_t>(count))
        return;
    Refused = false;
    for (int32_t i = 0; i < count && !(OnlyFirst && i > 0); ++i) {
        auto rec = std::make_unique<TSiteRec>();
        const size_t start = in.position();
        ReadSite(in, *rec);
        in.seek(start + TSiteRec::RecordSize);
        AddItem(rec.release(), true);
    }
}

bool TSiteMan::Save()
{
    const std::string file = FileName();
    std::error_code ec;
    KeptAs.clear();
    if (Refused && std::filesystem::exists(file, ec)) {
        const std::optional<std::filesystem::path> aside = platform::moveDamagedFileAside(file);
        if (!aside)
            return false;
        KeptAs = aside->string();
    }
    Refused = false;
    if (Count() == 0) {
        std::filesystem::remove(file, ec);
        return !ec;
    }
    std::filesystem::create_directories(Folder, ec);
    platform::ByteWriter out;
    TFileHeader header;
    header.GameId = Game->Info.Id;
    header.FileKind = fkSites;
    writeFileHeader(out, header);
    out.put<int32_t>(Count());
    for (int i = 0; i < Count(); ++i)
        WriteSite(out, *GetItem(i));
    AppendStreamCRC(out);
    return platform::writeFileAtomically(file, out.bytes());
}

void TSiteMan::GetSite(int Index, TSiteRec &Rec) const
{
    Rec = *GetItem(Index);
}

bool TSiteMan::AddSite(const TSiteRec &Rec, int At)
{
    auto copy = std::make_unique<TSiteRec>(Rec);
    copy->Location = Trimmed(Rec.Location);
    copy->Zipped = SiteZipped(copy->Location);
    const std::string key = Folded(copy->Location);
    for (int i = 0; i < Count(); ++i)
        if (Folded(GetItem(i)->Location) == key)
            return false;
    AddItem(copy.release(), true, At);
    return true;
}

void TSiteMan::SetSite(const TSiteRec &Rec, int Index)
{
    *GetItem(Index) = Rec;
}

void TSiteMan::Exchange(int I, int J)
{
    std::swap(*GetItem(I), *GetItem(J));
}

bool LoadSiteLists(const std::string &Folder)
{
    FreeSiteLists();
    bool any = false;
    for (int i = 0; i < Games.Count(); ++i) {
        auto list = std::make_unique<TSiteMan>(Folder, Games.GetGame(i));
        list->Load(false);
        any = any || list->Count() > 0;
        SiteLists.push_back(std::move(list));
    }
    return any;
}

void FreeSiteLists()
{
    SiteLists.clear();
}
