#include "core/UGeneralList.h"
#include "tests/support/SortShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// A record that reports its own destruction.
struct TRec {
    TRec(int key, std::string name, int *destroyed = nullptr)
        : Key(key), Name(std::move(name)), Destroyed(destroyed)
    {
    }
    ~TRec()
    {
        if (Destroyed)
            ++*Destroyed;
    }
    int Key;
    std::string Name;
    int *Destroyed;
};

int byKey(const TRec *Key, const TRec *Item, int Param)
{
    // Param 1 puts larger keys first, -1 smaller ones.
    return Key->Key == Item->Key ? 0 : (Key->Key < Item->Key ? 1 : -1) * Param;
}

std::vector<int> keys(const TGeneralList<TRec> &list)
{
    std::vector<int> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.GetItem(i)->Key);
    return result;
}

std::vector<std::string> names(const TGeneralList<TRec> &list)
{
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.GetItem(i)->Name);
    return result;
}

} // namespace

TEST(UGeneralList, SortedInsertionAcceptsDuplicates)
{
    TGeneralList<TRec> list;
    list.Compare = byKey;
    EXPECT_EQ(list.AddItem(new TRec(5, "a"), false), 0);
    EXPECT_EQ(list.AddItem(new TRec(1, "b"), false), 0);
    EXPECT_EQ(list.AddItem(new TRec(9, "c"), false), 2);
    EXPECT_EQ(list.AddItem(new TRec(5, "d"), false), 1); // goes before the equal one found
    EXPECT_EQ(keys(list), (std::vector<int>{1, 5, 5, 9}));
    EXPECT_EQ(names(list), (std::vector<std::string>{"b", "d", "a", "c"}));

    // Append and At ignore the order.
    EXPECT_EQ(list.AddItem(new TRec(0, "e"), true), 4);
    EXPECT_EQ(list.AddItem(new TRec(7, "f"), true, 1), 1);
    EXPECT_EQ(keys(list), (std::vector<int>{1, 7, 5, 5, 9, 0}));
    list.Sorted = false;
    EXPECT_EQ(list.AddItem(new TRec(3, "g"), false), 6);
}

