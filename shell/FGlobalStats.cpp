#include "shell/FGlobalStats.h"

#include "shell/WindowOpeners.h"

void OpenStatWindow(int StatIndex, TGenForm *Parent)
{
    CallOpener(WindowOpeners().StatWindow, StatIndex, Parent);
}

void OpenPredReduct()
{
    CallOpener(WindowOpeners().PredReduct);
}
