#include "engine/UGameDescription.h"

#include "core/FieldLines.h"
#include "engine/UGameFile.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1250.h"

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

std::optional<Currency> ParseAmount(std::string_view S)
{
    Currency value;
    if (!TryStrToCurr(S, value))
        return std::nullopt;
    return value;
}

class TDescriptionParser {
public:
    std::string Parse(std::string_view Text, TGameInfo &G);

private:
    std::string Field(std::string_view Key, std::string_view Value, TGameInfo &G);
    std::string Finish(TGameInfo &G);

    std::set<std::string, std::less<>> Seen;
    std::map<int, std::vector<Currency>> PrizeRows;
};

std::string TDescriptionParser::Parse(std::string_view Text, TGameInfo &G)
{
    const std::string fault = ParseFieldLines(
        Text, [&](std::string_view Key, std::string_view Value) { return Field(Key, Value, G); }, Seen);
    return fault.empty() ? Finish(G) : fault;
}

std::string TDescriptionParser::Field(std::string_view Key, std::string_view Value, TGameInfo &G)
{
    const std::map<std::string_view, uint8_t *> bytes{
        {"Id", &G.Id},         {"MaxNumber", &G.MaxNumber}, {"Drawn", &G.Drawn},         {"MinK", &G.MinK},
        {"MaxK", &G.MaxK},     {"BetSize", &G.BetSize},     {"MaxSize", &G.MaxSize},     {"MultiFrom", &G.MultiFrom},
        {"MaxFreqLen", &G.MaxFreqLen},
    };
    const std::map<std::string_view, bool *> flags{{"HasSystems", &G.HasSystems}, {"PrizeByStake", &G.PrizeByStake}};
    const std::map<std::string_view, Currency *> amounts{{"BasicStake", &G.BasicStake}, {"WinStake", &G.WinStake}};

    if (const auto it = bytes.find(Key); it != bytes.end()) {
        const auto value = ParseByteText(Value);
        if (!value)
            return "a number of 0..255 expected";
        *it->second = *value;
    } else if (const auto it = flags.find(Key); it != flags.end()) {
        if (Value != "0" && Value != "1")
            return "0 or 1 expected";
        *it->second = Value == "1";
    } else if (const auto it = amounts.find(Key); it != amounts.end()) {
        const auto value = ParseAmount(Value);
        if (!value)
            return "an amount expected";
        *it->second = *value;
    } else if (Key == "Name" || Key == "ShortName") {
        const bool isShort = Key == "ShortName";
        if (Value.empty())
            return "an empty name";
        if (platform::utf8ToCp1250(Value).size() > (isShort ? GameShortNameLength : GameNameLength))
            return "the name is too long";
        (isShort ? G.ShortName : G.Name) = std::string(Value);
    } else if (Key == "MinHits") {
        G.MinHits.clear();
        for (const std::string_view word : SplitWords(Value)) {
            const auto value = ParseByteText(word);
            if (!value)
                return "numbers of 0..255 expected";
            G.MinHits.push_back(*value);
        }
    } else if (Key.starts_with("Prizes ")) {
        const auto size = ParseByteText(TrimBlanks(Key.substr(7)));
        if (!size || *size == 0)
            return "\"Prizes K\" with a size K of 1 or more expected";
        std::vector<Currency> &row = PrizeRows[*size];
        for (const std::string_view word : SplitWords(Value)) {
            const auto value = word == "-" ? std::optional<Currency>(NoPrize) : ParseAmount(word);
            if (!value)
                return "amounts or \"-\" expected";
            row.push_back(*value);
        }
    } else {
        return "unknown field \"" + std::string(Key) + "\"";
    }
    return {};
}

std::string TDescriptionParser::Finish(TGameInfo &G)
{
    for (const char *key : {"Id", "Name", "ShortName", "MaxNumber", "Drawn", "MinK", "MaxK", "BetSize", "MaxSize",
                            "HasSystems", "PrizeByStake", "BasicStake", "WinStake", "MaxFreqLen", "MinHits"})
        if (!Seen.contains(std::string_view(key)))
            return std::string("\"") + key + "\" is missing";
    if (G.HasSystems && !Seen.contains(std::string_view("MultiFrom")))
        return "\"MultiFrom\" is missing";
    G.Prizes.assign(G.MaxK, std::vector<Currency>(G.MaxK, NoPrize));
    for (const auto &[size, row] : PrizeRows) {
        if (size > G.MaxK)
            return "\"Prizes " + std::to_string(size) + "\" is above MaxK";
        if (row.size() > G.MaxK)
            return "\"Prizes " + std::to_string(size) + "\" lists more than MaxK prizes";
        std::copy(row.begin(), row.end(), G.Prizes[size_t(size) - 1].begin());
    }
    G.Line = TDrawsFormat();
    return {};
}

} // namespace

std::string ParseGameDescription(std::string_view Text, TGameInfo &G)
{
    TGameInfo parsed;
    TDescriptionParser parser;
    std::string fault = parser.Parse(Text, parsed);
    if (fault.empty())
        G = std::move(parsed);
    return fault;
}

std::string MakeGameFile(const std::filesystem::path &Description, const std::filesystem::path &Output)
{
    const auto text = ReadTextFile(Description.string());
    if (!text)
        return Description.string() + ": cannot be read";
    TGameInfo game;
    std::string fault = ParseGameDescription(*text, game);
    if (fault.empty())
        fault = GameInfoFault(game);
    if (!fault.empty())
        return Description.string() + ": " + fault;
    if (!platform::writeFileAtomically(Output, GameFileBytes(game)))
        return Output.string() + ": cannot be written";
    return {};
}
