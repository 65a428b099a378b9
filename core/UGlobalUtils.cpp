#include "core/UGlobalUtils.h"

#include "core/ProgramLocale.h"
#include "platform/MemoryStatus.h"

#include <algorithm>

std::string MoneyToStr(Currency Value)
{
    const int64_t count = Value.count();
    const uint64_t magnitude = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    static_assert(ProgramLocale::CurrencyDecimals == 2);
    // From 1/10000 to 1/100 of the unit.
    const uint64_t hundredths = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    const std::string cents = std::to_string(hundredths % 100);
    std::string amount = groupThousands(std::to_string(hundredths / 100));
    amount += ProgramLocale::DecimalSeparator;
    amount += (cents.size() < 2 ? "0" : "") + cents;
    return applyCurrencyFormat(amount, count < 0 && hundredths != 0);
}

bool TryMoneyToCurr(std::string_view Text, Currency &Value)
{
    const std::string_view nbsp = ProgramLocale::ThousandSeparator;
    const auto trim = [](std::string_view &s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
    };
    trim(Text);
    const std::string suffix = std::string(nbsp) + std::string(ProgramLocale::CurrencyString);
    if (Text.ends_with(suffix))
        Text.remove_suffix(suffix.size());
    // The whole part's groups: the first of one to three digits, each further one of three.
    std::string plain;
    const size_t decimals = std::min(Text.find(ProgramLocale::DecimalSeparator), Text.size());
    size_t group = 0;
    bool grouped = false;
    for (size_t i = 0; i < decimals;) {
        if (Text.substr(i).starts_with(nbsp)) {
            if (group == 0 || group > 3 || (grouped && group != 3))
                return false;
            grouped = true;
            group = 0;
            i += nbsp.size();
            continue;
        }
        plain += Text[i];
        if (Text[i] != '-' && Text[i] != '+')
            ++group;
        ++i;
    }
    if (grouped && group != 3)
        return false;
    plain += Text.substr(decimals);
    return TryStrToCurr(plain, Value);
}

TDateTime FirstDayOfWeek(TDateTime D)
{
    return D - DayOfTheWeek(D) + 1;
}

TDateTime FirstDayOfMonth(TDateTime D)
{
    int Year, Month, Day;
    DecodeDate(D, Year, Month, Day);
    return EncodeDate(Year, Month, 1);
}

TDateTime FirstDayOfYear(TDateTime D)
{
    int Year, Month, Day;
    DecodeDate(D, Year, Month, Day);
    return EncodeDate(Year, 1, 1);
}

int32_t CountChar(std::string_view S, char Ch)
{
    return static_cast<int32_t>(std::count(S.begin(), S.end(), Ch));
}

TStrArray SplitStr(std::string_view S, char Sep)
{
    TStrArray Parts;
    std::size_t start = 0;
    for (std::size_t end = S.find(Sep); end != std::string_view::npos; end = S.find(Sep, start)) {
        Parts.emplace_back(S.substr(start, end - start));
        start = end + 1;
    }
    if (start < S.size())
        Parts.emplace_back(S.substr(start));
    return Parts;
}

int32_t CountTrue(const TDynBoolArr &A)
{
    return static_cast<int32_t>(std::count(A.begin(), A.end(), true));
}

uint64_t GetAvailPhysMem()
{
    return platform::availablePhysicalMemory();
}
