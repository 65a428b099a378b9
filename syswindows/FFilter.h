#pragma once
// The filter editor "Filtry": the user composes a filter set out of the filter kinds, sees how many
// combinations (or draws) it keeps, and chooses how the caller applies it. Over a system (mode 1) or
// over a draw history (mode 0). The editor never changes its source beyond the marks of a filtering
// run: after OK the caller takes the result filter set and the two options.

#include "core/UComb.h"
#include "engine/UDrawsRange.h"
#include "engine/UFilters.h"
#include "shell/FirstShow.h"
#include "shell/TaskRunner.h"
#include "syswindows/FilterDialogRecord.h"
#include "syswindows/FilterEditorKinds.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TALProgressBar;
class TDrawsManager;
class TFilterExploration;
class TFloatSpin;
class TRichView;
class TRunButtonPress;
class TStringAlignGrid;
class TSystem;
class TXPMenu;
struct TFilterEditValues;
struct TFilterThread;
struct TGameData;

class TfrmFilter : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmFilter(QWidget *parent = nullptr);
    // Stops a run still going, keeps each kind's last values and the window's record.
    ~TfrmFilter() override;

    // Before the modal show. Mode 1: the system, the game's draws manager and Limits.MaxComb; mode 0:
    // no system, the draws editor's working manager and 0 (no limit).
    void Init(TGameData *AGame, uint8_t AMode, TSystem *ASystem, TDrawsManager *ADrawsMan, int32_t AMaxComb);

    // After OK (result 1): the filter set, its find-type flag set from rbFltFind, and the options.
    TGroupFilter *ResultFilter() const { return Result.get(); }
    std::unique_ptr<TGroupFilter> TakeResult() { return std::move(Result); }
    bool DelComb = false;
    bool NewWindow = false;

    // State, readable by the callers' tests.
    int64_t Total = 0;
    int64_t PassCount = 0;
    int64_t AfterCount = 0;
    bool Stale = true;
    bool AutoOK = false;
    bool Running() const;
    const TFilterList &SelectedFilters() const { return SelFilters; }
    TFilter *WorkFilter(uint32_t Kind) const { return WorkFilters[Kind - 1].get(); }
    int CurrentKind() const { return CurKind; }

    QTabWidget *PageControl2;
    QWidget *tsFilters;
    QWidget *tsExploration;
    TFilterExploration *Exploration;
    TXPMenu *XPMenu1; // the flat look of the pop-up menus
    QListWidget *lbFilters;
    // The kind's editor.
    QLabel *F_lblTitle1;
    QComboBox *F_cb1;
    QLabel *F_lblFrom1;
    TFloatSpin *F_seFrom1;
    QLabel *F_lblTo1;
    TFloatSpin *F_seTo1;
    QLabel *F_lblTitle2;
    QComboBox *F_cb2;
    QLabel *F_lblFrom2;
    TFloatSpin *F_seFrom2;
    QLabel *F_lblTo2;
    TFloatSpin *F_seTo2;
    QGroupBox *F_Digits;
    std::array<QCheckBox *, 10> F_cbD; // in digit order
    QPushButton *F_btnSelAll;
    QPushButton *F_btnDeSelAll;
    QWidget *F_Comb;
    QLineEdit *F_eComb;
    QPushButton *F_btnComb;
    QWidget *pFltDate;
    TRichView *txtFltDate;
    QPushButton *btnFltDate;
    QCheckBox *chkExclusive;
    QGroupBox *gbLink;
    QRadioButton *rbAND;
    QRadioButton *rbOR;
    QPushButton *btnAddFlt;
    QPushButton *btnChangeFlt;
    // The chosen filters.
    TStringAlignGrid *sgSelFlts;
    QLineEdit *eSym;
    QPushButton *btnDelete;
    QPushButton *btnDelAll;
    QPushButton *btnWriteFlts;
    QPushButton *btnReadFlts;
    // The run and the result.
    QLineEdit *eAllComb;
    QLineEdit *eTrueComb;
    QLineEdit *eAfterComb;
    QRadioButton *rbFltFind;
    QRadioButton *rbFltDel;
    QCheckBox *chkOptDelComb;
    QCheckBox *chkOptNewWindow;
    QPushButton *btnDoFilter;
    TALProgressBar *ProgressBar1;
    QLabel *lblProgress;
    QPushButton *btnOK;
    QPushButton *btnCancel;

