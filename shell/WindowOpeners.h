#pragma once
// How the shell opens the windows built in the layers above it (system windows, statistics windows,
// the draws update, the reports). The program fills one set of openers at start and installs it here; an
// opener left empty opens nothing.

#include "shell/FGlobalFilters.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QWidget;
class TDrawsManager;
class TGenForm;
class TStringAlignGrid;
struct TGameData;

enum class TSystemImport { File, Editor };

struct TWindowOpeners {
    // The window of a system kind, empty on Game.
    std::function<void(int Kind, TGameData *Game)> SysWindow;
    // The saved-systems window ("&Wczytaj...") and the play-history browser.
    std::function<void()> ReadWindow;
    std::function<void()> HistoryWindow;
    // The combination check on the current game with its last stored combination.
    std::function<void()> CheckComb;
    // The logical operations on the systems of the open system windows, a modal dialog.
    std::function<void()> LogicalOps;
    // The import of a user system for Game from a text file or from the import dialog.
    std::function<void(TSystemImport From, TGameData *Game)> ImportSystem;
    // The window of statistic StatIndex: over the current game's draws when Parent is null, else over
    // the system of the system window Parent, as its dependent window.
    std::function<void(int StatIndex, TGenForm *Parent)> StatWindow;
    // The reduction prediction on the current game.
    std::function<void()> PredReduct;
    // The modal filter editor over a draws editor's working history of Game; nothing on Cancel.
    std::function<std::optional<TDrawsFilterChoice>(QWidget *Parent, TGameData *Game, TDrawsManager &Manager)>
        DrawsFilter;
    // The draws update started from Owner.
    std::function<void(QWidget *Owner)> DrawsUpdate;
    // The report of a window with one long grid (the draws editor): the row dialog over Grid, then
    // Header (lines ended by "#") from row 2 and the chosen rows of Grid from GridRow in column B.
    std::function<void(QWidget *Owner, const TStringAlignGrid &Grid, const std::string &Header, int GridRow)>
        GridReport;
};

// Replaces the installed openers as a whole.
void InstallWindowOpeners(TWindowOpeners Openers);
const TWindowOpeners &WindowOpeners();

// Opener's answer to Args; the empty answer (nothing opened) when Opener is not installed.
template <typename TOpener, typename... TArgs> auto CallOpener(const TOpener &Opener, TArgs &&...Args)
{
    using TAnswer = decltype(Opener(std::forward<TArgs>(Args)...));
    if (!Opener)
        return TAnswer();
    return Opener(std::forward<TArgs>(Args)...);
}
