#pragma once
// What every test process sets up before its first test, whatever its kind.

#include <filesystem>

namespace testsupport {

// A fresh temporary configuration folder (never the user's own), the number tables, the locale.
void prepareTestProcess();
// Removes what prepareTestProcess made.
void finishTestProcess();

// A new empty temporary folder, removed when the process finishes.
std::filesystem::path makeTempDir(const char *prefix);

} // namespace testsupport
