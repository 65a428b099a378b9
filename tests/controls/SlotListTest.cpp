// The sparse positional lists behind the grids' texts and property stores.
#include "controls/SlotList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<QString> contents(const TSlotList<QString> &list)
{
    std::vector<QString> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.at(i));
    return result;
}

} // namespace

TEST(SlotList, HoldsSlotsOnlyUpToTheHighestSet)
{
    TSlotList<QString> list;
    list.set(1000, QString());
    EXPECT_EQ(list.Count(), 0);
    list.set(3, QStringLiteral("c"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_TRUE(list.has(3));
    EXPECT_FALSE(list.has(2));
    EXPECT_EQ(list.at(2), QString());
    EXPECT_EQ(list.at(-1), QString());
    EXPECT_EQ(list.at(50), QString());
    list.truncate(2);
    EXPECT_EQ(list.Count(), 2);
}

TEST(SlotList, MovesExchangesAndInsertionsShiftTheSlotsBetween)
{
    TSlotList<QString> list;
    for (int i = 0; i < 4; ++i)
        list.set(i, QString(QChar('a' + i)));
    list.move(0, 2);
    EXPECT_EQ(contents(list), (std::vector<QString>{"b", "c", "a", "d"}));
    list.move(3, 0);
    EXPECT_EQ(contents(list), (std::vector<QString>{"d", "b", "c", "a"}));
    // Moving an empty slot from beyond the end still shifts the slots between.
    list.move(6, 1);
    EXPECT_EQ(contents(list), (std::vector<QString>{"d", "", "b", "c", "a", "", ""}));
    list.exchange(0, 9);
    EXPECT_EQ(list.at(9), QStringLiteral("d"));
    EXPECT_EQ(list.at(0), QString());
    list.insertSlot(2);
    EXPECT_EQ(list.at(3), QStringLiteral("b"));
    const int count = list.Count();
    list.insertSlot(count); // beyond the list: nothing to shift
    EXPECT_EQ(list.Count(), count);

    for (int i = 0; i < 6; ++i)
        for (int from : {0, 2, 5})
            for (int to : {0, 3, 5}) {
                TSlotList<QString> probe;
                for (int k = 0; k < 6; ++k)
                    probe.set(k, QString::number(k));
                probe.move(from, to);
                EXPECT_EQ(probe.at(movedIndex(i, from, to)), QString::number(i)) << i << from << to;
            }
}

TEST(SlotList, OwnedSlotsCopyDeeplyAndTablesVisitColumnsThenRows)
{
    TCellTable<TOwned<int>> table;
    table.ref(2, 5).ensure() = 25;
    table.ref(0, 7).ensure() = 7;
    table.ref(2, 1).ensure() = 21;
    TCellTable<TOwned<int>> copy = table;
    *copy.ref(2, 5) = 99;
    EXPECT_EQ(*table.at(2, 5), 25);
    std::vector<int> order;
    table.forEach([&](int col, int row, const TOwned<int> &value) { order.push_back(col * 100 + row * 10 + *value % 10); });
    EXPECT_EQ(order, (std::vector<int>{77, 211, 255}));
    table.exchangeRows(1, 7);
    EXPECT_EQ(*table.at(0, 1), 7);
    EXPECT_EQ(*table.at(2, 7), 21);
    table.insertRow(0);
    EXPECT_EQ(*table.at(0, 2), 7);
    table.truncate(3, 3);
    EXPECT_TRUE(table.has(0, 2));
    EXPECT_FALSE(table.has(2, 6));
}
