// Building the main window: its command actions, menus, pop-up menus, tool bar, selectors and status bar,
// and the command mask over the actions.
#include "shell/FMain.h"

#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "controls/BtnComboBox.h"
#include "platform/gui/DesktopLaunch.h"
#include "platform/gui/WindowFit.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/hh.h"
#include "platform/gui/hh_funcs.h"
#include "shell/FConfig.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStats.h"
#include "shell/FGlobalSystems.h"
#include "shell/FGlobalUpdate.h"
#include "shell/FMainCommands.h"
#include "shell/FMainSelectors.h"
#include "shell/FProbs.h"
#include "shell/FToolCombs.h"
#include "shell/FToolNewton.h"
#include "shell/FlatMenus.h"
#include "shell/GuardedConnect.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr TColor SystemSelectorColor = 0xFF0000; // blue
constexpr TColor StatSelectorColor = 0x008000;   // green
// The width a band of the control bar takes when the user moves it.
constexpr int MovedBandWidth = 800;

void StyleSelector(TBtnComboBox *Selector, TColor Color)
{
    QFont font = Selector->Combo()->font();
    font.setBold(true);
    Selector->Combo()->setFont(font);
    QPalette palette = Selector->Combo()->palette();
    palette.setColor(QPalette::Text, toQColor(Color));
    palette.setColor(QPalette::ButtonText, toQColor(Color));
    Selector->Combo()->setPalette(palette);
    Selector->Button()->setText(QStringLiteral("..."));
}

} // namespace

QAction *TfrmMain::NewAction(const QString &Caption, const QKeySequence &Shortcut)
{
    auto *action = new QAction(Caption, this);
    if (!Shortcut.isEmpty())
        action->setShortcut(Shortcut);
    return action;
}

QAction *TfrmMain::NewCommand(const QString &Caption, QEvent::Type Code, bool Post, const QKeySequence &Shortcut)
{
    QAction *action = NewAction(Caption, Shortcut);
    connectGuarded(action, &QAction::triggered, this, [this, Code, Post] {
        if (Post)
            PostToActiveChild(Code);
        else
            SendToActiveChild(Code);
    });
    return action;
}

QAction *TfrmMain::NewFollower(QMenu *Menu, const QString &Caption, QAction *Command)
{
    auto *item = new QAction(Caption, this);
    item->setEnabled(Command->isEnabled());
    connect(Command, &QAction::enabledChanged, item, &QAction::setEnabled);
    connect(item, &QAction::triggered, Command, &QAction::trigger);
    Menu->addAction(item);
    return item;
}

