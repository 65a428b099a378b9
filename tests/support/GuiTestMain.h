#pragma once
// The body of every widget test binary's main, on the application class the binary's layer runs on:
// headless, whoever starts it.

#include "platform/gui/QtDispatcher.h"
#include "tests/support/TestEnvironment.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace testsupport {

template <class Application>
int runGuiTests(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
