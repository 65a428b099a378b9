#pragma once
// The program-wide settings record, kept as the 14-byte value "Settings"\"Params", and the limits the
// system kinds enforce.

#include "core/DynArrays.h"

#include <cstddef>
#include <cstdint>

struct TProgramParams {
    double GProb = 0;            // a probability 0..1 set in the options dialog
    bool StatShowDate = true;    // statistics show draw dates rather than ordinals
    bool IncreaseUpdate = false; // the draws update appends to the history instead of replacing it
    int32_t MaxComb = 30000;     // the most combinations a generated system may hold
};

constexpr size_t ProgramParamsSize = 14;

// The stored layout: f64 GProb, u8 StatShowDate, u8 IncreaseUpdate, i32 MaxComb, little-endian.
TDynByteArr encodeProgramParams(const TProgramParams &params);
TProgramParams decodeProgramParams(const TDynByteArr &bytes); // ProgramParamsSize bytes

struct TLimits {
    int32_t MaxCombLow = 10000;    // the lowest accepted MaxComb setting
    int32_t MaxCombHigh = 1000000; // the highest accepted MaxComb setting
    int32_t MaxComb = 10000;       // the bound in force: MaxCombLow until the settings are loaded
    int32_t MaxCombOutput = 65000; // above this a system is not reported, printed or checked
};

extern TProgramParams ProgramParams;
extern TLimits Limits;

// Defaults, then the stored record (a shorter one replaces only its front); GProb outside 0..1 (or not a
// number) becomes 0, MaxComb is brought within Limits; Limits.MaxComb := MaxComb.
void LoadProgramParams();
void SaveProgramParams();
