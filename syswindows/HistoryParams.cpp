#include "syswindows/HistoryParams.h"

platform::Bytes THistoryParams::Encode() const
{
    platform::ByteWriter out;
    out.put(Valid);
    out.put(GameId);
    out.put(FromOn);
    out.put(From);
    out.put(ToOn);
    out.put(To);
    out.putBytes(HitLevels);
    return out.take();
}

THistoryParams THistoryParams::Decode(std::span<const uint8_t> Bytes)
{
    THistoryParams p;
    platform::ByteReader in(Bytes);
    in.get(p.Valid);
    in.get(p.GameId);
    in.get(p.FromOn);
    in.get(p.From);
    in.get(p.ToOn);
    in.get(p.To);
    in.getBytes(p.HitLevels);
    return p;
}

THistoryParams THistoryParams::Defaults(TDateTime Today)
{
    THistoryParams p;
    p.From = Today;
    p.To = Today;
    p.HitLevels.fill(1);
    return p;
}
