#include "shell/UpdateFiles.h"

#include "platform/StaleTemporaryFiles.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view RunFolderPrefix = "Update-";
constexpr char RunFolderPattern[] = "Update-XXXXXX";

bool IsDownloadFileName(const std::string &Name)
{
    for (int id = 0; id <= UINT8_MAX; ++id)
        if (Name == std::to_string(id))
            return true;
    return false;
}

// The name mkdtemp makes of the run folder's pattern: the prefix and six letters or digits.
bool IsRunFolderName(const std::string &Name)
{
    if (Name.size() != sizeof(RunFolderPattern) - 1 || !Name.starts_with(RunFolderPrefix))
        return false;
    for (size_t i = RunFolderPrefix.size(); i < Name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(Name[i])))
            return false;
    return true;
}

} // namespace

std::string DownloadFileName(const std::string &Folder, uint8_t GameId)
{
    return Folder + std::to_string(GameId);
}

std::string MakeUpdateFolder(const std::string &Folder)
{
    std::string pattern = Folder + RunFolderPattern;
    return ::mkdtemp(pattern.data()) ? pattern + '/' : std::string();
}

void RemoveStaleUpdateFiles(const std::string &Folder)
{
    const fs::file_time_type staleBefore = fs::file_time_type::clock::now() - platform::StaleTemporaryFileAge;
    std::error_code error;
    for (fs::directory_iterator entry(Folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code fileError;
        const bool ours = entry->is_directory(fileError)
                              ? IsRunFolderName(name)
                              : entry->is_regular_file(fileError) && IsDownloadFileName(name);
        if (!ours)
            continue;
        const fs::file_time_type written = entry->last_write_time(fileError);
        if (!fileError && written < staleBefore)
            fs::remove_all(entry->path(), fileError);
    }
}
