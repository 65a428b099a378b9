#include "platform/RegistryStore.h"

#include "platform/AtomicFile.h"
#include "tests/support/HangGuard.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::Bytes;
using platform::RegistryStore;
using platform::RegValue;

namespace {

std::string textOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path &file, const std::string &text)
{
    std::ofstream(file, std::ios::binary) << text;
}

fs::path freshStoreFile()
{
    return testsupport::makeTempDir("registry-") / "registry.reg";
}

} // namespace

TEST(RegistryStore, WritesTheTextLayout)
{
    const fs::path file = freshStoreFile();
    RegistryStore store(file);
    ASSERT_TRUE(store.setValue("Settings\\1", "Wins", Bytes{0x00, 0xA5, 0x10}));
    ASSERT_TRUE(store.setValue("Settings", "LastGame", uint32_t(0xFFFFFFFE)));
    ASSERT_TRUE(store.setValue("Settings", "Name", std::string("Łódź \"x\\y\"\n")));
    ASSERT_TRUE(store.setValue("", "Empty", Bytes{}));
    EXPECT_EQ(textOf(file), "KORVANTILE REGISTRY 1\n"
                            "\n[]\n"
                            "\"Empty\"=hex:\n"
                            "\n[Settings]\n"
                            "\"LastGame\"=dword:fffffffe\n"
                            "\"Name\"=\"Łódź \\\"x\\\\y\\\"\\x0a\"\n"
                            "\n[Settings\\1]\n"
                            "\"Wins\"=hex:00,a5,10\n"
                            "\n;end\n");
}

TEST(RegistryStore, ReadsAHandWrittenFile)
{
    const fs::path file = freshStoreFile();
    writeText(file, "KORVANTILE REGISTRY 1\n"
                    "[Filters\\FltDateDef\\3]\n"
                    "\"Params\"=hex:01,FF,7e\n"
                    "\"Count\"=dword:0000002A\n"
                    "\"Text\"=\"a\\\"b\\\\c\\x09d\"\n"
                    "\"\"=dword:00000001\n"
                    ";end\n");
    RegistryStore store(file);
    EXPECT_EQ(store.value("filters\\fltdatedef\\3", "PARAMS"), RegValue(Bytes{0x01, 0xFF, 0x7E}));
    EXPECT_EQ(store.value("Filters\\FltDateDef\\3", "count"), RegValue(uint32_t(42)));
    EXPECT_EQ(store.value("Filters\\FltDateDef\\3", "Text"), RegValue(std::string("a\"b\\c\td")));
    EXPECT_EQ(store.value("Filters\\FltDateDef\\3", ""), RegValue(uint32_t(1)));
    EXPECT_TRUE(store.keyExists("Filters"));
    EXPECT_TRUE(store.keyExists("FILTERS\\fltdatedef"));
    EXPECT_FALSE(store.keyExists("Filters\\FltDateDraws"));
    EXPECT_FALSE(store.value("Filters\\FltDateDef\\3", "Missing"));
    EXPECT_FALSE(fs::exists(file.string() + ".damaged"));
}