void TfrmMain::CreateActions()
{
    mFileRead = NewAction(QStringLiteral("&Wczytaj..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    connectGuarded(mFileRead, &QAction::triggered, this, [] { OpenReadWindow(); });
    mFileWrite = NewCommand(QStringLiteral("&Zapisz..."), WM_SYS_SAVE, false, QKeySequence(Qt::CTRL | Qt::Key_S));
    mFileImportFile = NewAction(QStringLiteral("&Importuj system z pliku..."));
    connectGuarded(mFileImportFile, &QAction::triggered, this, [] { ImportSystem(TSystemImport::File); });
    mFileImportEditor = NewAction(QStringLiteral("Importuj system z &edytora..."));
    connectGuarded(mFileImportEditor, &QAction::triggered, this, [] { ImportSystem(TSystemImport::Editor); });
    mFileReport = NewCommand(QStringLiteral("&Raport"), WM_SYS_REPORT, false, QKeySequence(Qt::CTRL | Qt::Key_R));
    mFileExit = NewAction(QStringLiteral("Za&kończ"));
    connectGuarded(mFileExit, &QAction::triggered, this, &QWidget::close);

    for (int tag = 0; tag < int(SystemSelectorItems.size()); ++tag) {
        QAction *item = NewAction(SystemSelectorItems[size_t(tag)]);
        item->setData(tag);
        connectGuarded(item, &QAction::triggered, this, [tag] { OpenSystemWindow(tag); });
        mSysKinds.push_back(item);
    }
    mSysParam = NewCommand(QStringLiteral("&Parametry..."), WM_SYS_PARAMS, true, QKeySequence(Qt::CTRL | Qt::Key_P));
    mSysKey = NewCommand(QStringLiteral("&Klucz..."), WM_SYS_KEY, false, QKeySequence(Qt::CTRL | Qt::Key_K));
    mSysGuar = NewCommand(QStringLiteral("&Gwarancja..."), WM_SYS_GUARANTEE, false, QKeySequence(Qt::CTRL | Qt::Key_G));
    mSysCheck = NewCommand(QStringLiteral("Spra&wdzenie"), WM_SYS_CHECK, false, QKeySequence(Qt::CTRL | Qt::Key_C));
    mSysCheck->setIconText(QStringLiteral("Sprawdź"));
    mSysFreq = NewCommand(QStringLiteral("&Rozkład..."), WM_SYS_DISTRIBUTION, true);
    mSysCopy = NewCommand(QStringLiteral("K&opiuj system"), WM_SYS_COPY, true);
    mSysOper = NewAction(QStringLiteral("Operacje &logiczne..."));
    connectGuarded(mSysOper, &QAction::triggered, this, [] { OpenLogicalOps(); });
    mSysPrint = NewCommand(QStringLiteral("&Drukuj system..."), WM_SYS_PRINT, false);
    mSysHistory = NewCommand(QStringLiteral("Historia..."), WM_SYS_HISTORY, false);
    for (int statIndex : SystemStatIndexes) {
        QAction *item = NewAction(StatCaption(statIndex));
        item->setData(statIndex);
        connectGuarded(item, &QAction::triggered, this,
                       [this, item] { SendToActiveChild(WM_SYS_STATS, item->data().toInt()); });
        mSysStats.push_back(item);
    }

    mTaskStart = NewCommand(QStringLiteral("&Start"), WM_TASK_START, true, QKeySequence(Qt::Key_F5));
    mTaskStop = NewCommand(QStringLiteral("S&top"), WM_TASK_STOP, true, QKeySequence(Qt::Key_F6));
    mTaskAdd = NewCommand(QStringLiteral("&Dodaj..."), WM_COMB_ADD, true, QKeySequence(Qt::CTRL | Qt::Key_N));
    mTaskEdit = NewCommand(QStringLiteral("Z&mień..."), WM_COMB_EDIT, true, QKeySequence(Qt::CTRL | Qt::Key_E));
    mTaskDelete = NewCommand(QStringLiteral("&Usuń"), WM_COMB_DELETE, true, QKeySequence(Qt::CTRL | Qt::Key_D));

    mToolDraws = NewAction(QStringLiteral("&Baza losowań"), QKeySequence(Qt::CTRL | Qt::Key_B));
    mToolDraws->setIconText(QStringLiteral("Losowania"));
    connectGuarded(mToolDraws, &QAction::triggered, this, &TfrmMain::OpenDrawsEditor);
    mToolUpdate = NewAction(QStringLiteral("&Aktualizacja bazy losowań..."), QKeySequence(Qt::CTRL | Qt::Key_A));
    mToolCheckComb = NewAction(QStringLiteral("Sprawdzenie kombinacji"));
    connectGuarded(mToolCheckComb, &QAction::triggered, this, [] { OpenCheckComb(); });
    mToolFilter = NewCommand(QStringLiteral("&Filtr..."), WM_SYS_FILTER, false, QKeySequence(Qt::CTRL | Qt::Key_F));
    mToolFilter->setIconText(QStringLiteral("  Filtr  "));
    mToolCombs = NewAction(QStringLiteral("Zbiory liczb"));
    connectGuarded(mToolCombs, &QAction::triggered, this, [] { OpenToolCombs(); });
    mToolHistory = NewAction(QStringLiteral("Historia..."));
    connectGuarded(mToolHistory, &QAction::triggered, this, [] { OpenHistoryWindow(); });
    mToolNewton = NewAction(QStringLiteral("Dwumian Newtona"));
    connectGuarded(mToolNewton, &QAction::triggered, this, [] { OpenToolNewton(); });
    mToolCalc = NewAction(QStringLiteral("Kalkulator systemowy"));
    connectGuarded(mToolCalc, &QAction::triggered, this, [] {
        if (!platform::startCalculator())
            MsgBox(QStringLiteral("Nie można uruchomić kalkulatora systemowego."), QString(), MsgFlagsNotice);
    });
    connectGuarded(mToolUpdate, &QAction::triggered, this, [this] { OpenDrawsUpdate(this); });
    mToolProbs = NewAction(QStringLiteral("&Prawdopodobieństwo"));
    connectGuarded(mToolProbs, &QAction::triggered, this, [] { OpenProbs(); });
    mToolPredict1 = NewAction(QStringLiteral("Typowanie redukcyjne"));
    connectGuarded(mToolPredict1, &QAction::triggered, this, [] { OpenPredReduct(); });
    mToolFltDate = NewAction(QStringLiteral("&Zakres losowań..."), QKeySequence(Qt::CTRL | Qt::Key_L));
    mToolFltDate->setIconText(QStringLiteral("Zakres"));
    connectGuarded(mToolFltDate, &QAction::triggered, this, &TfrmMain::OpenDrawsRange);
    mToolConfig = NewAction(QStringLiteral("&Ustawienia..."), QKeySequence(Qt::CTRL | Qt::Key_U));
    connectGuarded(mToolConfig, &QAction::triggered, this, [this] { OpenConfigDialog(this); });

    mWindowCascade = NewAction(QStringLiteral("&Kaskada"));
    connectGuarded(mWindowCascade, &QAction::triggered, this, &TfrmMain::CascadeChildren);
    mWindowTileHorz = NewAction(QStringLiteral("Rozmieść p&oziomo"));
    connectGuarded(mWindowTileHorz, &QAction::triggered, this, &TfrmMain::TileHorizontally);
    mWindowTileVert = NewAction(QStringLiteral("Rozmieść p&ionowo"));
    connectGuarded(mWindowTileVert, &QAction::triggered, this, &TfrmMain::TileVertically);
    // The desktop's keys for the child windows, wherever the focus is in the frame.
    CloseChildKey = NewAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_F4));
    connectGuarded(CloseChildKey, &QAction::triggered, MdiArea, &QMdiArea::closeActiveSubWindow);
    NextChildKey = NewAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_Tab));
    connectGuarded(NextChildKey, &QAction::triggered, MdiArea, &QMdiArea::activateNextSubWindow);
    PreviousChildKey = NewAction(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab));
    connectGuarded(PreviousChildKey, &QAction::triggered, MdiArea, &QMdiArea::activatePreviousSubWindow);
    addActions({CloseChildKey, NextChildKey, PreviousChildKey});

    mHelpIndex = NewAction(QStringLiteral("&Spis treści"));
    connectGuarded(mHelpIndex, &QAction::triggered, this,
                   [this] { HelpSystem->HelpContext(platform::HelpContentsContext); });
    mHelpAbout = NewAction(QStringLiteral("&O programie..."));
    connectGuarded(mHelpAbout, &QAction::triggered, this, &TfrmMain::ShowAbout);
    Action1 = NewAction(QString(), QKeySequence(Qt::Key_F1));
    connectGuarded(Action1, &QAction::triggered, this,
                   [this] { HelpSystem->HelpContext(platform::focusedHelpContext(this)); });
    addAction(Action1);
}

