#include "controls/TypedDateEdit.h"

#include "controls/MessageBeep.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr QChar Dot = u'.';

int DigitsOf(QDateTimeEdit::Section Kind)
{
    return Kind == QDateTimeEdit::YearSection ? 4 : 2;
}

// Of 19yy and 20yy the year nearest to this year; the earlier when both are as near.
int NearestYear(int TwoDigits)
{
    const int thisYear = QDate::currentDate().year();
    const int early = 1900 + TwoDigits;
    const int late = 2000 + TwoDigits;
    return std::abs(late - thisYear) < std::abs(thisYear - early) ? late : early;
}

} // namespace

TTypedDateEdit::TTypedDateEdit(QWidget *Parent) : QDateEdit(Parent)
{
    lineEdit()->installEventFilter(this);
}

void TTypedDateEdit::keyPressEvent(QKeyEvent *Event)
{
    const QString text = Event->text();
    const bool digit = text.size() == 1 && text[0].isDigit();
    const bool separator = text == Dot;
    const bool plain = (Event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool backspace = plain && Event->key() == Qt::Key_Backspace;
    const bool erase = backspace || (plain && Event->key() == Qt::Key_Delete);
    if (!(digit || separator || erase) || sectionCount() != int(FKinds.size())) {
        EndTyping();
        QDateEdit::keyPressEvent(Event);
        return;
    }
    Event->accept();
    if (erase) {
        if (!Typing())
            StartTyping();
        Erase(backspace);
        return;
    }
    if (!Typing()) {
        StartTyping();
        if (FSelected == 0)
            SelectPart(PartAt(FPos));
    }
    if (digit)
        TypeDigit(text[0]);
    else if (FSelected == 0 && PartSize(PartAt(FPos)) > 0)
        EndPart();
    else
        ShowTyped();
}

void TTypedDateEdit::StartTyping()
{
    for (int i = 0; i < int(FKinds.size()); ++i)
        FKinds[size_t(i)] = sectionAt(i);
    FStart = date();
    FText = textFromDateTime(dateTime());
    const QLineEdit *edit = lineEdit();
    FPos = std::min(edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition(),
                    int(FText.size()));
    FSelected = std::min(int(edit->selectedText().size()), int(FText.size()) - FPos);
    FTyping = true;
}

bool TTypedDateEdit::Typing() const
{
    // A date set otherwise (a step, the calendar, the program) has replaced the text typed.
    return FTyping && lineEdit()->text() == FText;
}

void TTypedDateEdit::TypeDigit(QChar Digit)
{
    EraseSelection();
    const int part = PartAt(FPos);
    const int digits = DigitsOf(FKinds[size_t(part)]);
    if (PartSize(part) >= digits) {
        MessageBeep(0);
        ShowTyped();
        return;
    }
    FText.insert(FPos++, Digit);
    if (PartSize(part) == digits)
        EndPart();
    else
        ShowTyped();
}

void TTypedDateEdit::EndPart()
{
    const int next = PartAt(FPos) + 1;
    if (next == int(FKinds.size())) {
        TakeTyped();
        return;
    }
    SelectPart(next);
    ShowTyped();
}

void TTypedDateEdit::Erase(bool Backward)
{
    if (FSelected > 0) {
        EraseSelection();
    } else if (Backward) {
        int at = FPos - 1;
        while (at >= 0 && FText[at] == Dot)
            --at;
        if (at >= 0) {
            FText.remove(at, 1);
            FPos = at;
        }
    } else {
        int at = FPos;
        while (at < FText.size() && FText[at] == Dot)
            ++at;
        if (at < FText.size())
            FText.remove(at, 1);
    }
    ShowTyped();
}

void TTypedDateEdit::EraseSelection()
{
    QString kept;
    for (int i = 0; i < FText.size(); ++i)
        if (FText[i] == Dot || i < FPos || i >= FPos + FSelected)
            kept += FText[i];
    FText = kept;
    FSelected = 0;
}

void TTypedDateEdit::SelectPart(int Part)
{
    FPos = PartStart(Part);
    FSelected = PartSize(Part);
}

void TTypedDateEdit::ShowTyped()
{
    const QDate typed = TypedDate();
    if (typed.isValid())
        setDate(typed);
    QLineEdit *edit = lineEdit();
    const QSignalBlocker blocker(edit);
    // The spin box's validator would fill in the parts of a text typed halfway.
    const QValidator *validator = edit->validator();
    edit->setValidator(nullptr);
    edit->setText(FText);
    edit->setValidator(validator);
    if (FSelected > 0)
        edit->setSelection(FPos, FSelected);
    else
        edit->setCursorPosition(FPos);
}

void TTypedDateEdit::EndTyping()
{
    if (Typing())
        TakeTyped();
}

void TTypedDateEdit::TakeTyped()
{
    FTyping = false;
    const int part = std::min(PartAt(FPos), int(FKinds.size()) - 1);
    const QDate typed = TypedDate();
    if (!typed.isValid())
        MessageBeep(0);
    setDate(typed.isValid() ? typed : FStart);
    setCurrentSectionIndex(part);
    setSelectedSection(FKinds[size_t(part)]);
}

QDate TTypedDateEdit::TypedDate() const
{
    int day = 0, month = 0, year = 0;
    for (int part = 0; part < int(FKinds.size()); ++part) {
        const QString digits = FText.mid(PartStart(part), PartSize(part));
        const int value = digits.toInt();
        switch (FKinds[size_t(part)]) {
        case DaySection:
            day = value;
            break;
        case MonthSection:
            month = value;
            break;
        default:
            if (digits.size() == 2)
                year = NearestYear(value);
            else if (digits.size() == DigitsOf(YearSection))
                year = value;
            else
                return {};
        }
    }
    const QDate typed(year, month, day);
    return typed.isValid() && typed >= minimumDate() && typed <= maximumDate() ? typed : QDate();
}

int TTypedDateEdit::PartAt(int Pos) const
{
    return int(FText.left(Pos).count(Dot));
}

int TTypedDateEdit::PartStart(int Part) const
{
    int start = 0;
    for (int i = 0; i < Part; ++i)
        start = int(FText.indexOf(Dot, start)) + 1;
    return start;
}

int TTypedDateEdit::PartEnd(int Part) const
{
    const int dot = int(FText.indexOf(Dot, PartStart(Part)));
    return dot < 0 ? int(FText.size()) : dot;
}

int TTypedDateEdit::PartSize(int Part) const
{
    return PartEnd(Part) - PartStart(Part);
}

void TTypedDateEdit::focusOutEvent(QFocusEvent *Event)
{
    EndTyping();
    QDateEdit::focusOutEvent(Event);
}

void TTypedDateEdit::mousePressEvent(QMouseEvent *Event)
{
    EndTyping();
    QDateEdit::mousePressEvent(Event);
}

// A click in the text goes to the inner line edit. While a date is typed, the typing goes on in the part
// clicked; else the click ends the typing, and the next digit starts over the part clicked.
bool TTypedDateEdit::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == lineEdit() &&
        (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick)) {
        const auto *mouse = static_cast<QMouseEvent *>(Event);
        if (mouse->button() == Qt::LeftButton && Typing()) {
            SelectPart(PartAt(lineEdit()->cursorPositionAt(mouse->position().toPoint())));
            ShowTyped();
            return true;
        }
        EndTyping();
    }
    return QDateEdit::eventFilter(Watched, Event);
}
