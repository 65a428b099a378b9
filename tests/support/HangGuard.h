#pragma once
// How long a test waits for an event before it calls the wait failed: a guard against a hang, never a
// measure of speed (the suite runs beside other builds on a busy machine).

#include <chrono>

namespace testsupport {

inline constexpr std::chrono::milliseconds HangGuard{120'000};
// The same for Qt's waits, which take an int of milliseconds.
inline constexpr int HangGuardMs = static_cast<int>(HangGuard.count());

} // namespace testsupport
