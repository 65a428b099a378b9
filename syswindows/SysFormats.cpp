#include "syswindows/SysFormats.h"

#include "core/MoneyRange.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"


QString CountText(int64_t Value)
{
    return QString::fromStdString(FormatFloat("#,##", double(Value)));
}

QString ReductionText(double Value)
{
    if (Value >= 0.00001)
        return QString::fromStdString(FormatFloat("0.00000", Value));
    return QStringLiteral("< 0") + QChar(QLatin1Char(ProgramLocale::DecimalSeparator)) + QStringLiteral("00001");
}

QString MoneyText(Currency Value)
{
    return QString::fromStdString(MoneyToStr(Value));
}

std::optional<Currency> SystemCost(const TGameInfo &Game, int K, int32_t Count)
{
    return InMoneyRange([&] { return BetCost(Game, K, Count); });
}

QString CostText(const std::optional<Currency> &Cost)
{
    return Cost ? MoneyText(*Cost) : QStringLiteral("poza zakresem");
}
