// Whole dates typed into a date field as a user types them.
#include "controls/TypedDateEdit.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

QString Typed(const QDate &Start, const std::function<void(TTypedDateEdit &)> &Before, const QString &Keys)
{
    QWidget holder;
    auto *edit = new TTypedDateEdit(&holder);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setMinimumDate(QDate(100, 1, 1));
    edit->setDate(Start);
    holder.show();
    edit->setFocus();
    Before(*edit);
    QTest::keyClicks(edit, Keys);
    return edit->date().toString(QStringLiteral("dd.MM.yyyy"));
}

const auto home = [](TTypedDateEdit &Edit) { QTest::keyClick(&Edit, Qt::Key_Home); };
const auto selectAll = [](TTypedDateEdit &Edit) { Edit.selectAll(); };

} // namespace

TEST(TypedDateEdit, AWholeDateTypedAfterHomeOrOverTheTextIsTheDateTyped)
{
    const QDate today(2026, 12, 10);
    EXPECT_EQ(Typed(today, home, "14112019"), "14.11.2019");
    EXPECT_EQ(Typed(today, selectAll, "14.11.2019"), "14.11.2019");
    EXPECT_EQ(Typed(today, selectAll, "14112019"), "14.11.2019");
    EXPECT_EQ(Typed(today, selectAll, "1.2.2019"), "01.02.2019") << "a '.' ends a shorter section";
    // The day typed first is kept when the month typed after it is longer than the one shown.
    EXPECT_EQ(Typed(QDate(2026, 2, 10), home, "31012019"), "31.01.2019");
    EXPECT_EQ(Typed(QDate(2026, 1, 10), home, "31022019"), "28.02.2019") << "the month's last day";
    // Typing in the year section changes the year alone.
    EXPECT_EQ(Typed(today, [](TTypedDateEdit &Edit) { QTest::keyClick(&Edit, Qt::Key_End); }, "1999"), "10.12.1999");
    // Typing again after another key starts again where the cursor is.
    EXPECT_EQ(Typed(today,
                    [](TTypedDateEdit &Edit) {
                        QTest::keyClick(&Edit, Qt::Key_Home);
                        QTest::keyClicks(&Edit, "05");
                        QTest::keyClick(&Edit, Qt::Key_Home);
                    },
                    "07"),
              "07.12.2026");
}
