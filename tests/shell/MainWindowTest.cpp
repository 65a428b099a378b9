#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "controls/BtnComboBox.h"
#include "core/MyReg.h"
#include "core/ProgramParams.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/gui/MessageBox.h"
#include "shell/FAbout.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/FMainSelectors.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/FontScales.h"
#include "tests/support/ProcessUntil.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QTest>
#include <QToolButton>

#include <map>
#include <tuple>
#include <memory>

class MainWindowTest : public ShellTest {
protected:
    void StoreSelections(int Game, int System, int Stat)
    {
        ProgramReg.SetSection("Settings");
        ProgramReg.WriteInteger("LastGame", Game);
        ProgramReg.WriteInteger("LastSystem", System);
        ProgramReg.WriteInteger("LastStat", Stat);
    }

    // A shown main window with one recording child window.
    RecordingChild *OpenChild(TfrmMain &frame)
    {
        auto *child = new RecordingChild;
        AddChildForm(child);
        frame.MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(child->parentWidget()));
        return child;
    }
};

TEST_F(MainWindowTest, SelectorsRestoreTheLastChoices)
{
    StoreSelections(2, 5, 7);
    TfrmMain frame;
    frame.show();
    EXPECT_EQ(frame.cbGame->currentIndex(), 2);
    EXPECT_EQ(CurrentGameIndex, 2);
    EXPECT_TRUE(frame.GameItems[2]->isChecked());
    EXPECT_EQ(frame.cbSystem->Combo()->currentIndex(), 5);
    EXPECT_EQ(frame.cbStat->Combo()->currentIndex(), 7);
}

TEST_F(MainWindowTest, StoredChoicesOutOfRangeLeaveTheFirstItem)
{
    for (const auto &[game, system, stat] : {std::tuple{3, 7, 12}, std::tuple{-1, -1, -1}}) {
        StoreSelections(game, system, stat);
        TfrmMain frame;
        frame.show();
        EXPECT_EQ(frame.cbGame->currentIndex(), 0) << game;
        EXPECT_EQ(CurrentGameIndex, 0);
        EXPECT_EQ(frame.cbSystem->Combo()->currentIndex(), 0) << system;
        EXPECT_EQ(frame.cbStat->Combo()->currentIndex(), 0) << stat;
    }
}

TEST_F(MainWindowTest, ShowingLoadsTheProgramSettingsAndClosingSavesEverything)
{
    TProgramParams stored;
    stored.MaxComb = 5000;
    stored.StatShowDate = false;
    RegStream.Clear();
    RegStream.WriteData("Settings", "Params", encodeProgramParams(stored));
    {
        TfrmMain frame;
        EXPECT_EQ(Limits.MaxComb, 10000) << "settings are loaded when the window is shown";
        frame.show();
        EXPECT_EQ(Limits.MaxComb, 10000) << "5000 is raised to the lowest accepted value";
        EXPECT_FALSE(ProgramParams.StatShowDate);
        frame.cbGame->setCurrentIndex(1);
        frame.cbSystem->Combo()->setCurrentIndex(4);
        frame.cbStat->Combo()->setCurrentIndex(11);
        ProgramParams.MaxComb = 44444;
    }
    EXPECT_EQ(store().value("Settings", "LastGame"), platform::RegValue(uint32_t(1)));
    EXPECT_EQ(store().value("Settings", "LastSystem"), platform::RegValue(uint32_t(4)));
    EXPECT_EQ(store().value("Settings", "LastStat"), platform::RegValue(uint32_t(11)));
    const auto params = store().value("Settings", "Params");
    ASSERT_TRUE(params);
    EXPECT_EQ(decodeProgramParams(std::get<platform::Bytes>(*params)).MaxComb, 44444);
}

TEST_F(MainWindowTest, GameMenuAndGameSelectorFollowEachOther)
{
    TfrmMain frame;
    frame.show();
    ASSERT_EQ(frame.GameItems.size(), 3u);
    EXPECT_EQ(frame.cbGame->itemText(0), QString::fromStdString(Games.GetGame(0)->Info.Name));
    frame.GameItems[2]->trigger();
    EXPECT_EQ(frame.cbGame->currentIndex(), 2);
    EXPECT_EQ(CurrentGameIndex, 2);
    frame.cbGame->setCurrentIndex(1);
    EXPECT_TRUE(frame.GameItems[1]->isChecked());
    EXPECT_FALSE(frame.GameItems[2]->isChecked());
    EXPECT_EQ(CurrentGameIndex, 1);
}

