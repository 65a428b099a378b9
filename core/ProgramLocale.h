#pragma once
// The program's own Polish formats of numbers, money and dates, independent of the machine's locale.

#include "core/DateTime.h"

#include <array>
#include <string>
#include <string_view>

struct ProgramLocale {
    static constexpr char DecimalSeparator = ',';
    static constexpr std::string_view ThousandSeparator = "\xC2\xA0"; // U+00A0 NO-BREAK SPACE
    static constexpr std::string_view CurrencyString = "zł";
    static constexpr int CurrencyDecimals = 2;
    // Monday first.
    static constexpr std::array<std::string_view, 7> ShortDayNames = {"Pn", "Wt", "Śr", "Cz",
                                                                      "Pt", "So", "N"};
};

// Digits (without sign) with the thousand separator between every group of three from the right.
std::string groupThousands(std::string_view Digits);

// An amount already formatted with the currency's decimals, with the sign and currency placed as the
// money format wants them: "1 234,50 zł", "-1 234,50 zł".
std::string applyCurrencyFormat(std::string_view Amount, bool Negative);

// The value through a number mask: '0' a digit always shown, '#' a digit shown when significant, '.' the
// decimal separator, ',' anywhere before it groups thousands, text in quotes and every other character
// copied; up to three sections "positive;negative;zero", an empty or missing one taking the positive
// section (with a leading '-' for negative values). Halves round away from zero.
std::string FormatFloat(std::string_view Format, double Value);

// The short date format dd.MM.yyyy.
std::string DateToStr(TDateTime Date);
