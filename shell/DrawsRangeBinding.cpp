#include "shell/DrawsRangeBinding.h"

#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalDrawsRange.h"

#include <vector>

void TDrawsRangeBinding::Attach(TGameData *Game, TRichView *View)
{
    FGame = Game;
    FView = View;
    Range = Game->DefRange;
    Refresh();
}

void TDrawsRangeBinding::Refresh()
{
    std::vector<int32_t> indexes;
    FGame->DrawsMan->ResolveRange(Range, indexes);
    ShowDrawsRange(Range, FView, false);
}

bool TDrawsRangeBinding::DrawsChanged(int GameId)
{
    if (!FGame || FGame->Info.Id != GameId)
        return false;
    Refresh();
    return true;
}

bool TDrawsRangeBinding::Edit(QWidget *Parent)
{
    TfrmDrawsFilter dialog(Parent);
    dialog.Range = Range;
    dialog.Game = FGame;
    dialog.DrawsMan = FGame->DrawsMan.get();
    if (platform::execModal(dialog) != 1)
        return false;
    Range = dialog.Range;
    ShowDrawsRange(Range, FView, false);
    return true;
}