TEST_F(MainWindowTest, SelectorsMapOntoTheirWindows)
{
    // The system selector is not in kind order: its third item is the random system (kind 4).
    const std::vector<int> kinds = {0, 1, 4, 2, 3, 6, 7};
    for (int index = 0; index < 7; ++index)
        EXPECT_EQ(SystemSelectorKind(index), kinds[size_t(index)]) << index;
    EXPECT_EQ(SystemSelectorKind(7), -1);
    EXPECT_EQ(SystemSelectorKind(-1), -1);

    TfrmMain frame;
    frame.show();
    QComboBox *stats = frame.cbStat->Combo();
    ASSERT_EQ(stats->count(), 12);
    EXPECT_EQ(stats->itemText(5), QStringLiteral("Przedziały liczbowe"));
    EXPECT_EQ(stats->itemData(5).toInt(), 6);
    EXPECT_EQ(stats->itemText(6), QStringLiteral("Optymalne kombinacje"));
    EXPECT_EQ(stats->itemData(6).toInt(), 5);
    const QList<QAction *> menu = frame.mStat->actions();
    ASSERT_EQ(menu.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(menu[i]->text(), stats->itemText(i));
        EXPECT_EQ(menu[i]->data(), stats->itemData(i));
    }
}

TEST_F(MainWindowTest, EveryCommandReachesTheActiveChildSentOrPosted)
{
    TfrmMain frame;
    frame.show();
    RecordingChild *child = OpenChild(frame);
    struct Route {
        QAction *Action;
        QEvent::Type Code;
        bool Post;
    };
    const std::vector<Route> routes = {
        {frame.mFileWrite, WM_SYS_SAVE, false},     {frame.pS1Write, WM_SYS_SAVE, false},
        {frame.mFileReport, WM_SYS_REPORT, false},  {frame.pS1Report, WM_SYS_REPORT, false},
        {frame.pStat1Report, WM_SYS_REPORT, false}, {frame.mSysPrint, WM_SYS_PRINT, false},
        {frame.pS1Print, WM_SYS_PRINT, false},      {frame.mSysGuar, WM_SYS_GUARANTEE, false},
        {frame.pS1Guar, WM_SYS_GUARANTEE, false},   {frame.mSysKey, WM_SYS_KEY, false},
        {frame.pS1Key, WM_SYS_KEY, false},          {frame.mSysCheck, WM_SYS_CHECK, false},
        {frame.pS1Check, WM_SYS_CHECK, false},      {frame.mTaskAdd, WM_COMB_ADD, true},
        {frame.pS1Add, WM_COMB_ADD, true},          {frame.mTaskEdit, WM_COMB_EDIT, true},
        {frame.pS1Change, WM_COMB_EDIT, true},      {frame.mTaskDelete, WM_COMB_DELETE, true},
        {frame.pS1Del, WM_COMB_DELETE, true},       {frame.mSysParam, WM_SYS_PARAMS, true},
        {frame.pS1Param, WM_SYS_PARAMS, true},      {frame.mTaskStart, WM_TASK_START, true},
        {frame.pS1Start, WM_TASK_START, true},      {frame.pStat1Start, WM_TASK_START, true},
        {frame.mTaskStop, WM_TASK_STOP, true},      {frame.pS1Stop, WM_TASK_STOP, true},
        {frame.pStat1Stop, WM_TASK_STOP, true},     {frame.mSysFreq, WM_SYS_DISTRIBUTION, true},
        {frame.pS1Freq, WM_SYS_DISTRIBUTION, true}, {frame.mToolFilter, WM_SYS_FILTER, false},
        {frame.pS1Filter, WM_SYS_FILTER, false},    {frame.mSysCopy, WM_SYS_COPY, true},
        {frame.pS1Copy, WM_SYS_COPY, true},         {frame.mSysHistory, WM_SYS_HISTORY, false},
        {frame.pS1History, WM_SYS_HISTORY, false},
    };
    frame.EnableCommands(cmdAll, true);
    for (const Route &route : routes) {
        child->Commands.clear();
        route.Action->trigger();
        if (route.Post) {
            EXPECT_TRUE(child->Commands.empty()) << route.Action->text().toStdString() << " is posted, not sent";
            QCoreApplication::sendPostedEvents(child);
        }
        ASSERT_EQ(child->Commands.size(), 1u) << route.Action->text().toStdString();
        EXPECT_EQ(child->Commands[0].Code, route.Code) << route.Action->text().toStdString();
        EXPECT_EQ(child->Commands[0].WParam, 0);
    }

    // The six system statistics send their StatIndex.
    std::vector<int> sent;
    child->Commands.clear();
    for (QAction *item : frame.mSysStat->actions())
        item->trigger();
    for (const auto &received : child->Commands) {
        EXPECT_EQ(received.Code, WM_SYS_STATS);
        sent.push_back(received.WParam);
    }
    EXPECT_EQ(sent, (std::vector<int>{0, 1, 4, 6, 8, 10}));
}

