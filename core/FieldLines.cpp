#include "core/FieldLines.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

std::string_view TrimBlanks(std::string_view S)
{
    const auto first = S.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return S.substr(first, S.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> SplitWords(std::string_view S)
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

std::optional<uint8_t> ParseByteText(std::string_view S)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(S.data(), S.data() + S.size(), value);
    if (error != std::errc() || end != S.data() + S.size() || value > 255)
        return std::nullopt;
    return uint8_t(value);
}

std::string ParseFieldLines(std::string_view Text, const TFieldHandler &Field,
                            std::set<std::string, std::less<>> &Seen)
{
    int lineNo = 0;
    size_t pos = 0;
    while (pos <= Text.size()) {
        const size_t end = std::min(Text.find('\n', pos), Text.size());
        const std::string_view line = TrimBlanks(Text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNo;
        if (line.empty() || line.front() == '#')
            continue;
        const size_t equals = line.find('=');
        std::string fault;
        if (equals == std::string_view::npos) {
            fault = "\"Field = value\" expected";
        } else {
            const std::string_view key = TrimBlanks(line.substr(0, equals));
            if (!Seen.emplace(key).second)
                fault = "\"" + std::string(key) + "\" given twice";
            else
                fault = Field(key, TrimBlanks(line.substr(equals + 1)));
        }
        if (!fault.empty())
            return "line " + std::to_string(lineNo) + ": " + fault;
    }
    return {};
}

std::optional<std::string> ReadTextFile(const std::string &FileName)
{
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
