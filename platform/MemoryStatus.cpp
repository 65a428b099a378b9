#include "platform/MemoryStatus.h"

#include <charconv>
#include <fstream>
#include <mutex>
#include <string>

namespace platform {
namespace {

std::mutex g_probeMutex;
std::function<uint64_t()> g_probe;

uint64_t readMemAvailable()
{
    std::ifstream in("/proc/meminfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("MemAvailable:", 0) == 0) {
            const auto digits = line.find_first_of("0123456789");
            uint64_t kib = 0;
            if (digits != std::string::npos)
                std::from_chars(line.data() + digits, line.data() + line.size(), kib);
            return kib * 1024;
        }
    }
    return 0;
}

} // namespace

uint64_t availablePhysicalMemory()
{
    std::function<uint64_t()> probe;
    {
        std::lock_guard lock(g_probeMutex);
        probe = g_probe;
    }
    return probe ? probe() : readMemAvailable();
}

void setAvailableMemoryProbe(std::function<uint64_t()> probe)
{
    std::lock_guard lock(g_probeMutex);
    g_probe = std::move(probe);
}

} // namespace platform