TEST_F(MainWindowTest, CommandsGoToTheActiveChildOnly)
{
    TfrmMain frame;
    frame.show();
    RecordingChild *first = OpenChild(frame);
    RecordingChild *second = OpenChild(frame);
    frame.EnableCommands(cmdAll, true);
    frame.mSysKey->trigger();
    EXPECT_TRUE(first->Commands.empty());
    EXPECT_EQ(second->Commands.size(), 1u);
    frame.MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    frame.mSysKey->trigger();
    EXPECT_EQ(first->Commands.size(), 1u);
    EXPECT_EQ(second->Commands.size(), 1u);
}

TEST_F(MainWindowTest, ActivationNoticesGoToTheChildLeavingAndTheChildComing)
{
    TfrmMain frame;
    frame.show();
    RecordingChild *first = OpenChild(frame);
    EXPECT_EQ(first->Activations, 1);
    RecordingChild *second = OpenChild(frame);
    EXPECT_EQ(first->Deactivations, 1);
    EXPECT_EQ(second->Activations, 1);
    frame.MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    EXPECT_EQ(first->Activations, 2);
    EXPECT_EQ(second->Deactivations, 1);
}

TEST_F(MainWindowTest, BroadcastReachesEveryChildInOpeningOrder)
{
    TfrmMain frame;
    frame.show();
    std::vector<RecordingChild *> children = {OpenChild(frame), OpenChild(frame), OpenChild(frame)};
    frame.MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(children[0]->parentWidget()));
    std::vector<RecordingChild *> order;
    for (RecordingChild *child : children)
        child->Commands.clear();

    BroadcastToChildren(WM_DRAWS_CHANGED, 0, 7, false);
    for (RecordingChild *child : children) {
        ASSERT_EQ(child->Commands.size(), 1u) << "sent: handled before the broadcast returns";
        EXPECT_EQ(child->Commands[0].Code, WM_DRAWS_CHANGED);
        EXPECT_EQ(child->Commands[0].LParam, 7);
    }
    EXPECT_EQ(frame.ChildForms(), (std::vector<QWidget *>{children[0], children[1], children[2]}));

    BroadcastToChildren(WM_DRAWS_DOWNLOADED, 3, 0, true);
    for (RecordingChild *child : children)
        EXPECT_EQ(child->Commands.size(), 1u) << "posted: handled later";
    QCoreApplication::sendPostedEvents();
    for (RecordingChild *child : children) {
        ASSERT_EQ(child->Commands.size(), 2u);
        EXPECT_EQ(child->Commands[1].Code, WM_DRAWS_DOWNLOADED);
        EXPECT_EQ(child->Commands[1].WParam, 3);
    }
}

TEST_F(MainWindowTest, DrawsRangeGoesToTheChildThatAnswersItElseToTheFrameDialog)
{
    TfrmMain frame;
    frame.show();
    // No child: the frame's dialog on the current game's default range.
    Games.GetGame(0)->DefRange.PeriodCount = 12;
    script.onDialog([](QDialog &dialog) {
        auto *range = dynamic_cast<TfrmDrawsFilter *>(&dialog);
        ASSERT_NE(range, nullptr);
        EXPECT_TRUE(range->DefaultMode);
        EXPECT_EQ(range->Range.PeriodCount, 12u);
        EXPECT_EQ(range->Game, Games.GetGame(0));
    });
    frame.mToolFltDate->trigger();

    RecordingChild *child = OpenChild(frame);
    child->RangeAnswer = 1;
    frame.btnFltDate->click();
    frame.pStat1Range->trigger();
    EXPECT_EQ(child->Commands.size(), 2u) << "answered by the child: no frame dialog";

    child->RangeAnswer = 0; // a system window does not answer
    script.onDialog([](QDialog &dialog) { EXPECT_NE(dynamic_cast<TfrmDrawsFilter *>(&dialog), nullptr); });
    frame.mToolFltDate->trigger();
    EXPECT_EQ(child->Commands.size(), 3u);
    ASSERT_EQ(script.dialogs().size(), 2u);
    EXPECT_EQ(script.dialogs()[1].Title, QStringLiteral("<Lotto> Zakres losowań"));
}

