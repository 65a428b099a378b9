#include "controls/ControlSubClass.h"
#include "controls/ComponentTag.h"
#include "controls/XPColors.h"
#include "controls/XPMenu.h"
#include "tests/support/HangGuard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Counts the paint events a widget receives (installed after the companion, so it sees them first).
class PaintCounter : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

// A form with one control of each kind on it, one in a group box, one in a panel kept by Tag 999.
class ControlSubClassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<QWidget>();
        form->resize(400, 700);
        edit = new QLineEdit(form.get());
        combo = new QComboBox(form.get());
        check = new QCheckBox(QStringLiteral("Pole"), form.get());
        radio = new QRadioButton(QStringLiteral("Opcja"), form.get());
        button = new QPushButton(QStringLiteral("OK"), form.get());
        QPixmap glyph(16, 16);
        glyph.fill(Qt::green);
        bitButton = new QPushButton(QIcon(glyph), QStringLiteral("Zapisz"), form.get());
        speedButton = new QToolButton(form.get());
        panel = new QFrame(form.get());
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        memo = new QPlainTextEdit(form.get());
        richEdit = new QTextEdit(form.get());
        label = new QLabel(QStringLiteral("Etykieta"), form.get());
        keptEdit = new QLineEdit(form.get());
        SetComponentTag(keptEdit, XPKeepTag);
        group = new QGroupBox(QStringLiteral("Grupa"), form.get());
        inGroup = new QLineEdit(group);
        auto *keptPanel = new QFrame(form.get());
        SetComponentTag(keptPanel, XPKeepTag);
        inKeptPanel = new QLineEdit(keptPanel);
        // One below the other, none covering another.
        auto *layout = new QVBoxLayout(form.get());
        for (QWidget *control :
             std::initializer_list<QWidget *>{edit, combo, check, radio, button, bitButton, speedButton,
                                              panel, memo, richEdit, label, keptEdit, group, keptPanel})
            layout->addWidget(control);
        xp = new TXPMenu(form.get());
    }
    void TearDown() override { form.reset(); }

    void activate(TXPContainers containers)
    {
        xp->SetXPContainers(containers);
        xp->SetActive(true);
        xp->Loaded();
    }

    int hooks(const QWidget *control) const
    {
        const auto subClasses = xp->findChildren<TControlSubClass *>();
        return int(std::count_if(subClasses.begin(), subClasses.end(),
                                 [control](const TControlSubClass *s) { return s->Control() == control; }));
    }

    TControlSubClass *companion(const QWidget *control) const
    {
        for (TControlSubClass *subClass : xp->findChildren<TControlSubClass *>())
            if (subClass->Control() == control)
                return subClass;
        return nullptr;
    }

    static QRgb leftEdge(QWidget *control)
    {
        return control->grab().toImage().pixel(0, control->height() / 2);
    }

    std::unique_ptr<QWidget> form;
    QLineEdit *edit, *keptEdit, *inGroup, *inKeptPanel;
    QComboBox *combo;
    QCheckBox *check;
    QRadioButton *radio;
    QPushButton *button, *bitButton;
    QToolButton *speedButton;
    QFrame *panel;
    QPlainTextEdit *memo;
    QTextEdit *richEdit;
    QLabel *label;
    QGroupBox *group;
    TXPMenu *xp;
};

} // namespace

