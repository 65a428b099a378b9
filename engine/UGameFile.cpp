#include "engine/UGameFile.h"

#include "core/UGlobalFiles.h"
#include "platform/ByteStream.h"

namespace {

bool ReadCurrency(platform::ByteReader &In, Currency &Value)
{
    int64_t count = 0;
    if (!In.get(count))
        return false;
    Value = Currency::fromCount(count);
    return true;
}

bool ReadFlag(platform::ByteReader &In, bool &Value)
{
    uint8_t byte = 0;
    if (!In.get(byte))
        return false;
    Value = byte != 0;
    return true;
}

} // namespace

bool ReadGameFile(std::span<const uint8_t> Bytes, TGameInfo &G)
{
    platform::ByteReader in(Bytes);
    TGameInfo g;
    uint8_t dropped = 0;
    if (!in.skip(FileHeaderSize) || !in.get(g.Id) || !in.get(g.MaxNumber) || !in.get(g.Drawn) || !in.get(g.MinK) ||
        !in.get(g.MaxK) || !in.get(dropped) || !in.get(g.BetSize) || !in.get(g.MaxSize) || !in.get(g.MultiFrom) ||
        !ReadFlag(in, g.HasSystems) || !ReadFlag(in, g.PrizeByStake) || !ReadCurrency(in, g.BasicStake) ||
        !ReadCurrency(in, g.WinStake) || !in.get(g.Reserved) || !in.getShortString(g.Name, GameNameLength) ||
        !in.getShortString(g.ShortName, GameShortNameLength) || !in.getBytes(g.MinHits, g.MaxSize))
        return false;
    g.Prizes.assign(g.MaxK, std::vector<Currency>(g.MaxK));
    for (auto &row : g.Prizes)
        for (auto &prize : row)
            if (!ReadCurrency(in, prize))
                return false;
    if (!in.get(g.MaxFreqLen))
        return false;
    ReadDrawsFormat(in, g.Line);
    if (!in.ok())
        return false;
    G = std::move(g);
    return true;
}

TDynByteArr GameFileBytes(const TGameInfo &G)
{
    platform::ByteWriter out;
    writeFileHeader(out, TFileHeader{CurrentFileVersion, G.Id, fkGame, 0});
    out.put(G.Id);
    out.put(G.MaxNumber);
    out.put(G.Drawn);
    out.put(G.MinK);
    out.put(G.MaxK);
    out.put<uint8_t>(0);
    out.put(G.BetSize);
    out.put(G.MaxSize);
    out.put(G.MultiFrom);
    out.put<uint8_t>(G.HasSystems ? 1 : 0);
    out.put<uint8_t>(G.PrizeByStake ? 1 : 0);
    out.put(G.BasicStake.count());
    out.put(G.WinStake.count());
    out.put(G.Reserved);
    out.putShortString(G.Name, GameNameLength);
    out.putShortString(G.ShortName, GameShortNameLength);
    out.putBytes(G.MinHits);
    for (const auto &row : G.Prizes)
        for (const Currency prize : row)
            out.put(prize.count());
    out.put(G.MaxFreqLen);
    WriteDrawsFormat(out, G.Line);
    AppendStreamCRC(out);
    return out.take();
}