TEST_F(MainWindowTest, CommandsWithoutAChildDoNothing)
{
    TfrmMain frame;
    frame.show();
    frame.EnableCommands(cmdAll, true);
    EXPECT_EQ(frame.SendToActiveChild(WM_SYS_SAVE), 0);
    frame.mTaskStart->trigger();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(frame.ActiveChildForm(), nullptr);
}

TEST_F(MainWindowTest, TheCommandMaskSwitchesExactlyItsControls)
{
    TfrmMain frame;
    frame.show();
    using Controls = std::vector<QObject *>;
    const std::map<int, Controls> mask = {
        {cmdSave, {frame.btnSave, frame.mFileWrite, frame.pS1Write}},
        {cmdRead, {frame.btnRead, frame.mFileRead}},
        {cmdReport, {frame.btnReport, frame.mFileReport, frame.pS1Report, frame.pStat1Report}},
        {cmdPrint, {frame.mSysPrint, frame.pS1Print}},
        {cmdGuarantee, {frame.btnGuaranty, frame.mSysGuar, frame.pS1Guar}},
        {cmdKey, {frame.btnKey, frame.mSysKey, frame.pS1Key}},
        {cmdCheck, {frame.btnCheckSystem, frame.mSysCheck, frame.pS1Check}},
        {cmdAdd, {frame.btnAdd, frame.mTaskAdd, frame.pS1Add}},
        {cmdEdit, {frame.btnEdit, frame.mTaskEdit, frame.pS1Change}},
        {cmdDelete, {frame.btnDelete, frame.mTaskDelete, frame.pS1Del}},
        {cmdParams, {frame.btnParam, frame.mSysParam, frame.pS1Param}},
        {cmdStart, {frame.btnGenerate, frame.mTaskStart, frame.pS1Start, frame.pStat1Start}},
        {cmdStop, {frame.btnStop, frame.mTaskStop, frame.pS1Stop, frame.pStat1Stop}},
        {cmdFilter, {frame.btnFilter, frame.mToolFilter, frame.pS1Filter}},
        {cmdDistribution, {frame.btnFreq, frame.mSysFreq, frame.pS1Freq}},
        {cmdCopy, {frame.mSysCopy, frame.pS1Copy}},
        {cmdLogicalOps, {frame.mSysOper, frame.pS1Oper}},
        {cmdSysStats, {frame.mSysStat->menuAction()}},
        {cmdHistory, {frame.mSysHistory, frame.pS1History}},
    };
    Controls always = {frame.cbGame, frame.cbSystem, frame.cbStat, frame.btnFltDate, frame.btnDraws,
                       frame.mFileImportFile, frame.mFileImportEditor, frame.mToolDraws, frame.mToolUpdate,
                       frame.mToolCheckComb, frame.mToolCombs, frame.mToolHistory, frame.mToolNewton,
                       frame.mToolCalc, frame.mToolProbs, frame.mToolFltDate, frame.mToolConfig,
                       frame.pStat1Range, frame.mHelpAbout};
    for (QAction *item : frame.mSysKinds)
        always.push_back(item);
    const auto enabled = [](QObject *control) {
        if (auto *action = qobject_cast<QAction *>(control))
            return action->isEnabled();
        return qobject_cast<QWidget *>(control)->isEnabled();
    };

    // At creation only the read command is on.
    for (const auto &[bit, controls] : mask)
        for (QObject *control : controls)
            EXPECT_EQ(enabled(control), bit == cmdRead) << bit;

    int all = 0;
    for (const auto &[bit, controls] : mask) {
        all |= bit;
        frame.EnableCommands(cmdAll, false);
        frame.EnableCommands(bit, true);
        for (const auto &[other, otherControls] : mask)
            for (QObject *control : otherControls)
                EXPECT_EQ(enabled(control), other == bit) << "bit " << bit << ", control of bit " << other;
        for (QObject *control : always)
            EXPECT_TRUE(enabled(control));
    }
    EXPECT_EQ(all, int(cmdAll));
    frame.EnableCommands(cmdAll, true);
    frame.EnableCommands(cmdKey | cmdStop, false);
    EXPECT_FALSE(frame.btnKey->isEnabled());
    EXPECT_FALSE(frame.pStat1Stop->isEnabled());
    EXPECT_TRUE(frame.btnParam->isEnabled());
}

