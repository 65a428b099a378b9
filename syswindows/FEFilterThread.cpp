#include "syswindows/FEFilterThread.h"

#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"

void TEFilterThread::Execute(TMyThread &Thread)
{
    if (Mode == 0)
        DrawsMan->CollectEFilters(EFilters, GroupFilter, &Thread, OnProgress);
    else
        System->CollectEFilters(EFilters, GroupFilter, Thread, OnProgress);
}
