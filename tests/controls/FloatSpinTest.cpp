#include "controls/FloatSpin.h"

#include "controls/MessageBeep.h"
#include "controls/SpinButton.h"
#include "platform/gui/QtTranslations.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QTest>
#include <QToolTip>
#include <QTranslator>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class FloatSpinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageBeepHook([this](unsigned) { ++beeps; });
    }
    void TearDown() override { setMessageBeepHook({}); }

    void typeAtEnd(const QString &text)
    {
        spin.setCursorPosition(int(spin.text().size()));
        QTest::keyClicks(&spin, text);
    }
    void leaveField()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&spin, &out);
    }

    TFloatSpin spin;
    int beeps = 0;
};

TEST_F(FloatSpinTest, ValuesAreClampedIntoTheLimits)
{
    EXPECT_EQ(spin.text(), u"0");
    // Both limits 0: every value becomes 0.
    spin.SetValue(5);
    EXPECT_EQ(spin.text(), u"0");

    spin.SetMaxValue(49);
    spin.SetMinValue(1);
    EXPECT_EQ(spin.text(), u"1");
    spin.SetValue(60);
    EXPECT_EQ(spin.text(), u"49");
    spin.SetValue(-3);
    EXPECT_EQ(spin.text(), u"1");
    spin.SetValue(17);
    spin.SetMaxValue(10);
    EXPECT_EQ(spin.Value(), 10.0);
    spin.SetValue(std::nan(""));
    EXPECT_EQ(spin.text(), u"1");

    // A range moved wholly past the value, one limit after the other, ends with its value inside,
    // whichever limit comes first.
    struct TMove {
        bool MinFirst;
        double Min, Max;
        const char16_t *Shown;
    };
    for (const TMove &move : {TMove{true, 20, 30, u"20"}, TMove{false, 6, 8, u"8"}, TMove{false, 35, 40, u"35"},
                              TMove{true, 1, 2, u"2"}}) {
        if (move.MinFirst)
            spin.SetMinValue(move.Min);
        spin.SetMaxValue(move.Max);
        spin.SetMinValue(move.Min);
        EXPECT_EQ(spin.text(), move.Shown) << move.Min << ".." << move.Max;
    }
}

TEST_F(FloatSpinTest, TextIsFormattedWithPrecisionAndLocaleSeparator)
{
    spin.SetMaxValue(100);
    spin.SetPrecision(2);
    spin.SetValue(3.14159);
    EXPECT_EQ(spin.text(), u"3,14");
    EXPECT_DOUBLE_EQ(spin.Value(), 3.14);
    spin.SetPrecision(0);
    EXPECT_EQ(spin.text(), u"3");
}

TEST_F(FloatSpinTest, ValueOfEmptyOrBadTextAndGetAsInteger)
{
    spin.SetMinValue(-2.7);
    spin.SetMaxValue(100);
    spin.setText(QString());
    EXPECT_DOUBLE_EQ(spin.Value(), -3.7);
    EXPECT_EQ(spin.GetAsInteger(), -2);
    spin.setText(QStringLiteral("abc"));
    EXPECT_DOUBLE_EQ(spin.Value(), -2.7);
    spin.setText(QStringLiteral("7"));
    EXPECT_EQ(spin.GetAsInteger(), 7);
    spin.setText(QStringLiteral("7,5"));
    EXPECT_DOUBLE_EQ(spin.Value(), 7.5);
    EXPECT_EQ(spin.GetAsInteger(), -2);
}

