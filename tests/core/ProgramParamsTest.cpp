#include "core/ProgramParams.h"

#include "tests/fixtures/FreshRegistry.h"

#include <vector>

using platform::Bytes;
using platform::RegValue;

namespace {

// f64 GProb, u8 StatShowDate, u8 IncreaseUpdate, i32 MaxComb.
Bytes record(const Bytes &gprob, uint8_t showDate, uint8_t increase, uint32_t maxComb)
{
    Bytes bytes(gprob);
    bytes.push_back(showDate);
    bytes.push_back(increase);
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(maxComb >> (8 * i)));
    return bytes;
}

const Bytes kQuarter = {0, 0, 0, 0, 0, 0, 0xD0, 0x3F}; // 0.25
const Bytes kZero = {0, 0, 0, 0, 0, 0, 0, 0};

} // namespace

class ProgramParamsTest : public FreshRegistry {
protected:
    void storeParams(const Bytes &bytes) { store().setValue("Settings", "Params", bytes); }
};

TEST(Limits, BoundsBeforeTheSettingsAreLoaded)
{
    const TLimits limits;
    EXPECT_EQ(limits.MaxCombLow, 10000);
    EXPECT_EQ(limits.MaxCombHigh, 1000000);
    EXPECT_EQ(limits.MaxComb, 10000);
    EXPECT_EQ(limits.MaxCombOutput, 65000);
}

TEST_F(ProgramParamsTest, DefaultsOnAFreshMachine)
{
    ProgramParams = TProgramParams{.GProb = 0.5, .StatShowDate = false, .IncreaseUpdate = true, .MaxComb = 1};
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.GProb, 0);
    EXPECT_TRUE(ProgramParams.StatShowDate);
    EXPECT_FALSE(ProgramParams.IncreaseUpdate);
    EXPECT_EQ(ProgramParams.MaxComb, 30000);
    EXPECT_EQ(Limits.MaxComb, 30000);
}

TEST_F(ProgramParamsTest, LoadsTheStoredRecord)
{
    storeParams(record(kQuarter, 0, 1, 50000));
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.GProb, 0.25);
    EXPECT_FALSE(ProgramParams.StatShowDate);
    EXPECT_TRUE(ProgramParams.IncreaseUpdate);
    EXPECT_EQ(ProgramParams.MaxComb, 50000);
    EXPECT_EQ(Limits.MaxComb, 50000);
}

TEST_F(ProgramParamsTest, BringsStoredValuesWithinBounds)
{
    storeParams(record(kZero, 1, 0, 5000));
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.MaxComb, 10000);
    EXPECT_EQ(Limits.MaxComb, 10000);

    storeParams(record(kZero, 1, 0, 2000000));
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.MaxComb, 1000000);

    storeParams(record(kZero, 1, 0, 0xFFFFFFFF)); // -1
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.MaxComb, 10000);

    const std::vector<Bytes> outside = {
        {0, 0, 0, 0, 0, 0, 0xF8, 0x3F},                   // 1.5
        {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0xBF}, // -0.1
        {0, 0, 0, 0, 0, 0, 0xF8, 0x7F},                   // NaN
        {0, 0, 0, 0, 0, 0, 0xF0, 0x7F},                   // infinity
    };
    for (const auto &gprob : outside) {
        storeParams(record(gprob, 1, 0, 30000));
        LoadProgramParams();
        EXPECT_EQ(ProgramParams.GProb, 0);
    }
    storeParams(record({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, 1, 0, 30000)); // 1.0 stays
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.GProb, 1.0);
}

TEST_F(ProgramParamsTest, AShortRecordReplacesOnlyItsFront)
{
    storeParams(kQuarter);
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.GProb, 0.25);
    EXPECT_TRUE(ProgramParams.StatShowDate);
    EXPECT_EQ(ProgramParams.MaxComb, 30000);

    store().setValue("Settings", "Params", uint32_t(1));
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.GProb, 0);
    EXPECT_EQ(ProgramParams.MaxComb, 30000);
}

TEST_F(ProgramParamsTest, SavesTheFourteenBytes)
{
    ProgramParams =
        TProgramParams{.GProb = 0.25, .StatShowDate = false, .IncreaseUpdate = true, .MaxComb = 123456};
    SaveProgramParams();
    EXPECT_EQ(store().value("Settings", "Params"),
              RegValue(Bytes{0, 0, 0, 0, 0, 0, 0xD0, 0x3F, 0, 1, 0x40, 0xE2, 0x01, 0x00}));
    ProgramParams = TProgramParams();
    LoadProgramParams();
    EXPECT_EQ(ProgramParams.MaxComb, 123456);
    EXPECT_TRUE(ProgramParams.IncreaseUpdate);
}
