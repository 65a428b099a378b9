#pragma once
// The main window: the multiple-document frame with its menus, tool bar, the game, system-kind and
// statistic selectors and the status bar. It starts the program's work, opens windows, and hands every
// command that acts on a document to the active child window (FMainCommands.h).

#include "shell/FirstShow.h"

#include <QEvent>
#include <QMainWindow>
#include <QPointer>

#include <memory>

#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class TALProgressBar;
class TALStatusBar;
class TBtnComboBox;
class TRVStyle;
class TXPMenu;

namespace platform {
class THookHelpSystem;
}

class TfrmMain : public TFirstShow<QMainWindow> {
    Q_OBJECT

public:
    // Runs InitGlobals; with no game the window is built but must not be shown (GamesMissing()).
    explicit TfrmMain(QWidget *parent = nullptr);
    // Closes what is still open, saves the last selections and the program settings (when the window
    // was shown) and runs DoneGlobals.
    ~TfrmMain() override;

    bool GamesMissing() const { return FGamesMissing; }

    // Switches the commands of every bit of Mask (FMainCommands.h) on or off.
    void EnableCommands(int Mask, bool Enabled);

    // The command to the active child window: sent (answering its Result) or posted. Nothing happens,
    // and 0 is answered, when no child window is open.
    int SendToActiveChild(QEvent::Type Code, int WParam = 0, int LParam = 0);
    void PostToActiveChild(QEvent::Type Code, int WParam = 0, int LParam = 0);

    // Asks the active child window to show its own draws-range dialog; when there is none or it does not
    // answer 1, opens the range dialog on the current game's default range.
    void OpenDrawsRange();

    // Windows: the one way a child window enters the frame (FGlobalWindows.h's AddChildForm calls it).
    QMdiSubWindow *AddChildForm(QWidget *Form);
    // Moves the sub-window one cascade step right of and below Beside, where it fits there and neither is
    // maximised.
    void CascadeFrom(QMdiSubWindow *Holder, const QMdiSubWindow *Beside);
    // Neither knows of any child window once the frame is being destroyed.
    QWidget *ActiveChildForm() const;
    // The child windows in the order they were opened.
    std::vector<QWidget *> ChildForms() const;
    // Cascades the child windows, each at the size it opened with (smaller where the area ends), the active
    // one in front and every title in view.
    void CascadeChildren();
    void TileHorizontally();
    void TileVertically();

    QMdiArea *MdiArea;
    std::unique_ptr<platform::THookHelpSystem> HelpSystem; // the program's help requests
    TRVStyle *RVStyle1; // the text styles every rich-text viewer of the program uses

    // Selectors.
    QComboBox *cbGame;
    TBtnComboBox *cbSystem;
    TBtnComboBox *cbStat;

    // Status bar.
    TALStatusBar *ALStatusBar1;
    QWidget *Panel2;
    TALProgressBar *ALProgressBar1;
    QLabel *lblProg;

    // Menus.
    QMenu *mFile;
    QMenu *mGame;
    QMenu *mSys;
    QMenu *mSysStat; // "Statystyka" of "&Systemy" and of pSys1
    QMenu *mStat;
    QMenu *mTask;
    QMenu *mTool;
    QMenu *mWindow;
    QMenu *mHelp;
    QMenu *pSys1; // the context menu of system windows
    QMenu *pStat1; // the context menu of statistics windows
    TXPMenu *XPMenu1; // the flat look of the menu bar and the pop-up menus

