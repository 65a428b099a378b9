#include "engine/UDrawsRange.h"

#include "core/CalendarDate.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"

#include <cmath>
#include <span>
#include <utility>

namespace {

constexpr const char *RangeValueName = "Params";

TDateTime Today()
{
    return std::floor(Now());
}

// From 30 December 1899 (day 0) to 31 December 9999.
bool IsStoredDate(TDateTime Date)
{
    return Date >= 0 && IsCalendarDate(Date);
}

std::string RangeSection(const std::string &Key, uint8_t GameId)
{
    return Key + "\\" + std::to_string(GameId);
}

void WriteFlags(platform::ByteWriter &Stream, std::span<const bool> Items)
{
    for (bool item : Items)
        Stream.put<uint8_t>(item ? 1 : 0);
}

void ReadBool(platform::ByteReader &Stream, bool &Value)
{
    uint8_t raw = Value ? 1 : 0;
    Stream.get(raw);
    Value = raw != 0;
}

void ReadFlags(platform::ByteReader &Stream, std::span<bool> Items)
{
    for (bool &item : Items)
        ReadBool(Stream, item);
}

// Allowed items, or an empty text when all or none of them are.
template <typename TItemText>
std::string AllowedItems(std::span<const bool> Items, const char *Separator, TItemText ItemText)
{
    std::string text;
    size_t allowed = 0;
    for (size_t i = 0; i < Items.size(); ++i) {
        if (!Items[i])
            continue;
        if (allowed++ > 0)
            text += Separator;
        text += ItemText(i);
    }
    return allowed == 0 || allowed == Items.size() ? std::string() : text;
}

} // namespace

void DefaultDrawsRange(TDrawsRange &R)
{
    const TDateTime today = Today();
    R = TDrawsRange{};
    R.StartDate = IncMonth(today, -1);
    R.EndDate = today;
    R.AnchorDate = today;
}

void RepairDrawsRange(TDrawsRange &R)
{
    if (R.Mode > drIndexes)
        R.Mode = drAll;
    for (TDateTime *date : {&R.StartDate, &R.EndDate, &R.AnchorDate}) {
        if (!IsStoredDate(*date))
            *date = Today();
    }
    if (R.PeriodUnit > puDraw)
        R.PeriodUnit = puDay;
    if (R.PeriodCount < 1)
        R.PeriodCount = 1;
    if (R.FirstIndex < 1)
        R.FirstIndex = 1;
    if (R.LastIndex < 1)
        R.LastIndex = 1;
    if (R.FirstIndex > R.LastIndex)
        std::swap(R.FirstIndex, R.LastIndex);
}

void WriteDrawsRange(platform::ByteWriter &Stream, const TDrawsRange &R)
{
    Stream.put<uint8_t>(R.Mode);
    Stream.put<uint8_t>(R.UseStart ? 1 : 0);
    Stream.put<uint8_t>(R.UseEnd ? 1 : 0);
    Stream.put(R.StartDate);
    Stream.put(R.EndDate);
    Stream.put<uint8_t>(R.Backward ? 1 : 0);
    Stream.put<uint8_t>(R.UseAnchor ? 1 : 0);
    Stream.put(R.AnchorDate);
    Stream.put<uint8_t>(R.PeriodUnit);
    Stream.put(R.PeriodCount);
    Stream.put(R.FirstIndex);
    Stream.put(R.LastIndex);
    WriteFlags(Stream, R.WeekDays);
    WriteFlags(Stream, R.MonthDays);
    WriteFlags(Stream, R.Months);
    WriteFlags(Stream, R.Quarters);
    Stream.put(R.From);
    Stream.put(R.To);
    Stream.put(R.Count);
}

void ReadDrawsRange(platform::ByteReader &Stream, TDrawsRange &R)
{
    Stream.get(R.Mode);
    ReadBool(Stream, R.UseStart);
    ReadBool(Stream, R.UseEnd);
    Stream.get(R.StartDate);
    Stream.get(R.EndDate);
    ReadBool(Stream, R.Backward);
    ReadBool(Stream, R.UseAnchor);
    Stream.get(R.AnchorDate);
    Stream.get(R.PeriodUnit);
    Stream.get(R.PeriodCount);
    Stream.get(R.FirstIndex);
    Stream.get(R.LastIndex);
    ReadFlags(Stream, R.WeekDays);
    ReadFlags(Stream, R.MonthDays);
    ReadFlags(Stream, R.Months);
    ReadFlags(Stream, R.Quarters);
    Stream.get(R.From);
    Stream.get(R.To);
    Stream.get(R.Count);
}

void LoadDrawsRange(const TGameData &Game, const std::string &Key, TDrawsRange &R)
{
    DefaultDrawsRange(R);
    RegStream.Clear();
    if (RegStream.LoadFromReg(RangeSection(Key, Game.Info.Id), RangeValueName)) {
        platform::ByteReader stream(RegStream.Memory());
        ReadDrawsRange(stream, R);
    }
    RepairDrawsRange(R);
}

void SaveDrawsRange(uint8_t GameId, const TDrawsRange &R, const std::string &Key)
{
    platform::ByteWriter stream;
    WriteDrawsRange(stream, R);
    RegStream.Clear();
    RegStream.WriteData(RangeSection(Key, GameId), RangeValueName, stream.bytes());
}

std::string DrawsRangePartText(const TDrawsRange &Range, int Part)
{
    const auto number = [](size_t i) { return std::to_string(i + 1); };
    switch (Part) {
    case 0:
        return AllowedItems(Range.WeekDays, " ",
                            [](size_t i) { return std::string(ProgramLocale::ShortDayNames[i]); });
    case 1:
        return AllowedItems(Range.MonthDays, ",", number);
    case 2:
        return AllowedItems(Range.Months, ",", number);
    case 3:
        return AllowedItems(Range.Quarters, ",", number);
    default:
        return {};
    }
}

void DrawsRangeShortDays(const TDrawsRange &, std::string &)
{
}

std::string DrawsRangeDaysText(const TDrawsRange &R)
{
    static constexpr const char *Labels[4] = {"Dni tygodnia: ", "Dni miesiąca: ", "Miesiące: ", "Kwartały: "};
    std::string text;
    for (int part = 0; part < 4; ++part) {
        const std::string items = DrawsRangePartText(R, part);
        if (!items.empty())
            text += Labels[part] + items + "; ";
    }
    return text.empty() ? "brak" : text;
}

std::string DrawsRangeSummary(const TDrawsRange &R, bool Short)
{
    if (R.Count == 0)
        return "Brak losowań";
    const std::string period = DateToStr(R.From) + " - " + DateToStr(R.To);
    std::string days;
    DrawsRangeShortDays(R, days);
    const std::string count = std::to_string(R.Count);
    if (Short)
        return "LL: " + count + ";  O: " + period + ";  DT: " + days + ";";
    return "Liczba losowań: " + count + ";  Okres: " + period + ";  Dni tygodnia: " + days + ";";
}
