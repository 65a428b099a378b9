#include "core/MoneyRange.h"

std::optional<Currency> SumInRange(const std::optional<Currency> &A, const std::optional<Currency> &B)
{
    if (!A || !B)
        return std::nullopt;
    return InMoneyRange([&] { return *A + *B; });
}