TEST(RegistryStore, ReadsTheFormsOfAHandEditedFile)
{
    const std::string plain = "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=dword:00000005\n\"T\"=\"x y\"\n;end\n";
    auto replaced = [&plain](const std::string &From, const std::string &To) {
        std::string text = plain;
        for (size_t pos = text.find(From); pos != std::string::npos; pos = text.find(From, pos + To.size()))
            text.replace(pos, From.size(), To);
        return text;
    };
    const std::vector<std::pair<const char *, std::string>> forms{
        {"CRLF line ends", replaced("\n", "\r\n")},
        {"no final line end", plain.substr(0, plain.size() - 1)},
        {"two final line ends", plain + "\n"},
        {"blanks after the end line", plain + " \r\n\t\n"},
        {"blanks at line ends", replaced("\n", " \t\n")},
        {"a byte-order mark", "\xEF\xBB\xBF" + plain},
        {"comment lines", replaced("[Settings]\n", "; my settings\n[Settings]\n# the stake\n")},
        {"a name repeated in another case", replaced(";end", "\"a\"=dword:00000006\n\"t\"=\"z\"\n;end")},
    };
    for (const auto &[what, text] : forms) {
        SCOPED_TRACE(what);
        const fs::path file = freshStoreFile();
        writeText(file, text);
        RegistryStore store(file);
        const bool repeated = std::string_view(what).starts_with("a name");
        EXPECT_EQ(store.value("Settings", "A"), RegValue(uint32_t(repeated ? 6 : 5)));
        EXPECT_EQ(store.value("Settings", "T"), RegValue(std::string(repeated ? "z" : "x y")));
        EXPECT_TRUE(fs::exists(file));
        EXPECT_FALSE(fs::exists(file.string() + ".damaged"));
        EXPECT_EQ(store.takeRefusedFile(), std::nullopt);
    }
}

TEST(RegistryStore, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    const fs::path file = freshStoreFile();
    RegistryStore store(file);
    ASSERT_TRUE(store.setValue("Systems\\Game", "LastMode", uint32_t(1)));
    ASSERT_TRUE(store.setValue("SYSTEMS\\game", "LASTMODE", uint32_t(2)));
    EXPECT_EQ(store.value("systems\\GAME", "lastmode"), RegValue(uint32_t(2)));
    ASSERT_TRUE(store.setValue("\\Systems\\\\Game\\", "Other", std::string("x")));

    RegistryStore reloaded(file);
    EXPECT_EQ(reloaded.value("Systems\\Game", "LastMode"), RegValue(uint32_t(2)));
    EXPECT_EQ(reloaded.value("Systems\\Game", "Other"), RegValue(std::string("x")));
    const std::string text = textOf(file);
    EXPECT_NE(text.find("[Systems\\Game]\n\"LastMode\"=dword:00000002\n"), std::string::npos);
    EXPECT_EQ(text.find("SYSTEMS"), std::string::npos);
    EXPECT_EQ(text.find("LASTMODE"), std::string::npos);
}

TEST(RegistryStore, KeysAreCreatedWithTheirParents)
{
    RegistryStore store(freshStoreFile());
    EXPECT_TRUE(store.keyExists(""));
    EXPECT_FALSE(store.keyExists("Stats"));
    ASSERT_TRUE(store.createKey("Stats\\0\\6"));
    EXPECT_TRUE(store.keyExists("Stats"));
    EXPECT_TRUE(store.keyExists("Stats\\0"));
    EXPECT_TRUE(store.keyExists("stats\\0\\6"));
    EXPECT_FALSE(store.keyExists("Stats\\0\\7"));

    EXPECT_FALSE(store.createKey("Bad\nKey"));
    EXPECT_FALSE(store.setValue("Bad\x01", "x", uint32_t(1)));
    EXPECT_FALSE(store.keyExists("Bad\nKey"));
}

TEST(RegistryStore, BinaryAndOddTextsSurviveAReload)
{
    const fs::path file = freshStoreFile();
    Bytes every(256);
    for (size_t i = 0; i < every.size(); ++i)
        every[i] = static_cast<uint8_t>(i);
    std::string odd;
    for (int c = 1; c < 128; ++c)
        odd += static_cast<char>(c);
    {
        RegistryStore store(file);
        ASSERT_TRUE(store.setValue("Blanc\\1\\2", "Every", every));
        ASSERT_TRUE(store.setValue("Blanc\\1\\2", "Odd", odd));
        ASSERT_TRUE(store.setValue("Blanc\\1\\2", "Name \"quoted\"\\", uint32_t(7)));
    }
    RegistryStore reloaded(file);
    EXPECT_EQ(reloaded.value("Blanc\\1\\2", "Every"), RegValue(every));
    EXPECT_EQ(reloaded.value("Blanc\\1\\2", "Odd"), RegValue(odd));
    EXPECT_EQ(reloaded.value("Blanc\\1\\2", "name \"QUOTED\"\\"), RegValue(uint32_t(7)));
}

