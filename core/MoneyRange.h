#pragma once
// Amounts that may leave the range of money: such an amount is nothing, and a sum with nothing in it
// is nothing too.

#include "core/Currency.h"

#include <concepts>
#include <optional>
#include <stdexcept>

// Compute's amount, or nothing when it leaves the range of money.
template <std::invocable F> std::optional<Currency> InMoneyRange(F Compute)
{
    try {
        return Compute();
    } catch (const std::overflow_error &) {
        return std::nullopt;
    }
}

// A + B, or nothing when either is nothing or their sum leaves the range of money.
std::optional<Currency> SumInRange(const std::optional<Currency> &A, const std::optional<Currency> &B);
