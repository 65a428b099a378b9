#pragma once
// The platform runtime's own generator, kept apart from the program's generator (Knutt): a 32-bit
// linear congruential generator, Seed := Seed * 134775813 + 1 (mod 2^32).
//
// Each thread has its own seed; a thread that never seeded seeds from the clock on its first draw.

#include <cstdint>

void SetRuntimeRandSeed(uint32_t Seed);
// Seeds from the clock, mixed with a count of clock seedings so that two seedings at the same clock
// reading differ.
void RuntimeRandomize();
// Range >= 0. Steps the seed and answers (Seed * Range) div 2^32: a number in 0..Range-1 (0 for Range 0).
int32_t RuntimeRandom(int32_t Range);