TEST_F(MainWindowTest, ClosingAsksOnlyWhileChildWindowsAreOpen)
{
    {
        TfrmMain frame;
        frame.show();
        EXPECT_TRUE(frame.close());
        EXPECT_TRUE(script.boxes().empty());
    }
    TfrmMain frame;
    frame.show();
    QPointer<RecordingChild> child = OpenChild(frame);
    script.answerBox(platform::IDNO);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Czy na pewno zamknąć program?"));
    EXPECT_EQ(script.boxes()[0].Caption, QStringLiteral("Korvantile"));
    EXPECT_EQ(script.boxes()[0].Flags, 292);

    script.answerBox(platform::IDYES);
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(child.isNull()) << "the child windows close with the frame";
}

TEST_F(MainWindowTest, AboutOpensAFreshBoxEachTimeAndEscOrOkClosesIt)
{
    TfrmMain frame;
    frame.show();
    for (int time = 0; time < 2; ++time) {
        script.onDialog([time](QDialog &dialog) {
            auto &about = dynamic_cast<TfrmAbout &>(dialog);
            const QImage icon = about.Image1->pixmap().toImage();
            ASSERT_FALSE(icon.isNull()) << "the program's icon";
            EXPECT_GT(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 0);
            if (time == 0) {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dialog, &escape);
            } else {
                about.btnOK->click();
            }
            EXPECT_FALSE(dialog.isVisible());
        });
        frame.mHelpAbout->trigger();
    }
    ASSERT_EQ(script.dialogs().size(), 2u);
    EXPECT_EQ(script.dialogs()[0].ClassName, QStringLiteral("TfrmAbout"));
    EXPECT_EQ(script.dialogs()[0].Title, QStringLiteral("O programie "));
}

TEST_F(MainWindowTest, ToolBarsOfferNoMenuThatHidesThem)
{
    TfrmMain frame;
    frame.show();
    for (QWidget *bar :
         {static_cast<QWidget *>(frame.ToolBar1), static_cast<QWidget *>(frame.ControlBarPanel)}) {
        QWidget *shown = nullptr;
        // A menu would run its own loop: the timer records and closes it.
        QTimer::singleShot(0, &frame, [&shown] {
            shown = QApplication::activePopupWidget();
            if (shown)
                shown->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), bar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bar, &click);
        QApplication::processEvents();
        EXPECT_EQ(shown, nullptr) << bar->objectName().toStdString();
    }
}

// Drags the band by its grip as the user does, the grip first pressed at Grip (the band's own
// coordinates), to the global point To in steps; answers the band's window-relative drop point.
static void DragBand(QToolBar *Band, QPoint Grip, QPoint To)
{
    QTest::mousePress(Band, Qt::LeftButton, {}, Grip);
    const QPoint from = Band->mapToGlobal(Grip);
    for (int step = 1; step <= 20; ++step)
        QTest::mouseMove(Band, Band->mapFromGlobal(from + (To - from) * step / 20));
    QTest::mouseRelease(Band, Qt::LeftButton, {}, Band->mapFromGlobal(To));
    QApplication::processEvents();
}

static QPoint GripOf(QToolBar *Band)
{
    QStyleOptionToolBar option;
    option.initFrom(Band);
    option.features = QStyleOptionToolBar::Movable;
    option.state |= QStyle::State_Horizontal;
    return Band->style()->subElementRect(QStyle::SE_ToolBarHandle, &option, Band).center();
}

