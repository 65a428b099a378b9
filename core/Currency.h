#pragma once
// Money: a signed 64-bit count of 1/10000 units. Every product, quotient and conversion from a double is
// rounded back to that unit, halves to even, from the exact result; a result outside the 64-bit range
// throws std::overflow_error.

#include <compare>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromCount(int64_t Count) { return Currency(Count); }
    // Amount x 10000 rounded half to even; std::overflow_error when out of range or not a number.
    static Currency fromDouble(double Amount);
    static constexpr Currency maxValue() { return Currency(INT64_MAX); }
    static constexpr Currency minValue() { return Currency(INT64_MIN); }

    constexpr int64_t count() const { return count_; }
    double toDouble() const;

    friend constexpr auto operator<=>(Currency, Currency) = default;

    Currency operator-() const;
    friend Currency operator+(Currency A, Currency B);
    friend Currency operator-(Currency A, Currency B);
    Currency &operator+=(Currency B) { return *this = *this + B; }
    Currency &operator-=(Currency B) { return *this = *this - B; }

    friend Currency operator*(Currency A, Currency B);
    friend Currency operator*(Currency A, double Factor);
    friend Currency operator*(double Factor, Currency A) { return A * Factor; }
    template <std::integral I> friend Currency operator*(Currency A, I Factor)
    {
        return multiplyWhole(A, static_cast<__int128>(Factor));
    }
    template <std::integral I> friend Currency operator*(I Factor, Currency A)
    {
        return multiplyWhole(A, static_cast<__int128>(Factor));
    }
    // std::domain_error for a zero divisor.
    template <std::integral I> friend Currency operator/(Currency A, I Divisor)
    {
        return divideWhole(A, static_cast<__int128>(Divisor));
    }

private:
    constexpr explicit Currency(int64_t Count) : count_(Count) {}
    static Currency multiplyWhole(Currency A, __int128 Factor);
    static Currency divideWhole(Currency A, __int128 Divisor);

    int64_t count_ = 0;
};

using TDynCurrArray = std::vector<Currency>;

// The amount with the program's decimal separator and only the decimals needed: "1234,5", "-0,0001", "0".
std::string CurrToStr(Currency Value);
// Parses [sign]digits[,digits] (surrounding blanks allowed), rounding beyond four decimals half to even;
// false, leaving Value unchanged, for anything else or an amount out of range.
bool TryStrToCurr(std::string_view Text, Currency &Value);
