#include "syswindows/FFilterThread.h"

#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"

void TFilterThread::Execute(TMyThread &Thread)
{
    if (Mode == 0)
        Result = DrawsMan->MarkByFilter(*ResultFilter, &Thread, OnProgress);
    else
        Result = System->MarkByFilter(*ResultFilter, Thread, OnProgress);
}
