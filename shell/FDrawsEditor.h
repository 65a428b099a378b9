#pragma once
// "Edytor losowań": one game's draw history edited by hand in a private copy: draws added, changed and
// deleted, draws holding given numbers found, the history filtered, narrowed to a draws range, imported
// from and exported to text files and reported; nothing reaches the game until "Z&apisz", which tells
// every child window that the game's draws changed.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "core/UGlobalSort.h"
#include "engine/UDrawsRange.h"
#include "shell/UGeneralForm.h"


#include <memory>
#include <optional>

class CommandEvent;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TDrawsManager;
class TGroupFilter;
class TResultGrid;
class TRichView;
class TStringAlignGrid;
class TXPMenu;
struct TCellFormat;
struct TGameData;
struct TSelectedComb;

class TfrmDrawsEditor : public TGenForm {
    Q_OBJECT

public:
    explicit TfrmDrawsEditor(QWidget *Owner = nullptr);
    ~TfrmDrawsEditor() override;

    // The editor on a copy of every draw of Game, showing the game's draws-editor range.
    void Init(TGameData *AGame);
    // The editor on Manager (taken over), with Source's game and range: a filter result in a window of
    // its own. "Z&apisz" is on as it is in Source.
    void InitCopy(const TfrmDrawsEditor &Source, std::unique_ptr<TDrawsManager> Manager);

    TGameData *Game = nullptr;
    std::unique_ptr<TDrawsManager> DrawsMan;
    TDrawsRange Range;

    // The steps that follow the user's choice in a dialog; the commands run them after the dialog's OK.
    // Adds a draw (or replaces the selected one) unless its date is taken; the new draw's row is selected
    // when it is shown.
    void AddDraw(const TDynByteArr &Numbers, TDateTime Date);
    void ChangeDraw(const TDynByteArr &Numbers, TDateTime Date);
    // Marks the draws that hold every one of Numbers and shows them.
    void FindNumbers(const TDynByteArr &Numbers);
    // The filter editor's result over DrawsMan, whose marks it has left: into a new window, deleting in
    // place, or kept as a mark.
    void ApplyFilter(const TGroupFilter &Result, bool DelComb, bool NewWindow);
    // Unsaved edits saved (Yes) or dropped (No) as the user answers; false when they stay (Cancel, or a
    // save that did not happen), which keeps the window open or its game's draws unreplaced.
    bool QuerySaveEdits();

    // Controls.
    QLabel *lblDateDesc;
    TRichView *txtDateDesc;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QLabel *lblAllCount;
    QLabel *lblCount;
    TStringAlignGrid *grid;
    QGroupBox *GroupBox1;
    QRadioButton *rbViewAll;
    QRadioButton *rbViewFlt;
    QRadioButton *rbViewNums;
    QLineEdit *eFilter;
    TStringAlignGrid *sgFilters;
    QPushButton *btnFltDel;
    QPushButton *btnWrite;
    QPushButton *btnFind;
    QPushButton *btnDelFind;
    QPushButton *btnImportNet;
    QPushButton *btnExportFile;
    QPushButton *btnImportFile;

    QMenu *pDraws;
    TXPMenu *XPMenu1; // the flat look of the pop-up menus
    QAction *pFltDate;
    QAction *pAdd;
    QAction *pChange;
    QAction *pDelete;
    QAction *pFind;
    QAction *pDelFind;
    QAction *pImportNet;
    QAction *pImportFile;
    QAction *pExportFile;
    QAction *pFilter;
    QAction *pReport;

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void FormActivate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The form (FDrawsEditorLayout.cpp).
    void CreateControls();
    QWidget *CreateDrawsPage();
    QWidget *CreateFilterPage();
    void CreatePopupMenu();
    void ConnectControls();

    void FormShow() override;
    void Setup();
    void ShowSummary();
    void RefreshGrid();
    void UpdateCommands();
    void UpdateEditCommands();
    void UpdateViewControls();
    void RefreshFilterTab();
    void SetSelectMode(uint8_t Mode);
    // Checks a view button without the click's effect.
    void CheckView(QRadioButton *Button);
    void ViewClicked(QRadioButton *Button);
    void ApplyEditorRange();
    // The selected draw's index in DrawsMan's selection; -1 when nothing is shown.
    int SelectedIndex() const;
    void SelectRow(int Row);
    void DrawsChanged();
    // After an add or a change with the manager's Result: the grid and the new draw's row.
    void ShowEditedDraw(int Result);
    // The range applied again and every draw in it shown.
    void ShowAllInRange();
    void gridGetCellFormat(int Col, int Row, TCellFormat &Format) const;
    bool SortDraws(int SortKey, int Direction);

    // Commands (FDrawsEditorCommands.cpp).
    // The draw dialog with the game's draw length; Editing keeps Date acceptable.
    std::optional<TSelectedComb> ChooseDraw(const TDynByteArr &Default, TDateTime Date, bool Editing);
    void AddCommand();
    void ChangeCommand();
    void DeleteCommand();
    void FindCommand();
    void DelFindClick();
    void FilterCommand();
    void btnFltDelClick();
    void RangeCommand();
    // Saves the draws into the game, after asking when that removes draws from its history; answers
    // whether they were saved.
    bool WriteDraws();
    void ImportFileClick();
    void ExportFileClick();
    void ImportNetClick();
    void DrawsDownloaded(int GameId);
    void ReportCommand();

    bool NotSetUp = true;
    bool RadioEvents = true;
    TSortMan SortMan{1};
    std::unique_ptr<TResultGrid> DrawsGrid;
};

// Before Game's draws are replaced from elsewhere: each draws editor of the game asks whether to save its
// unsaved edits first (TfrmDrawsEditor::QuerySaveEdits); false when one of them keeps its edits.
bool QuerySaveDrawsEdits(const TGameData *Game);
