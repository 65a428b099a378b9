#include "statwindows/StatWaitParams.h"

platform::Bytes TStatWaitParams::Encode() const
{
    platform::ByteWriter out;
    out.put(Valid);
    out.put(CombLen);
    out.put(WaitMode);
    out.put(Percent);
    out.put(WindowDraws);
    return out.take();
}

TStatWaitParams TStatWaitParams::Decode(std::span<const uint8_t> Bytes)
{
    TStatWaitParams p{0, 0, 0, 0, 0};
    platform::ByteReader in(Bytes);
    in.get(p.Valid);
    in.get(p.CombLen);
    in.get(p.WaitMode);
    in.get(p.Percent);
    in.get(p.WindowDraws);
    return p;
}
