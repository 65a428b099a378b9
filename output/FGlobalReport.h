#pragma once
// The choices a report command asks for before its progress window, the report of several tables
// every window writes its grids with, and the report of one long grid that the shell's windows reach
// through their opener.

#include "output/ReportGrid.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class TStringAlignGrid;
struct TWindowOpeners;

// The rows of a grid to report: every row (From -1), or row 0 and the data rows From..To.
struct TReportRows {
    int From = -1;
    int To = -1;
};

// The row dialog over a grid of RowCount rows (header included); nothing when cancelled.
std::optional<TReportRows> AskReportRows(QWidget *Owner, int RowCount);

// The item dialog: a flag per name, true where it was ticked (hidden names false); nothing when
// cancelled.
std::optional<std::vector<bool>> AskReportItems(QWidget *Owner, const std::vector<QString> &Names,
                                                const std::vector<bool> &Enabled);

// A table of a report, taken on the GUI thread, on a sheet of its own (a sheet without a name keeps the
// workbook's) or, SameSheet, on the sheet of the table before it, one row below that table. A Caption
// goes into the cell above the table's first row.
struct TReportTable {
    std::string SheetName;
    TReportGrid Grid;
    std::string Caption{};
    bool SameSheet = false;
};

// The progress window over Tables, then its result: Header (lines ended by "#") from row 2 of the first
// sheet with the first table from FirstGridRow, every further table from row 2 of the next sheet (or
// below the table before it); a stop ends the report after the table it came in. The caller has asked
// ExcelAvailable.
void RunTablesReport(QWidget *Owner, const std::string &Header, int FirstGridRow, std::vector<TReportTable> Tables);

// ExcelAvailable and the row dialog over Grid, then the report of the rows chosen as the first table,
// on a sheet named SheetName, followed by Further.
void RunRowsReport(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &SheetName,
                   const std::string &Header, int FirstGridRow, std::vector<TReportTable> Further = {});

// Fills the opener of the report of one long grid for the shell's windows.
void InstallReports(TWindowOpeners &Openers);
