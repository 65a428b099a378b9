#pragma once
// Clean-up of the temporary files that writeFileAtomically leaves behind when the process writing dies.

#include <chrono>
#include <filesystem>

namespace platform {

// A temporary file older than this belongs to a writer that died; a younger one may still be another
// running copy's write in progress.
constexpr std::chrono::minutes StaleTemporaryFileAge{10};

// Removes from folder (not its sub-folders) the temporary files of writeFileAtomically last written
// longer than StaleTemporaryFileAge ago; a missing folder, or a file that cannot be removed, is passed by.
void removeStaleTemporaryFiles(const std::filesystem::path &folder);

} // namespace platform