    // The commands: one action each, shared by the main menu and the tool bar; the pop-up items
    // follow their command's action (enabled with it, triggering it).
    QAction *mFileRead;
    QAction *mFileWrite;
    QAction *mFileImportFile;
    QAction *mFileImportEditor;
    QAction *mFileReport;
    QAction *mFileExit;
    std::vector<QAction *> mSysKinds; // the seven system windows, tags 0..6
    QAction *mSysParam;
    QAction *mSysKey;
    QAction *mSysGuar;
    QAction *mSysCheck;
    QAction *mSysFreq;
    QAction *mSysCopy;
    QAction *mSysOper;
    QAction *mSysPrint;
    QAction *mSysHistory;
    std::vector<QAction *> mSysStats; // WM_SYS_STATS, the StatIndex in data()
    QAction *mTaskStart;
    QAction *mTaskStop;
    QAction *mTaskAdd;
    QAction *mTaskEdit;
    QAction *mTaskDelete;
    QAction *mToolDraws;
    QAction *mToolUpdate;
    QAction *mToolCheckComb;
    QAction *mToolFilter;
    QAction *mToolCombs;
    QAction *mToolHistory;
    QAction *mToolNewton;
    QAction *mToolCalc;
    QAction *mToolProbs;
    QAction *mToolPredict1;
    QAction *mToolFltDate;
    QAction *mToolConfig;
    QAction *mWindowCascade;
    QAction *mWindowTileHorz;
    QAction *mWindowTileVert;
    QAction *mHelpIndex;
    QAction *mHelpAbout;
    QAction *Action1; // F1
    QAction *CloseChildKey; // Ctrl+F4: closes the active child window
    QAction *NextChildKey; // Ctrl+Tab: activates the next child window
    QAction *PreviousChildKey; // Ctrl+Shift+Tab: activates the previous one

    QAction *pS1Param;
    QAction *pS1Key;
    QAction *pS1Guar;
    QAction *pS1Check;
    QAction *pS1Freq;
    QAction *pS1Filter;
    QAction *pS1Copy;
    QAction *pS1Oper;
    QAction *pS1Start;
    QAction *pS1Stop;
    QAction *pS1Add;
    QAction *pS1Change;
    QAction *pS1Del;
    QAction *pS1Write;
    QAction *pS1Print;
    QAction *pS1History;
    QAction *pS1Report;
    QAction *pStat1Range;
    QAction *pStat1Start;
    QAction *pStat1Stop;
    QAction *pStat1Report;

    // Tool bar.
    QToolBar *ToolBar1;
    QToolBar *ControlBarPanel; // holds Panel3 with the selectors
    QWidget *Panel3;
    QToolButton *btnRead;
    QToolButton *btnSave;
    QToolButton *btnReport;
    QToolButton *btnParam;
    QToolButton *btnKey;
    QToolButton *btnGuaranty;
    QToolButton *btnCheckSystem;
    QToolButton *btnFreq;
    QToolButton *btnGenerate;
    QToolButton *btnStop;
    QToolButton *btnFilter;
    QToolButton *btnFltDate;
    QToolButton *btnDraws;
    QToolButton *btnAdd;
    QToolButton *btnEdit;
    QToolButton *btnDelete;

    // The game items of "&Gra", in game order.
    std::vector<QAction *> GameItems;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The tool bars offer no menu of their own: nothing to hide there.
    QMenu *createPopupMenu() override;

private:
    // Building the window (FMainActions.cpp).
    void CreateActions();
    void CreateMenus();
    void CreatePopupMenus();
    void CreateToolBar();
    void CreateSelectors();
    // A band of the control bar moved by the user is made MovedBandWidth wide (or as wide as its controls
    // need; afloat, as wide as all its controls), never wider than its screen; a floating band is kept
    // whole on the screen.
    void WidenMovedBand(QToolBar *Band);
    void CreateStatusBar();
    QAction *NewAction(const QString &Caption, const QKeySequence &Shortcut = {});
    QAction *NewCommand(const QString &Caption, QEvent::Type Code, bool Post, const QKeySequence &Shortcut = {});
    QAction *NewFollower(QMenu *Menu, const QString &Caption, QAction *Command);
    QToolButton *NewToolButton(QAction *Action);
    void BuildCommandMask();
    void RebuildWindowMenu();

    // Start-up and shut-down (FMain.cpp).
    void FormCreate();
    void FormShow() override;
    void RestoreLastSelections();
    // The first run of the program opens the help contents, once.
    void ShowHelpOnFirstRun();
    void SaveLastSelections();
    void FillStatistics();
    void cbGameChange(int Index);
    void GameItemClick(int Index);
    void ShowAbout();

    // Child windows (FMainWindows.cpp).
    void SubWindowActivated(QMdiSubWindow *Window);
    // A new draws editor on the current game.
    void OpenDrawsEditor();
    void PlaceStatusControls();

    bool FGamesMissing = false;
    QActionGroup *FGameGroup = nullptr;
    QPointer<QMdiSubWindow> FActiveChild;
    std::vector<std::pair<int, QAction *>> FCommandMask; // bit, action
};

// The main window while it exists; the global services of FGlobal*.h work through it.
extern TfrmMain *frmMain;
