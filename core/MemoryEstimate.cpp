#include "core/MemoryEstimate.h"

#include "core/UGlobalUtils.h"

bool TableFits(long double Count, size_t RecordSize, double Share)
{
    const long double available = static_cast<long double>(GetAvailPhysMem()) * Share;
    return Count * static_cast<long double>(RecordSize) <= available;
}

uint64_t TableCapacity(size_t RecordSize, double Share)
{
    if (RecordSize == 0)
        return 0;
    const long double available = static_cast<long double>(GetAvailPhysMem()) * Share;
    return static_cast<uint64_t>(available / static_cast<long double>(RecordSize));
}