void TfrmMain::CreateMenus()
{
    mFile = menuBar()->addMenu(QStringLiteral("&Plik"));
    mFile->addAction(mFileRead);
    mFile->addAction(mFileWrite);
    mFile->addAction(mFileImportFile);
    mFile->addAction(mFileImportEditor);
    mFile->addSeparator();
    mFile->addAction(mFileReport);
    mFile->addSeparator();
    mFile->addAction(mFileExit);

    mGame = menuBar()->addMenu(QStringLiteral("&Gra"));

    mSys = menuBar()->addMenu(QStringLiteral("&Systemy"));
    for (QAction *item : mSysKinds)
        mSys->addAction(item);
    mSys->addSeparator();
    for (QAction *item : {mSysParam, mSysKey, mSysGuar, mSysCheck, mSysFreq, mSysCopy, mSysOper, mSysPrint, mSysHistory})
        mSys->addAction(item);
    mSysStat = new QMenu(QStringLiteral("Statystyka"), this);
    for (QAction *item : mSysStats)
        mSysStat->addAction(item);
    mSys->addMenu(mSysStat);

    mStat = menuBar()->addMenu(QStringLiteral("S&tatystyki"));

    mTask = menuBar()->addMenu(QStringLiteral("&Zadania"));
    mTask->addAction(mTaskStart);
    mTask->addAction(mTaskStop);
    mTask->addSeparator();
    mTask->addAction(mTaskAdd);
    mTask->addAction(mTaskEdit);
    mTask->addAction(mTaskDelete);

    mTool = menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    for (QAction *item : {mToolDraws, mToolUpdate, mToolCheckComb, mToolFilter, mToolCombs, mToolHistory, mToolNewton,
                          mToolCalc, mToolProbs, mToolPredict1})
        mTool->addAction(item);
    mTool->addSeparator();
    mTool->addAction(mToolFltDate);
    mTool->addAction(mToolConfig);

    mWindow = menuBar()->addMenu(QStringLiteral("&Okno"));
    connectGuarded(mWindow, &QMenu::aboutToShow, this, &TfrmMain::RebuildWindowMenu);
    RebuildWindowMenu();

    mHelp = menuBar()->addMenu(QStringLiteral("Po&moc"));
    mHelp->addAction(mHelpIndex);
    mHelp->addAction(mHelpAbout);
}

