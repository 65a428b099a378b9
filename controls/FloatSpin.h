#pragma once
// The numeric input field: an edit holding a real number as its text, kept valid while the user
// types or pastes (a refused character beeps and shows the range), limited to a range and a number
// of decimals, stepped by keys and a spin button.

#include "controls/Alignment.h"
#include "controls/Component.h"

#include <QLineEdit>

#include <cstdint>
#include <functional>

class TSpinButton;

class TFloatSpin : public QLineEdit, public LoadedComponent {
    Q_OBJECT
public:
    explicit TFloatSpin(QWidget *parent = nullptr);

    // The number shown: an empty text reads MinValue - 1, a text that is no number reads MinValue.
    double Value() const;
    // Shows the value clamped by CheckValue with Precision decimals.
    void SetValue(double value);
    double MinValue() const { return FMinValue; }
    void SetMinValue(double value);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double value);
    uint8_t Precision() const { return FPrecision; }
    void SetPrecision(uint8_t value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    // Clamps the text into the limits and reformats it, as leaving the field does: an empty text or
    // one below MinValue (still being typed) becomes MinValue.
    void Commit();
    // Whether the text was typed by the user (not set by Value or a step) and a digit typed after it
    // would still be taken: the number may still be on its way.
    bool TypingUnfinished() const;

    // Step of the spin button and the Up and Down keys; step of Page Up and Page Down.
    double Increment = 1.0;
    double LargeInc = 0;
    // Allows pasting and cutting.
    bool EditorEnabled = true;
    // Selects the whole text when the field is entered other than by a mouse click.
    bool AutoSelect = true;

    // Raised on every change of the text, assignments of Value included.
    std::function<void(QObject *Sender)> OnChange;
    // Raised when the user has done typing: Enter, or the focus leaving the field; the text is
    // committed first. Enter then goes on to the window, so a dialog's default button takes it.
    std::function<void(QObject *Sender)> OnEditDone;

    double CheckValue(double value) const;
    // The text as a whole number; Trunc(MinValue) when it is not one.
    int64_t GetAsInteger() const;
    // GetAsInteger clamped into the limits.
    int64_t IntegerInRange() const;

    // Whether the character typed at the caret (replacing the selection) leaves an acceptable text:
    // a digit, '-' when MinValue < 0, the decimal separator when Precision > 0, or Backspace (8).
    virtual bool IsValidChar(char16_t key) const;
    virtual void UpClick();
    virtual void DownClick();

    // Pastes the clipboard text character by character as if typed (refused characters are dropped and
    // told once); cuts the selection.
    void Paste();
    void Cut();

    TSpinButton *Button() const { return FButton; }
    // The least height that shows the text of the current font.
    int MinHeight() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The desktop's editing keys: select all, copy, undo and redo as the edit does them, cut and paste
    // through the checks of Cut and Paste. False for any other key.
    bool editCommand(QKeyEvent &event);
    // The character a key press types, 0 for a key that types nothing.
    static char16_t typedChar(const QKeyEvent &event);
    // Types the character through IsValidChar; false when it refuses it.
    bool typeChar(char16_t key);
    // A refused character: a beep and, beneath the field, the values it takes.
    void Refused();
    // Commits the text and raises OnEditDone.
    void EditDone();
    // Whether a text of the field stays within the limits and the decimals (empty or a sign alone is
    // taken as the start of a number).
    bool Acceptable(const QString &Text) const;

    TSpinButton *FButton;
    double FMinValue = 0;
    double FMaxValue = 0;
    uint8_t FPrecision = 0;
    TAlignment FAlignment = taLeftJustify;
};
