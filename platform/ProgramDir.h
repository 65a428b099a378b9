#pragma once
// The program's folder, beside which the data folders ("Games/", "Draws/", ...) live.

#include <string>

namespace platform {

// The folder with a trailing '/': the one set by setProgramDir, else $KORVANTILE_PROGRAM_DIR when set,
// else the folder of the running executable.
std::string programDir();

// Points the program at another folder (tests use a temporary one); an empty text restores the default.
void setProgramDir(const std::string &dir);

} // namespace platform
