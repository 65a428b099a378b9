// The main of the widget test binaries below the windows (the controls).
#include "tests/support/GuiTestMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    return testsupport::runGuiTests<QApplication>(argc, argv);
}
