#include "statwindows/FCombProp.h"

TCombPropCall &LastCombPropCall()
{
    static TCombPropCall call;
    return call;
}

void ShowCombProperties(TGameData &Game, const TDynByteArr &Comb, const TDrawsRange &Range, const TStatDraws &Draws)
{
    TCombPropCall &call = LastCombPropCall();
    call.Game = &Game;
    call.Comb = Comb;
    call.Range = Range;
    call.Draws = Draws;
    ++call.Calls;
}
