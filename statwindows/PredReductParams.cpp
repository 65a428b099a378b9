#include "statwindows/PredReductParams.h"

platform::Bytes TPredReductParams::Encode() const
{
    platform::ByteWriter out;
    out.put(Valid);
    out.put(CombLen);
    out.put(HitWin);
    out.put(DrawFrom);
    out.put(DrawTo);
    out.put(KeyLen);
    out.putBytes(KeyOrder);
    return out.take();
}

TPredReductParams TPredReductParams::Decode(std::span<const uint8_t> Bytes)
{
    TPredReductParams p;
    platform::ByteReader in(Bytes);
    in.get(p.Valid);
    in.get(p.CombLen);
    in.get(p.HitWin);
    in.get(p.DrawFrom);
    in.get(p.DrawTo);
    in.get(p.KeyLen);
    in.getBytes(p.KeyOrder);
    return p;
}
