#pragma once
// The program's own random generator: a subtractive lagged-Fibonacci generator over doubles in [0, 1)
// with a table of 55 values.
//
// Every thread draws from a generator of its own: seeding affects only the calling thread, and a thread
// whose generator was never seeded seeds it from the clock on its first draw.

// Seed in (0, 1); the same seed gives the same sequence.
void SeedRandom(double Seed);
// Regenerates all 55 values of the table.
void RefillRandomTable();
// The next value, in [0, 1).
double RandomFloat();
// True with probability P (always True for P = 1 without drawing).
bool RandomChance(double P);
// An integer in Lo..Hi.
int RandomInRange(int Lo, int Hi);
// Maps a draw R in [0, 1] onto Lo..Hi as RandomInRange does; a product that rounds up to Hi + 1
// still answers Hi.
int ScaleRandom(double R, int Lo, int Hi);
// Seeds from the milliseconds since midnight (UTC), mixed with a count of clock seedings so that two
// seedings within the same millisecond differ.
void RandomizeFromClock();
