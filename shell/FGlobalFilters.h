#pragma once
// The filter editor over a draw history, as the draws editor opens it. The editor is built in a layer
// above the shell; it opens through the installed openers (WindowOpeners).

#include <memory>
#include <optional>

class QWidget;
class TDrawsManager;
class TGroupFilter;
struct TGameData;

// What the user chose on OK: the filter set (its marks left on the manager's draws) and the options.
struct TDrawsFilterChoice {
    std::unique_ptr<TGroupFilter> Filter;
    bool DelComb = false;   // "Usuń &kombinacje": reduce the history by the filter
    bool NewWindow = false; // "O&twórz w nowym oknie": apply it to a copy in a new window
};

// The modal filter editor over Manager (a draws editor's working history of Game); nothing on Cancel or
// before an opener is installed.
std::optional<TDrawsFilterChoice> OpenDrawsFilter(QWidget *Parent, TGameData *Game, TDrawsManager &Manager);
