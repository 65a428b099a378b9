#pragma once
// Text fields whose text is stored as Windows-1250: characters without a byte there are refused as they
// are typed or pasted, so what the file holds is what the field showed.

#include <QValidator>

class QPlainTextEdit;

class TCp1250Validator : public QValidator {
public:
    using QValidator::QValidator;

    // Whether the character has a Windows-1250 byte; a half of a surrogate pair never has one.
    static bool Accepts(QChar c);
    // Invalid when any character of the text has no Windows-1250 byte: a line edit then refuses the
    // keystroke or the paste that brought it.
    State validate(QString &input, int &pos) const override;
    // Holds a plain-text edit to the same characters: whatever is typed, pasted or dropped into it
    // loses the characters that Accepts refuses, in the same undo step. Line breaks stay.
    static void Restrict(QPlainTextEdit *Edit);
};
