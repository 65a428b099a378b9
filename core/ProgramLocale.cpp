#include "core/ProgramLocale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// Calls Visit(character, quoted) for every character of a mask, quotes themselves left out.
template <class Visitor> void walkMask(std::string_view Mask, Visitor Visit)
{
    char quote = 0;
    for (const char c : Mask) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                Visit(c, true);
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else {
            Visit(c, false);
        }
    }
}

// At most three sections, split at unquoted ';'; anything after a third ';' is ignored.
std::vector<std::string_view> splitSections(std::string_view Format)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < Format.size(); ++i) {
        const char c = Format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(Format.substr(start, i - start));
            start = i + 1;
            if (sections.size() == 3)
                return sections;
        }
    }
    sections.push_back(Format.substr(start));
    return sections;
}

struct MaskLayout {
    int IntPlaceholders = 0;
    int RequiredIntDigits = 0;
    int Decimals = 0;
    int RequiredDecimals = 0;
    bool Grouping = false;
};

MaskLayout scanSection(std::string_view Section)
{
    MaskLayout layout;
    bool afterPoint = false;
    int firstZero = -1;
    walkMask(Section, [&](char c, bool quoted) {
        if (quoted)
            return;
        if (c == '0' || c == '#') {
            if (afterPoint) {
                ++layout.Decimals;
                if (c == '0')
                    layout.RequiredDecimals = layout.Decimals;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = layout.IntPlaceholders;
                ++layout.IntPlaceholders;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            layout.Grouping = true;
        }
    });
    if (firstZero >= 0)
        layout.RequiredIntDigits = layout.IntPlaceholders - firstZero;
    return layout;
}

struct DecimalDigits {
    std::string Int;  // no leading zeros: empty for a value below one
    std::string Frac; // exactly the asked number of decimals
};

// The decimal digits of a non-negative finite value rounded to Decimals places, halves away from zero,
// taken from its 17 significant digits.
DecimalDigits roundDecimal(double Magnitude, int Decimals)
{
    char buffer[48];
    const auto converted =
        std::to_chars(buffer, buffer + sizeof buffer, Magnitude, std::chars_format::scientific, 16);
    const std::string_view text(buffer, converted.ptr - buffer);
    const std::size_t e = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, e))
        if (c != '.')
            digits += c;
    std::string_view exponentText = text.substr(e + 1);
    const bool negativeExponent = exponentText.front() == '-';
    exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (negativeExponent)
        exponent = -exponent;

    int point = exponent + 1;
    if (point < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const std::size_t kept = static_cast<std::size_t>(point + Decimals);
    if (digits.size() < kept + 1)
        digits.append(kept + 1 - digits.size(), '0');
    const bool roundUp = digits[kept] >= '5';
    digits.resize(kept);
    if (roundUp) {
        std::size_t i = kept;
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else {
            ++digits[i - 1];
        }
    }
    DecimalDigits result;
    result.Int = digits.substr(0, static_cast<std::size_t>(point));
    result.Int.erase(0, std::min(result.Int.find_first_not_of('0'), result.Int.size()));
    result.Frac = digits.substr(static_cast<std::size_t>(point));
    return result;
}

std::string formatSection(std::string_view Section, double Magnitude, bool Negative)
{
    const MaskLayout layout = scanSection(Section);
    std::string out;
    if (layout.IntPlaceholders == 0 && layout.Decimals == 0) {
        walkMask(Section, [&](char c, bool) { out += c; });
        return out;
    }

    const DecimalDigits rounded = roundDecimal(Magnitude, layout.Decimals);
    std::string frac = rounded.Frac;
    while (static_cast<int>(frac.size()) > layout.RequiredDecimals && frac.back() == '0')
        frac.pop_back();
    const int length = static_cast<int>(rounded.Int.size());
    const int shown = std::max(length, layout.RequiredIntDigits);
    const std::string intDigits = std::string(static_cast<std::size_t>(shown - length), '0') + rounded.Int;
    const bool isZero = rounded.Int.empty() && rounded.Frac.find_first_not_of('0') == std::string::npos;
    if (Negative && !isZero)
        out += '-';

    // Position counts from the units digit leftwards.
    const auto emitIntDigit = [&](int position) {
        out += intDigits[static_cast<std::size_t>(shown - 1 - position)];
        if (layout.Grouping && position > 0 && position % 3 == 0)
            out += ProgramLocale::ThousandSeparator;
    };
    int intSeen = 0;
    std::size_t fracSeen = 0;
    bool afterPoint = false;
    walkMask(Section, [&](char c, bool quoted) {
        if (quoted) {
            out += c;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                if (fracSeen < frac.size())
                    out += frac[fracSeen];
                ++fracSeen;
                return;
            }
            const int position = layout.IntPlaceholders - 1 - intSeen;
            if (intSeen == 0)
                for (int q = shown - 1; q > position; --q)
                    emitIntDigit(q);
            if (position < shown)
                emitIntDigit(position);
            ++intSeen;
        } else if (c == '.') {
            if (afterPoint)
                return;
            if (layout.IntPlaceholders == 0)
                for (int q = shown - 1; q >= 0; --q)
                    emitIntDigit(q);
            afterPoint = true;
            if (!frac.empty())
                out += ProgramLocale::DecimalSeparator;
        } else if (c != ',') {
            out += c;
        }
    });
    return out;
}

void appendPadded(std::string &Out, int Value, int Width)
{
    char buffer[16];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, Value);
    const int length = static_cast<int>(converted.ptr - buffer);
    Out.append(static_cast<std::size_t>(std::max(0, Width - length)), '0');
    Out.append(buffer, converted.ptr);
}

} // namespace

std::string groupThousands(std::string_view Digits)
{
    std::string out;
    for (std::size_t i = 0; i < Digits.size(); ++i) {
        if (i > 0 && (Digits.size() - i) % 3 == 0)
            out += ProgramLocale::ThousandSeparator;
        out += Digits[i];
    }
    return out;
}

std::string applyCurrencyFormat(std::string_view Amount, bool Negative)
{
    std::string out;
    if (Negative)
        out += '-';
    out += Amount;
    out += "\xC2\xA0"; // no-break space before the currency
    out += ProgramLocale::CurrencyString;
    return out;
}

std::string FormatFloat(std::string_view Format, double Value)
{
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value > 0 ? "INF" : "-INF";
    const std::vector<std::string_view> sections = splitSections(Format);
    std::string_view section = sections[0];
    bool minus = false;
    if (Value == 0) {
        if (sections.size() > 2 && !sections[2].empty())
            section = sections[2];
    } else if (Value < 0) {
        if (sections.size() > 1 && !sections[1].empty())
            section = sections[1];
        else
            minus = true;
    }
    return formatSection(section, std::fabs(Value), minus);
}

std::string DateToStr(TDateTime Date)
{
    int Year, Month, Day;
    DecodeDate(Date, Year, Month, Day);
    std::string out;
    appendPadded(out, Day, 2);
    out += '.';
    appendPadded(out, Month, 2);
    out += '.';
    appendPadded(out, Year, 4);
    return out;
}