TEST_F(FloatSpinTest, KeysAndSpinButtonStepTheValue)
{
    spin.SetMaxValue(100);
    spin.Increment = 2.5;
    spin.LargeInc = 10;
    spin.SetPrecision(1);
    spin.SetValue(50);
    QTest::keyClick(&spin, Qt::Key_Up);
    EXPECT_EQ(spin.text(), u"52,5");
    QTest::keyClick(&spin, Qt::Key_Down);
    QTest::keyClick(&spin, Qt::Key_Down);
    EXPECT_EQ(spin.text(), u"47,5");
    QTest::keyClick(&spin, Qt::Key_PageUp);
    EXPECT_EQ(spin.text(), u"57,5");
    QTest::keyClick(&spin, Qt::Key_PageDown);
    QTest::keyClick(&spin, Qt::Key_PageDown);
    EXPECT_EQ(spin.text(), u"37,5");
    spin.Button()->upButton()->click();
    EXPECT_EQ(spin.text(), u"40,0");
    spin.Button()->downButton()->click();
    EXPECT_EQ(spin.text(), u"37,5");
    spin.SetValue(99);
    QTest::keyClick(&spin, Qt::Key_Up);
    EXPECT_EQ(spin.text(), u"100,0");
    EXPECT_EQ(beeps, 0);
}

TEST_F(FloatSpinTest, ReadOnlyFieldBeepsOnUpButPageUpStillChanges)
{
    spin.SetMaxValue(100);
    spin.LargeInc = 10;
    spin.SetValue(5);
    spin.setReadOnly(true);
    QTest::keyClick(&spin, Qt::Key_Up);
    spin.Button()->downButton()->click();
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(spin.text(), u"5");
    QTest::keyClick(&spin, Qt::Key_PageUp);
    EXPECT_EQ(spin.text(), u"15");
}

TEST_F(FloatSpinTest, TypingIsCheckedCharacterByCharacter)
{
    spin.SetMaxValue(49);
    spin.setText(QStringLiteral("4"));
    typeAtEnd(QStringLiteral("9"));
    EXPECT_EQ(spin.text(), u"49");
    EXPECT_EQ(beeps, 0);
    // 490 is above MaxValue: refused with a beep and the range shown beneath the field.
    spin.show();
    typeAtEnd(QStringLiteral("0"));
    EXPECT_EQ(spin.text(), u"49");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), u"Dozwolone wartości: od 0 do 49");
    QToolTip::hideText();
    // No sign while MinValue >= 0, no separator with Precision 0, no letters.
    spin.setText(QString());
    typeAtEnd(QStringLiteral("-,x3"));
    EXPECT_EQ(spin.text(), u"3");
    EXPECT_EQ(beeps, 4);

    spin.SetMinValue(-10);
    spin.SetPrecision(2);
    spin.setText(QString());
    typeAtEnd(QStringLiteral("-1,234"));
    EXPECT_EQ(spin.text(), u"-1,23");
    // Backspace is checked too, and values below MinValue pass while typing.
    QTest::keyClick(&spin, Qt::Key_Backspace);
    EXPECT_EQ(spin.text(), u"-1,2");
    spin.setText(QStringLiteral("-9"));
    typeAtEnd(QStringLiteral("9"));
    EXPECT_EQ(spin.text(), u"-99");
    // A typed digit replaces the selection.
    spin.setText(QStringLiteral("12"));
    spin.selectAll();
    QTest::keyClicks(&spin, QStringLiteral("7"));
    EXPECT_EQ(spin.text(), u"7");
}

TEST_F(FloatSpinTest, PasteIsTypedCharacterByCharacter)
{
    spin.SetMaxValue(1000000);
    spin.setText(QString());
    QApplication::clipboard()->setText(QStringLiteral("1a2b3"));
    QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin.text(), u"123");
    QTest::keyClick(&spin, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(spin.text(), u"123123");
    // Past MaxValue the rest of the pasted digits is dropped.
    spin.setText(QString());
    QApplication::clipboard()->setText(QStringLiteral("9999999"));
    spin.Paste();
    EXPECT_EQ(spin.text(), u"999999");

    spin.EditorEnabled = false;
    spin.setText(QString());
    spin.Paste();
    EXPECT_EQ(spin.text(), u"");
    spin.setText(QStringLiteral("42"));
    spin.selectAll();
    spin.Cut();
    EXPECT_EQ(spin.text(), u"42");
    spin.EditorEnabled = true;
    spin.Cut();
    EXPECT_EQ(spin.text(), u"");
}

