#pragma once
// Writing a whole file so that a crash leaves either the old content or the new one, never a mix.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

// Writes bytes to a temporary file in the same folder, flushes it to the disk and renames it over path.
// Answers false (and leaves any old file as it was) when the folder cannot be written.
bool writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes);

// True for the names of writeFileAtomically's temporary files, which folder listings leave out.
bool isTemporaryFileName(std::string_view name);

// Renames a file that was refused when read to the first free name of file.damaged, file.damaged-2, ...,
// so that writing a new file never destroys it. Answers the new name, or nothing when it could not be moved.
std::optional<std::filesystem::path> moveDamagedFileAside(const std::filesystem::path &file);

} // namespace platform
