#include "controls/FloatText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// The 17 significant decimal digits of a positive finite value and the position of the decimal
// point relative to them (the count of integer digits; negative for leading zeros after the point).
struct DecimalDigits {
    std::string digits;
    int pointPos = 0;
};

DecimalDigits toDecimalDigits(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 16);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    DecimalDigits decimal;
    decimal.digits = text.substr(0, 1) + text.substr(2, e - 2);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    decimal.pointPos = exponent + 1;
    return decimal;
}

// Keeps the first `count` digits, rounding halves up; a carry out of the first digit adds one.
void roundDigits(DecimalDigits &decimal, int count)
{
    std::string &d = decimal.digits;
    if (count >= int(d.size()))
        return;
    if (count < 0) {
        d.clear();
        return;
    }
    const bool up = d[size_t(count)] >= '5';
    d.resize(size_t(count));
    if (!up)
        return;
    int i = count - 1;
    while (i >= 0 && d[size_t(i)] == '9')
        d[size_t(i--)] = '0';
    if (i < 0) {
        d.insert(d.begin(), '1');
        ++decimal.pointPos;
    } else {
        ++d[size_t(i)];
    }
}

QString zeroText(int digits, QChar separator)
{
    QString text = QStringLiteral("0");
    if (digits > 0)
        text += separator + QString(digits, QLatin1Char('0'));
    return text;
}

} // namespace

QChar localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString formatFloatFixed(double value, int precision, int digits, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    precision = std::clamp(precision, 1, 17);
    digits = std::clamp(digits, 0, 18);
    if (value == 0)
        return zeroText(digits, decimalSeparator);

    DecimalDigits decimal = toDecimalDigits(std::fabs(value));
    roundDigits(decimal, std::min(precision, decimal.pointPos + digits));
    const std::string &d = decimal.digits;
    if (std::all_of(d.begin(), d.end(), [](char c) { return c == '0'; }))
        return zeroText(digits, decimalSeparator);

    QString text = value < 0 ? QStringLiteral("-") : QString();
    const auto digitAt = [&d](int index) {
        return index >= 0 && index < int(d.size()) ? QLatin1Char(d[size_t(index)]) : QLatin1Char('0');
    };
    if (decimal.pointPos > precision) {
        const auto last = d.find_last_not_of('0');
        text += QLatin1Char(d[0]);
        if (last > 0)
            text += decimalSeparator + QString::fromLatin1(d.data() + 1, qsizetype(last));
        return text + QLatin1Char('E') + QString::number(decimal.pointPos - 1);
    }
    if (decimal.pointPos <= 0) {
        text += QLatin1Char('0');
    } else {
        for (int i = 0; i < decimal.pointPos; ++i)
            text += digitAt(i);
    }
    if (digits > 0) {
        text += decimalSeparator;
        for (int k = 0; k < digits; ++k)
            text += digitAt(decimal.pointPos + k);
    }
    return text;
}

std::optional<double> parseFloatText(const QString &text, QChar decimalSeparator)
{
    const QString s = text.trimmed();
    std::string ascii;
    qsizetype i = 0;
    const auto isDigit = [&s](qsizetype at) { return at < s.size() && s[at] >= u'0' && s[at] <= u'9'; };

    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-')
            ascii += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; isDigit(i); ++i, ++mantissaDigits)
        ascii += char(s[i].unicode());
    if (i < s.size() && s[i] == decimalSeparator) {
        ascii += '.';
        for (++i; isDigit(i); ++i, ++mantissaDigits)
            ascii += char(s[i].unicode());
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            ascii += char(s[i++].unicode());
        if (!isDigit(i))
            return std::nullopt;
        for (; isDigit(i); ++i)
            ascii += char(s[i].unicode());
    }
    if (i != s.size())
        return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

std::optional<int64_t> parseInt64Text(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            ascii += '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        ascii += char(text[i].unicode());
    }
    int64_t value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}
