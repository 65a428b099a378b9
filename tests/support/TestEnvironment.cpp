#include "tests/support/TestEnvironment.h"

#include "core/UComb.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {
namespace {

std::vector<std::filesystem::path> g_tempDirs;

} // namespace

std::filesystem::path makeTempDir(const char *prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    g_tempDirs.emplace_back(pattern);
    return g_tempDirs.back();
}

void prepareTestProcess()
{
    const auto config = makeTempDir("korvantile-config-");
    setenv("KORVANTILE_CONFIG_DIR", config.c_str(), 1);
    MakeNewton(Newton, 100);
    MakeNewtonExt(NewtonExt, 100);
    MakeEvenTable(EvenTable, 100);
    MakePrimeTable(PrimeTable, 100);
}

void finishTestProcess()
{
    std::error_code ignored;
    for (const auto &dir : g_tempDirs)
        std::filesystem::remove_all(dir, ignored);
    g_tempDirs.clear();
}

} // namespace testsupport
