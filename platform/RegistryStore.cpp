#include "platform/RegistryStore.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <type_traits>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {
namespace {

// File layout:
//   KORVANTILE REGISTRY 1
//   [Settings\1]
//   "Count"=dword:0000002a
//   "Params"=hex:01,00,ff
//   "Name"="text with \\ \" and \x0a escaped"
//   ;end
// Every key stands on its own line, its values below it; the closing line tells a whole file from a cut one.
constexpr std::string_view kHeader = "KORVANTILE REGISTRY 1";
constexpr std::string_view kEnd = ";end";
constexpr char kHexDigits[] = "0123456789abcdef";

std::string folded(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Drops empty parts ("\Settings\\1\" is "Settings\1"); nullopt for a path holding control characters.
std::optional<std::string> normalizedKey(std::string_view key)
{
    std::string result;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos)
            end = key.size();
        const std::string_view part = key.substr(start, end - start);
        for (char c : part)
            if (isControl(c))
                return std::nullopt;
        if (!part.empty()) {
            if (!result.empty())
                result += '\\';
            result += part;
        }
        start = end + 1;
    }
    return result;
}

// The key itself and every key above it, the program's key ("") first.
std::vector<std::string> keyAndAncestors(const std::string &key)
{
    std::vector<std::string> result{std::string()};
    for (size_t pos = key.find('\\'); pos != std::string::npos; pos = key.find('\\', pos + 1))
        result.push_back(key.substr(0, pos));
    if (!key.empty())
        result.push_back(key);
    return result;
}

template <typename Keys> void addKey(Keys &keys, const std::string &key)
{
    for (const auto &path : keyAndAncestors(key)) {
        auto &entry = keys[folded(path)];
        if (entry.path.empty())
            entry.path = path;
    }
}

void appendHexByte(std::string &out, uint8_t byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

void appendQuoted(std::string &out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (isControl(c)) {
            out += "\\x";
            appendHexByte(out, static_cast<uint8_t>(c));
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendData(std::string &out, const RegValue &value)
{
    if (const auto *dword = std::get_if<uint32_t>(&value)) {
        out += "dword:";
        for (int shift = 28; shift >= 0; shift -= 4)
            out += kHexDigits[(*dword >> shift) & 0x0F];
    } else if (const auto *bytes = std::get_if<Bytes>(&value)) {
        out += "hex:";
        for (size_t i = 0; i < bytes->size(); ++i) {
            if (i > 0)
                out += ',';
            appendHexByte(out, (*bytes)[i]);
        }
    } else {
        appendQuoted(out, std::get<std::string>(value));
    }
}

// Reads the hex number of exactly `digits` digits at the front of text.
template <typename T> bool parseHex(std::string_view text, size_t digits, T &value)
{
    if (text.size() < digits)
        return false;
    for (size_t i = 0; i < digits; ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return std::from_chars(text.data(), text.data() + digits, value, 16).ec == std::errc();
}

// Reads a quoted text at the front of line and removes it from line.
bool takeQuoted(std::string_view &line, std::string &text)
{
    if (line.empty() || line.front() != '"')
        return false;
    text.clear();
    size_t pos = 1;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == '"') {
            line.remove_prefix(pos + 1);
            return true;
        }
        if (isControl(c))
            return false;
        if (c != '\\') {
            text += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= line.size())
            return false;
        const char escaped = line[pos + 1];
        if (escaped == '\\' || escaped == '"') {
            text += escaped;
            pos += 2;
        } else if (escaped == 'x') {
            uint8_t byte = 0;
            if (!parseHex(line.substr(pos + 2), 2, byte))
                return false;
            text += static_cast<char>(byte);
            pos += 4;
        } else {
            return false;
        }
    }
    return false;
}

bool parseData(std::string_view data, RegValue &value)
{
    if (data.starts_with("dword:")) {
        data.remove_prefix(6);
        uint32_t dword = 0;
        if (data.size() != 8 || !parseHex(data, 8, dword))
            return false;
        value = dword;
        return true;
    }
    if (data.starts_with("hex:")) {
        data.remove_prefix(4);
        Bytes bytes;
        while (!data.empty()) {
            uint8_t byte = 0;
            if (!parseHex(data, 2, byte))
                return false;
            bytes.push_back(byte);
            data.remove_prefix(2);
            if (!data.empty()) {
                if (data.front() != ',' || data.size() == 1)
                    return false;
                data.remove_prefix(1);
            }
        }
        value = std::move(bytes);
        return true;
    }
    std::string text;
    if (!takeQuoted(data, text) || !data.empty())
        return false;
    value = std::move(text);
    return true;
}

template <typename Keys> std::string serialize(const Keys &keys)
{
    std::string out(kHeader);
    out += '\n';
    for (const auto &[foldedPath, key] : keys) {
        out += "\n[";
        out += key.path;
        out += "]\n";
        for (const auto &[foldedName, value] : key.values) {
            appendQuoted(out, value.name);
            out += '=';
            appendData(out, value.data);
            out += '\n';
        }
    }
    out += '\n';
    out += kEnd;
    out += '\n';
    return out;
}

std::string_view withoutTrailingBlanks(std::string_view line)
{
    const size_t last = line.find_last_not_of(" \t\r");
    return line.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

bool isComment(std::string_view line)
{
    return line.front() == ';' || line.front() == '#';
}

// Besides what serialize writes, reads what a hand edit leaves: a UTF-8 byte-order mark, CRLF line ends,
// blanks at line ends, blank and comment lines (';' or '#') anywhere, no final line end, and a value name
// given again in any letter case (the last one counts). The end line must still be the last line that is
// not blank, so that a cut file is refused.
template <typename Keys> bool parse(std::string_view text, Keys &keys)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(withoutTrailingBlanks(text.substr(start, end - start)));
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (lines.size() < 2 || lines.front() != kHeader || lines.back() != kEnd)
        return false;
    typename Keys::mapped_type *current = nullptr;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.empty() || isComment(line))
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 2)
                return false;
            const auto key = normalizedKey(line.substr(1, line.size() - 2));
            if (!key || *key != line.substr(1, line.size() - 2))
                return false;
            addKey(keys, *key);
            current = &keys[folded(*key)];
            continue;
        }
        std::string name;
        RegValue value;
        if (!current || !takeQuoted(line, name) || line.empty() || line.front() != '=' ||
            !parseData(line.substr(1), value))
            return false;
        using Value = typename std::decay_t<decltype(current->values)>::mapped_type;
        current->values.insert_or_assign(folded(name), Value{name, std::move(value)});
    }
    return true;
}

