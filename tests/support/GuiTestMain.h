#pragma once
// The body of every widget test binary's main, on the application class the binary's layer runs on:
// headless, on a screen of its own, whoever starts it.

#include "platform/gui/QtDispatcher.h"
#include "tests/support/TestEnvironment.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace testsupport {

template <class Application>
int runGuiTests(int argc, char **argv)
{
    // One screen of 1400x900 at 96 dpi, a desktop on which the windows must fit.
    const std::string screen = (makeTempDir("korvantile-screen-") / "offscreen.json").string();
    std::ofstream(screen) << R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1400, "height": 900,)"
                             R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    prepareTestProcess();
    platform::installDispatcher(std::make_shared<platform::QtDispatcher>());
    const int result = RUN_ALL_TESTS();
    finishTestProcess();
    return result;
}

} // namespace testsupport
