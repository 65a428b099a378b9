#include "core/UCombList.h"

#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Half A is the row number's pattern, half B the combination; flags carry a marker bit.
void addRow(TCombList &list, const Bytes &a, const Bytes &b, uint8_t flags, bool append)
{
    TCombRow row;
    row.Flags = flags;
    row.A = a.data();
    row.B = b.data();
    list.Add(row, append);
}

Bytes half(const TCombList &list, int rec, bool halfB)
{
    const uint8_t *p = list.CombPtr(rec, halfB);
    return Bytes(p, p + list.GetK());
}

std::vector<Bytes> halvesInIndexOrder(const TCombList &list, bool halfB)
{
    std::vector<Bytes> result;
    for (int pos = 0; pos < list.GetIndex().Count(); ++pos)
        result.push_back(half(list, list.GetIndex().GetItem(pos), halfB));
    return result;
}

Bytes randomComb(std::mt19937 &rng, int k)
{
    Bytes c(static_cast<size_t>(k));
    for (auto &v : c)
        v = static_cast<uint8_t>(1 + rng() % 49);
    return c;
}

// Ten rows: half A = {i, i}, half B = {10 - i, i}, flags 01h on even rows.
void fillTen(TCombList &list)
{
    list.SetK(2);
    for (int i = 0; i < 10; ++i)
        addRow(list, {uint8_t(i), uint8_t(i)}, {uint8_t(10 - i), uint8_t(i)}, i % 2 == 0 ? 0x01 : 0x00, true);
}

} // namespace

TEST(UCombList, CapacityGrowsByFourThenSixteenThenAQuarter)
{
    TCombList list;
    list.SetK(3);
    std::vector<int> capacities = {list.GetCapacity()};
    const Bytes c = {1, 2, 3};
    for (int i = 0; i < 140; ++i) {
        addRow(list, c, c, 0, true);
        if (list.GetCapacity() != capacities.back())
            capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{0, 4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
    EXPECT_EQ(list.GetRecSize(), 7);
}

TEST(UCombList, RecordLayoutAndFlags)
{
    TCombList list;
    list.SetK(3);
    addRow(list, {1, 2, 3}, {7, 8, 9}, 0x0B, true); // the deleted bit of a new row is dropped
    EXPECT_EQ(list.GetLive(), 1);
    EXPECT_FALSE(list.IsDeleted(0));
    EXPECT_EQ(*list.FlagsPtr(0), 0x0B & ~0x04);
    EXPECT_EQ(half(list, 0, false), (Bytes{1, 2, 3}));
    EXPECT_EQ(half(list, 0, true), (Bytes{7, 8, 9}));
    EXPECT_EQ(list.FlagsPtr(0) - list.CombPtr(0, false), 6);

    list.MarkDeleted(0);
    list.MarkDeleted(0); // a second mark does not count the record twice
    EXPECT_TRUE(list.IsDeleted(0));
    EXPECT_EQ(list.GetLive(), 0);
    EXPECT_EQ(list.GetCount(), 1);

    list.SetK(2);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 0);
    EXPECT_EQ(list.GetRecSize(), 5);
}

TEST(UCombList, SortedInsertionKeepsTheIndexOrderedByHalfB)
{
    std::mt19937 rng(5);
    TCombList sorted, appended;
    sorted.SetK(4);
    appended.SetK(4);
    std::vector<Bytes> rows;
    for (int i = 0; i < 600; ++i) {
        rows.push_back(randomComb(rng, 4));
        const Bytes a = {uint8_t(i % 256), 0, 0, 0};
        addRow(sorted, a, rows.back(), 0, false);
        addRow(appended, a, rows.back(), 0, true);
    }
    std::vector<Bytes> expected = rows;
    std::sort(expected.begin(), expected.end(), testsupport::ByteOrder());
    EXPECT_EQ(halvesInIndexOrder(sorted, true), expected);
    EXPECT_EQ(halvesInIndexOrder(appended, true), rows);

    appended.SortByB(-1);
    EXPECT_EQ(halvesInIndexOrder(appended, true), expected);
    appended.SortByB(1);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(halvesInIndexOrder(appended, true), expected);
}

TEST(UCombList, AddAnswersTheIndexPosition)
{
    TCombList list;
    list.SetK(1);
    const Bytes a = {0};
    TCombRow row{0, a.data(), nullptr};
    const Bytes five = {5}, two = {2}, nine = {9};
    row.B = five.data();
    EXPECT_EQ(list.Add(row, false), 0);
    row.B = two.data();
    EXPECT_EQ(list.Add(row, false), 0);
    row.B = nine.data();
    EXPECT_EQ(list.Add(row, false), 2);
    row.B = five.data();
    EXPECT_EQ(list.Add(row, false), 1); // before the equal entry found
    row.B = two.data();
    EXPECT_EQ(list.Add(row, true), 4);
}

TEST(UCombList, FindCombOnBothHalves)
{
    TCombList empty;
    empty.SetK(6);
    int pos = -1;
    const Bytes probe = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(empty.FindComb(probe.data(), pos, true));
    EXPECT_EQ(pos, 0);

    TCombList list;
    list.SetK(2);
    for (int v = 10; v >= 1; --v) // half A descends as half B ascends
        addRow(list, {uint8_t(11 - v), 0}, {uint8_t(2 * v), 1}, 0, false);
    const Bytes present = {8, 1}, between = {9, 0}, above = {99, 0}, below = {1, 1};
    EXPECT_TRUE(list.FindComb(present.data(), pos, true));
    EXPECT_EQ(half(list, list.GetIndex().GetItem(pos), true), present);
    EXPECT_FALSE(list.FindComb(between.data(), pos, true));
    EXPECT_EQ(pos, 4); // after 2, 4, 6, 8
    EXPECT_FALSE(list.FindComb(above.data(), pos, true));
    EXPECT_EQ(pos, 10);
    EXPECT_FALSE(list.FindComb(below.data(), pos, true));
    EXPECT_EQ(pos, 0);

    list.SortByA(-1);
    const Bytes a3 = {3, 0};
    EXPECT_TRUE(list.FindComb(a3.data(), pos, false));
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(half(list, list.GetIndex().GetItem(pos), true), (Bytes{16, 1}));
}

TEST(UCombList, PackWaitsUntilFewerThanHalfAreLive)
{
    TCombList list;
    fillTen(list);
    for (int rec = 0; rec < 5; ++rec)
        list.MarkDeleted(rec);
    EXPECT_FALSE(list.Pack(false));
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetLive(), 5);
    EXPECT_EQ(list.GetIndex().Count(), 10);

    list.MarkDeleted(5);
    EXPECT_TRUE(list.Pack(false));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetLive(), 4);
    EXPECT_EQ(list.GetCapacity(), 4);
    for (int rec = 0; rec < 4; ++rec) {
        EXPECT_EQ(half(list, rec, false), (Bytes{uint8_t(rec + 6), uint8_t(rec + 6)}));
        EXPECT_EQ(*list.FlagsPtr(rec), rec % 2 == 0 ? 0x01 : 0x00);
        EXPECT_EQ(list.GetIndex().GetItem(rec), rec);
    }

    TCombList empty;
    empty.SetK(2);
    EXPECT_FALSE(empty.Pack(true));
}

