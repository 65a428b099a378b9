#pragma once
// Small routines shared by the engine: money text, calendar starts, splitting and counting, free memory.

#include "core/Currency.h"
#include "core/DateTime.h"
#include "core/DynArrays.h"

#include <cstdint>
#include <string>
#include <string_view>

// The amount in the program's money format with two decimals (halves away from zero): "1 234,50 zł".
std::string MoneyToStr(Currency Value);
// Reads back what MoneyToStr shows (groups of three digits, the currency after a no-break space) or a
// plain amount as TryStrToCurr takes it; false, leaving Value unchanged, for anything else.
bool TryMoneyToCurr(std::string_view Text, Currency &Value);

// The Monday of D's week, the time of day kept.
TDateTime FirstDayOfWeek(TDateTime D);
// The first day of D's month and 1 January of D's year, at midnight.
TDateTime FirstDayOfMonth(TDateTime D);
TDateTime FirstDayOfYear(TDateTime D);

int32_t CountChar(std::string_view S, char Ch);
// The parts of S between separators; a separator ending S ends the last part, adding no empty one.
TStrArray SplitStr(std::string_view S, char Sep);
int32_t CountTrue(const TDynBoolArr &A);

// Available physical memory in bytes.
uint64_t GetAvailPhysMem();

// The outcome of an operation that names its failing step: Code 0 for success, else the step's number,
// and the step's message.
struct TError {
    int32_t Code = 0;
    std::string Msg;
};
