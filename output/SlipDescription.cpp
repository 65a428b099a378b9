#include "output/SlipDescription.h"

#include "core/FieldLines.h"
#include "core/UGlobalFiles.h"
#include "engine/UGame.h"
#include "engine/UGameDescription.h"
#include "output/UBlankPrint.h"
#include "platform/AtomicFile.h"
#include "platform/ByteStream.h"
#include "platform/Cp1250.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

constexpr size_t NameSize = 128;

std::optional<double> ParseLength(std::string_view S)
{
    double value = 0;
    const auto [end, error] = std::from_chars(S.data(), S.data() + S.size(), value);
    if (error != std::errc() || end != S.data() + S.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

struct TGridText {
    bool Present = false;
    uint8_t PerRow = 0;
    uint8_t FirstCol = 0;
    uint8_t Low = 0;
    uint8_t High = 0;
    TMmPoint Offset;
};

struct TSlipText {
    std::string Game;
    std::string Name;
    uint8_t Id = 0;
    std::map<std::string, double, std::less<>> Lengths;
    uint8_t PerRow = 0;
    uint8_t FirstCol = 0;
    std::map<int, TMmPoint> Panels;
    std::array<TGridText, 3> Grids;
    bool HasMarker = false;
    TMmPoint Marker;
    TMmPoint Caption;
};

// The lengths in the order of the file.
constexpr std::array<const char *, 6> LengthFields{"CellSizeY", "CellSizeX", "GapY", "GapX", "MarkSizeX", "MarkSizeY"};

class TSlipParser {
public:
    std::string Parse(std::string_view Text, TSlipText &Slip);

private:
    std::string Field(std::string_view Key, std::string_view Value, TSlipText &Slip);
    std::string Finish(const TSlipText &Slip) const;

    std::set<std::string, std::less<>> Seen;
};

std::optional<TMmPoint> ParsePoint(std::string_view Value)
{
    const auto words = SplitWords(Value);
    if (words.size() != 2)
        return std::nullopt;
    const auto x = ParseLength(words[0]);
    const auto y = ParseLength(words[1]);
    if (!x || !y)
        return std::nullopt;
    return TMmPoint{*x, *y};
}

// "Panel 3" answers 3; 0 when Key is not Prefix and a number of 1..255.
int NumberedKey(std::string_view Key, std::string_view Prefix)
{
    if (!Key.starts_with(Prefix))
        return 0;
    const auto number = ParseByteText(TrimBlanks(Key.substr(Prefix.size())));
    return number ? *number : 0;
}

std::string TSlipParser::Parse(std::string_view Text, TSlipText &Slip)
{
    const std::string fault = ParseFieldLines(
        Text, [&](std::string_view Key, std::string_view Value) { return Field(Key, Value, Slip); }, Seen);
    return fault.empty() ? Finish(Slip) : fault;
}

std::string TSlipParser::Field(std::string_view Key, std::string_view Value, TSlipText &Slip)
{
    const std::map<std::string_view, uint8_t *> bytes{
        {"Id", &Slip.Id}, {"PerRow", &Slip.PerRow}, {"FirstCol", &Slip.FirstCol}};
    if (const auto it = bytes.find(Key); it != bytes.end()) {
        const auto value = ParseByteText(Value);
        if (!value)
            return "a number of 0..255 expected";
        *it->second = *value;
    } else if (std::find(LengthFields.begin(), LengthFields.end(), Key) != LengthFields.end()) {
        const auto value = ParseLength(Value);
        if (!value)
            return "a length expected";
        Slip.Lengths[std::string(Key)] = *value;
    } else if (Key == "Game" || Key == "Name") {
        if (Value.empty())
            return "an empty text";
        if (Key == "Name" && platform::utf8ToCp1250(Value).size() >= NameSize)
            return "the name is too long";
        (Key == "Game" ? Slip.Game : Slip.Name) = std::string(Value);
    } else if (Key == "Marker" || Key == "Caption") {
        const auto point = ParsePoint(Value);
        if (!point)
            return "\"X Y\" expected";
        (Key == "Marker" ? Slip.Marker : Slip.Caption) = *point;
        Slip.HasMarker = Slip.HasMarker || Key == "Marker";
    } else if (const int panel = NumberedKey(Key, "Panel "); panel > 0) {
        const auto point = ParsePoint(Value);
        if (!point)
            return "\"X Y\" expected";
        Slip.Panels[panel] = *point;
    } else if (const int grid = NumberedKey(Key, "Grid "); grid >= 1 && grid <= 3) {
        const auto words = SplitWords(Value);
        TGridText &g = Slip.Grids[size_t(grid - 1)];
        std::array<std::optional<uint8_t>, 4> numbers;
        std::array<std::optional<double>, 2> offset;
        if (words.size() == 6) {
            for (size_t i = 0; i < numbers.size(); ++i)
                numbers[i] = ParseByteText(words[i]);
            offset = {ParseLength(words[4]), ParseLength(words[5])};
        }
        if (!numbers[0] || !numbers[1] || !numbers[2] || !numbers[3] || !offset[0] || !offset[1])
            return "\"PerRow FirstCol Low High X Y\" expected";
        g = {true, *numbers[0], *numbers[1], *numbers[2], *numbers[3], {*offset[0], *offset[1]}};
    } else {
        return "unknown field \"" + std::string(Key) + "\"";
    }
    return {};
}

std::string TSlipParser::Finish(const TSlipText &Slip) const
{
    for (const char *key : {"Game", "Id", "Name", "PerRow", "FirstCol", "Caption"})
        if (!Seen.contains(std::string_view(key)))
            return std::string("\"") + key + "\" is missing";
    for (const char *key : LengthFields)
        if (!Slip.Lengths.contains(std::string_view(key)))
            return std::string("\"") + key + "\" is missing";
    if (Slip.Panels.empty())
        return "\"Panel 1\" is missing";
    if (Slip.Panels.rbegin()->first != int(Slip.Panels.size()))
        return "the panels are not numbered 1.." + std::to_string(Slip.Panels.size());
    return {};
}

TDynByteArr LayoutBytes(const TSlipText &Slip, uint8_t GameId)
{
    platform::ByteWriter out;
    writeFileHeader(out, {CurrentFileVersion, GameId, fkSlipLayout, Slip.Id});
    out.putZeroTerminated(Slip.Name, NameSize);
    for (const char *key : LengthFields)
        out.put(Slip.Lengths.find(std::string_view(key))->second);
    out.put(uint8_t(Slip.Panels.size()));
    out.put(Slip.PerRow);
    out.put(Slip.FirstCol);
    for (const auto &[number, panel] : Slip.Panels) {
        out.put(panel.X);
        out.put(panel.Y);
    }
    for (const TGridText &grid : Slip.Grids) {
        out.put(uint8_t(grid.Present));
        if (!grid.Present)
            continue;
        for (const uint8_t value : {grid.PerRow, grid.FirstCol, grid.Low, grid.High})
            out.put(value);
        out.put(grid.Offset.X);
        out.put(grid.Offset.Y);
    }
    out.put(uint8_t(Slip.HasMarker));
    if (Slip.HasMarker) {
        out.put(Slip.Marker.X);
        out.put(Slip.Marker.Y);
    }
    out.put(Slip.Caption.X);
    out.put(Slip.Caption.Y);
    AppendStreamCRC(out);
    return out.take();
}

struct TBox {
    std::string What;
    double Left, Top, Right, Bottom;
};

// The boxes of the layout, named, in the order of AllMarkPoints.
std::vector<TBox> LayoutBoxes(const TPrintForm &Form)
{
    std::vector<std::string> names;
    for (int panel = 1; panel <= Form.PanelCount; ++panel)
        for (size_t number = 1; number <= Form.Cells.size(); ++number)
            names.push_back("panel " + std::to_string(panel) + ", number " + std::to_string(number));
    int g = 0;
    for (const TExtraGrid *grid : {&Form.Grid1, &Form.Grid2, &Form.Grid3}) {
        ++g;
        if (grid->Present)
            for (int value = grid->Low; value <= grid->High; ++value)
                names.push_back("grid " + std::to_string(g) + ", value " + std::to_string(value));
    }
    if (Form.HasMarker)
        names.push_back("the marker");

    std::vector<TBox> boxes;
    const std::vector<TMmPoint> points = Form.AllMarkPoints();
    for (size_t i = 0; i < points.size(); ++i)
        boxes.push_back({names[i], points[i].X - (Form.CellSizeX + Form.MarkSizeX) / 2,
                         points[i].Y - Form.CellSizeY / 2, points[i].X + (Form.CellSizeX - Form.MarkSizeX) / 2,
                         points[i].Y + Form.CellSizeY / 2});
    return boxes;
}

} // namespace

std::string SlipBoxesFault(const TPrintForm &Form)
{
    if (Form.MarkSizeX <= 0 || Form.MarkSizeY <= 0 || Form.MarkSizeX > Form.CellSizeX ||
        Form.MarkSizeY > Form.CellSizeY)
        return "the mark does not fit its box";
    // Boxes that merely touch do not overlap.
    constexpr double tolerance = 1e-9;
    const std::vector<TBox> boxes = LayoutBoxes(Form);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const TBox &a = boxes[i];
        if (a.Left < -tolerance || a.Top < -tolerance || a.Right > SlipPageWidth + tolerance ||
            a.Bottom > SlipPageHeight + tolerance)
            return "the box of " + a.What + " leaves the page";
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const TBox &b = boxes[j];
            if (a.Left < b.Right - tolerance && b.Left < a.Right - tolerance && a.Top < b.Bottom - tolerance &&
                b.Top < a.Bottom - tolerance)
                return "the boxes of " + a.What + " and " + b.What + " overlap";
        }
    }
    return {};
}