TEST(UCombList, PackMovesScatteredRunsInOrder)
{
    // Live (L) and deleted (D) records: L D D L L D L D D D L L D
    const std::vector<bool> deleted = {false, true, true, false, false, true, false,
                                       true,  true, true, false, false, true};
    TCombList list;
    list.SetK(3);
    for (size_t i = 0; i < deleted.size(); ++i)
        addRow(list, {uint8_t(i), uint8_t(i + 1), uint8_t(i + 2)}, {uint8_t(50 - i), 1, 2}, uint8_t(i % 4),
               true);
    Bytes survivors;
    for (size_t i = 0; i < deleted.size(); ++i) {
        if (deleted[i])
            list.MarkDeleted(static_cast<int>(i));
        else
            survivors.push_back(static_cast<uint8_t>(i));
    }
    ASSERT_TRUE(list.Pack(false));
    ASSERT_EQ(list.GetCount(), static_cast<int>(survivors.size()));
    for (int rec = 0; rec < list.GetCount(); ++rec) {
        const uint8_t i = survivors[static_cast<size_t>(rec)];
        EXPECT_EQ(half(list, rec, false), (Bytes{i, uint8_t(i + 1), uint8_t(i + 2)})) << rec;
        EXPECT_EQ(half(list, rec, true), (Bytes{uint8_t(50 - i), 1, 2})) << rec;
        EXPECT_EQ(*list.FlagsPtr(rec), i % 4) << rec;
    }

    // Every record deleted: the store empties.
    for (int rec = 0; rec < list.GetCount(); ++rec)
        list.MarkDeleted(rec);
    ASSERT_TRUE(list.Pack(true));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 0);
    EXPECT_EQ(list.GetIndex().Count(), 0);
}

TEST(UCombList, PackWithResortOrdersTheIndexByHalfB)
{
    TCombList list;
    fillTen(list); // half B descends with the record number
    for (int rec : {0, 2, 4, 6, 8, 9})
        list.MarkDeleted(rec);
    ASSERT_TRUE(list.Pack(true));
    ASSERT_EQ(list.GetCount(), 4);
    // Kept rows 1, 3, 5, 7 now records 0..3; half B {9,1}, {7,3}, {5,5}, {3,7}.
    EXPECT_EQ(halvesInIndexOrder(list, true), (std::vector<Bytes>{{3, 7}, {5, 5}, {7, 3}, {9, 1}}));
    std::vector<int> order;
    for (int pos = 0; pos < 4; ++pos)
        order.push_back(list.GetIndex().GetItem(pos));
    EXPECT_EQ(order, (std::vector<int>{3, 2, 1, 0}));
}

TEST(UCombList, AssignCopiesRecordsAndIndexOrder)
{
    std::mt19937 rng(11);
    TCombList source;
    source.SetK(5);
    for (int i = 0; i < 300; ++i)
        addRow(source, randomComb(rng, 5), randomComb(rng, 5), uint8_t(i % 3), false);
    source.MarkDeleted(17);
    source.MarkDeleted(200);

    TCombList copy;
    copy.SetK(2);
    addRow(copy, {1, 2}, {3, 4}, 0, true);
    copy.Assign(source);
    EXPECT_EQ(copy.GetK(), 5);
    EXPECT_EQ(copy.GetCount(), 300);
    EXPECT_EQ(copy.GetLive(), 298);
    EXPECT_GE(copy.GetCapacity(), 300);
    EXPECT_EQ(halvesInIndexOrder(copy, true), halvesInIndexOrder(source, true));
    EXPECT_EQ(halvesInIndexOrder(copy, false), halvesInIndexOrder(source, false));
    for (int rec = 0; rec < 300; ++rec) {
        ASSERT_EQ(*copy.FlagsPtr(rec), *source.FlagsPtr(rec));
        ASSERT_EQ(copy.GetIndex().GetItem(rec), source.GetIndex().GetItem(rec));
    }

    // The copy grows on its own afterwards.
    addRow(copy, {1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}, 0, false);
    EXPECT_EQ(copy.GetCount(), 301);
    EXPECT_EQ(half(copy, copy.GetIndex().GetItem(0), true), (Bytes{0, 0, 0, 0, 0}));
    EXPECT_EQ(source.GetCount(), 300);
}
