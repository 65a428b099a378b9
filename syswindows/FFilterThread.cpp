#include "syswindows/FFilterThread.h"

#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"

void TFilterThread::Execute(TMyThread &Thread)
{
    if (Source.Mode == 0)
        Result = Source.DrawsMan->MarkByFilter(*ResultFilter, &Thread, OnProgress);
    else
        Result = Source.System->MarkByFilter(*ResultFilter, Thread, OnProgress);
}
