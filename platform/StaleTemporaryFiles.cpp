#include "platform/StaleTemporaryFiles.h"

#include "platform/AtomicFile.h"

namespace platform {

void removeStaleTemporaryFiles(const std::filesystem::path &folder)
{
    namespace fs = std::filesystem;
    const fs::file_time_type staleBefore = fs::file_time_type::clock::now() - StaleTemporaryFileAge;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code fileError;
        if (!isTemporaryFileName(entry->path().filename().string()) || !entry->is_regular_file(fileError))
            continue;
        const fs::file_time_type written = entry->last_write_time(fileError);
        if (!fileError && written < staleBefore)
            fs::remove(entry->path(), fileError);
    }
}

} // namespace platform