TEST(UGeneralList, FindAnswersTheMatchOrTheInsertionPoint)
{
    TGeneralList<TRec> list;
    list.Compare = byKey;
    const TRec probe0(0, ""), probe4(4, ""), probe10(10, ""), probe30(30, "");
    int index = -1;
    EXPECT_FALSE(list.Find(&probe4, index));
    EXPECT_EQ(index, 0);
    for (int key = 2; key <= 20; key += 2)
        list.AddItem(new TRec(key, std::to_string(key)), false);
    EXPECT_TRUE(list.Find(&probe4, index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(list.Exists(&probe10));
    EXPECT_FALSE(list.Exists(&probe30));
    EXPECT_FALSE(list.Find(&probe30, index));
    EXPECT_EQ(index, 10);
    EXPECT_FALSE(list.Find(&probe0, index));
    EXPECT_EQ(index, 0);
    const TRec probe7(7, "");
    EXPECT_FALSE(list.Find(&probe7, index));
    EXPECT_EQ(index, 3);

    // Descending order through the parameter.
    TGeneralList<TRec> down;
    down.Compare = byKey;
    down.SortParam = 1;
    for (int key : {3, 8, 1, 8, 5})
        down.AddItem(new TRec(key, ""), false);
    EXPECT_EQ(keys(down), (std::vector<int>{8, 8, 5, 3, 1}));
    EXPECT_TRUE(down.Find(&probe10, index) == false && index == 0);
}

TEST(UGeneralList, DeletingCallsOnDeleteAndFreesOwnedRecords)
{
    int destroyed = 0;
    std::vector<std::string> deleted;
    {
        TGeneralList<TRec> list;
        list.Compare = byKey;
        list.OnDelete = [&](TRec *item) {
            EXPECT_EQ(destroyed, static_cast<int>(deleted.size())); // still alive when called
            deleted.push_back(item->Name);
        };
        for (int key : {4, 2, 6, 8})
            list.AddItem(new TRec(key, "r" + std::to_string(key), &destroyed), false);

        list.DeleteItem(0);
        EXPECT_EQ(deleted, (std::vector<std::string>{"r2"}));
        EXPECT_EQ(destroyed, 1);

        const TRec key6(6, ""), key5(5, "");
        list.RemoveKey(&key6);
        list.RemoveKey(&key5); // absent: nothing happens
        EXPECT_EQ(keys(list), (std::vector<int>{4, 8}));
        EXPECT_EQ(destroyed, 2);

        list.Clear();
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(destroyed, 4);
        list.AddItem(new TRec(1, "last", &destroyed), false);
    }
    EXPECT_EQ(destroyed, 5); // the list frees what it still holds
    EXPECT_EQ(deleted, (std::vector<std::string>{"r2", "r6", "r4", "r8", "last"}));
}

TEST(UGeneralList, NonOwningListLeavesRecordsAlone)
{
    int destroyed = 0;
    std::vector<TRec> records;
    records.reserve(3);
    for (int key : {3, 1, 2})
        records.emplace_back(key, "", &destroyed);
    {
        TGeneralList<TRec> view;
        view.OwnsItems = false;
        view.Compare = byKey;
        for (auto &rec : records)
            view.AddItem(&rec, false);
        EXPECT_EQ(keys(view), (std::vector<int>{1, 2, 3}));
        view.DeleteItem(1);
        view.Clear();
    }
    EXPECT_EQ(destroyed, 0);
}

TEST(UGeneralList, SortByUsesTheGivenCompareOnly)
{
    std::mt19937 rng(42);
    TGeneralList<TRec> list;
    list.Sorted = false;
    std::vector<int> expected;
    for (int i = 0; i < 2000; ++i) {
        const int key = static_cast<int>(rng() % 300);
        expected.push_back(key);
        list.AddItem(new TRec(key, ""), false);
    }
    list.Compare = byKey;
    list.SortBy(1, byKey);
    std::sort(expected.begin(), expected.end(), std::greater<>());
    EXPECT_EQ(keys(list), expected);
    EXPECT_EQ(list.SortParam, -1);

    list.SortBy(-1, byKey);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(keys(list), expected);

    // Already sorted, reversed and single-key inputs.
    list.SortBy(-1, byKey);
    EXPECT_EQ(keys(list), expected);
    list.SortBy(1, byKey);
    list.SortBy(-1, byKey);
    EXPECT_EQ(keys(list), expected);

    TGeneralList<TRec> same;
    for (int i = 0; i < 500; ++i)
        same.AddItem(new TRec(7, ""), true);
    same.SortBy(-1, byKey);
    EXPECT_EQ(same.Count(), 500);
}

// A list of record numbers sorted through a table of keys, as a system's index is sorted by its rows
// (the union of a system and the same system again is two sorted runs).
TEST(UGeneralList, SortByStaysWithinNLogNComparisonsOnEveryShape)
{
    constexpr int n = 20000;
    for (const testsupport::TSortShape &shape : testsupport::SortShapes(n))
        for (int param : {-1, 1}) {
            TGeneralListOf<int> index;
            for (int rec = 0; rec < n; ++rec)
                index.AddItem(rec, true);
            long compares = 0;
            const auto compare = [&](int Key, int Item, int Param) {
                if (++compares > testsupport::SortCompareBound(n))
                    throw testsupport::ETooManyComparisons{};
                const int a = shape.Keys[size_t(Key)], b = shape.Keys[size_t(Item)];
                return a == b ? 0 : (a < b ? 1 : -1) * Param;
            };
            ASSERT_NO_THROW(index.SortBy(param, compare)) << shape.Name << " param " << param;
            std::vector<int> sorted, records;
            for (int i = 0; i < n; ++i) {
                records.push_back(index.GetItem(i));
                sorted.push_back(shape.Keys[size_t(records.back())]);
            }
            std::vector<int> expected = shape.Keys;
            std::sort(expected.begin(), expected.end());
            if (param == 1)
                std::reverse(expected.begin(), expected.end());
            ASSERT_EQ(sorted, expected) << shape.Name << " param " << param;
            std::sort(records.begin(), records.end());
            ASSERT_EQ(std::adjacent_find(records.begin(), records.end()), records.end()) << shape.Name;
        }

    TGeneralListOf<int> index;
    for (int rec = 0; rec < n; ++rec)
        index.AddItem(rec, true);
    testsupport::TSortAdversary adversary(n);
    ASSERT_NO_THROW(
        index.SortBy(-1, [&](int Key, int Item, int Param) { return -adversary.Compare(Key, Item) * Param; }))
        << "against the adversary";
    for (int i = 1; i < n; ++i)
        ASSERT_LE(adversary.Key(index.GetItem(i - 1)), adversary.Key(index.GetItem(i)));
}

TEST(UGeneralList, CapacityGrowsByFourThenSixteenThenAQuarter)
{
    TGeneralListOf<int> list;
    std::vector<int> capacities = {list.Capacity()};
    for (int i = 0; i < 120; ++i) {
        list.AddItem(i, true);
        if (list.Capacity() != capacities.back())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{0, 4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
}

TEST(UGeneralList, ValueListOrdersRecordNumbersThroughATable)
{
    const std::vector<int> table = {50, 10, 40, 10, 30};
    TGeneralListOf<int> index;
    index.Compare = [&](int Key, int Item, int Param) {
        return table[size_t(Key)] == table[size_t(Item)]
                   ? 0
                   : (table[size_t(Key)] < table[size_t(Item)] ? 1 : -1) * Param;
    };
    for (int rec = 0; rec < 5; ++rec)
        index.AddItem(rec, false);
    std::vector<int> order;
    for (int i = 0; i < index.Count(); ++i)
        order.push_back(index.GetItem(i));
    EXPECT_EQ(order, (std::vector<int>{3, 1, 4, 2, 0}));
    index.RemoveKey(4);
    EXPECT_EQ(index.Count(), 4);
    EXPECT_FALSE(index.Exists(4));
}
