#include "syswindows/FEFilterThread.h"

#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"

void TEFilterThread::Execute(TMyThread &Thread)
{
    if (Source.Mode == 0)
        Source.DrawsMan->CollectEFilters(EFilters, GroupFilter, &Thread, OnProgress);
    else
        Source.System->CollectEFilters(EFilters, GroupFilter, Thread, OnProgress);
}
