#include "controls/TypedDateEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

int DigitsOf(QDateTimeEdit::Section Kind)
{
    return Kind == QDateTimeEdit::YearSection ? 4 : 2;
}

} // namespace

TTypedDateEdit::TTypedDateEdit(QWidget *Parent) : QDateEdit(Parent) {}

void TTypedDateEdit::keyPressEvent(QKeyEvent *Event)
{
    const QString text = Event->text();
    const bool digit = text.size() == 1 && text[0].isDigit();
    const bool separator = text == QStringLiteral(".");
    if (!(digit || separator) || sectionCount() != int(FKinds.size())) {
        StopTyping();
        QDateEdit::keyPressEvent(Event);
        return;
    }
    if (!FTyping || (lineEdit()->hasSelectedText() && lineEdit()->selectedText() == lineEdit()->text())) {
        const bool whole = lineEdit()->selectedText() == lineEdit()->text();
        for (int i = 0; i < int(FKinds.size()); ++i)
            FKinds[size_t(i)] = sectionAt(i);
        const QDate shown = date();
        for (size_t i = 0; i < FKinds.size(); ++i)
            FValues[i] = FKinds[i] == DaySection ? shown.day() : FKinds[i] == MonthSection ? shown.month() : shown.year();
        FSection = whole ? 0 : currentSectionIndex();
        FDigits = 0;
        FTyping = true;
        // A '.' typed first only selects the section.
        if (separator) {
            setCurrentSectionIndex(FSection);
            setSelectedSection(FKinds[size_t(FSection)]);
            Event->accept();
            return;
        }
    }
    if (digit)
        TypeDigit(text[0].digitValue());
    else if (FDigits > 0)
        EndSection();
    Event->accept();
}

void TTypedDateEdit::TypeDigit(int Digit)
{
    if (FSection >= int(FKinds.size()))
        return;
    int &value = FValues[size_t(FSection)];
    value = FDigits == 0 ? Digit : value * 10 + Digit;
    ++FDigits;
    if (FDigits == DigitsOf(FKinds[size_t(FSection)]))
        EndSection();
    else
        ShowTyped();
}

void TTypedDateEdit::EndSection()
{
    ++FSection;
    FDigits = 0;
    ShowTyped();
}

void TTypedDateEdit::ShowTyped()
{
    int day = 1, month = 1, year = 1;
    for (size_t i = 0; i < FKinds.size(); ++i) {
        if (FKinds[i] == DaySection)
            day = FValues[i];
        else if (FKinds[i] == MonthSection)
            month = FValues[i];
        else
            year = FValues[i];
    }
    month = std::clamp(month, 1, 12);
    const QDate first(year, month, 1);
    if (first.isValid() && first >= minimumDate() && first <= maximumDate())
        setDate(QDate(year, month, std::clamp(day, 1, first.daysInMonth())));
    const int shown = std::min(FSection, int(FKinds.size()) - 1);
    setCurrentSectionIndex(shown);
    setSelectedSection(FKinds[size_t(shown)]);
}

void TTypedDateEdit::focusOutEvent(QFocusEvent *Event)
{
    StopTyping();
    QDateEdit::focusOutEvent(Event);
}

void TTypedDateEdit::mousePressEvent(QMouseEvent *Event)
{
    StopTyping();
    QDateEdit::mousePressEvent(Event);
}
