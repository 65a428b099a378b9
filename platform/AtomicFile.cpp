#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::string_view kTempSuffix = ".korvantile-tmp";

std::atomic<unsigned> g_tempCounter{0};

// ".<name>.<pid>-<counter>.korvantile-tmp": hidden, unique within the process and between processes.
std::filesystem::path temporaryNameFor(const std::filesystem::path &path)
{
    std::string name = ".";
    name += path.filename().string();
    name += '.';
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(g_tempCounter++);
    name += kTempSuffix;
    return path.parent_path() / name;
}

bool writeAll(int fd, std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced does not undo the write.
void syncFolder(const std::filesystem::path &folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The first free name of the form file.damaged, file.damaged-2, ...
std::filesystem::path damagedFileName(const std::filesystem::path &file)
{
    std::error_code error;
    std::filesystem::path candidate = file.string() + ".damaged";
    for (int n = 2; std::filesystem::exists(candidate, error) && !error; ++n)
        candidate = file.string() + ".damaged-" + std::to_string(n);
    return candidate;
}

} // namespace

bool writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes)
{
    if (path.filename().empty())
        return false;
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryNameFor(path);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(path.parent_path());
    return true;
}

bool isTemporaryFileName(std::string_view name)
{
    return name.size() > kTempSuffix.size() + 1 && name.front() == '.' && name.ends_with(kTempSuffix);
}

std::optional<std::filesystem::path> moveDamagedFileAside(const std::filesystem::path &file)
{
    const std::filesystem::path aside = damagedFileName(file);
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    if (error)
        return std::nullopt;
    return aside;
}

} // namespace platform
