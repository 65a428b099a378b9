#include "shell/FGlobalUpdate.h"

#include "shell/WindowOpeners.h"

void OpenDrawsUpdate(QWidget *Owner)
{
    CallOpener(WindowOpeners().DrawsUpdate, Owner);
}
