#pragma once
// The store of the program's settings, standing in for its registry key: keys with typed values, kept in
// one text file, rewritten whole through a temporary file on every change.
//
// Key paths are relative to the program's own key and use '\' between their parts ("Settings\1"; "" is
// the program's key itself). Key and value names compare without regard to ASCII case; the spelling of
// the first write is kept.

#include "platform/ByteStream.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

// A DWORD, a binary value or a string (UTF-8). Floating-point settings are 8-byte binaries.
using RegValue = std::variant<uint32_t, Bytes, std::string>;

// The size the registry reports: 4 for a DWORD, the byte count of a binary, a string with its zero.
size_t regDataSize(const RegValue &value);

// $KORVANTILE_CONFIG_DIR, else $XDG_CONFIG_HOME/korvantile, else ~/.config/korvantile.
std::filesystem::path configDir();

class RegistryStore {
public:
    // Loads the file; a file that cannot be read or parsed is renamed aside (".damaged") and the store
    // starts empty, so the program goes on with its defaults.
    explicit RegistryStore(std::filesystem::path file);

    // The one store of the process: "registry.reg" in configDir(), loaded on first use.
    static RegistryStore &instance();

    // Switches to another file, as the constructor loads it (tests point the store at a fresh folder).
    void reopen(std::filesystem::path file);
    std::filesystem::path file() const;
    // The name under which the file refused by the last load was kept aside, answered once: the program
    // tells the user about it at start-up.
    std::optional<std::filesystem::path> takeRefusedFile();

    bool keyExists(std::string_view key) const;
    // Creates the key and the keys above it; false when the key is malformed or the file cannot be written.
    bool createKey(std::string_view key);
    std::optional<RegValue> value(std::string_view key, std::string_view name) const;
    // Creates the key when needed; on a failed write the store keeps its previous content.
    bool setValue(std::string_view key, std::string_view name, const RegValue &value);

private:
    struct Value {
        std::string name;
        RegValue data;
    };
    struct Key {
        std::string path;
        std::map<std::string, Value> values; // by folded name
    };
    using Keys = std::map<std::string, Key>; // by folded path

    void load();
    bool save(const Keys &keys) const;

    mutable std::mutex m_mutex;
    std::filesystem::path m_file;
    Keys m_keys;
    std::optional<std::filesystem::path> m_refusedAs;
};

} // namespace platform