// The selector band dragged off, then to the left edge, then back above the work area: afloat it lies
// whole on the screen, at the left edge it does not dock to squeeze the work area, and it docks back.
TEST_F(MainWindowTest, TheSelectorBandStaysOnTheScreenAndDocksOnlyAboveOrBelowTheWorkArea)
{
    TfrmMain frame;
    frame.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QToolBar *band = frame.ControlBarPanel;
    const QRect screen = band->screen()->availableGeometry();
    const int workWidth = frame.MdiArea->width();

    DragBand(band, GripOf(band), QPoint(screen.right() - 20, screen.center().y()));
    ASSERT_TRUE(band->isFloating());
    EXPECT_TRUE(screen.contains(band->frameGeometry())) << band->frameGeometry().x() << " " << band->width();
    EXPECT_LE(frame.frameGeometry().width(), screen.width()) << "the main window keeps to the screen";

    const QPoint leftEdge = frame.MdiArea->mapToGlobal(QPoint(2, frame.MdiArea->height() / 2));
    DragBand(band, GripOf(band), leftEdge);
    EXPECT_NE(frame.toolBarArea(band), Qt::LeftToolBarArea);
    EXPECT_EQ(frame.MdiArea->width(), workWidth);

    DragBand(band, GripOf(band), frame.MdiArea->mapToGlobal(QPoint(40, 3)));
    EXPECT_TRUE(testsupport::ProcessUntil([band] { return !band->isFloating(); }));
    EXPECT_EQ(frame.toolBarArea(band), Qt::TopToolBarArea);
    EXPECT_LE(band->width(), screen.width());
}

// The tool bar dragged off: afloat, where its extension button would open nothing, it shows every button
// as far as its screen has room (at the larger font the buttons need more than the test's screen).
TEST_F(MainWindowTest, TheFloatingToolBarShowsEveryButtonWhereItsScreenHasRoom)
{
    testsupport::ForEachFontScale([](double) {
        TfrmMain frame;
        frame.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QToolBar *band = frame.ToolBar1;
        const QRect screen = band->screen()->availableGeometry();
        DragBand(band, GripOf(band), screen.center());
        ASSERT_TRUE(band->isFloating());
        QApplication::processEvents();
        EXPECT_TRUE(screen.contains(band->frameGeometry()));
        if (band->sizeHint().width() > screen.width()) {
            EXPECT_EQ(band->frameGeometry().width(), screen.width());
            return;
        }
        for (const QToolButton *button : band->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
            if (button->defaultAction()) {
                EXPECT_TRUE(button->isVisible() && band->rect().contains(button->geometry()))
                    << button->text().toStdString();
            } else {
                EXPECT_FALSE(button->isVisible()) << "the extension button";
            }
        }
    });
}

TEST_F(MainWindowTest, ProgressShowsThePercentageWithDecimalsByStep)
{
    TfrmMain frame;
    frame.show();
    ProgressShow(5000, 1);
    EXPECT_EQ(frame.ALProgressBar1->ShownValue(), 5000);
    EXPECT_EQ(frame.lblProg->text(), QStringLiteral("50,00%"));
    ProgressShow(1234, 10);
    EXPECT_EQ(frame.lblProg->text(), QStringLiteral("12,3%"));
    ProgressShow(5000, 100);
    EXPECT_EQ(frame.lblProg->text(), QStringLiteral("50%"));
    ProgressShow(7000, 3);
    EXPECT_EQ(frame.lblProg->text(), QStringLiteral("50%")) << "an unknown step leaves the text";
    EXPECT_EQ(frame.ALProgressBar1->ShownValue(), 7000);
    ProgressClear();
    EXPECT_EQ(frame.ALProgressBar1->ShownValue(), 0);
    EXPECT_TRUE(frame.lblProg->text().isEmpty());
    SetStatusText(QStringLiteral("Generowanie systemu..."));
    EXPECT_EQ(frame.ALStatusBar1->Panels[1].Text, QStringLiteral("Generowanie systemu..."));
}

TEST_F(MainWindowTest, ChildWindowsCentreAndTile)
{
    TfrmMain frame;
    frame.resize(900, 700);
    frame.show();
    RecordingChild *first = OpenChild(frame);
    RecordingChild *second = OpenChild(frame);
    auto *holder = qobject_cast<QMdiSubWindow *>(first->parentWidget());
    holder->resize(301, 201);
    CenterChildForm(first);
    const QSize client = frame.MdiArea->viewport()->size();
    EXPECT_EQ(holder->pos(), QPoint((client.width() - 301) / 2, (client.height() - 201) / 2));

    frame.mWindowTileVert->trigger();
    const std::vector<QRect> expected = {QRect(0, 0, client.width() / 2, client.height()),
                                         QRect(client.width() / 2, 0, client.width() - client.width() / 2,
                                               client.height())};
    EXPECT_EQ(holder->geometry(), expected[0]);
    EXPECT_EQ(second->parentWidget()->geometry(), expected[1]);
}
