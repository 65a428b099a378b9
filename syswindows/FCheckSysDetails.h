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

    // Checks the shown combinations of System against Numbers at the levels of Info, every level shown or
    // the winning ones, and shows them; the window keeps its own copy of the combinations.
    void Init(const TSystem &System, const TDynByteArr &Numbers, bool ShowAllHits, const THitsInfo &Info);

    // One row per shown combination, Index its 1-based number among them.
    std::vector<TCheckRow> Rows;
    TCheckRow Totals;
    bool NoResults = true;

    QLineEdit *eCheckComb;
    QLineEdit *eSelComb;
    TStringAlignGrid *Grid;

private:
    void CreateControls();
    void Compute(const TSystem &System, const TDynByteArr &Numbers, const THitsInfo &Info);
    void GridCellFormat(int Col, int Row, TCellFormat &Format) const;
    bool GridSortColumn(int SortKey, int Direction);
    void GridSelectCell(int Row);

    // The shown combinations' numbers, K after K, in the system's order.
    TDynByteArr FCombs;
    size_t FK = 0;
    TCheckColumns FColumns;
    TSortMan SortMan{1};
    std::unique_ptr<TResultGrid> ResultGrid;
};
