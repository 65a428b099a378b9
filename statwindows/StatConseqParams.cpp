#include "statwindows/StatConseqParams.h"

platform::Bytes TStatConseqParams::Encode() const
{
    platform::ByteWriter out;
    out.put(Valid);
    out.put(Successors);
    out.put(DrawsCount);
    out.put(Interval);
    out.put(CombLen);
    out.put(MinFreq);
    out.put(LimitRows);
    out.put(MaxRows);
    out.put(CombCount);
    out.putBytes(Comb);
    return out.take();
}

TStatConseqParams TStatConseqParams::Decode(std::span<const uint8_t> Bytes)
{
    TStatConseqParams p{0, 0, 0, 0, 0, 0, 0, 0, 0, {}};
    platform::ByteReader in(Bytes);
    in.get(p.Valid);
    in.get(p.Successors);
    in.get(p.DrawsCount);
    in.get(p.Interval);
    in.get(p.CombLen);
    in.get(p.MinFreq);
    in.get(p.LimitRows);
    in.get(p.MaxRows);
    in.get(p.CombCount);
    in.getBytes(p.Comb);
    return p;
}
