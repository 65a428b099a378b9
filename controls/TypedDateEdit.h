#pragma once
// A date field that takes a whole date typed in: each digit fills the section it is typed in, a section
// full of digits moves on to the next, and a '.' ends a shorter section ("1.2.2019"). Typing starts in
// the section at the cursor, or in the first when the whole text is selected. While a date is typed the
// field shows the nearest valid date (a day past the month's end shows its last day), so that the day
// typed first is kept when the month typed after it is longer.

#include <QDateEdit>

#include <array>

class TTypedDateEdit : public QDateEdit {
public:
    explicit TTypedDateEdit(QWidget *Parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;

private:
    void TypeDigit(int Digit);
    void EndSection();
    void ShowTyped();
    void StopTyping() { FTyping = false; }

    bool FTyping = false;
    int FSection = 0;                 // the section being typed
    int FDigits = 0;                  // digits typed into it
    std::array<int, 3> FValues = {};  // day, month and year, by section
    std::array<Section, 3> FKinds = {};
};
