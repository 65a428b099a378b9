#include "platform/AtomicFile.h"

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::isTemporaryFileName;
using platform::writeFileAtomically;

namespace {

std::vector<uint8_t> contentOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> namesIn(const fs::path &dir)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(AtomicFile, WritesAndReplacesWithoutLeavingTemporaryFiles)
{
    const fs::path dir = testsupport::makeTempDir("atomic-");
    const fs::path file = dir / "L1.dat";
    const std::vector<uint8_t> first = {0x03, 0x00, 0x00, 0xFF, 0x00, 0x0A};
    ASSERT_TRUE(writeFileAtomically(file, first));
    EXPECT_EQ(contentOf(file), first);

    const std::vector<uint8_t> second(70000, 0x5A);
    ASSERT_TRUE(writeFileAtomically(file, second));
    EXPECT_EQ(contentOf(file), second);

    ASSERT_TRUE(writeFileAtomically(file, std::vector<uint8_t>()));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"L1.dat"});
}

TEST(AtomicFile, FailureLeavesTheFolderAsItWas)
{
    const fs::path dir = testsupport::makeTempDir("atomic-");
    EXPECT_FALSE(writeFileAtomically(dir / "missing" / "a.dat", std::vector<uint8_t>{1, 2}));

    // A folder in the way cannot be replaced by a file: the temporary file must go again.
    fs::create_directories(dir / "taken" / "inner");
    EXPECT_FALSE(writeFileAtomically(dir / "taken", std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(fs::is_directory(dir / "taken" / "inner"));
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"taken"});

    EXPECT_FALSE(writeFileAtomically(dir / "", std::vector<uint8_t>{1}));
}

TEST(AtomicFile, RecognisesOnlyItsOwnTemporaryNames)
{
    EXPECT_TRUE(isTemporaryFileName(".L1.dat.4242-0.korvantile-tmp"));
    EXPECT_TRUE(isTemporaryFileName(".registry.reg.1-17.korvantile-tmp"));
    EXPECT_FALSE(isTemporaryFileName("L1.dat"));
    EXPECT_FALSE(isTemporaryFileName("L1.dat.korvantile-tmp"));
    EXPECT_FALSE(isTemporaryFileName(".korvantile-tmp"));
    EXPECT_FALSE(isTemporaryFileName(".hidden"));
    EXPECT_FALSE(isTemporaryFileName(""));
}

TEST(AtomicFile, DamagedFilesMoveAsideUnderFreeNames)
{
    const fs::path dir = testsupport::makeTempDir("atomic-");
    const fs::path file = dir / "SetCombs.dat";
    const auto writeBytes = [&](std::vector<uint8_t> bytes) { ASSERT_TRUE(writeFileAtomically(file, bytes)); };

    writeBytes({1});
    EXPECT_EQ(platform::moveDamagedFileAside(file), fs::path(file.string() + ".damaged"));
    writeBytes({2});
    fs::create_directory(dir / "SetCombs.dat.damaged-2");
    EXPECT_EQ(platform::moveDamagedFileAside(file), fs::path(file.string() + ".damaged-3"));
    EXPECT_EQ(contentOf(file.string() + ".damaged"), std::vector<uint8_t>{1});
    EXPECT_EQ(contentOf(file.string() + ".damaged-3"), std::vector<uint8_t>{2});

    EXPECT_EQ(platform::moveDamagedFileAside(file), std::nullopt) << "nothing left to move";
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"SetCombs.dat.damaged", "SetCombs.dat.damaged-2",
                                                      "SetCombs.dat.damaged-3"}));
}
