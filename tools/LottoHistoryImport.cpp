#include "tools/LottoHistoryImport.h"

#include "core/UGlobalFiles.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"

#include <charconv>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

// Reads one line strictly from left to right.
class LineCursor {
public:
    explicit LineCursor(std::string_view Text) : FText(Text) {}

    // A run of MinDigits..MaxDigits decimal digits.
    bool Number(int &Value, size_t MinDigits, size_t MaxDigits)
    {
        size_t length = 0;
        while (FPos + length < FText.size() && FText[FPos + length] >= '0' && FText[FPos + length] <= '9')
            ++length;
        if (length < MinDigits || length > MaxDigits)
            return false;
        std::from_chars(FText.data() + FPos, FText.data() + FPos + length, Value);
        FPos += length;
        return true;
    }

    bool Literal(char C)
    {
        if (FPos >= FText.size() || FText[FPos] != C)
            return false;
        ++FPos;
        return true;
    }

    bool AtEnd() const { return FPos == FText.size(); }

private:
    std::string_view FText;
    size_t FPos = 0;
};

struct THistoryDraw {
    int Ordinal = 0;
    TDateTime Date = 0;
    TDynByteArr Numbers;
};

// "N. DD.MM.YYYY a,b,c,...": Drawn numbers in 1..MaxNumber, ascending.
bool ParseHistoryLine(std::string_view Line, int MaxNumber, int Drawn, THistoryDraw &Draw)
{
    LineCursor cursor(Line);
    int day = 0, month = 0, year = 0;
    if (!cursor.Number(Draw.Ordinal, 1, 9) || !cursor.Literal('.') || !cursor.Literal(' ') ||
        !cursor.Number(day, 2, 2) || !cursor.Literal('.') || !cursor.Number(month, 2, 2) ||
        !cursor.Literal('.') || !cursor.Number(year, 4, 4) || !cursor.Literal(' ') ||
        !TryEncodeDate(year, month, day, Draw.Date))
        return false;
    Draw.Numbers.clear();
    for (int i = 0; i < Drawn; ++i) {
        int number = 0;
        if ((i > 0 && !cursor.Literal(',')) || !cursor.Number(number, 1, 3) || number < 1 || number > MaxNumber ||
            (i > 0 && number <= Draw.Numbers.back()))
            return false;
        Draw.Numbers.push_back(static_cast<uint8_t>(number));
    }
    return cursor.AtEnd();
}

[[noreturn]] void Fail(const std::string &FileName, size_t LineNo, const std::string &What)
{
    throw std::runtime_error(FileName + ":" + std::to_string(LineNo) + ": " + What);
}

// Lines end in LF or CR LF; a final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view Text)
{
    std::vector<std::string_view> lines;
    while (!Text.empty()) {
        const size_t end = Text.find('\n');
        std::string_view line = Text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        Text = end == std::string_view::npos ? std::string_view() : Text.substr(end + 1);
    }
    return lines;
}

} // namespace

TDateTime LottoHistoryStart()
{
    return EncodeDate(1992, 1, 1);
}

void ImportLottoHistory(const std::string &FileName, TDateTime FromDate, TDrawsManager &Manager)
{
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes))
        throw std::runtime_error(FileName + ": cannot read the draw history");
    const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    const std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty())
        throw std::runtime_error(FileName + ": the draw history is empty");

    const TGameInfo &game = Manager.GetGame()->Info;
    THistoryDraw draw;
    int previousOrdinal = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t lineNo = i + 1;
        if (!ParseHistoryLine(lines[i], game.MaxNumber, game.Drawn, draw))
            Fail(FileName, lineNo, "expected \"N. DD.MM.YYYY\" and " + std::to_string(game.Drawn) +
                                       " ascending numbers of 1.." + std::to_string(game.MaxNumber) +
                                       " separated by commas");
        if (i > 0 && draw.Ordinal != previousOrdinal + 1)
            Fail(FileName, lineNo, "draw " + std::to_string(draw.Ordinal) + " follows draw " +
                                       std::to_string(previousOrdinal));
        previousOrdinal = draw.Ordinal;
        if (draw.Date >= FromDate && Manager.AddDraw(draw.Numbers, draw.Date) == -1)
            Fail(FileName, lineNo, "a second draw on the same date");
    }
    Manager.BuildSelection(smEvery);
}

void MakeLottoDraws(const std::string &HistoryFile, const std::string &DrawsFile)
{
    TGameData lotto;
    lotto.Info.MaxNumber = 49;
    lotto.Info.Drawn = 6;
    lotto.Info.ShortName = "Lotto";
    TDrawsManager draws(&lotto, -1);
    ImportLottoHistory(HistoryFile, LottoHistoryStart(), draws);
    const std::filesystem::path folder = std::filesystem::path(DrawsFile).parent_path();
    std::error_code ignored;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    draws.SaveToFile(DrawsFile);
}
