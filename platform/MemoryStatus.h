#pragma once
// Available physical memory, as the statistics weigh their tables against it.

#include <cstdint>
#include <functional>

namespace platform {

// MemAvailable of /proc/meminfo in bytes, or the injected probe's answer.
uint64_t availablePhysicalMemory();

// Tests replace the probe; an empty function restores the real one.
void setAvailableMemoryProbe(std::function<uint64_t()> probe);

} // namespace platform
