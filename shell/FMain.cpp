// The main window's start-up and shut-down: the global start-up, the game list, the last selections.
#include "shell/FMain.h"

#include "controls/BtnComboBox.h"
#include "controls/RVStyle.h"
#include "core/MyReg.h"
#include "core/ProgramParams.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "platform/gui/hh.h"
#include "platform/gui/hh_funcs.h"
#include "shell/FAbout.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalStats.h"
#include "shell/FGlobalViewers.h"
#include "shell/FMainCommands.h"
#include "shell/FMainSelectors.h"
#include "shell/FlatMenus.h"
#include "shell/GuardedConnect.h"
#include "shell/ProgramIcon.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <utility>

TfrmMain *frmMain = nullptr;

namespace {

const std::string SettingsSection = "Settings";

// The stored index when it is one of the selector's items, else item 0.
void SelectStored(QComboBox *Selector, const char *Name)
{
    Selector->setCurrentIndex(0);
    const int32_t stored = ProgramReg.ReadInteger(Name, 0);
    if (stored >= 0 && stored < Selector->count())
        Selector->setCurrentIndex(stored);
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent) : TFirstShow<QMainWindow>(parent)
{
    frmMain = this;
    setWindowTitle(QStringLiteral("Korvantile 3.0"));
    // The main window, its children and the dialogs all show it.
    QApplication::setWindowIcon(ProgramIcon());
    RVStyle1 = new TRVStyle(this);
    SetProgramTextStyles(*RVStyle1);
    RVStyle1->Loaded();
    MdiArea = new QMdiArea(this);
    // Windows that reach past the client area (tiled in too little room, say) are scrolled to.
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(MdiArea);
    connectGuarded(MdiArea, &QMdiArea::subWindowActivated, this, &TfrmMain::SubWindowActivated);

    CreateActions();
    CreateMenus();
    CreatePopupMenus();
    CreateToolBar();
    CreateSelectors();
    CreateStatusBar();
    XPMenu1 = NewFormXPMenu(this);
    BuildCommandMask();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // Child windows go first, while the games they work on still exist. While they go, the frame
    // answers that it has no child windows.
    QMdiArea *area = std::exchange(MdiArea, nullptr);
    area->disconnect(this);
    delete area;
    if (Shown() && !FGamesMissing)
        SaveLastSelections();
    DoneGlobals();
    HelpSystem.reset();
    platform::UnloadHtmlHelp();
    frmMain = nullptr;
}

void TfrmMain::FormCreate()
{
    InitGlobals();
    if (Games.Count() == 0) {
        FGamesMissing = true;
        return;
    }
    FGameGroup = new QActionGroup(this);
    FGameGroup->setExclusive(true);
    for (int i = 0; i < Games.Count(); ++i) {
        const QString name = QString::fromStdString(Games.GetGame(i)->Info.Name);
        QAction *item = mGame->addAction(name);
        item->setCheckable(true);
        FGameGroup->addAction(item);
        connectGuarded(item, &QAction::triggered, this, [this, i] { GameItemClick(i); });
        GameItems.push_back(item);
        cbGame->addItem(name);
    }
    CurrentGameIndex = 0;
    cbGame->setCurrentIndex(0);
    GameItems.front()->setChecked(true);
    EnableCommands(cmdAll, false);
    EnableCommands(cmdRead, true);
    platform::LoadHtmlHelp();
    platform::InitHelpLog(QCoreApplication::arguments().mid(1));
    HelpSystem = std::make_unique<platform::THookHelpSystem>(platform::HelpMapFile, QString(),
                                                             platform::THelpHost::HtmlHelp);
    platform::setHelpContext(cbGame, 202);
    platform::setHelpContext(this, 201);
}

void TfrmMain::FormShow()
{
    if (FGamesMissing)
        return;
    cbSystem->Combo()->setCurrentIndex(0);
    FillStatistics();
    cbStat->Combo()->setCurrentIndex(0);
    RestoreLastSelections();
    ShowHelpOnFirstRun();
}

void TfrmMain::FillStatistics()
{
    cbStat->Combo()->clear();
    mStat->clear();
    for (const TStatItem &item : StatItems) {
        cbStat->Combo()->addItem(item.Caption, item.StatIndex);
        const int statIndex = item.StatIndex;
        QAction *action = mStat->addAction(item.Caption);
        action->setData(statIndex);
        connectGuarded(action, &QAction::triggered, this, [statIndex] { OpenStatWindow(statIndex); });
    }
}

void TfrmMain::RestoreLastSelections()
{
    ProgramReg.SetSection(SettingsSection);
    SelectStored(cbGame, "LastGame");
    SelectStored(cbSystem->Combo(), "LastSystem");
    SelectStored(cbStat->Combo(), "LastStat");
    cbGameChange(cbGame->currentIndex());
    LoadProgramParams();
}

void TfrmMain::ShowHelpOnFirstRun()
{
    ProgramReg.SetSection(SettingsSection);
    if (!ProgramReg.ReadBool("FirstRun", true))
        return;
    ProgramReg.WriteBool("FirstRun", false);
    mHelpIndex->trigger();
}

void TfrmMain::SaveLastSelections()
{
    ProgramReg.SetSection(SettingsSection);
    ProgramReg.WriteInteger("LastGame", cbGame->currentIndex());
    ProgramReg.WriteInteger("LastSystem", cbSystem->Combo()->currentIndex());
    ProgramReg.WriteInteger("LastStat", cbStat->Combo()->currentIndex());
    SaveProgramParams();
}

void TfrmMain::cbGameChange(int Index)
{
    if (Index < 0 || Index >= int(GameItems.size()))
        return;
    CurrentGameIndex = Index;
    GameItems[size_t(Index)]->setChecked(true);
}

void TfrmMain::GameItemClick(int Index)
{
    GameItems[size_t(Index)]->setChecked(true);
    cbGame->setCurrentIndex(Index);
    CurrentGameIndex = Index;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!MdiArea->subWindowList().isEmpty()) {
        if (MsgBox(QStringLiteral("Czy na pewno zamknąć program?"), QString(), MsgFlagsQuestion) ==
            platform::IDNO) {
            event->ignore();
            return;
        }
        // Each child window may still refuse (or finish its work) as it closes.
        MdiArea->closeAllSubWindows();
        if (!MdiArea->subWindowList().isEmpty()) {
            event->ignore();
            return;
        }
    }
    event->accept();
    platform::HtmlHelpCloseAll();
}

QMenu *TfrmMain::createPopupMenu()
{
    return nullptr;
}

void TfrmMain::ShowAbout()
{
    TfrmAbout about(this);
    platform::execModal(about);
}
