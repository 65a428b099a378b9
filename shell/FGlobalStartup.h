#pragma once
// The program's global objects for the whole run: registry objects, data folders, limits, number tables,
// the games with their ranges and settings, and the window counter; built by InitGlobals in this order.

#include <string>

// The nine data folders beside the program, each ending with '/'. Start-up only names them: whatever
// writes into a folder creates it when it needs it.
extern std::string DataDir;    // "Data/": saved systems and guarantees
extern std::string FiltersDir; // "Filters/": saved filter sets
extern std::string DrawsDir;   // "Draws/": one draw-history file per game
extern std::string SitesDir;   // "Sites/": download-site lists
extern std::string GamesDir;   // "Games/": game definitions
extern std::string BlancDir;   // "Blanc/": play-slip layouts
extern std::string HistoryDir; // "History/": the play history
extern std::string OtherDir;   // "Other/": the saved combination set
extern std::string TempDir;    // "Temp/": downloaded and unpacked files

// The next child-window number; 1 after start-up.
extern int WindowCounter;

void InitGlobals();
// Frees the games (with their draw histories). The number tables stay built: they are the core's
// globals and are valid from the program's load on.
void DoneGlobals();

// Answers WindowCounter and increments it.
int NextWindowNumber();
