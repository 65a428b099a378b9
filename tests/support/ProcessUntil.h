#pragma once
// Waiting in the event loop for what a test expects to happen: the hang guard only ends a wait that
// would never end.

#include "tests/support/HangGuard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace testsupport {

// Runs the event loop until Done holds or the hang guard expires; returns whether Done holds.
template <typename Pred>
bool ProcessUntil(Pred Done)
{
    const QDeadlineTimer guard(HangGuardMs);
    while (!Done() && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}

} // namespace testsupport
