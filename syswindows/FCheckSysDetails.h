#pragma once
// "Sprawdzenie systemu - szczegóły": every shown combination of a system checked against one set of
// drawn numbers, with its hits per level (a multi-bet's as its simple bets') and its win, the totals
// above them, sorting by number, hits or win, and the combination of the selected row.

#include "core/DynArrays.h"
#include "core/UGlobalSort.h"
#include "syswindows/CheckTable.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QLineEdit;
class TResultGrid;
class TStringAlignGrid;
class TSystem;
struct TCellFormat;
struct THitsInfo;

class TfrmCheckSysDetails : public QDialog {
    Q_OBJECT

public:
    explicit TfrmCheckSysDetails(QWidget *parent = nullptr);
    ~TfrmCheckSysDetails() override;

    // Checks the shown combinations of ASystem (which must outlive the window) against Numbers at the
    // levels of Info, every level shown or the winning ones, and shows them.
    void Init(const TSystem &ASystem, const TDynByteArr &Numbers, bool ShowAllHits, const THitsInfo &Info);

    // One row per shown combination, Index its 1-based number among them.
    std::vector<TCheckRow> Rows;
    TCheckRow Totals;
    bool NoResults = true;

    QLineEdit *eCheckComb;
    QLineEdit *eSelComb;
    TStringAlignGrid *Grid;

private:
    void CreateControls();
    void Compute(const TDynByteArr &Numbers, const THitsInfo &Info);
    void GridCellFormat(int Col, int Row, TCellFormat &Format) const;
    bool GridSortColumn(int SortKey, int Direction);
    void GridSelectCell(int Row);

    const TSystem *System = nullptr;
    TCheckColumns FColumns;
    TSortMan SortMan{1};
    std::unique_ptr<TResultGrid> ResultGrid;
};
