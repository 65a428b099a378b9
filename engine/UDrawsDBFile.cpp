#include "engine/UDrawsDB.h"

#include "core/CalendarDate.h"
#include "core/UGlobalFiles.h"
#include "engine/UGameMan.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1250.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace {

constexpr size_t SeparatorLength = 3;

// A separator is matched as one byte of the file: the first character of its Windows-1250 text.
char SeparatorChar(const std::string &Sep)
{
    const std::string bytes = platform::utf8ToCp1250(Sep);
    return bytes.empty() ? '\0' : bytes.front();
}

// From Pos, the text up to the Count-th Sep (not included; earlier separators are kept) or the end of
// the line; Pos moves past what was read.
std::string_view NextField(size_t &Pos, std::string_view Line, int Count, char Sep)
{
    const size_t start = std::min(Pos, Line.size());
    int separators = 0;
    for (size_t i = start; i < Line.size(); ++i) {
        if (Line[i] == Sep && ++separators == Count) {
            Pos = i + 1;
            return Line.substr(start, i - start);
        }
    }
    Pos = Line.size();
    return Line.substr(start);
}

// The runs of decimal digits in Text.
int CountNumbers(std::string_view Text)
{
    int count = 0;
    for (size_t i = 0; i < Text.size(); ++i)
        if (Text[i] >= '0' && Text[i] <= '9' && (i == 0 || Text[i - 1] < '0' || Text[i - 1] > '9'))
            ++count;
    return count;
}

bool IsBlank(std::string_view Line)
{
    return Line.find_first_not_of(" \t") == std::string_view::npos;
}

// A whole positive decimal number, blanks around it allowed; 0 for anything else.
int DatePart(std::string_view Text)
{
    const size_t first = Text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return 0;
    Text = Text.substr(first, Text.find_last_not_of(" \t") - first + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    if (error != std::errc() || end != Text.data() + Text.size() || value < 0)
        return 0;
    return value;
}

void AppendNumber(std::string &Out, int Value, int Width = 0)
{
    char digits[16];
    char *end = std::to_chars(digits, digits + sizeof digits, Value).ptr;
    const auto length = static_cast<int>(end - digits);
    Out.append(static_cast<size_t>(std::max(0, Width - length)), '0');
    Out.append(digits, end);
}

// The lines of a text file; CR LF, LF and CR all end a line.
std::vector<std::string> ReadLines(const std::string &FileName)
{
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes))
        throw std::runtime_error("Nie można odczytać pliku losowań " + FileName);
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = static_cast<char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace

void WriteDrawsFormat(platform::ByteWriter &Stream, const TDrawsFormat &Fmt)
{
    Stream.put<uint8_t>(Fmt.DateField);
    Stream.put<uint8_t>(Fmt.NumbersField);
    Stream.put<uint8_t>(Fmt.UseMinDate ? 1 : 0);
    Stream.put(Fmt.MinDate);
    Stream.putShortString(Fmt.DateOrder, SeparatorLength);
    Stream.putShortString(Fmt.DateSep, SeparatorLength);
    Stream.putShortString(Fmt.NumberSep, SeparatorLength);
    Stream.putShortString(Fmt.FieldSep, SeparatorLength);
}

void ReadDrawsFormat(platform::ByteReader &Stream, TDrawsFormat &Fmt)
{
    Stream.get(Fmt.DateField);
    Stream.get(Fmt.NumbersField);
    uint8_t useMinDate = Fmt.UseMinDate ? 1 : 0;
    Stream.get(useMinDate);
    Fmt.UseMinDate = useMinDate != 0;
    Stream.get(Fmt.MinDate);
    if (!IsCalendarDate(Fmt.MinDate)) // a stored start that is no date is read as the default
        Fmt.MinDate = TDrawsFormat().MinDate;
    Stream.getShortString(Fmt.DateOrder, SeparatorLength);
    Stream.getShortString(Fmt.DateSep, SeparatorLength);
    Stream.getShortString(Fmt.NumberSep, SeparatorLength);
    Stream.getShortString(Fmt.FieldSep, SeparatorLength);
}

void TDrawsManager::LoadFromFile(const std::string &FileName)
{
    const std::vector<std::string> lines = ReadLines(FileName);
    Parser.Init(MaxNumber(), Drawn());
    Selection.Clear();
    Draws.Clear();
    SkippedLines = 0;

    std::vector<std::unique_ptr<TDraw>> parsed;
    for (const std::string &line : lines) {
        if (ParseLine(line))
            parsed.push_back(NewDraw(NumBuf, ParsedDate, 0));
        else if (!IsBlank(line))
            ++SkippedLines;
    }
    // In date order; of the lines with one date the first wins.
    std::stable_sort(parsed.begin(), parsed.end(),
                     [](const auto &A, const auto &B) { return A->Date < B->Date; });
    for (auto &draw : parsed) {
        if (Draws.Count() == 0 || Draws.GetItem(Draws.Count() - 1)->Date != draw->Date)
            Draws.AddItem(draw.release(), true);
        else
            ++SkippedLines;
    }
    BuildSelection(smEvery);
}

