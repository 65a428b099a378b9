#pragma once
// A list of filters as the filter windows show it: one grid row per filter ("F" and its display
// number, its name, its parameters; one blank row for none) and its logical expression.

#include "engine/UFilters.h"

#include <QString>

class QLineEdit;
class TStringAlignGrid;

// "F" + the display number in two digits.
QString FilterNumberText(const TFilter &Filter);

// Fills the rows below Grid's header from List and Expression with its expression.
void ShowFilterList(const TFilterList &List, TStringAlignGrid *Grid, QLineEdit *Expression);
