#pragma once
// Writing a whole file so that a crash leaves either the old content or the new one, never a mix.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace platform {

// Writes bytes to a temporary file in the same folder, flushes it to the disk and renames it over path.
// Answers false (and leaves any old file as it was) when the folder cannot be written.
bool writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes);

// True for the names of writeFileAtomically's temporary files, which folder listings leave out.
bool isTemporaryFileName(std::string_view name);

} // namespace platform
