#pragma once
// A window's own copy of a game's draws range, resolved against the game's history without writing
// the history's marks, and shown in the window's range line.

#include "engine/UDrawsRange.h"

class QWidget;
class TRichView;
struct TGameData;

class TDrawsRangeBinding {
public:
    TDrawsRange Range;

    // Range := Game's default range, resolved and shown in View.
    void Attach(TGameData *Game, TRichView *View);
    // Resolves Range against the game's history again (its From, To and Count) and shows it.
    void Refresh();
    // The history of the game with this id has changed: Refresh when it is this range's game; answers
    // whether it was.
    bool DrawsChanged(int GameId);
    // The range dialog on a copy of Range; on OK the edited record becomes Range and is shown. Answers
    // whether the user confirmed.
    bool Edit(QWidget *Parent);
    // The range holds no draw.
    bool Empty() const { return Range.Count == 0; }

    TGameData *Game() const { return FGame; }

private:
    TGameData *FGame = nullptr;
    TRichView *FView = nullptr;
};
