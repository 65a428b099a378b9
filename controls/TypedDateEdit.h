#pragma once
// A date field edited as a text of three parts between fixed dots. A digit fills the part it is typed in,
// a part full of digits moves on to the next, and a '.' ends a shorter part ("1.2.2019"); typing starts
// over the part at the cursor, or over the selection. Backspace and Delete remove the nearest digit
// before or after the cursor, across the dots. The date follows the text while the text is a date; the
// typing ends with the last part full, with a '.' after it, or when another key, a click or leaving the
// field ends it: a text that is then no date within the field's range (an impossible day or month, a part
// left empty, a year of one or three digits) is refused with a beep, and the field returns to the date
// it had before the typing. A two-digit year is the one of 19yy and 20yy nearest to today.

#include <QDateEdit>

#include <array>

class TTypedDateEdit : public QDateEdit {
public:
    explicit TTypedDateEdit(QWidget *Parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void StartTyping();
    bool Typing() const;
    void TypeDigit(QChar Digit);
    void EndPart();
    void Erase(bool Backward);
    void EraseSelection();
    void SelectPart(int Part);
    void ShowTyped();
    void EndTyping();
    void TakeTyped();
    QDate TypedDate() const;

    int PartAt(int Pos) const;
    int PartStart(int Part) const;
    int PartEnd(int Part) const;
    int PartSize(int Part) const;

    bool FTyping = false;
    QDate FStart;      // the date before the typing, kept when the typed text is refused
    QString FText;     // the text typed: the digits of the three parts between two dots
    int FPos = 0;      // the cursor in FText
    int FSelected = 0; // the characters selected from FPos on
    std::array<Section, 3> FKinds = {};
};
