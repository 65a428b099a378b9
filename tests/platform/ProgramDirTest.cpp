#include "platform/ProgramDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using platform::programDir;
using platform::setProgramDir;

TEST(ProgramDir, ExecutableFolderUnlessOverridden)
{
    unsetenv("KORVANTILE_PROGRAM_DIR");
    const std::string exeFolder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(programDir(), exeFolder);

    setenv("KORVANTILE_PROGRAM_DIR", "/opt/korvantile", 1);
    EXPECT_EQ(programDir(), "/opt/korvantile/");

    setProgramDir("/tmp/program");
    EXPECT_EQ(programDir(), "/tmp/program/");
    setProgramDir("/tmp/other/");
    EXPECT_EQ(programDir(), "/tmp/other/");

    setProgramDir("");
    EXPECT_EQ(programDir(), "/opt/korvantile/");
    unsetenv("KORVANTILE_PROGRAM_DIR");
    EXPECT_EQ(programDir(), exeFolder);
}
