#include "controls/HListBox.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

int itemWidth(const THListBox &box, const QString &text)
{
    const QFontMetrics metrics(box.font());
    return metrics.horizontalAdvance(text) + metrics.averageCharWidth();
}

QStringList itemTexts(const THListBox &box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.item(i)->text();
    return texts;
}

TEST(HListBoxTest, ExtentFollowsTheWidestItemThroughEveryOperation)
{
    THListBox box;
    box.resize(120, 100);
    box.show();
    EXPECT_EQ(box.HorizontalExtent(), 0);
    const QString shortText = QStringLiteral("krótki");
    const QString longText = QStringLiteral("Bardzo długi wiersz, który nie mieści się w polu listy");
    box.Add(shortText);
    EXPECT_EQ(box.HorizontalExtent(), itemWidth(box, shortText));
    box.Insert(0, longText);
    EXPECT_EQ(box.HorizontalExtent(), itemWidth(box, longText));
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), itemWidth(box, longText) - box.viewport()->width());
    box.SetItemText(0, QStringLiteral("x"));
    EXPECT_EQ(box.HorizontalExtent(), itemWidth(box, shortText));
    box.SetItemText(0, longText);
    box.Delete(0);
    EXPECT_EQ(box.HorizontalExtent(), itemWidth(box, shortText));
    EXPECT_EQ(itemTexts(box), QStringList{shortText});
}

TEST(HListBoxTest, ClearLeavesNoScrollRangeAndAddingBringsItBack)
{
    THListBox box;
    box.resize(120, 100);
    box.show();
    const QString longText(200, QLatin1Char('W'));
    box.Add(longText);
    box.horizontalScrollBar()->setValue(50);
    box.Clear();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.HorizontalExtent(), 0);
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(box.horizontalScrollBar()->value(), 0);
    box.Add(longText);
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), itemWidth(box, longText) - box.viewport()->width());
}

TEST(HListBoxTest, ExchangeSwapsTwoItemsAndRefusesBadIndexes)
{
    THListBox box;
    for (const char *text : {"a", "b", "c", "d"})
        box.Add(QString::fromLatin1(text));
    box.item(1)->setData(Qt::UserRole, 11);
    box.Exchange(1, 3);
    EXPECT_EQ(itemTexts(box), (QStringList{"a", "d", "c", "b"}));
    EXPECT_EQ(box.item(3)->data(Qt::UserRole).toInt(), 11);
    EXPECT_FALSE(box.item(1)->data(Qt::UserRole).isValid());
    box.Exchange(2, 2);
    EXPECT_EQ(itemTexts(box), (QStringList{"a", "d", "c", "b"}));

    EXPECT_THROW(box.Exchange(0, 4), std::out_of_range);
    EXPECT_THROW(box.Exchange(-1, 0), std::out_of_range);
    EXPECT_THROW(box.Delete(4), std::out_of_range);
    EXPECT_THROW(box.SetItemText(4, QStringLiteral("x")), std::out_of_range);
    EXPECT_THROW(box.Insert(5, QStringLiteral("x")), std::out_of_range);
    box.Insert(4, QStringLiteral("e"));
    EXPECT_EQ(itemTexts(box), (QStringList{"a", "d", "c", "b", "e"}));
}

} // namespace
