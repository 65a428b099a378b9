#include "statwindows/StatBestCombParams.h"

platform::Bytes TStatBestCombParams::Encode() const
{
    platform::ByteWriter out;
    out.put(Valid);
    out.put(CombLen);
    out.put(KeyCount);
    out.putBytes(Key);
    out.put(ConstCount);
    out.putBytes(Consts);
    out.put(ByWin);
    out.put(HitFrom);
    out.put(HitTo);
    out.put(Exact);
    out.put(MaxIter);
    out.put(ShowEqual);
    return out.take();
}

TStatBestCombParams TStatBestCombParams::Decode(std::span<const uint8_t> Bytes)
{
    TStatBestCombParams p;
    platform::ByteReader in(Bytes);
    in.get(p.Valid);
    in.get(p.CombLen);
    in.get(p.KeyCount);
    in.getBytes(p.Key);
    in.get(p.ConstCount);
    in.getBytes(p.Consts);
    in.get(p.ByWin);
    in.get(p.HitFrom);
    in.get(p.HitTo);
    in.get(p.Exact);
    in.get(p.MaxIter);
    in.get(p.ShowEqual);
    return p;
}

TStatBestCombParams TStatBestCombParams::Defaults()
{
    TStatBestCombParams p;
    p.ByWin = 1;
    p.MaxIter = 1000;
    return p;
}
