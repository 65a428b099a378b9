#include "shell/FGlobalControls.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "controls/TypedDateEdit.h"
#include "core/CalendarDate.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

int CheckedCount(const QListWidget *List)
{
    int count = 0;
    for (int i = 0; i < List->count(); ++i)
        if (List->item(i)->checkState() == Qt::Checked)
            ++count;
    return count;
}

void CheckAll(QListWidget *List, bool Value)
{
    for (int i = 0; i < List->count(); ++i)
        List->item(i)->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
}

void SetGridColsFont(TStringAlignGrid *Grid, const std::vector<int> &Cols)
{
    constexpr TColor GroupHeaderColor = 0x800000; // navy
    for (int col : Cols) {
        TMyFont &font = Grid->FontCell(col, 0);
        font.Color = GroupHeaderColor;
        font.Style |= fsBold;
    }
}

QLabel *BuddyLabel(const QString &Caption, QWidget *Buddy, QWidget *Parent)
{
    auto *label = new QLabel(Caption, Parent);
    label->setBuddy(Buddy);
    return label;
}

int SpinValue(const TFloatSpin *Spin)
{
    return int(Spin->IntegerInRange());
}

TFloatSpin *NewIntSpin(QWidget *Parent, int Min, int Max, int Value)
{
    auto *spin = new TFloatSpin(Parent);
    spin->SetPrecision(0);
    spin->SetMinValue(Min);
    spin->SetMaxValue(Max);
    spin->SetValue(Value);
    spin->Loaded();
    return spin;
}

void SetSpinRange(TFloatSpin *Spin, int Min, int Max)
{
    Spin->SetMinValue(Min);
    Spin->SetMaxValue(Max);
}

namespace {

// TDateTime day 0 is 30 December 1899.
const QDate DateTimeEpoch(1899, 12, 30);

} // namespace

// A day outside the calendar gives an invalid date, which a date edit does not take.
QDate ToQDate(TDateTime Date)
{
    return IsCalendarDate(Date) ? DateTimeEpoch.addDays(qint64(Date)) : QDate();
}

TDateTime FromQDate(const QDate &Date)
{
    return TDateTime(DateTimeEpoch.daysTo(Date));
}

void ShowWholeTabs(QTabWidget *Pages)
{
    Pages->setUsesScrollButtons(false);
    Pages->setElideMode(Qt::ElideNone);
}

QDateEdit *NewDateEdit(QWidget *Parent)
{
    auto *edit = new TTypedDateEdit(Parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setMinimumDate(QDate(1900, 1, 1)); // no draw nor played coupon is older
    return edit;
}

void LimitLength(QPlainTextEdit *Memo, int MaxLength)
{
    QObject::connect(Memo, &QPlainTextEdit::textChanged, Memo, [Memo, MaxLength] {
        const QString text = Memo->toPlainText();
        if (text.size() <= MaxLength)
            return;
        Memo->setPlainText(text.left(MaxLength));
        Memo->moveCursor(QTextCursor::End);
    });
}

void FitMemoLines(QPlainTextEdit *Memo, int Lines)
{
    const int margins = 2 * (Memo->frameWidth() + int(Memo->document()->documentMargin()));
    Memo->setFixedHeight(Memo->fontMetrics().lineSpacing() * Lines + margins);
}
