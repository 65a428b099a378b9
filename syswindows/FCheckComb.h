#pragma once
// "Sprawdzenie kombinacji": one combination of a game checked against every draw of a draws range:
// per draw the level of its hits and the win of the levels in a chosen band, grouped by day, week,
// month or year, with sums and means, charts, and per number of the combination the draws in which it
// was among the hits, by level. Opened from the main window with the last stored combination, or with
// a given one (SetComb), which it checks at once.

#include "core/DynArrays.h"
#include "core/UGlobalSort.h"
#include "shell/DrawsRangeBinding.h"
#include "shell/UGeneralForm.h"
#include "syswindows/CheckTable.h"
#include "syswindows/CombCheck.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TCheckCharts;
class TFloatSpin;
class TResultGrid;
class TRichView;
class TStringAlignGrid;
class TXPMenu;
struct TCellFormat;
struct TGameData;

class TfrmCheckComb : public TGenForm {
    Q_OBJECT

public:
    // Set up on the current game and its default range, before ResetParams or SetComb.
    explicit TfrmCheckComb(QWidget *Owner = nullptr);
    ~TfrmCheckComb() override;

    // The window's range shown, no combination, then the stored values of the game read.
    void ResetParams();
    // Checks Comb (ascending) of AGame over ARange at once.
    void SetComb(TGameData *AGame, const TDrawsRange &ARange, const TDynByteArr &AComb);
    // The check of the combination over the range.
    void pCheckClick();
    bool HasResults() const { return !NoResults; }

    // The text of a data cell of Grid1 (Table 1) or Grid2 (Table 2); Row counts from the grid's first
    // row below the header.
    QString CellText(int Table, int Col, int Row) const;

    // The combination as entered, and the outcome of the last check.
    const TDynByteArr &EnteredComb() const { return Comb; }
    const TCombCheck &Outcome() const { return Results; }

    TRichView *txtDateDesc;
    QLineEdit *eComb;
    QPushButton *btnComb;
    QLabel *lblHitFrom;
    TFloatSpin *seHitFrom;
    QLabel *lblHitTo;
    TFloatSpin *seHitTo;
    QTabWidget *PageControl1;
    QWidget *tsTable;
    QWidget *tsChart;
    QWidget *tsNumbers;
    TStringAlignGrid *Grid1;
    QLineEdit *eSelComb;
    QRadioButton *rbDay;
    QRadioButton *rbWeek;
    QRadioButton *rbMonth;
    QRadioButton *rbYear;
    TCheckCharts *pcChart;
    TStringAlignGrid *Grid2;
    QMenu *Popup1;
    TXPMenu *XPMenu1; // the flat look of the pop-up menus
    QAction *pDrawsRange;
    QAction *pCheck;
    QAction *Action1; // Esc: closes the window

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void FormShow() override;
    void FormActivate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // FCheckCombLayout.cpp
    void CreateControls();
    QWidget *CreateTablePage();
    void CreatePopup();
    void ConnectControls();

    void ShowCaption();
    void UpdateMenu();
    void ReadParams();
    void WriteParams();
    void ShowComb();
    void btnCombClick();
    // The band's spins over the levels of the combination's size.
    void SetupHitLevels();
    void ClearResults();
    void Regroup();
    void RegroupClick();
    TCheckColumns Columns() const;
    // Both tables' columns at their widths by the rule, widened to the widest figures of the results shown.
    void SetupColumns();
    void ApplyStoredSorts();
    bool Grid1SortColumn(int SortKey, int Direction);
    bool Grid2SortColumn(int SortKey, int Direction);
    void Grid1CellFormat(int Col, int Row, TCellFormat &Format) const;
    void Grid2CellFormat(int Col, int Row, TCellFormat &Format) const;
    QString RowLabel(const TCheckRow &Row) const;
    void ShowSelection(int GridRow);
    void RebuildCharts();
    void FormDestroy();

    // FCheckCombReport.cpp
    void Report();
    std::string ReportHeader() const;

    TGameData *Game = nullptr;
    TDrawsRangeBinding Range;
    TDynByteArr Comb;   // as entered
    TCombCheck Results; // of the last check
    uint8_t GroupType = cgDay;
    bool NoResults = true;
    TSortMan SortMan{2};
    TDrawsRange ReportRange; // the range of the last check

    std::unique_ptr<TResultGrid> ResultGrid1;
    std::unique_ptr<TResultGrid> ResultGrid2;
    bool FDestroyed = false;
};

// A new window in the main window on the current game, where a new child window opens; the caller then
// gives it its parameters (ResetParams) or a combination (SetComb).
TfrmCheckComb *NewCheckCombWindow();
// Opens the window from the main window: with the last stored combination of the current game.
void OpenCheckCombWindow();
