#pragma once
// Numbers as the controls show and read them: the locale's decimal separator, never the C locale.

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// The decimal separator of the default QLocale (a comma in the program's Polish locale).
QChar localeDecimalSeparator();

// Fixed-point text of value: rounded (halves up) to at most `precision` significant digits and to
// `digits` decimals, trailing decimals padded with zeros. A value with more integer digits than
// `precision` is written in exponent form ("1,5E12").
QString formatFloatFixed(double value, int precision, int digits, QChar decimalSeparator);

// A real number written with the given separator: optional blanks around it, an optional sign,
// digits with at most one separator, an optional exponent ("E-3"). No group separators.
std::optional<double> parseFloatText(const QString &text, QChar decimalSeparator);

// A whole number: optional leading blanks, an optional sign, decimal digits, nothing after them;
// nothing that overflows 64 bits.
std::optional<int64_t> parseInt64Text(const QString &text);