void TfrmMain::CreatePopupMenus()
{
    pSys1 = new QMenu(this);
    pS1Param = NewFollower(pSys1, QStringLiteral("Parametry..."), mSysParam);
    pS1Key = NewFollower(pSys1, QStringLiteral("Klucz..."), mSysKey);
    pS1Guar = NewFollower(pSys1, QStringLiteral("Gwarancja..."), mSysGuar);
    pS1Check = NewFollower(pSys1, QStringLiteral("Sprawdź system"), mSysCheck);
    pS1Freq = NewFollower(pSys1, QStringLiteral("Rozkład systemu..."), mSysFreq);
    pS1Filter = NewFollower(pSys1, QStringLiteral("Filtruj system..."), mToolFilter);
    pS1Copy = NewFollower(pSys1, QStringLiteral("Kopiuj system"), mSysCopy);
    pS1Oper = NewFollower(pSys1, QStringLiteral("Operacje logiczne..."), mSysOper);
    pSys1->addMenu(mSysStat);
    pSys1->addSeparator();
    pS1Start = NewFollower(pSys1, QStringLiteral("Generuj"), mTaskStart);
    pS1Stop = NewFollower(pSys1, QStringLiteral("Stop"), mTaskStop);
    pSys1->addSeparator();
    pS1Add = NewFollower(pSys1, QStringLiteral("Dodaj kombinację..."), mTaskAdd);
    pS1Change = NewFollower(pSys1, QStringLiteral("Zmień kombinację..."), mTaskEdit);
    pS1Del = NewFollower(pSys1, QStringLiteral("Usuń kombinacje"), mTaskDelete);
    pSys1->addSeparator();
    pS1Write = NewFollower(pSys1, QStringLiteral("Zapisz system..."), mFileWrite);
    pS1Print = NewFollower(pSys1, QStringLiteral("Drukuj system..."), mSysPrint);
    pS1History = NewFollower(pSys1, QStringLiteral("Historia..."), mSysHistory);
    pS1Report = NewFollower(pSys1, QStringLiteral("Raport..."), mFileReport);

    pStat1 = new QMenu(this);
    pStat1Range = NewFollower(pStat1, QStringLiteral("Zakres losowań..."), mToolFltDate);
    pStat1->addSeparator();
    pStat1Start = NewFollower(pStat1, QStringLiteral("Generuj"), mTaskStart);
    pStat1Stop = NewFollower(pStat1, QStringLiteral("Zatrzymaj"), mTaskStop);
    pStat1->addSeparator();
    pStat1Report = NewFollower(pStat1, QStringLiteral("Raport..."), mFileReport);
}

