#include "controls/BtnComboBox.h"
#include "controls/ALStatusBar.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(BtnComboBoxTest, ComboAndButtonPanelStaySideBySide)
{
    TBtnComboBox box;
    box.show();
    EXPECT_EQ(box.width(), box.Combo()->width() + box.ButtonPanel()->width() + 3);
    EXPECT_EQ(box.height(), box.Combo()->sizeHint().height() + 1) << "the combo's own height";
    for (const QSize size : {QSize(250, 30), QSize(90, 24)}) {
        box.resize(size);
        EXPECT_EQ(box.Combo()->width(), size.width() - box.ButtonPanel()->width() - 3);
        EXPECT_EQ(box.Combo()->height(), size.height() - 1);
        EXPECT_EQ(box.ButtonPanel()->x(), box.Combo()->x() + box.Combo()->width());
        // The button panel stands level with the combo and as tall; the button fills it inside its frame.
        EXPECT_EQ(box.ButtonPanel()->geometry().top(), box.Combo()->geometry().top());
        EXPECT_EQ(box.ButtonPanel()->height(), box.Combo()->height());
        EXPECT_EQ(box.ButtonPanel()->width(), 20);
        EXPECT_EQ(box.Button()->geometry(), box.ButtonPanel()->contentsRect());
    }
    EXPECT_EQ(box.Combo()->objectName(), u"Combo");
    EXPECT_EQ(box.Button()->objectName(), u"Btn");
}

TEST(BtnComboBoxTest, ButtonClickReachesItsHandlersAndOnBtnClick)
{
    TBtnComboBox box;
    int clicks = 0;
    int btnClicks = 0;
    QObject::connect(box.Button(), &QPushButton::clicked, [&] { ++clicks; });
    box.OnBtnClick = [&](QObject *sender) {
        EXPECT_EQ(sender, &box);
        ++btnClicks;
    };
    box.Button()->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(btnClicks, 1);
}

TEST(ALStatusBarTest, PanelsFollowOneAnotherAndTheLastReachesTheRightEdge)
{
    TALStatusBar bar;
    bar.resize(400, 22);
    bar.Panels = {{100, QStringLiteral("a")}, {150, QStringLiteral("b")}, {50, QStringLiteral("c")}};
    EXPECT_EQ(bar.PanelRect(0), (TRect{0, 2, 100, 22}));
    EXPECT_EQ(bar.PanelRect(1), (TRect{100, 2, 250, 22}));
    EXPECT_EQ(bar.PanelRect(2), (TRect{250, 2, 400, 22}));
    // A progress bar placed on the first panel stays a child of the bar.
    auto *label = new QLabel(&bar);
    label->setGeometry(bar.PanelRect(0).toQRect());
    EXPECT_EQ(label->parentWidget(), &bar);
}

} // namespace
