#pragma once
// Rows of numbers counted by how many numbers each has in common with a drawn set: the inner loop of the
// guarantees and of the system check.

#include "core/NumberMask.h"

#include <cstddef>
#include <cstdint>

// Rows go to HitLanes interleaved tables (Levels[lane x Stride + hits]), so that rows with equal hits in a
// row do not wait on each other's increment.
inline constexpr size_t HitLanes = 4;

// Levels[lane x Stride + h] + 1 for every row with h numbers in common with Drawn; Wide: some row holds a
// number above 64. Levels holds HitLanes x Stride counts, Stride above the most numbers of a row.
void HitHistogram(const TNumberMask *Rows, size_t Count, TNumberMask Drawn, bool Wide, int32_t *Levels,
                  size_t Stride);
