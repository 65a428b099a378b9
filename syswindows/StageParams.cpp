#include "syswindows/StageParams.h"

platform::Bytes WriteStageParams(const TStageParams &Params)
{
    platform::ByteWriter record;
    record.put<uint8_t>(1);
    record.put<uint8_t>(uint8_t(Params.N));
    record.put<uint8_t>(uint8_t(Params.K));
    record.put<int32_t>(Params.D);
    record.put<int32_t>(Params.MinHit);
    record.put<int64_t>(Params.Profit);
    record.put<uint8_t>(Params.Individual ? 1 : 0);
    for (int64_t profit : Params.Profits)
        record.put<int64_t>(profit);
    return record.take();
}

std::optional<TStageParams> ReadStageParams(const platform::Bytes &Record)
{
    if (Record.size() < TStageParams::Size || Record[0] != 1)
        return std::nullopt;
    platform::ByteReader reader(Record);
    uint8_t valid = 0, n = 0, k = 0, individual = 0;
    TStageParams params;
    reader.get(valid);
    reader.get(n);
    reader.get(k);
    reader.get(params.D);
    reader.get(params.MinHit);
    reader.get(params.Profit);
    reader.get(individual);
    for (int64_t &profit : params.Profits)
        reader.get(profit);
    params.N = n;
    params.K = k;
    params.Individual = individual != 0;
    return params;
}
