#include "syswindows/CheckTable.h"

#include "core/DateTime.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "syswindows/SysFormats.h"

#include <algorithm>
#include <optional>

namespace {

// The rows of Rows that hold the widest texts (see WidenToWidestRows).
std::vector<int> WidestRows(const std::vector<TCheckRow> &Rows)
{
    if (Rows.empty())
        return {};
    std::vector<size_t> hits(Rows.front().Hits.size(), 0);
    size_t sum = 0, index = 0;
    std::optional<size_t> win, beyond;
    for (size_t r = 0; r < Rows.size(); ++r) {
        const TCheckRow &row = Rows[r];
        for (size_t e = 0; e < hits.size(); ++e)
            if (row.Hits[e] > Rows[hits[e]].Hits[e])
                hits[e] = r;
        if (row.Sum > Rows[sum].Sum)
            sum = r;
        if (row.Index > Rows[index].Index)
            index = r;
        if (!row.Win)
            beyond = beyond.value_or(r);
        else if (!win || *row.Win > *Rows[*win].Win)
            win = r;
    }
    std::vector<size_t> widest = hits;
    widest.insert(widest.end(), {0, sum, index});
    for (const std::optional<size_t> &row : {win, beyond})
        if (row)
            widest.push_back(*row);
    std::sort(widest.begin(), widest.end());
    widest.erase(std::unique(widest.begin(), widest.end()), widest.end());
    std::vector<int> rows;
    for (const size_t row : widest)
        rows.push_back(int(row));
    return rows;
}

} // namespace

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

void WidenToWidestRows(TResultGrid &Grid, const std::vector<TCheckRow> &Rows, int First, std::vector<int> Also)
{
    for (const int row : WidestRows(Rows))
        Also.push_back(row + First);
    Grid.WidenToRows(Also);
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
