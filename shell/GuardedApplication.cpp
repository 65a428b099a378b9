#include "shell/GuardedApplication.h"

#include "shell/FGlobalMessages.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

TGuardedApplication::TGuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TGuardedApplication::notify(QObject *Receiver, QEvent *Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        ShowCurrentFailure();
        return false;
    }
}

namespace {

[[noreturn]] void ReportTermination()
{
    const char *what = "no exception";
    if (const std::exception_ptr current = std::current_exception()) {
        what = "an exception of an unknown kind";
        try {
            std::rethrow_exception(current);
        } catch (const std::exception &error) {
            what = error.what();
        } catch (...) {
        }
    }
    std::fprintf(stderr, "Korvantile ends abnormally: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

} // namespace

void InstallTerminateReport()
{
    std::set_terminate(ReportTermination);
}
