#include "core/MyReg.h"

#include "tests/fixtures/FreshRegistry.h"

#include <fstream>
#include <limits>
#include <vector>

using platform::Bytes;
using platform::RegValue;

class MyRegTest : public FreshRegistry {};

TEST_F(MyRegTest, PathNamesTheProductKeyAndSection)
{
    TMyReg reg("", "Korvantile 3.0", "");
    EXPECT_EQ(reg.Path(), "SOFTWARE\\Korvantile 3.0");
    reg.SetSection("Settings\\1");
    EXPECT_EQ(reg.Path(), "SOFTWARE\\Korvantile 3.0\\Settings\\1");
    EXPECT_EQ(reg.Section(), "Settings\\1");
    EXPECT_EQ(TMyReg("Firma", "Produkt", "Stats").Path(), "SOFTWARE\\Firma\\Produkt\\Stats");
    EXPECT_EQ(TMyReg("", "", "").Path(), "SOFTWARE");
}

TEST_F(MyRegTest, WritesTypedValuesUnderTheSectionKey)
{
    TMyReg reg("", "Korvantile 3.0", "Settings\\1");
    reg.WriteFloat("BasicStake", 1.5);
    reg.WriteInteger("LastGame", -2);
    reg.WriteBool("On", true);
    reg.WriteBool("Off", false);
    reg.WriteBinary("Wins", std::vector<uint8_t>{9, 8, 7});

    EXPECT_EQ(store().value("Settings\\1", "BasicStake"),
              RegValue(Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F}));
    EXPECT_EQ(store().value("Settings\\1", "LastGame"), RegValue(uint32_t(0xFFFFFFFE)));
    EXPECT_EQ(store().value("Settings\\1", "On"), RegValue(uint32_t(1)));
    EXPECT_EQ(store().value("Settings\\1", "Off"), RegValue(uint32_t(0)));
    EXPECT_EQ(store().value("Settings\\1", "Wins"), RegValue(Bytes{9, 8, 7}));

    EXPECT_EQ(reg.ReadFloat("BasicStake", 0), 1.5);
    EXPECT_EQ(reg.ReadInteger("LastGame", 0), -2);
    EXPECT_TRUE(reg.ReadBool("On", false));
    EXPECT_FALSE(reg.ReadBool("Off", true));
}

TEST_F(MyRegTest, ReadsStoredBytesAsTheirTypes)
{
    store().setValue("Tools", "Rate", Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD0, 0xBF});
    store().setValue("Tools", "Big", uint32_t(0x80000000));
    store().setValue("Tools", "Seven", uint32_t(7));
    TMyReg reg("", "Korvantile 3.0", "TOOLS");
    EXPECT_EQ(reg.ReadFloat("rate", 0), -0.25);
    EXPECT_EQ(reg.ReadInteger("BIG", 0), std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(reg.ReadBool("Seven", false));
}

TEST_F(MyRegTest, MissingOrMistypedValuesAnswerTheDefault)
{
    store().setValue("Mixed", "Text", std::string("12"));
    store().setValue("Mixed", "Four", Bytes{1, 0, 0, 0});
    store().setValue("Mixed", "Seven", Bytes{0, 0, 0, 0, 0, 0, 0});
    store().setValue("Mixed", "Dword", uint32_t(3));
    TMyReg reg("", "Korvantile 3.0", "Mixed");
    EXPECT_EQ(reg.ReadInteger("Text", 55), 55);
    EXPECT_EQ(reg.ReadInteger("Four", 55), 55);
    EXPECT_EQ(reg.ReadInteger("Missing", 55), 55);
    EXPECT_TRUE(reg.ReadBool("Text", true));
    EXPECT_FALSE(reg.ReadBool("Missing", false));
    EXPECT_EQ(reg.ReadFloat("Dword", 2.5), 2.5);
    EXPECT_EQ(reg.ReadFloat("Seven", 2.5), 2.5);
    EXPECT_EQ(reg.ReadFloat("Text", 2.5), 2.5);
    EXPECT_EQ(reg.ReadFloat("Missing", 2.5), 2.5);
}

TEST_F(MyRegTest, TypedReadsCreateTheKeyBinaryReadsDoNot)
{
    TMyReg reg("", "Korvantile 3.0", "Fresh\\Binary");
    EXPECT_EQ(reg.GetDataSize("Params"), -1);
    uint8_t buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(reg.ReadBinary("Params", buffer), 0);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_FALSE(store().keyExists("Fresh"));

    reg.SetSection("Fresh\\Float");
    EXPECT_EQ(reg.ReadFloat("X", 1), 1);
    EXPECT_TRUE(store().keyExists("Fresh\\Float"));
    reg.SetSection("Fresh\\Integer");
    reg.ReadInteger("X", 1);
    EXPECT_TRUE(store().keyExists("Fresh\\Integer"));
    reg.SetSection("Fresh\\Bool");
    reg.ReadBool("X", true);
    EXPECT_TRUE(store().keyExists("Fresh\\Bool"));
    EXPECT_FALSE(store().keyExists("Fresh\\Binary"));
}

TEST_F(MyRegTest, BinaryReadsCopyWhatFits)
{
    TMyReg reg("", "Korvantile 3.0", "Bin");
    reg.WriteBinary("Five", std::vector<uint8_t>{1, 2, 3, 4, 5});
    reg.WriteBinary("Empty", std::vector<uint8_t>{});
    reg.WriteInteger("Dword", 9);
    store().setValue("Bin", "Text", std::string("abc"));

    EXPECT_EQ(reg.GetDataSize("five"), 5);
    EXPECT_EQ(reg.GetDataSize("Empty"), 0);
    EXPECT_EQ(reg.GetDataSize("Dword"), 4);
    EXPECT_EQ(reg.GetDataSize("Text"), 4);
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);

    std::vector<uint8_t> small(3, 0xAA);
    EXPECT_EQ(reg.ReadBinary("Five", small), 3);
    EXPECT_EQ(small, (std::vector<uint8_t>{1, 2, 3}));
    std::vector<uint8_t> large(8, 0xAA);
    EXPECT_EQ(reg.ReadBinary("Five", large), 5);
    EXPECT_EQ(large, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0xAA, 0xAA, 0xAA}));
    std::vector<uint8_t> untouched(4, 0xAA);
    EXPECT_EQ(reg.ReadBinary("Dword", untouched), 0);
    EXPECT_EQ(reg.ReadBinary("Text", untouched), 0);
    EXPECT_EQ(untouched, std::vector<uint8_t>(4, 0xAA));
}

TEST_F(MyRegTest, AnUnwritableStoreLeavesTheDefaults)
{
    const auto blocked = testsupport::makeTempDir("registry-") / "plain-file";
    std::ofstream(blocked) << "x";
    store().reopen(blocked / "registry.reg");
    TMyReg reg("", "Korvantile 3.0", "Settings");
    reg.WriteInteger("LastGame", 4);
    reg.WriteFloat("Stake", 2.0);
    EXPECT_EQ(reg.ReadInteger("LastGame", -1), -1);
    EXPECT_EQ(reg.ReadFloat("Stake", 0.5), 0.5);
    EXPECT_EQ(reg.GetDataSize("LastGame"), -1);
}
