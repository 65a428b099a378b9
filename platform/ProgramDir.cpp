#include "platform/ProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
std::string g_override;

std::string withTrailingSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string executableDir()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && exe.has_parent_path())
        return exe.parent_path().string();
    const auto current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

} // namespace

std::string programDir()
{
    {
        std::lock_guard lock(g_mutex);
        if (!g_override.empty())
            return g_override;
    }
    if (const char *env = std::getenv("KORVANTILE_PROGRAM_DIR"); env && *env)
        return withTrailingSlash(env);
    return withTrailingSlash(executableDir());
}

void setProgramDir(const std::string &dir)
{
    std::lock_guard lock(g_mutex);
    g_override = dir.empty() ? std::string() : withTrailingSlash(dir);
}

} // namespace platform
