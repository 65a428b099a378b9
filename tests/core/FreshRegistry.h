#pragma once
// Points the process's settings store at an empty file for one test, and back afterwards.

#include "platform/RegistryStore.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

class FreshRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = store().file();
        store().reopen(testsupport::makeTempDir("registry-") / "registry.reg");
    }
    void TearDown() override { store().reopen(m_previous); }

    static platform::RegistryStore &store() { return platform::RegistryStore::instance(); }

private:
    std::filesystem::path m_previous;
};