QToolButton *TfrmMain::NewToolButton(QAction *Action)
{
    auto *button = new QToolButton(ToolBar1);
    button->setDefaultAction(Action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolBar1->addWidget(button);
    return button;
}

void TfrmMain::CreateToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("Pasek narzędzi"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    btnRead = NewToolButton(mFileRead);
    btnSave = NewToolButton(mFileWrite);
    btnReport = NewToolButton(mFileReport);
    ToolBar1->addSeparator();
    btnParam = NewToolButton(mSysParam);
    btnKey = NewToolButton(mSysKey);
    btnGuaranty = NewToolButton(mSysGuar);
    btnCheckSystem = NewToolButton(mSysCheck);
    btnFreq = NewToolButton(mSysFreq);
    ToolBar1->addSeparator();
    btnGenerate = NewToolButton(mTaskStart);
    btnStop = NewToolButton(mTaskStop);
    ToolBar1->addSeparator();
    btnFilter = NewToolButton(mToolFilter);
    btnFltDate = NewToolButton(mToolFltDate);
    btnDraws = NewToolButton(mToolDraws);
    ToolBar1->addSeparator();
    btnAdd = NewToolButton(mTaskAdd);
    btnEdit = NewToolButton(mTaskEdit);
    btnDelete = NewToolButton(mTaskDelete);
}

void TfrmMain::CreateSelectors()
{
    addToolBarBreak();
    ControlBarPanel = addToolBar(QStringLiteral("Wybór gry, systemu i statystyki"));
    ControlBarPanel->setObjectName(QStringLiteral("ControlBarPanel"));
    Panel3 = new QWidget(ControlBarPanel);
    auto *layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(4, 2, 4, 2);

    cbGame = new QComboBox(Panel3);
    cbGame->setMinimumWidth(220);
    connectGuarded(cbGame, &QComboBox::currentIndexChanged, this, &TfrmMain::cbGameChange);
    cbSystem = new TBtnComboBox(Panel3);
    cbSystem->setMinimumWidth(200);
    StyleSelector(cbSystem, SystemSelectorColor);
    for (const QString &caption : SystemSelectorItems)
        cbSystem->Combo()->addItem(caption);
    cbSystem->OnBtnClick = guardedCall([this] { OpenSystemWindow(cbSystem->Combo()->currentIndex()); });
    cbStat = new TBtnComboBox(Panel3);
    cbStat->setMinimumWidth(210);
    StyleSelector(cbStat, StatSelectorColor);
    cbStat->Combo()->setMaxVisibleItems(12);
    cbStat->OnBtnClick = guardedCall([this] {
        if (cbStat->Combo()->currentIndex() >= 0)
            OpenStatWindow(cbStat->Combo()->currentData().toInt());
    });

    layout->addWidget(new QLabel(QStringLiteral("Gra:"), Panel3));
    layout->addWidget(cbGame);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("Systemy:"), Panel3));
    layout->addWidget(cbSystem);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("Statystyki:"), Panel3));
    layout->addWidget(cbStat);
    layout->addStretch(1);
    ControlBarPanel->addWidget(Panel3);
    for (QToolBar *band : {ToolBar1, ControlBarPanel}) {
        // Docked at a side, a band of captions and selectors would take the width of the work area.
        band->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
        band->installEventFilter(this);
        connectGuarded(band, &QToolBar::topLevelChanged, this, [this, band] { WidenMovedBand(band); });
    }
}

void TfrmMain::WidenMovedBand(QToolBar *Band)
{
    if (Band->orientation() != Qt::Horizontal)
        return;
    // The design width, or what the band's controls need (afloat, where its extension button opens
    // nothing, all of them), but never wider than the screen leaves.
    const QRect screen = Band->screen()->availableGeometry();
    const int controls = Band->isFloating() ? Band->sizeHint().width() : Band->minimumSizeHint().width();
    const int width = std::min(std::max(ScaledWidth(MovedBandWidth), controls), screen.width());
    Band->setMinimumWidth(width);
    Band->setMaximumWidth(Band->isFloating() ? width : QWIDGETSIZE_MAX);
    // A floating band stays whole on its screen.
    if (Band->isFloating())
        platform::resizeInArea(*Band, QSize(width, Band->height()));
}

void TfrmMain::CreateStatusBar()
{
    ALStatusBar1 = new TALStatusBar(this);
    ALStatusBar1->Panels = {TStatusPanel{400, QString()}, TStatusPanel{50, QString()}};
    ALStatusBar1->setMinimumHeight(22);
    ALStatusBar1->setSizeGripEnabled(false);
    setStatusBar(ALStatusBar1);

    Panel2 = new QWidget(ALStatusBar1);
    auto *layout = new QHBoxLayout(Panel2);
    layout->setContentsMargins(3, 3, 3, 3);
    ALProgressBar1 = NewProgressBar(Panel2);
    ALProgressBar1->SetPosTextSuffix(QStringLiteral("%"));
    lblProg = NewPercentLabel(Panel2);
    layout->addWidget(ALProgressBar1, 1);
    layout->addWidget(lblProg);
    ALStatusBar1->installEventFilter(this);
    PlaceStatusControls();
}

void TfrmMain::BuildCommandMask()
{
    FCommandMask = {
        {cmdSave, mFileWrite},        {cmdRead, mFileRead},          {cmdReport, mFileReport},
        {cmdPrint, mSysPrint},        {cmdGuarantee, mSysGuar},      {cmdKey, mSysKey},
        {cmdCheck, mSysCheck},        {cmdAdd, mTaskAdd},            {cmdEdit, mTaskEdit},
        {cmdDelete, mTaskDelete},     {cmdParams, mSysParam},        {cmdStart, mTaskStart},
        {cmdStop, mTaskStop},         {cmdFilter, mToolFilter},      {cmdDistribution, mSysFreq},
        {cmdCopy, mSysCopy},          {cmdLogicalOps, mSysOper},     {cmdSysStats, mSysStat->menuAction()},
        {cmdHistory, mSysHistory},
    };
}

void TfrmMain::EnableCommands(int Mask, bool Enabled)
{
    for (const auto &[bit, action] : FCommandMask)
        if (Mask & bit)
            action->setEnabled(Enabled);
}
