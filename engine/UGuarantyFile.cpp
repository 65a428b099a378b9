// The guarantee file: the data-file frame around the system (as the body of its system file), the set
// block and the guarantee blocks.
#include "core/DateTime.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <stdexcept>

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
    const __int128 mostCounted = guaranty->MostCounted();
    uint64_t frequencies = 0;
    TDynIntArr hits(static_cast<size_t>(rows));
    for (uint32_t v = 0; v < count; ++v) {
        __int128 counted = 0;
        for (int32_t &entry : hits) {
            uint32_t value = 0;
            Stream.get(value);
            if (value > uint32_t(INT32_MAX))
                return nullptr;
            entry = int32_t(value);
            counted += value;
        }
        uint32_t frequency = 0;
        Stream.get(frequency);
        if (counted > mostCounted)
            return nullptr;
        frequencies += frequency;
        guaranty->Vectors.push_back(TGuarVector{hits, frequency, 0, {}});
    }
    // The counting order, sorted at once: the rows may be stored in any shown order.
    auto &vectors = guaranty->Vectors;
    std::sort(vectors.begin(), vectors.end(),
              [](const TGuarVector &A, const TGuarVector &B) { return A.Hits > B.Hits; });
    const bool storedTwice = std::adjacent_find(vectors.begin(), vectors.end(), [](const TGuarVector &A,
                                                                                    const TGuarVector &B) {
                                 return A.Hits == B.Hits;
                             }) != vectors.end();
    // Every drawn set counted gives one vector, and a vector is stored once.
    if (guaranty->Total < 0 || frequencies != uint64_t(guaranty->Total) || storedTwice)
        return nullptr;
    guaranty->VectorsExpanded = true;
    return guaranty;
}

__int128 TGuaranty::MostCounted() const
{
    const TGameInfo &game = Game->Info;
    __int128 most = Newton[size_t(System.N)][size_t(K)];
    if (System.FullBet && IsMultiBet(game, K))
        most *= Newton[size_t(K)][size_t(game.MultiFrom) - 1];
    return most;
}

bool TGuaranty::FinishReading()
{
    try {
        finish();
    } catch (const std::overflow_error &) {
        return false;
    }
    return true;
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
    std::vector<std::unique_ptr<TGuaranty>> read;
    for (uint32_t i = 0; i < count; ++i) {
        read.push_back(TGuaranty::CreateFromStream(Game, MinProb, Stream, System));
        if (!read.back())
            return false;
    }
    // Only blocks that end the stream are worked out: a count too high reads into the next block.
    if (!Stream.atEnd())
        return false;
    for (const auto &guaranty : read)
        if (!guaranty->FinishReading())
            return false;
    Items.clear();
    MaxRows = 0;
    Precision = precision;
    for (auto &guaranty : read)
        Add(std::move(guaranty));
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
    if (!set->LoadFromStream(in))
        return false;
    File.Info = std::move(info);
    File.System = std::move(system);
    File.Set = std::move(set);
    return true;
}
