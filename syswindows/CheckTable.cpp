#include "syswindows/CheckTable.h"

#include "core/DateTime.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "syswindows/SysFormats.h"

std::vector<TResultColumn> TCheckColumns::Columns(const TResultColumn &Label) const
{
    std::vector<TResultColumn> columns;
    if (HasLabel)
        columns.push_back(Label);
    for (int i = 0; i < HitCount; ++i)
        columns.push_back({QLatin1Char('\'') + QString::number(TopLevel - i) + QLatin1Char('\''), 38 + i, alRight,
                           ckHits, 1, true});
    if (WithSum)
        columns.push_back({QStringLiteral("Suma"), 55, alRight, ckSum, 1, true});
    columns.push_back({QStringLiteral("Wygrana"), 100, alRight, ckWin, 1, true});
    return columns;
}

QString TCheckColumns::CellText(const TCheckRow &Row, int Col, TZeroText Zeros) const
{
    const int hit = Col - (HasLabel ? 1 : 0);
    if (hit < 0)
        return {};
    const auto count = [Zeros](int64_t Value) {
        return Value == 0 && Zeros == ztShown ? QStringLiteral("0") : CountText(Value);
    };
    if (hit < HitCount)
        return count(Row.Hits[FirstHit + size_t(hit)]);
    if (WithSum && hit == HitCount)
        return count(Row.Sum);
    return Row.Win == Currency() && Zeros == ztBlank ? QString() : CostText(Row.Win);
}

QString GroupRowLabel(const TCheckRow &Row, TCheckGroup Group, int32_t DrawNo)
{
    switch (Group) {
    case cgDay:
        if (!ProgramParams.StatShowDate)
            return QString::number(DrawNo);
        [[fallthrough]];
    case cgWeek:
        return QString::fromStdString(DateToStr(Row.Date));
    default:
        break;
    }
    int year = 0, month = 0, day = 0;
    DecodeDate(Row.Date, year, month, day);
    if (Group == cgMonth)
        return QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year, 4, 10, QLatin1Char('0'));
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

QString NumbersText(const uint8_t *Numbers, size_t Count, const char *Format)
{
    std::string text;
    CombToStr(Numbers, uint8_t(Count), Format, text);
    return QString::fromStdString(text);
}
