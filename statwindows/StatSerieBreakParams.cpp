#include "statwindows/StatSerieBreakParams.h"

platform::Bytes TStatSerieBreakParams::Encode() const
{
    platform::ByteWriter out;
    out.put(CombLen);
    out.put(ShowCombs);
    out.put(CountStd);
    return out.take();
}

TStatSerieBreakParams TStatSerieBreakParams::Decode(std::span<const uint8_t> Bytes)
{
    TStatSerieBreakParams p;
    platform::ByteReader in(Bytes);
    in.get(p.CombLen);
    in.get(p.ShowCombs);
    in.get(p.CountStd);
    return p;
}
