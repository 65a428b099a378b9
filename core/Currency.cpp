#include "core/Currency.h"

#include "core/ProgramLocale.h"

#include <cmath>
#include <stdexcept>

namespace {

// Num / Den rounded to the nearest integer, halves to even.
__int128 divideHalfEven(__int128 Num, __int128 Den)
{
    __int128 quotient = Num / Den;
    const __int128 remainder = Num % Den;
    if (remainder != 0) {
        const __int128 twiceRemainder = remainder < 0 ? -2 * remainder : 2 * remainder;
        const __int128 divisor = Den < 0 ? -Den : Den;
        const int away = (Num < 0) != (Den < 0) ? -1 : 1;
        if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0))
            quotient += away;
    }
    return quotient;
}

int64_t checkedCount(__int128 Count)
{
    if (Count > INT64_MAX || Count < INT64_MIN)
        throw std::overflow_error("Currency overflow");
    return static_cast<int64_t>(Count);
}

// Count x Factor exactly, rounded half to even.
int64_t multiplyExact(int64_t Count, double Factor)
{
    if (!std::isfinite(Factor))
        throw std::overflow_error("Currency multiplied by a value that is not finite");
    if (Count == 0 || Factor == 0)
        return 0;
    int exponent = 0;
    const double fraction = std::frexp(Factor, &exponent);
    // Factor = mantissa x 2^exponent with a 53-bit integral mantissa.
    const auto mantissa = static_cast<int64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    const __int128 product = static_cast<__int128>(Count) * mantissa; // below 2^116 in magnitude
    if (exponent >= 0) {
        if (exponent > 63)
            throw std::overflow_error("Currency overflow");
        return checkedCount(checkedCount(product) * (static_cast<__int128>(1) << exponent));
    }
    if (exponent < -117)
        return 0; // below a quarter of a unit
    return checkedCount(divideHalfEven(product, static_cast<__int128>(1) << -exponent));
}

} // namespace

Currency Currency::fromDouble(double Amount)
{
    return Currency(multiplyExact(Scale, Amount));
}

double Currency::toDouble() const
{
    return static_cast<double>(static_cast<long double>(count_) / Scale);
}

Currency Currency::operator-() const
{
    if (count_ == INT64_MIN)
        throw std::overflow_error("Currency overflow");
    return Currency(-count_);
}

Currency operator+(Currency A, Currency B)
{
    int64_t sum = 0;
    if (__builtin_add_overflow(A.count_, B.count_, &sum))
        throw std::overflow_error("Currency overflow");
    return Currency(sum);
}

Currency operator-(Currency A, Currency B)
{
    int64_t difference = 0;
    if (__builtin_sub_overflow(A.count_, B.count_, &difference))
        throw std::overflow_error("Currency overflow");
    return Currency(difference);
}

Currency operator*(Currency A, Currency B)
{
    const __int128 product = static_cast<__int128>(A.count_) * B.count_;
    return Currency(checkedCount(divideHalfEven(product, Currency::Scale)));
}

Currency operator*(Currency A, double Factor)
{
    return Currency(multiplyExact(A.count_, Factor));
}

Currency Currency::multiplyWhole(Currency A, __int128 Factor)
{
    // |count| < 2^63 and |Factor| <= 2^64, so the product fits.
    return Currency(checkedCount(static_cast<__int128>(A.count_) * Factor));
}

Currency Currency::divideWhole(Currency A, __int128 Divisor)
{
    if (Divisor == 0)
        throw std::domain_error("Currency divided by zero");
    return Currency(checkedCount(divideHalfEven(A.count_, Divisor)));
}

std::string CurrToStr(Currency Value)
{
    const int64_t count = Value.count();
    const uint64_t magnitude = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    std::string out = count < 0 ? "-" : "";
    out += std::to_string(magnitude / Currency::Scale);
    uint64_t fraction = magnitude % Currency::Scale;
    if (fraction != 0) {
        std::string decimals(4, '0');
        for (int i = 3; i >= 0; --i, fraction /= 10)
            decimals[static_cast<std::size_t>(i)] = static_cast<char>('0' + fraction % 10);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        out += ProgramLocale::DecimalSeparator;
        out += decimals;
    }
    return out;
}

bool TryStrToCurr(std::string_view Text, Currency &Value)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!Text.empty() && isBlank(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && isBlank(Text.back()))
        Text.remove_suffix(1);
    bool negative = false;
    if (!Text.empty() && (Text.front() == '-' || Text.front() == '+')) {
        negative = Text.front() == '-';
        Text.remove_prefix(1);
    }
    const std::size_t separator = Text.find(ProgramLocale::DecimalSeparator);
    const std::string_view whole = Text.substr(0, separator);
    const std::string_view decimals =
        separator == std::string_view::npos ? std::string_view() : Text.substr(separator + 1);
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.empty() && decimals.empty())
        return false;
    if (!allDigits(whole) || !allDigits(decimals))
        return false;

    __int128 count = 0;
    for (const char c : whole) {
        count = count * 10 + (c - '0');
        if (count > static_cast<__int128>(INT64_MAX) + 1)
            return false;
    }
    for (std::size_t i = 0; i < 4; ++i)
        count = count * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    if (decimals.size() > 4) {
        const std::string_view rest = decimals.substr(5);
        const char first = decimals[4];
        const bool beyondHalf =
            first > '5' || (first == '5' && rest.find_first_not_of('0') != std::string_view::npos);
        const bool half = first == '5' && !beyondHalf;
        if (beyondHalf || (half && count % 2 != 0))
            count += 1;
    }
    if (negative)
        count = -count;
    if (count > INT64_MAX || count < INT64_MIN)
        return false;
    Value = Currency::fromCount(static_cast<int64_t>(count));
    return true;
}
