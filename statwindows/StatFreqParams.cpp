#include "statwindows/StatFreqParams.h"

platform::Bytes TStatFreqParams::Encode() const
{
    platform::ByteWriter out;
    out.put(Valid);
    out.put(CombLen);
    out.put(EachWithEach);
    out.put(MinFreq);
    out.put(LimitRows);
    out.put(MaxRows);
    out.put(UseRange);
    out.put(RangeFrom);
    out.put(RangeTo);
    out.put(UseComb);
    out.put(CombCount);
    out.putBytes(Comb);
    out.put(Parity);
    out.put(Consecutive);
    return out.take();
}

TStatFreqParams TStatFreqParams::Decode(std::span<const uint8_t> Bytes)
{
    TStatFreqParams p;
    platform::ByteReader in(Bytes);
    in.get(p.Valid);
    in.get(p.CombLen);
    in.get(p.EachWithEach);
    in.get(p.MinFreq);
    in.get(p.LimitRows);
    in.get(p.MaxRows);
    in.get(p.UseRange);
    in.get(p.RangeFrom);
    in.get(p.RangeTo);
    in.get(p.UseComb);
    in.get(p.CombCount);
    in.getBytes(p.Comb);
    in.get(p.Parity);
    in.get(p.Consecutive);
    return p;
}

TStatFreqParams TStatFreqParams::Defaults(uint8_t N)
{
    TStatFreqParams p;
    p.MinFreq = 2;
    p.LimitRows = 1;
    p.MaxRows = 1000;
    p.RangeFrom = 1;
    p.RangeTo = N;
    return p;
}
