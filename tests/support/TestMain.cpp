// The main of every engine test binary.
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    testsupport::prepareTestProcess();
    const int result = RUN_ALL_TESTS();
    testsupport::finishTestProcess();
    return result;
}
