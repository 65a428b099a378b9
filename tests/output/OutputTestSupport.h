#pragma once
// Files and data the output tests share.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// The real 6-of-49 Lotto history the project keeps.
inline std::filesystem::path HistoryFile()
{
    return std::filesystem::path(KORVANTILE_SHARED_DATA) / "lotto-6z49-history.txt";
}

// The file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path &Path, const std::string &Bytes)
{
    std::ofstream(Path, std::ios::binary) << Bytes;
}

} // namespace testsupport
