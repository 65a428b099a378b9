// The parameter records of the windows: the stored value, the validity byte, and the rules by which
// stored values reach the controls.
#include "controls/FloatSpin.h"
#include "shell/FGlobalControls.h"
#include "shell/ParamsRecord.h"
#include "tests/fixtures/FreshRegistry.h"

#include <QComboBox>

#include <array>
#include <vector>

using ParamsRecordTest = FreshRegistry;

TEST_F(ParamsRecordTest, RecordsAreOneBinaryValueAndUsableOnlyWhenMarkedWritten)
{
    const std::string key = ParamsKey("Stats\\", 7, 10);
    EXPECT_EQ(key, "Stats\\7\\10");

    const TStoredRecord absent = ReadParamsRecord(key, 5);
    EXPECT_FALSE(absent.Read);
    EXPECT_FALSE(absent.Valid());
    EXPECT_EQ(absent.Bytes, platform::Bytes(5, 0));

    WriteParamsRecord(key, {1, 2, 3});
    EXPECT_EQ(store().value(key, "Params"), platform::RegValue(platform::Bytes{1, 2, 3}));
    // A shorter stored value fills the front of the record; the rest stays zero.
    const TStoredRecord shorter = ReadParamsRecord(key, 5);
    EXPECT_TRUE(shorter.Valid());
    EXPECT_EQ(shorter.Bytes, (platform::Bytes{1, 2, 3, 0, 0}));

    store().setValue(key, "Params", platform::Bytes{0, 9, 9});
    const TStoredRecord unwritten = ReadParamsRecord(key, 3);
    EXPECT_TRUE(unwritten.Read);
    EXPECT_FALSE(unwritten.Valid());
    store().setValue(key, "Params", std::string("text"));
    EXPECT_FALSE(ReadParamsRecord(key, 3).Read);
}

TEST_F(ParamsRecordTest, StoredValuesReachControlsOnlyWithinTheirRange)
{
    std::unique_ptr<TFloatSpin> spin(NewIntSpin(nullptr, 1, 49, 6));
    EXPECT_FALSE(SetStoredValue(spin.get(), 0));
    EXPECT_FALSE(SetStoredValue(spin.get(), 50));
    EXPECT_EQ(SpinValue(spin.get()), 6);
    EXPECT_TRUE(SetStoredValue(spin.get(), 49));
    EXPECT_EQ(SpinValue(spin.get()), 49);

    QComboBox list;
    list.addItems({"a", "b", "c"});
    list.setCurrentIndex(1);
    EXPECT_FALSE(SetStoredIndex(&list, 3));
    EXPECT_FALSE(SetStoredIndex(&list, -1));
    EXPECT_EQ(list.currentIndex(), 1);
    EXPECT_TRUE(SetStoredIndex(&list, 2));
    EXPECT_EQ(list.currentIndex(), 2);
}

TEST(StoredCombination, TakenOnlyWhenItFitsItsFieldAndTheGame)
{
    std::array<uint8_t, 6> field = {3, 17, 49, 0, 0, 0};
    EXPECT_TRUE(ValidStoredComb(field, 3, 49, true));
    EXPECT_FALSE(ValidStoredComb(field, 0, 49, false));   // no numbers
    EXPECT_FALSE(ValidStoredComb(field, 4, 49, false));   // a 0 among them
    EXPECT_FALSE(ValidStoredComb(field, 7, 49, false));   // past the field
    EXPECT_FALSE(ValidStoredComb(field, 200, 49, false));
    EXPECT_FALSE(ValidStoredComb(field, 3, 48, false));   // 49 beyond N
    field = {5, 2, 5, 0, 0, 0};
    EXPECT_FALSE(ValidStoredComb(field, 3, 49, false));   // a repeat
    EXPECT_TRUE(ValidStoredComb(field, 2, 49, false));
    EXPECT_FALSE(ValidStoredComb(field, 2, 49, true));    // not ascending
    const std::vector<uint8_t> full(80, 0);
    std::vector<uint8_t> eighty(80);
    for (size_t i = 0; i < eighty.size(); ++i)
        eighty[i] = uint8_t(i + 1);
    EXPECT_TRUE(ValidStoredComb(eighty, 80, 80, true));
    EXPECT_FALSE(ValidStoredComb(full, 1, 80, false));
}
