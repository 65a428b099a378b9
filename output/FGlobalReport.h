#pragma once
// The choices a report command asks for before its progress window, and the report of one long grid
// that the shell's windows reach through their opener.

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class TStringAlignGrid;

// The rows of a grid to report: every row (From -1), or row 0 and the data rows From..To. Count is the
// number of grid rows written, header included.
struct TReportRows {
    int Count = 0;
    int From = -1;
    int To = -1;
};

// The row dialog over a grid of RowCount rows (header included); nothing when cancelled.
std::optional<TReportRows> AskReportRows(QWidget *Owner, int RowCount);

// The item dialog: a flag per name, true where it was ticked (hidden names false); nothing when
// cancelled.
std::optional<std::vector<bool>> AskReportItems(QWidget *Owner, const std::vector<QString> &Names,
                                                const std::vector<bool> &Enabled);

// Installs the report of one long grid for the shell's windows (SetGridReportOpener).
void InstallReports();
