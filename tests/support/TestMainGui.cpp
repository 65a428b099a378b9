// The main of every widget test binary: headless, whoever starts it.
#include "platform/gui/QtDispatcher.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    testsupport::prepareTestProcess();
    platform::installDispatcher(std::make_shared<platform::QtDispatcher>());
    const int result = RUN_ALL_TESTS();
    testsupport::finishTestProcess();
    return result;
}