protected:
    void reject() override;

private:
    // Construction of the controls (FFilterLayout.cpp).
    void CreateControls();
    QWidget *CreateEditor();
    QWidget *CreateSelection();
    QWidget *CreateRunPanel();

    void FormShow() override;
    void CreateWorkFilters();
    void LoadSourceFilters();
    void FormDestroy();

    // The kind editor (FFilterEditor.cpp).
    void lbFiltersClick();
    void SelectKind(int Kind);
    void ShowEditor();
    void ReadEditor(TFilter &Filter);
    void FillRelations(QComboBox *Combo, const std::vector<TRelationItem> &Items, int Code);
    void RelationChange(int Row);
    void FromChange(int Row);
    void EnableDigitBoxes();
    void ShowFltDate();
    void btnFltDateClick();
    void F_btnCombClick();
    void SetDigits(bool Value);

    // The chosen filters (FFilter.cpp).
    void btnAddFltClick();
    void btnChangeFltClick();
    void btnDeleteClick();
    void btnDelAllClick();
    // Selects grid row Row (1-based) and shows its filter in the editor.
    void SelectRow(int Row);
    void ShowRow(int Row);
    void ShowSelected();
    void UpdateButtons();
    bool HasDuplicate(const TFilter &Filter) const;
    void SetGroupLink(uint32_t Kind, bool AndMode);
    std::unique_ptr<TFilter> CopyFilter(const TFilter &Source) const;

    // The run, OK and saving (FFilterRun.cpp).
    // A count as the three count fields show it: thousands grouped, zero as "0".
    static QString ShownCount(int64_t Value);
    void btnDoFilterClick();
    void StartRun();
    void StopRun();
    void BuildResult();
    // The result built for an exploration run; nullptr without chosen filters.
    TGroupFilter *ExplorationFilter();
    void ExplorationRunChanged();
    void RunEnded(const TTaskEnd &End);
    // After a run: the run button's caption, the progress cleared, the controls by the buttons rule.
    void EnableRunControls();
    void ShowRunProgress(int Pos, int Step);
    void btnOKClick();
    void btnCancelClick();
    void btnWriteFltsClick();
    void btnReadFltsClick();
    void FilterTypeChanged();

    TGameData *Game = nullptr;
    uint8_t Mode = 1;
    TSystem *System = nullptr;
    TDrawsManager *DrawsMan = nullptr;
    int32_t MaxComb = 0;
    uint8_t N = 0;
    uint8_t K = 0;
    TDynByteArr Numbers;

    // One filter of each kind, index Kind - 1, holding the editor's last values for the kind.
    std::array<std::unique_ptr<TFilter>, FilterKindCount> WorkFilters;
    TFilterList SelFilters;
    // Scratch list for reading filter sets.
    TFilterList ReadList;
    int CurKind = 1;
    int LastKind = -1;
    TFilter *SelFilter = nullptr;
    std::unique_ptr<TGroupFilter> Result;
    TDrawsRange FltRange;
    TTextToComb Parser;
    TFilterDialogRecord Record;

    TTaskRunner Runner;
    std::unique_ptr<TFilterThread> Thread;
    TRunButtonPress *DoFilterPress = nullptr;

    QGridLayout *EditorGrid = nullptr;
    TDigitBoxes ShownDigits = TDigitBoxes::None;
    // While False the handlers of the editor, the kind list and the grid's row do nothing.
    bool EditorEvents = true;
    bool FListEvents = true;
    bool RowEvents = true;
    bool FDestroyed = false;
};