std::string SlipLayoutBytes(std::string_view Text, const std::filesystem::path &GamesFolder, TDynByteArr &Bytes)
{
    TSlipText slip;
    TSlipParser parser;
    if (std::string fault = parser.Parse(Text, slip); !fault.empty())
        return fault;
    const std::filesystem::path gameFile = GamesFolder / (slip.Game + ".txt");
    const auto gameText = ReadTextFile(gameFile.string());
    TGameInfo game;
    if (!gameText || !ParseGameDescription(*gameText, game).empty())
        return "the game \"" + slip.Game + "\" has no valid description " + gameFile.string();
    TDynByteArr bytes = LayoutBytes(slip, game.Id);
    TPrintForm form(&game, slip.Id);
    if (!form.LoadFromBytes(bytes))
        return "the program would refuse this layout";
    if (std::string fault = SlipBoxesFault(form); !fault.empty())
        return fault;
    Bytes = std::move(bytes);
    return {};
}

std::string MakeSlipFile(const std::filesystem::path &Description, const std::filesystem::path &GamesFolder,
                         const std::filesystem::path &Output)
{
    const auto text = ReadTextFile(Description.string());
    if (!text)
        return Description.string() + ": cannot be read";
    TDynByteArr bytes;
    if (std::string fault = SlipLayoutBytes(*text, GamesFolder, bytes); !fault.empty())
        return Description.string() + ": " + fault;
    if (!platform::writeFileAtomically(Output, bytes))
        return Output.string() + ": cannot be written";
    return {};
}