TEST_F(FloatSpinTest, DesktopEditingKeysSelectCopyCutPasteAndUndo)
{
    const auto ctrl = [&](Qt::Key Key) { QTest::keyClick(&spin, Key, Qt::ControlModifier); };
    spin.SetMaxValue(1000);
    spin.setText(QStringLiteral("123"));
    QApplication::clipboard()->setText(QStringLiteral("4x5"));
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_V, Qt::Key_A, Qt::Key_X})
        ctrl(key);
    EXPECT_EQ(QApplication::clipboard()->text(), u"45") << "pasted over the selection through the checks";
    // Undo never brings back a value above a limit lowered since.
    spin.SetMaxValue(40);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(spin.text(), u"40");
}

TEST_F(FloatSpinTest, ContextMenuPasteAndCutAreCheckedTooWithQtsPolishTexts)
{
    // The program runs with Qt's Polish translations; the menu's own texts then name its actions.
    struct Polish {
        QTranslator *Translator = platform::installQtTranslations(*QCoreApplication::instance());
        ~Polish() { delete Translator; }
    } polish;
    ASSERT_NE(polish.Translator, nullptr) << "tools/setup.sh installs qt6-translations-l10n";
    spin.SetMaxValue(1000);
    spin.setText(QString());
    spin.show();
    QApplication::clipboard()->setText(QStringLiteral("4x2"));
    const auto trigger = [&](const QString &text) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), spin.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&spin, &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction *action : menu->actions())
            if (action->text().section(QLatin1Char('\t'), 0, 0) == text)
                action->trigger();
        menu->close();
    };
    trigger(QStringLiteral("&Wklej"));
    EXPECT_EQ(spin.text(), u"42");
    EXPECT_EQ(beeps, 1) << "the x is refused";
    spin.EditorEnabled = false;
    spin.selectAll();
    trigger(QStringLiteral("W&ytnij"));
    EXPECT_EQ(spin.text(), u"42");
}

TEST_F(FloatSpinTest, LeavingTheFieldClampsAndReformats)
{
    spin.SetMinValue(5);
    spin.SetMaxValue(49);
    spin.setText(QString());
    EXPECT_DOUBLE_EQ(spin.Value(), 4.0);
    leaveField();
    EXPECT_EQ(spin.text(), u"5");
    spin.setText(QStringLiteral("2"));
    leaveField();
    EXPECT_EQ(spin.text(), u"5");
    spin.SetPrecision(1);
    spin.setText(QStringLiteral("7"));
    leaveField();
    EXPECT_EQ(spin.text(), u"7,0");
}

TEST_F(FloatSpinTest, OnChangeFollowsEveryTextChange)
{
    spin.SetMaxValue(10);
    int changes = 0;
    spin.OnChange = [&](QObject *sender) {
        EXPECT_EQ(sender, &spin);
        ++changes;
    };
    spin.SetValue(3);
    typeAtEnd(QStringLiteral("x"));
    EXPECT_EQ(changes, 1);
    spin.setText(QString());
    typeAtEnd(QStringLiteral("8"));
    EXPECT_EQ(changes, 3);
}

TEST_F(FloatSpinTest, HeightNeverFallsBelowTheFontsNeed)
{
    spin.show();
    spin.resize(80, 5);
    EXPECT_EQ(spin.height(), spin.MinHeight());
    spin.resize(80, spin.MinHeight() + 10);
    EXPECT_EQ(spin.height(), spin.MinHeight() + 10);
    // The spin button sits inside the right edge.
    EXPECT_LE(spin.Button()->geometry().right(), spin.width() - 1);
    EXPECT_GT(spin.Button()->x(), spin.width() / 2);
}

} // namespace

TEST(FloatSpinLayout, ALayoutCannotSqueezeItAndTheButtonFollowsTheRightEdge)
{
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *spin = new TFloatSpin(&form);
    layout->addWidget(spin);
    form.resize(160, 4);
    form.show();
    QApplication::processEvents();
    EXPECT_GE(spin->height(), spin->MinHeight());
    const auto *button = spin->findChild<TSpinButton *>();
    ASSERT_NE(button, nullptr);
    EXPECT_GT(button->x(), spin->width() / 2);
    EXPECT_LE(button->geometry().right(), spin->width() - 1);
}
