#include "platform/gui/MessageBox.h"
#include "shell/FGlobalMessages.h"
#include "tests/fixtures/ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct ShownBox {
    QString Title;
    QString Text;
    QStringList Buttons;
    QString DefaultButton;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    Qt::WindowFlags Flags;
};

// Shows a real box and, once it is up, notes what it shows and presses the button captioned Press
// (Esc when Press is empty).
int ShowAndPress(int Flags, const QString &Press, ShownBox &Shown)
{
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is shown";
            return;
        }
        Shown.Title = box->windowTitle();
        Shown.Text = box->text();
        Shown.Icon = box->icon();
        Shown.Flags = box->windowFlags();
        Shown.Buttons.clear();
        for (QAbstractButton *button : box->buttons())
            Shown.Buttons << button->text();
        if (box->defaultButton())
            Shown.DefaultButton = box->defaultButton()->text();
        if (Press.isEmpty()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
            return;
        }
        for (QAbstractButton *button : box->buttons())
            if (button->text() == Press)
                button->click();
    });
    return platform::messageBox(nullptr, QStringLiteral("Pytanie"), QStringLiteral("Tytuł"), Flags);
}

} // namespace

TEST(MessageBox, QuestionHasPolishYesAndNoWithNoTheDefault)
{
    ShownBox shown;
    EXPECT_EQ(ShowAndPress(292, QStringLiteral("&Nie"), shown), platform::IDNO);
    EXPECT_EQ(shown.Title, QStringLiteral("Tytuł"));
    EXPECT_EQ(shown.Text, QStringLiteral("Pytanie"));
    EXPECT_EQ(shown.Buttons, (QStringList{QStringLiteral("&Tak"), QStringLiteral("&Nie")}));
    EXPECT_EQ(shown.DefaultButton, QStringLiteral("&Nie"));
    EXPECT_EQ(shown.Icon, QMessageBox::Question);
    EXPECT_EQ(ShowAndPress(292, QStringLiteral("&Tak"), shown), platform::IDYES);
    EXPECT_EQ(ShowAndPress(292, QString(), shown), platform::IDNO) << "Esc answers No";
}

TEST(MessageBox, ASaveQuestionAddsCancelWhichEscAnswers)
{
    ShownBox shown;
    EXPECT_EQ(ShowAndPress(35, QString(), shown), platform::IDCANCEL) << "Esc answers Cancel";
    shown.Buttons.sort();
    EXPECT_EQ(shown.Buttons, (QStringList{QStringLiteral("&Anuluj"), QStringLiteral("&Nie"), QStringLiteral("&Tak")}));
    EXPECT_EQ(shown.DefaultButton, QStringLiteral("&Tak"));
    EXPECT_EQ(ShowAndPress(35, QStringLiteral("&Nie"), shown), platform::IDNO);
    EXPECT_EQ(ShowAndPress(35, QStringLiteral("&Tak"), shown), platform::IDYES);
}

TEST(MessageBox, NoticeAndInformationHaveOneOkButton)
{
    ShownBox shown;
    EXPECT_EQ(ShowAndPress(48, QStringLiteral("OK"), shown), platform::IDOK);
    EXPECT_EQ(shown.Buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(shown.Icon, QMessageBox::Warning);
    // Window managers that honour the hints show only the close button.
    EXPECT_TRUE(shown.Flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(shown.Flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(shown.Flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(ShowAndPress(48, QString(), shown), platform::IDOK);
    EXPECT_EQ(ShowAndPress(64, QStringLiteral("OK"), shown), platform::IDOK);
    EXPECT_EQ(shown.Buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(shown.Icon, QMessageBox::Information);
}

TEST(MessageBox, MsgBoxCaptionsAnUntitledBoxWithTheApplicationTitle)
{
    testsupport::ModalScript script;
    script.answerBox(platform::IDOK);
    script.answerBox(platform::IDNO);
    EXPECT_EQ(MsgBox(QStringLiteral("Uwaga"), QString(), MsgFlagsNotice), platform::IDOK);
    EXPECT_EQ(MsgBox(QStringLiteral("Na pewno?"), QStringLiteral("Własny"), MsgFlagsQuestion), platform::IDNO);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].Caption, QStringLiteral("Korvantile"));
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(script.boxes()[1].Caption, QStringLiteral("Własny"));
    EXPECT_EQ(script.boxes()[1].Flags, 292);
}