TEST(RegistryStore, DamagedFilesAreKeptAsideAndDefaultsUsed)
{
    const std::vector<std::string> damaged = {
        "garbage",
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=dword:00000001\n",      // cut before the end line
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=dword:0000001\n;end\n", // seven digits
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=hex:0g\n;end\n",
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=hex:01,\n;end\n",
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=\"open\n;end\n",
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=\"bad \\q escape\"\n;end\n",
        "KORVANTILE REGISTRY 1\n\"Orphan\"=dword:00000001\n;end\n",
        "KORVANTILE REGISTRY 1\n[Settings\\\\1]\n;end\n",
        "KORVANTILE REGISTRY 2\n;end\n",
        "KORVANTILE REGISTRY 1\n[Settings]\n\"A\"=dword:00000001\n;end\n\"B\"=dword:00000002\n", // the end line inside
        "\xEF\xBB\xBF\xEF\xBB\xBFKORVANTILE REGISTRY 1\n;end\n",
    };
    for (const std::string &text : damaged) {
        SCOPED_TRACE(text);
        const fs::path file = freshStoreFile();
        writeText(file, text);
        RegistryStore store(file);
        EXPECT_FALSE(store.value("Settings", "A"));
        EXPECT_FALSE(fs::exists(file));
        EXPECT_EQ(textOf(file.string() + ".damaged"), text);
        EXPECT_EQ(store.takeRefusedFile(), fs::path(file.string() + ".damaged"));
        EXPECT_EQ(store.takeRefusedFile(), std::nullopt) << "told once";

        ASSERT_TRUE(store.setValue("Settings", "A", uint32_t(5)));
        EXPECT_EQ(RegistryStore(file).value("Settings", "A"), RegValue(uint32_t(5)));
    }

    const fs::path file = freshStoreFile();
    writeText(file, "first");
    RegistryStore(file).setValue("", "x", uint32_t(1));
    writeText(file, "second");
    RegistryStore again(file);
    EXPECT_EQ(textOf(file.string() + ".damaged"), "first");
    EXPECT_EQ(textOf(file.string() + ".damaged-2"), "second");
}

TEST(RegistryStore, AFailedWriteChangesNothing)
{
    const fs::path file = freshStoreFile();
    RegistryStore store(file);
    ASSERT_TRUE(store.setValue("Settings", "Kept", uint32_t(1)));
    fs::remove(file);
    fs::create_directories(file / "in-the-way");
    EXPECT_FALSE(store.setValue("Settings", "Lost", uint32_t(2)));
    EXPECT_FALSE(store.createKey("Settings\\New"));
    EXPECT_FALSE(store.value("Settings", "Lost"));
    EXPECT_FALSE(store.keyExists("Settings\\New"));
    EXPECT_EQ(store.value("Settings", "Kept"), RegValue(uint32_t(1)));

    const fs::path blocked = testsupport::makeTempDir("registry-") / "plain-file";
    writeText(blocked, "x");
    RegistryStore unwritable(blocked / "registry.reg");
    EXPECT_FALSE(unwritable.setValue("Settings", "A", uint32_t(1)));
    EXPECT_FALSE(unwritable.value("Settings", "A"));
}

TEST(RegistryStore, ConfigFolderFollowsTheEnvironment)
{
    const std::string saved =
        std::getenv("KORVANTILE_CONFIG_DIR") ? std::getenv("KORVANTILE_CONFIG_DIR") : "";
    const char *xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";

    setenv("KORVANTILE_CONFIG_DIR", "/tmp/k-config", 1);
    setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(platform::configDir(), fs::path("/tmp/k-config"));
    unsetenv("KORVANTILE_CONFIG_DIR");
    EXPECT_EQ(platform::configDir(), fs::path("/tmp/xdg/korvantile"));
    setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(platform::configDir(), fs::path("/home/player/.config/korvantile"));

    setenv("KORVANTILE_CONFIG_DIR", saved.c_str(), 1);
    if (xdg)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
}

