#include "syswindows/CheckSystemParams.h"

#include "shell/ParamsRecord.h"

#include <algorithm>

platform::Bytes TCheckSystemParams::Encode() const
{
    platform::ByteWriter out;
    out.put(GroupType);
    out.put(CheckType);
    out.put(ShowAllHits);
    out.put(ShowChart);
    out.put(OwnCount);
    out.putBytes(OwnNumbers);
    return out.take();
}

TCheckSystemParams TCheckSystemParams::Decode(std::span<const uint8_t> Bytes)
{
    TCheckSystemParams p;
    platform::ByteReader in(Bytes);
    in.get(p.GroupType);
    in.get(p.CheckType);
    in.get(p.ShowAllHits);
    in.get(p.ShowChart);
    in.get(p.OwnCount);
    in.getBytes(p.OwnNumbers);
    return p;
}

std::vector<uint8_t> TCheckSystemParams::UsableOwnNumbers(int N, int Drawn) const
{
    const int most = std::min(int(NumbersFieldSize), Drawn);
    if (OwnCount > most || !ValidStoredComb(OwnNumbers, OwnCount, N, true))
        return {};
    return {OwnNumbers.begin(), OwnNumbers.begin() + OwnCount};
}
