#pragma once
// The program's run once the application object exists: the random generators seeded, the main window
// created (which builds the global objects), the event loop until it closes.

// A settings file refused on loading is reported first. With no game defined, shows the message that the program cannot work and answers 0 without showing
// the main window or entering the event loop; otherwise answers the event loop's exit code.
int RunProgram();
