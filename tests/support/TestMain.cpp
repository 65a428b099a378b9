// The main of every engine test binary.
#include "platform/Dispatcher.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    testsupport::prepareTestProcess();
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    const int result = RUN_ALL_TESTS();
    testsupport::finishTestProcess();
    return result;
}
