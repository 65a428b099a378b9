#pragma once
// The play-history browser: the entries of a game and a time span, with the bets of the chosen hit
// levels, sorted by any column and totalled; entries are edited, opened in system windows and deleted,
// and the changes reach the files only through "Zapisz zmiany".

#include "core/UGlobalSort.h"
#include "shell/FirstShow.h"
#include "syswindows/HistoryParams.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class THistory;
class TResultGrid;
class TStringAlignGrid;
struct TCellFormat;
struct THistoryItem;

class TfrmHistory : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmHistory(QWidget *parent = nullptr);
    ~TfrmHistory() override;

    // The registry key of the parameters.
    static std::string ParamsKeyName();

    QTabWidget *PageControl;
    QWidget *tsParams;
    QWidget *tsHistory;
    QComboBox *cbGame;
    QCheckBox *chkFrom;
    QDateEdit *dtFrom;
    QCheckBox *chkTo;
    QDateEdit *dtTo;
    QListWidget *lbHits;
    QPushButton *btnSelAll;
    QPushButton *btnDeselAll;
    QPushButton *btnRefresh;
    QAction *Refresh;
    TStringAlignGrid *Grid;
    QLineEdit *eCost;
    QLineEdit *eWin;
    QLineEdit *eProfit;
    QPushButton *btnDelete;
    QPushButton *btnShow;
    QPushButton *btnChange;
    QPushButton *btnDelAll;
    QPushButton *btnWrite;
    QPushButton *btnCancel;

    const THistory &History() const { return *FHistory; }

    // Stores the parameters whenever the dialog closes.
    void done(int Result) override;

private:
    void CreateControls();
    void FormShow() override;
    void ReadParams();
    void WriteParams();
    void RefreshExecute();
    // Select with the filter of the controls, then the sort of the grid.
    void SelectAndSort();
    void BuildColumns();
    // Widens the columns to the widest texts of the shown entries.
    void WidenColumns();
    void ShowView();
    void ShowTotals();
    void UpdateButtons();
    // The game chosen in cbGame; -1 for every game.
    int32_t SelectedGameId() const;
    // The shown entries of the grid's selected rows, as View positions First..Last; false when none.
    bool SelectedRange(int &First, int &Last) const;
    void GridCellFormat(int Col, int Row, TCellFormat &Format) const;
    void btnChangeClick();
    void btnShowClick();
    void DeleteShown(int First, int Last);
    void btnWriteClick();

    std::unique_ptr<THistory> FHistory;
    TSortMan SortMan{1};
    std::unique_ptr<TResultGrid> Results;
    THistoryParams Params;
    // The Hits element of each hit column, in column order after the fixed ones.
    std::vector<int> HitElements;
};

// The tools menu's history item: the browser, modal, over the main window.
void OpenHistoryDialog();
