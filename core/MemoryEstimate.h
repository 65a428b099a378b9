#pragma once
// How a computation weighs a table against the free physical memory before it builds it, and how it
// builds it without letting an allocation failure escape.

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

// Shares of the free physical memory a table may take.
inline constexpr double MemoryShareArray = 0.6; // the flat tables a computation fills as it goes
inline constexpr double MemoryShareWhole = 0.9; // tables that are the computation's only large store

// Count records of RecordSize bytes fit in Share of the free physical memory. Count may exceed every
// integer type (a count of combinations), hence the extended float.
bool TableFits(long double Count, size_t RecordSize, double Share);

// How many records of RecordSize bytes fit in Share of the free physical memory.
uint64_t TableCapacity(size_t RecordSize, double Share);

// Table := Count value-initialised records; False (Table left empty) when the memory cannot be had.
template <typename T>
bool TryAllocate(std::vector<T> &Table, uint64_t Count)
{
    try {
        std::vector<T>().swap(Table);
        Table.resize(static_cast<size_t>(Count));
        return true;
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) {
    }
    std::vector<T>().swap(Table);
    return false;
}
