#pragma once
// The readable descriptions from which the build makes the shipped data files: one "Field = value" per
// line; blank lines and lines starting with '#' are skipped; no field may be given twice.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// S without leading and trailing blanks, tabs and carriage returns.
std::string_view TrimBlanks(std::string_view S);
// The words of S, split at blanks and tabs.
std::vector<std::string_view> SplitWords(std::string_view S);
// A whole decimal number of 0..255.
std::optional<uint8_t> ParseByteText(std::string_view S);

// Calls Field with every line's trimmed key and value, in order; Field answers an empty text or what is
// wrong with the value. Answers an empty text, or "line N: ..." for the first faulty line. Seen receives
// the keys given.
using TFieldHandler = std::function<std::string(std::string_view Key, std::string_view Value)>;
std::string ParseFieldLines(std::string_view Text, const TFieldHandler &Field,
                            std::set<std::string, std::less<>> &Seen);

// The whole text of a file; nullopt when it cannot be read.
std::optional<std::string> ReadTextFile(const std::string &FileName);
