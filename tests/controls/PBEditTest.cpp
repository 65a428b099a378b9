#include "controls/PBEdit.h"

#include "controls/MessageBeep.h"
#include "tests/support/HangGuard.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PBEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageBeepHook([this](unsigned) { ++beeps; });
        edit = new TPBEdit(&dialog);
        // A dialog makes its first auto-default button the default one; the forms switch that off.
        other = new QPushButton(QStringLiteral("Inny"), &dialog);
        other->setAutoDefault(false);
        other->move(0, 40);
        edit->setText(QStringLiteral("12345"));
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, testsupport::HangGuardMs));
        edit->setFocus();
        edit->setSelection(1, 2);
    }
    void TearDown() override { setMessageBeepHook({}); }

    QDialog dialog;
    TPBEdit *edit = nullptr;
    QPushButton *other = nullptr;
    int beeps = 0;
};

TEST_F(PBEditTest, EnterClicksEveryEnabledDefaultButtonAndTakesTheFocusBack)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    // A dialog keeps one default button at a time.
    ok->setDefault(true);
    ok->show();
    int okClicks = 0;
    int otherClicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] {
        EXPECT_TRUE(ok->hasFocus());
        ++okClicks;
    });
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });

    edit->AutoSelect = false;
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 0);
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(edit->hasFocus());
    // The remembered selection comes back.
    EXPECT_EQ(edit->selectionStart(), 1);
    EXPECT_EQ(edit->selectedText(), u"23");

    edit->AutoSelect = true;
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(okClicks, 2);
    EXPECT_EQ(edit->selectedText(), u"12345");
    EXPECT_EQ(edit->text(), u"12345");
}

TEST_F(PBEditTest, EnterWithoutDefaultButtonBeepsAndChangesNothing)
{
    int otherClicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(otherClicks, 0);
    EXPECT_EQ(edit->text(), u"12345");
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), u"23");

    // A default button that is disabled clicks nothing either.
    other->setDefault(true);
    other->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(otherClicks, 0);
}

TEST_F(PBEditTest, AlignmentAndFixedVersion)
{
    edit->SetAlignment(taRightJustify);
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    edit->SetAlignment(taCenter);
    EXPECT_TRUE(edit->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(edit->Version(), u"2.00.00.00");
    EXPECT_EQ(TPBEdit().width(), 100);
}

TEST_F(PBEditTest, ClickThatEntersTheFieldKeepsAllTextSelected)
{
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), u"12345");
    // A second click inside the focused field places the caret as usual.
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
    EXPECT_EQ(edit->selectedText(), u"");
}

} // namespace
