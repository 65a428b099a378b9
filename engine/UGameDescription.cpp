#include "engine/UGameDescription.h"

#include "engine/UGameFile.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1250.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

std::string_view Trim(std::string_view S)
{
    const auto first = S.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return S.substr(first, S.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> Words(std::string_view S)
{
    std::vector<std::string_view> words;
    size_t pos = 0;
    while ((pos = S.find_first_not_of(" \t", pos)) != std::string_view::npos) {
        const size_t end = std::min(S.find_first_of(" \t", pos), S.size());
        words.push_back(S.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::optional<uint8_t> ParseByte(std::string_view S)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(S.data(), S.data() + S.size(), value);
    if (error != std::errc() || end != S.data() + S.size() || value > 255)
        return std::nullopt;
    return uint8_t(value);
}

std::optional<Currency> ParseAmount(std::string_view S)
{
    Currency value;
    if (!TryStrToCurr(S, value))
        return std::nullopt;
    return value;
}

const Currency NoPrize = Currency::fromCount(-Currency::Scale);

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
    int lineNo = 0;
    size_t pos = 0;
    while (pos <= Text.size()) {
        const size_t end = std::min(Text.find('\n', pos), Text.size());
        const std::string_view line = Trim(Text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNo;
        if (line.empty() || line.front() == '#')
            continue;
        const size_t equals = line.find('=');
        std::string fault;
        if (equals == std::string_view::npos) {
            fault = "\"Field = value\" expected";
        } else {
            const std::string_view key = Trim(line.substr(0, equals));
            if (!Seen.emplace(key).second)
                fault = "\"" + std::string(key) + "\" given twice";
            else
                fault = Field(key, Trim(line.substr(equals + 1)), G);
        }
        if (!fault.empty())
            return "line " + std::to_string(lineNo) + ": " + fault;
    }
    return Finish(G);
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
        const auto value = ParseByte(Value);
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
        if (isShort && Value.find_first_of("/\\") != std::string_view::npos)
            return "the short name names the draws file and cannot hold a slash";
        (isShort ? G.ShortName : G.Name) = std::string(Value);
    } else if (Key == "MinHits") {
        G.MinHits.clear();
        for (const std::string_view word : Words(Value)) {
            const auto value = ParseByte(word);
            if (!value)
                return "numbers of 0..255 expected";
            G.MinHits.push_back(*value);
        }
    } else if (Key.starts_with("Prizes ")) {
        const auto size = ParseByte(Trim(Key.substr(7)));
        if (!size || *size == 0)
            return "\"Prizes K\" with a size K of 1 or more expected";
        std::vector<Currency> &row = PrizeRows[*size];
        for (const std::string_view word : Words(Value)) {
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
    std::ifstream in(Description, std::ios::binary);
    if (!in)
        return Description.string() + ": cannot be read";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TGameInfo game;
    std::string fault = ParseGameDescription(text, game);
    if (fault.empty())
        fault = GameInfoFault(game);
    if (!fault.empty())
        return Description.string() + ": " + fault;
    if (!platform::writeFileAtomically(Output, GameFileBytes(game)))
        return Output.string() + ": cannot be written";
    return {};
}
