#pragma once
// Small helpers over controls that many windows share.

#include "core/DateTime.h"

<<<<<<< HEAD
#include <vector>

class QDate;
=======
#include <QDate>

#include <vector>

>>>>>>> main
class QDateEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;
class TFloatSpin;
class TStringAlignGrid;

// The number of checked items of a check list.
int CheckedCount(const QListWidget *List);
// Checks (Value true) or unchecks every item of a check list.
void CheckAll(QListWidget *List, bool Value);

// The header cells (row 0) of the listed columns get a navy bold font: they mark a column group.
void SetGridColsFont(TStringAlignGrid *Grid, const std::vector<int> &Cols);

// The spin edit's whole value within its range.
int SpinValue(const TFloatSpin *Spin);
// A spin edit of whole numbers in Min..Max showing Value.
TFloatSpin *NewIntSpin(QWidget *Parent, int Min, int Max, int Value);

<<<<<<< HEAD
// A date's day (the time of day is dropped) and the date of a whole day.
QDate ToQDate(TDateTime Date);
TDateTime FromQDate(const QDate &Date);
// A date edit with a calendar, in the short date format.
QDateEdit *NewDateEdit(QWidget *Parent);
=======
// Whole days of TDateTime and the calendar date of a date edit.
QDate ToQDate(TDateTime Date);
TDateTime FromQDate(const QDate &Date);
// A date edit in the short date format with a calendar to drop down.
QDateEdit *NewDateEdit(QWidget *Parent);

// A memo that keeps at most MaxLength characters: longer text, typed or pasted, is cut.
void LimitLength(QPlainTextEdit *Memo, int MaxLength);
>>>>>>> main