// The date from field DateField, the numbers from field NumbersField on: K fields when the numbers are
// separated like the fields, else one. Other fields are skipped. With RefuseExtraNumbers a numbers
// field holding more than K numbers refuses the line, and so does a number after the numbers when
// they are the line's last field (after the ordinal and the date).
bool TDrawsManager::ParseLine(std::string_view Line)
{
    const char fieldSep = SeparatorChar(Format.FieldSep);
    const int numbersSpan = fieldSep == SeparatorChar(Format.NumberSep) ? Drawn() : 1;
    const int lastField = std::max<int>(Format.DateField, Format.NumbersField);
    bool hasDate = false;
    bool hasNumbers = false;
    size_t pos = 0;
    for (int field = 1; field <= lastField;) {
        if (field == Format.NumbersField) {
            const std::string_view text = NextField(pos, Line, numbersSpan, fieldSep);
            if (!Parser.Parse(text, true, true) || Parser.Count < Drawn())
                return false;
            const bool numbersLast = field > Format.DateField && field >= 3;
            if (RefuseExtraNumbers &&
                (CountNumbers(text) > Drawn() || (numbersLast && CountNumbers(Line.substr(pos)) > 0)))
                return false;
            NumBuf.assign(Parser.Comb.begin(), Parser.Comb.begin() + Drawn());
            hasNumbers = true;
            field += numbersSpan;
            continue;
        }
        const std::string_view text = NextField(pos, Line, 1, fieldSep);
        if (field == Format.DateField) {
            ParsedDate = ParseDate(text);
            if (ParsedDate == 0 || (Format.UseMinDate && ParsedDate < Format.MinDate))
                return false;
            hasDate = true;
        }
        ++field;
    }
    return hasDate && hasNumbers && CheckParsed();
}

// Three parts separated by DateSep, ordered as DateOrder says; 0 for a missing, malformed or
// impossible date.
TDateTime TDrawsManager::ParseDate(std::string_view Field) const
{
    const char dateSep = SeparatorChar(Format.DateSep);
    int year = 0, month = 0, day = 0;
    size_t pos = 0;
    for (size_t part = 0; part < 3; ++part) {
        const int value = DatePart(NextField(pos, Field, 1, dateSep));
        if (value == 0)
            return 0;
        const char letter = part < Format.DateOrder.size() ? Format.DateOrder[part] : '\0';
        if (letter == 'D')
            day = value;
        else if (letter == 'M')
            month = value;
        else if (letter == 'R')
            year = value;
    }
    TDateTime date = 0;
    return TryEncodeDate(year, month, day, date) ? date : 0;
}

// The numbers sorted, distinct and within 1..N.
bool TDrawsManager::CheckParsed()
{
    std::sort(NumBuf.begin(), NumBuf.end());
    for (size_t i = 0; i < NumBuf.size(); ++i) {
        if (NumBuf[i] == 0 || NumBuf[i] > MaxNumber() || (i > 0 && NumBuf[i] == NumBuf[i - 1]))
            return false;
    }
    return true;
}

void TDrawsManager::SaveToFile(const std::string &FileName) const
{
    const std::string fieldSep = platform::utf8ToCp1250(Format.FieldSep);
    const std::string dateSep = platform::utf8ToCp1250(Format.DateSep);
    const std::string numberSep = platform::utf8ToCp1250(Format.NumberSep);
    std::string text;
    for (int i = 0; i < Draws.Count(); ++i) {
        const TDraw &draw = *Draws.GetItem(i);
        AppendNumber(text, i + 1); // the ordinal, current even before a renumbering
        text += fieldSep;
        int year, month, day;
        DecodeDate(draw.Date, year, month, day);
        for (size_t part = 0; part < 3; ++part) {
            if (part > 0)
                text += dateSep;
            switch (part < Format.DateOrder.size() ? Format.DateOrder[part] : '\0') {
            case 'D':
                AppendNumber(text, day, 2);
                break;
            case 'M':
                AppendNumber(text, month, 2);
                break;
            case 'R':
                AppendNumber(text, year, 4);
                break;
            default:
                break;
            }
        }
        text += fieldSep;
        for (size_t n = 0; n < draw.Numbers.size(); ++n) {
            if (n > 0)
                text += numberSep;
            AppendNumber(text, draw.Numbers[n]);
        }
        text += fieldSep;
        text += "\r\n";
    }
    const auto *bytes = reinterpret_cast<const uint8_t *>(text.data());
    if (!platform::writeFileAtomically(FileName, std::span<const uint8_t>(bytes, text.size())))
        throw std::runtime_error("Nie można zapisać pliku losowań " + FileName);
}
