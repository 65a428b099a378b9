#include "core/UGlobalRegistry.h"

#include "tests/fixtures/FreshRegistry.h"

#include <vector>

using platform::Bytes;
using platform::RegValue;

class RegistryStreamTest : public FreshRegistry {};

TEST(RegistryObjects, StartOnTheProductKey)
{
    EXPECT_EQ(ProgramReg.Company(), "");
    EXPECT_EQ(ProgramReg.Product(), "Korvantile 3.0");
    EXPECT_EQ(RegStream.Reg.Product(), "Korvantile 3.0");
    const TRegistryStream fresh(RegistryProduct);
    EXPECT_EQ(fresh.Reg.Path(), "SOFTWARE\\Korvantile 3.0");
    EXPECT_EQ(fresh.Size(), 0u);
}

TEST(RegistryStreamMemory, WritesOverAndBeyondAndReadsWhatIsLeft)
{
    TRegistryStream stream(RegistryProduct);
    stream.Write(std::vector<uint8_t>{1, 2, 3, 4});
    stream.SetPosition(2);
    stream.Write(std::vector<uint8_t>{7, 8, 9});
    EXPECT_EQ(stream.Memory(), (TDynByteArr{1, 2, 7, 8, 9}));
    EXPECT_EQ(stream.Position(), 5u);

    stream.SetPosition(3);
    std::vector<uint8_t> buffer(4, 0xEE);
    EXPECT_EQ(stream.Read(buffer), 2u);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{8, 9, 0xEE, 0xEE}));
    EXPECT_EQ(stream.Read(buffer), 0u);
    stream.SetPosition(50);
    EXPECT_EQ(stream.Read(buffer), 0u);

    stream.Clear();
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_EQ(stream.Position(), 0u);
}

TEST_F(RegistryStreamTest, WriteDataStoresTheStreamAsOneBinaryValue)
{
    RegStream.Clear();
    RegStream.WriteData("Stats\\0\\6", "Params", std::vector<uint8_t>{1, 10, 5});
    EXPECT_EQ(store().value("Stats\\0\\6", "Params"), RegValue(Bytes{1, 10, 5}));

    // Without a Clear the next record lands behind the last one.
    RegStream.WriteData("Stats\\0\\6", "Params", std::vector<uint8_t>{2});
    EXPECT_EQ(store().value("Stats\\0\\6", "Params"), RegValue(Bytes{1, 10, 5, 2}));
}

TEST_F(RegistryStreamTest, LoadFromRegNeedsABinaryValueWithBytes)
{
    store().setValue("Filters", "1", Bytes{4, 5, 6});
    store().setValue("Filters", "Empty", Bytes{});
    store().setValue("Filters", "Dword", uint32_t(1));
    store().setValue("Filters", "Text", std::string("x"));

    RegStream.Clear();
    RegStream.Write(std::vector<uint8_t>{9});
    ASSERT_TRUE(RegStream.LoadFromReg("Filters", "1"));
    EXPECT_EQ(RegStream.Memory(), (TDynByteArr{9, 4, 5, 6}));
    EXPECT_EQ(RegStream.Position(), 0u);

    for (const char *name : {"Empty", "Dword", "Text", "Missing"}) {
        RegStream.Clear();
        EXPECT_FALSE(RegStream.LoadFromReg("Filters", name)) << name;
        EXPECT_EQ(RegStream.Size(), 0u) << name;
    }
    RegStream.Clear();
    EXPECT_FALSE(RegStream.LoadFromReg("NoSuchKey", "1"));
    EXPECT_FALSE(store().keyExists("NoSuchKey"));
}

TEST_F(RegistryStreamTest, ReadDataKeepsTheDefaultsItDoesNotReplace)
{
    store().setValue("Systems\\1\\0", "Params", Bytes{0x11, 0x22});
    store().setValue("Systems\\1\\0", "Long", Bytes{1, 2, 3, 4, 5, 6});

    std::vector<uint8_t> record = {0xA0, 0xA1, 0xA2, 0xA3};
    RegStream.Clear();
    EXPECT_TRUE(RegStream.ReadData("Systems\\1\\0", "Params", record));
    EXPECT_EQ(record, (std::vector<uint8_t>{0x11, 0x22, 0xA2, 0xA3}));

    RegStream.Clear();
    EXPECT_TRUE(RegStream.ReadData("Systems\\1\\0", "Long", record));
    EXPECT_EQ(record, (std::vector<uint8_t>{1, 2, 3, 4}));

    std::vector<uint8_t> defaults = {7, 7};
    RegStream.Clear();
    EXPECT_FALSE(RegStream.ReadData("Systems\\1\\0", "Missing", defaults));
    EXPECT_EQ(defaults, (std::vector<uint8_t>{7, 7}));
}

TEST_F(RegistryStreamTest, BytesRoundTripWithALengthCap)
{
    SaveBytesToReg("Tools", "Set", TDynByteArr{5, 10, 15, 20});
    EXPECT_EQ(store().value("Tools", "Set"), RegValue(Bytes{5, 10, 15, 20}));

    TDynByteArr bytes;
    EXPECT_EQ(LoadBytesFromReg("Tools", "Set", bytes, 100), 4);
    EXPECT_EQ(bytes, (TDynByteArr{5, 10, 15, 20}));
    EXPECT_EQ(LoadBytesFromReg("Tools", "Set", bytes, 2), 2);
    EXPECT_EQ(bytes, (TDynByteArr{5, 10}));

    // RegStream was cleared first: an earlier content does not leak into the value.
    RegStream.Write(std::vector<uint8_t>{99, 99});
    SaveBytesToReg("Tools", "Set", TDynByteArr{1});
    EXPECT_EQ(store().value("Tools", "Set"), RegValue(Bytes{1}));

    bytes = {42};
    EXPECT_EQ(LoadBytesFromReg("Tools", "Missing", bytes, 10), 0);
    EXPECT_EQ(bytes, TDynByteArr{42});
}