std::filesystem::path homeDir()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

} // namespace

size_t regDataSize(const RegValue &value)
{
    if (std::holds_alternative<uint32_t>(value))
        return 4;
    if (const auto *bytes = std::get_if<Bytes>(&value))
        return bytes->size();
    return std::get<std::string>(value).size() + 1;
}

std::filesystem::path configDir()
{
    if (const char *dir = std::getenv("KORVANTILE_CONFIG_DIR"); dir && *dir)
        return dir;
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "korvantile";
    return homeDir() / ".config" / "korvantile";
}

RegistryStore::RegistryStore(std::filesystem::path file) : m_file(std::move(file))
{
    load();
}

RegistryStore &RegistryStore::instance()
{
    static RegistryStore store(configDir() / "registry.reg");
    return store;
}

void RegistryStore::reopen(std::filesystem::path file)
{
    std::lock_guard lock(m_mutex);
    m_file = std::move(file);
    load();
}

std::filesystem::path RegistryStore::file() const
{
    std::lock_guard lock(m_mutex);
    return m_file;
}

void RegistryStore::load()
{
    m_refusedAs.reset();
    m_keys.clear();
    addKey(m_keys, std::string());
    std::error_code error;
    const auto status = std::filesystem::status(m_file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return;
    std::ifstream in(m_file, std::ios::binary);
    std::string text;
    if (in)
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    Keys loaded;
    addKey(loaded, std::string());
    if (in.is_open() && !in.bad() && std::filesystem::is_regular_file(status) && parse(text, loaded)) {
        m_keys = std::move(loaded);
        return;
    }
    in.close();
    m_refusedAs = moveDamagedFileAside(m_file);
}

std::optional<std::filesystem::path> RegistryStore::takeRefusedFile()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_refusedAs, std::nullopt);
}

bool RegistryStore::save(const Keys &keys) const
{
    std::error_code error;
    if (m_file.has_parent_path())
        std::filesystem::create_directories(m_file.parent_path(), error);
    const std::string text = serialize(keys);
    return writeFileAtomically(m_file,
                               std::span(reinterpret_cast<const uint8_t *>(text.data()), text.size()));
}

bool RegistryStore::keyExists(std::string_view key) const
{
    const auto path = normalizedKey(key);
    std::lock_guard lock(m_mutex);
    return path && m_keys.contains(folded(*path));
}

bool RegistryStore::createKey(std::string_view key)
{
    const auto path = normalizedKey(key);
    if (!path)
        return false;
    std::lock_guard lock(m_mutex);
    if (m_keys.contains(folded(*path)))
        return true;
    Keys next = m_keys;
    addKey(next, *path);
    if (!save(next))
        return false;
    m_keys = std::move(next);
    return true;
}

std::optional<RegValue> RegistryStore::value(std::string_view key, std::string_view name) const
{
    const auto path = normalizedKey(key);
    if (!path)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    const auto found = m_keys.find(folded(*path));
    if (found == m_keys.end())
        return std::nullopt;
    const auto value = found->second.values.find(folded(name));
    if (value == found->second.values.end())
        return std::nullopt;
    return value->second.data;
}

bool RegistryStore::setValue(std::string_view key, std::string_view name, const RegValue &value)
{
    const auto path = normalizedKey(key);
    if (!path)
        return false;
    std::lock_guard lock(m_mutex);
    Keys next = m_keys;
    addKey(next, *path);
    auto &values = next[folded(*path)].values;
    const std::string foldedName = folded(name);
    if (const auto existing = values.find(foldedName); existing != values.end())
        existing->second.data = value;
    else
        values.emplace(foldedName, Value{std::string(name), value});
    if (!save(next))
        return false;
    m_keys = std::move(next);
    return true;
}

} // namespace platform