TEST(RegistryStore, ConcurrentWritersLoseNothing)
{
    const fs::path file = freshStoreFile();
    RegistryStore store(file);
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&store, t] {
            for (uint32_t i = 0; i < 15; ++i)
                store.setValue("Threads\\" + std::to_string(t), "V" + std::to_string(i),
                               i * 10 + uint32_t(t));
        });
    for (auto &writer : writers)
        writer.join();
    RegistryStore reloaded(file);
    for (int t = 0; t < 4; ++t)
        for (uint32_t i = 0; i < 15; ++i)
            EXPECT_EQ(reloaded.value("Threads\\" + std::to_string(t), "V" + std::to_string(i)),
                      RegValue(i * 10 + uint32_t(t)));
}

namespace {

Bytes blobFor(uint32_t n)
{
    Bytes blob(20000 + n % 997);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<uint8_t>(n + i);
    return blob;
}

// Blocks until the writer reports a completed write on Fd; False when it ends or the guard runs out.
bool awaitWrite(int Fd)
{
    pollfd ready{Fd, POLLIN, 0};
    char report = 0;
    return poll(&ready, 1, testsupport::HangGuardMs) == 1 && read(Fd, &report, 1) == 1;
}

} // namespace

// A writer killed at any moment leaves the file it had or the one it was writing, never a torn one.
TEST(RegistryStore, SurvivesAWriterKilledMidWrite)
{
    const fs::path file = freshStoreFile();
    {
        RegistryStore store(file);
        ASSERT_TRUE(store.setValue("Crash", "Blob", blobFor(0)));
        ASSERT_TRUE(store.setValue("Crash", "Count", uint32_t(0)));
    }
    std::mt19937 random(20240611);
    uint32_t count = 0;
    for (int kills = 1; kills <= 20; ++kills) {
        int reports[2];
        ASSERT_EQ(pipe(reports), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(reports[0]);
            RegistryStore store(file);
            const auto start = store.value("Crash", "Count");
            uint32_t n = start && std::holds_alternative<uint32_t>(*start) ? std::get<uint32_t>(*start) : 0;
            for (;;) {
                ++n;
                if (!store.setValue("Crash", "Blob", blobFor(n)) || !store.setValue("Crash", "Count", n) ||
                    write(reports[1], "w", 1) != 1)
                    _exit(1);
            }
        }
        close(reports[1]);
        // Killed after one to three completed writes. The pause only spreads the kill over the next write;
        // what is checked holds wherever it lands.
        bool wrote = true;
        for (uint32_t w = 1 + random() % 3; w > 0 && wrote; --w)
            wrote = awaitWrite(reports[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(reports[0]);
        ASSERT_TRUE(wrote) << "no write reported before kill " << kills;

        RegistryStore check(file);
        ASSERT_FALSE(fs::exists(file.string() + ".damaged")) << "after kill " << kills;
        const auto stored = check.value("Crash", "Count");
        ASSERT_TRUE(stored && std::holds_alternative<uint32_t>(*stored));
        const uint32_t now = std::get<uint32_t>(*stored);
        ASSERT_GT(now, count) << "after kill " << kills;
        count = now;
        const auto blob = check.value("Crash", "Blob");
        ASSERT_TRUE(blob);
        // The blob is written before the count, so it belongs to this count or the next.
        EXPECT_TRUE(*blob == RegValue(blobFor(count)) || *blob == RegValue(blobFor(count + 1)));
    }
    for (const auto &entry : fs::directory_iterator(file.parent_path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "registry.reg" || platform::isTemporaryFileName(name)) << name;
    }
}
