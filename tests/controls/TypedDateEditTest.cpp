// Whole dates typed into a date field as a user types them.
#include "controls/TypedDateEdit.h"

#include "controls/MessageBeep.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>

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

namespace {

// A date field on 10.12.2026 with the focus, whose refusals are counted.
class TypedDateEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageBeepHook([this](unsigned) { ++beeps; });
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setMinimumDate(QDate(1900, 1, 1));
        edit->setDate(QDate(2026, 12, 10));
        holder.show();
        edit->setFocus();
    }
    void TearDown() override { setMessageBeepHook({}); }

    std::string Shown() const { return edit->date().toString(QStringLiteral("dd.MM.yyyy")).toStdString(); }
    std::string Text() const { return edit->findChild<QLineEdit *>()->text().toStdString(); }
    void Key(Qt::Key Key, int Times = 1)
    {
        for (int i = 0; i < Times; ++i)
            QTest::keyClick(edit, Key);
    }
    void Type(const QString &Keys) { QTest::keyClicks(edit, Keys); }
    void Leave()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    // A mouse click on the character at Pos of the field's text, as the user clicks it.
    void ClickAt(int Pos)
    {
        auto *line = edit->findChild<QLineEdit *>();
        const int y = line->height() / 2;
        for (int x = 0; x < line->width(); ++x)
            if (line->cursorPositionAt(QPoint(x, y)) == Pos + 1) {
                QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(x - 2, y));
                return;
            }
        FAIL() << "no point of the text at " << Pos;
    }

    QWidget holder;
    TTypedDateEdit *edit = new TTypedDateEdit(&holder);
    int beeps = 0;
};

} // namespace

TEST_F(TypedDateEditTest, AClickMovesTheTypingToThePartClicked)
{
    Key(Qt::Key_Home);
    Type("05");
    ClickAt(7); // the year
    Type("2018");
    EXPECT_EQ(Shown(), "05.12.2018");
    // The day typed is kept when the month typed after a click makes it a date.
    edit->setDate(QDate(2026, 2, 10));
    Key(Qt::Key_Home);
    Type("31");
    ClickAt(4); // the month
    Type("01");
    Leave();
    EXPECT_EQ(Shown(), "31.01.2026");
    Key(Qt::Key_Home);
    Type("3");
    ClickAt(8); // the year
    Type("2019");
    EXPECT_EQ(Shown(), "03.01.2019");
    // After a whole date, digits go into the part clicked.
    ClickAt(3); // the month
    Type("05");
    Leave();
    EXPECT_EQ(Shown(), "03.05.2019");
    EXPECT_EQ(Text(), "03.05.2019");
    EXPECT_EQ(beeps, 0);
}

// The years below are the nearest from 2011 to 2048.
TEST_F(TypedDateEditTest, ATwoDigitYearIsTheNearestToToday)
{
    const auto typed = [this](const QString &Keys) {
        edit->selectAll();
        Type(Keys);
        Leave();
        return Shown();
    };
    EXPECT_EQ(typed("14.11.19"), "14.11.2019");
    EXPECT_EQ(typed("141119"), "14.11.2019");
    EXPECT_EQ(typed("1.1.99"), "01.01.1999");
    EXPECT_EQ(typed("2.3.60"), "02.03.2060");
    // A '.' after the year ends the date as leaving the field does.
    edit->selectAll();
    Type("5.6.17.");
    EXPECT_EQ(Shown(), "05.06.2017");
    EXPECT_EQ(Text(), "05.06.2017");
    EXPECT_EQ(beeps, 0);
}

TEST_F(TypedDateEditTest, AnImpossibleDateOrAShortYearIsRefusedAndTheLastDateKept)
{
    int refused = 0;
    for (const char *keys : {"29022019", "31042019", "00112019", "15132019", "14.11.201", "14.11.2"}) {
        edit->selectAll();
        Type(keys);
        Leave();
        EXPECT_EQ(Shown(), "10.12.2026") << keys;
        EXPECT_EQ(Text(), "10.12.2026") << keys;
        EXPECT_EQ(beeps, ++refused) << keys;
    }
    // A day past the month, typed alone, is refused too.
    edit->setDate(QDate(2019, 2, 10));
    Key(Qt::Key_Home);
    Type("30");
    Leave();
    EXPECT_EQ(Shown(), "10.02.2019");
    EXPECT_EQ(beeps, refused + 1);
}

TEST_F(TypedDateEditTest, BackspaceAndDeleteEditAcrossTheDots)
{
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace, 5);
    EXPECT_EQ(Text(), "10.1.");
    Type("1");
    Type("2019");
    EXPECT_EQ(Shown(), "10.11.2019");

    Key(Qt::Key_End);
    Key(Qt::Key_Backspace, 10);
    EXPECT_EQ(Text(), "..");
    Type("05062017");
    EXPECT_EQ(Shown(), "05.06.2017");

    Key(Qt::Key_Home);
    Key(Qt::Key_Delete, 10);
    EXPECT_EQ(Text(), "..");
    Type("14112019");
    EXPECT_EQ(Shown(), "14.11.2019");
    EXPECT_EQ(beeps, 0);

    // A text left that is no date is refused.
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace, 6);
    Leave();
    EXPECT_EQ(Text(), "14.11.2019");
    EXPECT_EQ(beeps, 1);
}
