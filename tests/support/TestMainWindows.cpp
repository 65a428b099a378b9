// The main of the window layers' test binaries: on the program's own application, with its last guard.
#include "shell/GuardedApplication.h"
#include "tests/support/GuiTestMain.h"

int main(int argc, char **argv)
{
    InstallTerminateReport();
    return testsupport::runGuiTests<TGuardedApplication>(argc, argv);
}