TEST_F(ControlSubClassTest, ControlsAreTakenByKindContainerAndTag)
{
    activate(XPSet({xccForm}));
    for (QWidget *control : std::initializer_list<QWidget *>{edit, combo, check, radio, button, bitButton,
                                                             speedButton, panel, memo, richEdit, group})
        EXPECT_EQ(hooks(control), 1) << control->metaObject()->className();
    EXPECT_EQ(hooks(label), 0);
    EXPECT_EQ(hooks(keptEdit), 0);
    EXPECT_EQ(hooks(inGroup), 0); // its group box is not a chosen container

    xp->SetXPContainers(XPAllContainers);
    EXPECT_EQ(hooks(inGroup), 1);
    EXPECT_EQ(hooks(inKeptPanel), 0); // the panel has Tag 999
    EXPECT_EQ(hooks(edit), 1);        // hooked again, once

    // The controls chosen by XPControls only.
    xp->SetActive(false);
    xp->SetXPControls(XPSet({xcButton}));
    xp->SetActive(true);
    // Deactivated and activated again before any event: the old companion stays, alone.
    EXPECT_EQ(hooks(button), 1);
    QEvent poke(QEvent::FontChange);
    for (QWidget *control : std::initializer_list<QWidget *>{button, bitButton, edit})
        QCoreApplication::sendEvent(control, &poke);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(hooks(button), 1);
    EXPECT_EQ(hooks(bitButton), 0); // no longer chosen: gone at its next event
    EXPECT_EQ(hooks(edit), 0);
}

TEST_F(ControlSubClassTest, EditFrameFollowsHotAndFocus)
{
    activate(XPSet({xccForm}));
    form->show();
    const TXPColors colors = xp->WorkingColors(32);
    const TColor parentColor = fromQColor(form->palette().color(QPalette::Window));
    const QRgb rest = toQColor(ShadeColor(parentColor, 60)).rgb();
    const QRgb hot = toQColor(LightenColor(colors.SelectBorder, 60)).rgb();
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_EQ(leftEdge(edit), rest);

    QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
    QCoreApplication::sendEvent(edit, &enter);
    EXPECT_TRUE(companion(edit)->Hot());
    EXPECT_EQ(leftEdge(edit), hot);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(edit, &leave);
    EXPECT_EQ(leftEdge(edit), rest);

    QApplication::setActiveWindow(form.get());
    edit->setFocus();
    QCoreApplication::sendEvent(edit, &leave); // the mouse leaves, the focus stays
    EXPECT_EQ(leftEdge(edit), hot);
    button->setFocus();
    EXPECT_EQ(leftEdge(edit), rest);
}

TEST_F(ControlSubClassTest, HeldSpaceRepaintsOnceAndDoubleClickPressesAgain)
{
    activate(XPSet({xccForm}));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get(), testsupport::HangGuardMs));
    PaintCounter counter;
    button->installEventFilter(&counter);

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &press);
    EXPECT_TRUE(companion(button)->SpaceDown());
    const int afterFirst = counter.Paints;
    EXPECT_GE(afterFirst, 1);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(button, &repeat);
        QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(button, &repeatUp);
    }
    EXPECT_EQ(counter.Paints, afterFirst);
    EXPECT_TRUE(companion(button)->SpaceDown());
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &release);
    EXPECT_FALSE(companion(button)->SpaceDown());
    EXPECT_GT(counter.Paints, afterFirst);

    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    const QPointF at(5, 5);
    auto mouse = [&](QEvent::Type type) {
        QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &event);
    };
    mouse(QEvent::MouseButtonPress);
    EXPECT_TRUE(companion(button)->MouseDown());
    mouse(QEvent::MouseButtonRelease);
    mouse(QEvent::MouseButtonDblClick);
    EXPECT_TRUE(companion(button)->MouseDown());
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlSubClassTest, DeactivationGivesTheEditItsFrameAtItsNextEvent)
{
    activate(XPSet({xccForm}));
    ASSERT_FALSE(edit->hasFrame());
    const int memoStyle = QFrame::StyledPanel | QFrame::Sunken;
    memo->setFrameStyle(memoStyle); // after hooking: what the memo had is what comes back
    xp->SetActive(false);
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_EQ(hooks(edit), 1);
    QEvent poke(QEvent::FontChange);
    QCoreApplication::sendEvent(edit, &poke);
    EXPECT_TRUE(edit->hasFrame());
    QCoreApplication::sendEvent(memo, &poke);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(hooks(edit), 0);
    EXPECT_EQ(hooks(memo), 0);
    EXPECT_EQ(hooks(button), 1); // no event yet
}
