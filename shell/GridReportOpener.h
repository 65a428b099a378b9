#pragma once
// The report of a window with one long grid (the draws editor), made in the layer of the reports above
// the shell through the installed openers (WindowOpeners).

#include <string>

class QWidget;
class TStringAlignGrid;

// Nothing happens before an opener is installed.
void OpenGridReport(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow);
