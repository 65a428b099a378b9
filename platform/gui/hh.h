#pragma once
// The help viewer: the help pages in "Help/" of the program folder, found through the context map
// "Help/contexts.txt" (one line each: the context number, a blank, the page with an optional "#anchor"),
// and the one help window that shows them.

#include <string>

namespace platform {

class THelpWindow;

// The context of the contents page; a context missing from the map shows it.
constexpr int HelpContentsContext = 10;

// Finds the help folder and reads its map, once; UnloadHtmlHelp closes the help window and forgets
// both, so that the next LoadHtmlHelp looks again.
void LoadHtmlHelp();
void UnloadHtmlHelp();

// The help folder ("Help/" in the program folder, with a trailing '/').
std::string HtmlHelpFolder();
// Whether the help folder and its map were found.
bool HtmlHelpInstalled();

// Shows the context's page in the help window (created on first use) and raises the window; answers
// the window, or nullptr when the help is not installed.
THelpWindow *HtmlHelpShowContext(int ContextId);
// The help window while it is open, else nullptr.
THelpWindow *HtmlHelpWindow();
// Closes the help window.
void HtmlHelpCloseAll();

} // namespace platform
