#pragma once
// Small helpers over controls that many windows share.

#include "core/DateTime.h"

#include <QDate>

#include <vector>

class QDateEdit;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QString;
class QTabWidget;
class QWidget;
class TFloatSpin;
class TStringAlignGrid;

// The number of checked items of a check list.
int CheckedCount(const QListWidget *List);
// Checks (Value true) or unchecks every item of a check list.
void CheckAll(QListWidget *List, bool Value);

// The header cells (row 0) of the listed columns get a navy bold font: they mark a column group.
void SetGridColsFont(TStringAlignGrid *Grid, const std::vector<int> &Cols);

// Every tab of Pages in view, its caption whole: the pages are as wide as their tabs need, so that a window
// opens wide enough for them.
void ShowWholeTabs(QTabWidget *Pages);

// A label of Parent with Caption whose mnemonic moves the focus to Buddy.
QLabel *BuddyLabel(const QString &Caption, QWidget *Buddy, QWidget *Parent);

// The spin edit's whole value within its range.
int SpinValue(const TFloatSpin *Spin);
// A spin edit of whole numbers in Min..Max showing Value.
TFloatSpin *NewIntSpin(QWidget *Parent, int Min, int Max, int Value);
// The spin edit's range := Min..Max, its value brought into it (whichever way the range moved).
void SetSpinRange(TFloatSpin *Spin, int Min, int Max);

// Whole days of TDateTime and the calendar date of a date edit.
QDate ToQDate(TDateTime Date);
TDateTime FromQDate(const QDate &Date);
// A date edit in the short date format with a calendar to drop down, that takes a whole date typed in,
// from 1 January 1900 on.
QDateEdit *NewDateEdit(QWidget *Parent);

// A memo that keeps at most MaxLength characters: longer text, typed or pasted, is cut.
void LimitLength(QPlainTextEdit *Memo, int MaxLength);
// A memo of the height that shows Lines lines of its font.
void FitMemoLines(QPlainTextEdit *Memo, int Lines);
