#pragma once
// The system kinds as the shell knows them: their short captions, a system's one-line description in a
// viewer, and the opening of a system window from the main window's selector and menu.

#include <QString>

#include <functional>

struct TGameData;
class TRichView;
class TSystem;

// Empty for kind 10 and for the kinds that are not assigned (8, 9, above 10).
QString SystemKindName(int Kind);

// Clears the viewer and shows the system's description (style 6), then formats it.
void ShowSystemDescription(const TSystem &System, TRichView *View);

// The system windows are built in a layer above the shell, which installs here how the window of a
// system kind is opened empty on a game.
using TSysWindowOpener = std::function<void(int Kind, TGameData *Game)>;
void SetSysWindowOpener(TSysWindowOpener Opener);

// Opens the window of the system selector's item Index empty on the current game; nothing happens for
// another index, without a current game or before an opener is installed.
void OpenSystemWindow(int Index);

// The saved-systems window ("&Wczytaj...") and the play-history browser are built in the layer above as
// well, which installs how each is opened; nothing happens before that.
using TToolWindowOpener = std::function<void()>;
void SetReadWindowOpener(TToolWindowOpener Opener);
void OpenReadWindow();
void SetHistoryWindowOpener(TToolWindowOpener Opener);
void OpenHistoryWindow();
// The combination check of the tools menu, opened on the current game with its last stored combination.
void SetCheckCombOpener(TToolWindowOpener Opener);
void OpenCheckComb();
// The logical operations on the systems of the open system windows, a modal dialog.
void SetLogicalOpsOpener(TToolWindowOpener Opener);
void OpenLogicalOps();

// The import of a user system from a text file or from the import dialog, built in the layer above as
// well, which installs it; nothing happens before that or without a current game.
enum class TSystemImport { File, Editor };
using TSystemImporter = std::function<void(TSystemImport From, TGameData *Game)>;
void SetSystemImporter(TSystemImporter Importer);
void ImportSystem(TSystemImport From);
