// The guarantee file: the data-file frame around the system (as the body of its system file), the set
// block and the guarantee blocks.
#include "core/DateTime.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/UGuarantyCount.h"
#include "engine/USysGeneral.h"
#include "platform/AtomicFile.h"

namespace {

constexpr size_t CaptionFieldSize = GuarCaptionLength + 1;
// Caption, DrawnSize, the vector count and Total.
constexpr size_t GuarBlockSize = CaptionFieldSize + 1 + 4 + 8;

} // namespace

void TGuaranty::SaveToStream(platform::ByteWriter &Stream) const
{
    Stream.putZeroTerminated(Caption, CaptionFieldSize);
    Stream.put(DrawnSize);
    Stream.put(uint32_t(Vectors.size()));
    Stream.put(Total);
    for (const TGuarVector &vector : Vectors) {
        for (const int32_t hits : vector.Hits)
            Stream.put(uint32_t(hits));
        Stream.put(vector.Frequency);
    }
}

std::unique_ptr<TGuaranty> TGuaranty::CreateFromStream(const TGameData *Game, double MinProb,
                                                       platform::ByteReader &Stream, const TSystem &System)
{
    std::unique_ptr<TGuaranty> guaranty(new TGuaranty(Game, System));
    guaranty->MinProb = MinProb;
    uint32_t count = 0;
    if (!Stream.getZeroTerminated(guaranty->Caption, CaptionFieldSize) || !Stream.get(guaranty->DrawnSize) ||
        !Stream.get(count) || !Stream.get(guaranty->Total))
        return nullptr;
    const int rows = guaranty->RowCount();
    if (count > Stream.remaining() / (size_t(rows + 1) * 4))
        return nullptr;
    TDynIntArr hits(static_cast<size_t>(rows));
    for (uint32_t v = 0; v < count; ++v) {
        for (int32_t &entry : hits) {
            uint32_t value = 0;
            Stream.get(value);
            entry = int32_t(value);
        }
        uint32_t frequency = 0;
        Stream.get(frequency);
        AddGuarVector(guaranty->Vectors, hits.data(), rows, frequency);
    }
    guaranty->VectorsExpanded = true;
    guaranty->finish();
    return guaranty;
}

bool TSetGuaranty::SaveToFile(const std::string &FileName, const std::string &Title,
                              const std::string &Comment) const
{
    platform::ByteWriter out;
    writeFileHeader(out, TFileHeader{CurrentFileVersion, Game->Info.Id, fkGuaranty, uint8_t(System.Kind)});
    writeFileInfo(out, TFileInfo{Now(), Title, Comment});
    System.SaveToStream(out);
    out.put(K);
    out.put(uint32_t(Items.size()));
    out.put(Precision);
    for (const auto &item : Items)
        item->SaveToStream(out);
    AppendStreamCRC(out);
    return platform::writeFileAtomically(FileName, out.bytes());
}

bool TSetGuaranty::LoadFromStream(platform::ByteReader &Stream)
{
    uint8_t k = 0;
    uint32_t count = 0;
    double precision = 0;
    if (!Stream.get(k) || !Stream.get(count) || !Stream.get(precision) || k != System.K ||
        count > Stream.remaining() / GuarBlockSize)
        return false;
    Items.clear();
    MaxRows = 0;
    Precision = precision;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<TGuaranty> guaranty = TGuaranty::CreateFromStream(Game, MinProb, Stream, System);
        if (!guaranty)
            return false;
        Add(std::move(guaranty));
    }
    return true;
}

bool LoadGuarantyFile(const std::string &FileName, const TGameData *Game, double MinProb, TGuarantyFile &File)
{
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes) || !hasValidCRC(bytes))
        return false;
    platform::ByteReader in(std::span<const uint8_t>(bytes.data(), bytes.size() - CRCSize));
    TFileHeader header;
    TFileInfo info;
    if (!readFileHeader(in, header) || !IsCurrentVersion(header.Ver) || header.FileKind != fkGuaranty ||
        header.GameId != Game->Info.Id || !readFileInfo(in, info))
        return false;
    std::unique_ptr<TSystem> system = CreateSystem(header.SubKind, Game);
    if (!system || !system->LoadFromStream(in))
        return false;
    auto set = std::make_unique<TSetGuaranty>(Game, MinProb, *system);
    if (!set->LoadFromStream(in) || !in.atEnd())
        return false;
    File.Info = std::move(info);
    File.System = std::move(system);
    File.Set = std::move(set);
    return true;
}
