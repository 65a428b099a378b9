#pragma once
// The report of a window with one long grid (the draws editor): the layer of the reports, above the
// shell, installs here how it is made.

#include <QWidget>

#include <functional>
#include <string>

class TStringAlignGrid;

// Shows the row dialog over Grid, then writes Header (lines ended by "#") from row 2 and the chosen
// rows of Grid from GridRow in column B on one sheet.
using TGridReportOpener =
    std::function<void(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow)>;
void SetGridReportOpener(TGridReportOpener Opener);

// The installed report; nothing before one is installed.
void OpenGridReport(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow);
