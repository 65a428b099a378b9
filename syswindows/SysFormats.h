#pragma once
// The texts in which the system windows and their parameter dialogs show counts, reductions and money.

#include "core/Currency.h"

#include <QString>

#include <cstdint>
#include <optional>

struct TGameInfo;

// "#,##": thousands grouped, zero shows nothing.
QString CountText(int64_t Value);
// A share of all combinations, "0.00000"; below 0.00001 the text "< 0,00001".
QString ReductionText(double Value);
// The program's money format with two decimals: "1 234,50 zł".
QString MoneyText(Currency Value);

// BetCost, or nothing when the cost leaves the range of money.
std::optional<Currency> SystemCost(const TGameInfo &Game, int K, int32_t Count);
// MoneyText of an amount, or "poza zakresem" for one that does not fit.
QString CostText(const std::optional<Currency> &Cost);
