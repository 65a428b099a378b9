#include "core/ProgramParams.h"

#include "core/UGlobalRegistry.h"
#include "platform/ByteStream.h"

#include <algorithm>

TProgramParams ProgramParams;
TLimits Limits;

TDynByteArr encodeProgramParams(const TProgramParams &params)
{
    platform::ByteWriter out;
    out.put(params.GProb);
    out.put<uint8_t>(params.StatShowDate ? 1 : 0);
    out.put<uint8_t>(params.IncreaseUpdate ? 1 : 0);
    out.put(params.MaxComb);
    return out.take();
}

TProgramParams decodeProgramParams(const TDynByteArr &bytes)
{
    TProgramParams params;
    platform::ByteReader in(bytes);
    uint8_t statShowDate = 1, increaseUpdate = 0;
    in.get(params.GProb);
    in.get(statShowDate);
    in.get(increaseUpdate);
    in.get(params.MaxComb);
    params.StatShowDate = statShowDate != 0;
    params.IncreaseUpdate = increaseUpdate != 0;
    return params;
}

void LoadProgramParams()
{
    TDynByteArr record = encodeProgramParams(TProgramParams());
    RegStream.Clear();
    RegStream.ReadData("Settings", "Params", record);
    ProgramParams = decodeProgramParams(record);
    if (!(ProgramParams.GProb >= 0 && ProgramParams.GProb <= 1))
        ProgramParams.GProb = 0;
    ProgramParams.MaxComb = std::clamp(ProgramParams.MaxComb, Limits.MaxCombLow, Limits.MaxCombHigh);
    Limits.MaxComb = ProgramParams.MaxComb;
}

void SaveProgramParams()
{
    RegStream.Clear();
    RegStream.WriteData("Settings", "Params", encodeProgramParams(ProgramParams));
}
