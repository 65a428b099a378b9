#include "output/HTTPGet.h"

#include "core/UGlobalThreads.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/output/TestHttpServer.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testsupport::TestHttpServer;

// A thread object that is never started: its terminated flag is the downloader's stop test.
class IdleThread : public TMyThread {
protected:
    void Execute() override {}
};

struct Download {
    IdleThread thread;
    THTTPGetFile getter;
    std::vector<std::string> events;

    Download()
    {
        getter.Thread = &thread;
        getter.OnOpen = [this] { events.push_back("open"); };
        getter.OnConnected = [this] { events.push_back("connected"); };
        getter.OnFileSize = [this](int32_t Size) { events.push_back("size " + std::to_string(Size)); };
        getter.OnProgress = [this](int32_t Read) { events.push_back("read " + std::to_string(Read)); };
    }

    bool get(const std::string &Url, const std::string &File)
    {
        events.clear();
        getter.URL = Url;
        getter.FileName = File;
        return getter.GetFile();
    }
};

const std::string Step2 = "Nie mogę pobrać pliku.";
const std::string Step3 = "Nie mogę pobrać informacji o pliku.";
const std::string Step5 = "Wystąpił błąd podczas transferu pliku";

} // namespace

TEST(HTTPGetFile, FetchesTheHistoryThenRefusesAnErrorPageWithTheSameObject)
{
    TestHttpServer server;
    const std::string history = testsupport::readFile(testsupport::HistoryFile());
    server.serveFile("/lotto.txt", history);
    server.serveRedirect("/moved", "/lotto.txt");
    const auto dir = testsupport::makeTempDir("http-");
    Download d;

    ASSERT_TRUE(d.get(server.url("/moved"), (dir / "3").string())) << d.getter.Error.Code;
    EXPECT_EQ(d.getter.Error.Code, 0);
    EXPECT_EQ(testsupport::readFile(dir / "3"), history);
    ASSERT_GE(d.events.size(), 4u);
    EXPECT_EQ(d.events[0], "open");
    EXPECT_EQ(d.events[1], "connected");
    EXPECT_EQ(d.events[2], "size " + std::to_string(history.size() + 1));
    EXPECT_EQ(d.events.back(), "read " + std::to_string(history.size()));
    int last = 0;
    for (size_t i = 3; i < d.events.size(); ++i) {
        const int read = std::stoi(d.events[i].substr(5));
        EXPECT_GT(read, last);
        EXPECT_LE(read - last, 16384);
        last = read;
    }
    const std::string request = server.requests().back();
    EXPECT_NE(request.find("Cache-Control: no-cache"), std::string::npos);
    EXPECT_NE(request.find("Pragma: no-cache"), std::string::npos);
    EXPECT_EQ(request.find("Accept-Encoding"), std::string::npos);

    server.serveStatus("/missing", 404, "<html>no such page</html>");
    EXPECT_FALSE(d.get(server.url("/missing"), (dir / "4").string()));
    EXPECT_EQ(d.getter.Error.Code, 2);
    EXPECT_EQ(d.getter.Error.Msg, Step2);
    EXPECT_EQ(d.events, std::vector<std::string>{"open"});
    EXPECT_FALSE(std::filesystem::exists(dir / "4"));

    EXPECT_FALSE(d.get("ftp://127.0.0.1/lotto.txt", (dir / "5").string()));
    EXPECT_EQ(d.getter.Error.Code, 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "5"));
}

TEST(HTTPGetFile, AMissingLengthFailsStepThree)
{
    TestHttpServer server;
    server.serveWithoutLength("/nolength", "1. 01.01.2019 1,2,3,4,5,6\r\n");
    const auto dir = testsupport::makeTempDir("http-");
    Download d;

    EXPECT_FALSE(d.get(server.url("/nolength"), (dir / "1").string()));
    EXPECT_EQ(d.getter.Error.Code, 3);
    EXPECT_EQ(d.getter.Error.Msg, Step3);
    EXPECT_EQ(d.events, (std::vector<std::string>{"open", "connected"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "1"));
}

TEST(HTTPGetFile, AShortBodyFailsTheTransferAndLeavesWhatCame)
{
    TestHttpServer server;
    server.serveTruncated("/short", std::string(500, 'x'), 1000);
    const auto dir = testsupport::makeTempDir("http-");
    Download d;

    EXPECT_FALSE(d.get(server.url("/short"), (dir / "1").string()));
    EXPECT_EQ(d.getter.Error.Code, 5);
    EXPECT_EQ(d.getter.Error.Msg, Step5);
    EXPECT_EQ(d.events.at(2), "size 1001");
    EXPECT_EQ(d.events.back(), "read 500");
    EXPECT_EQ(testsupport::readFile(dir / "1"), std::string(500, 'x'));
}

TEST(HTTPGetFile, AStopDuringASlowBodyEndsTheTransferHalfWay)
{
    TestHttpServer server;
    server.serveStalling("/slow", std::string(3000, 'y'), 6000);
    const auto dir = testsupport::makeTempDir("http-");
    Download d;
    d.getter.OnProgress = [&d](int32_t Read) {
        d.events.push_back("read " + std::to_string(Read));
        if (Read == 3000)
            d.thread.Terminate();
    };

    EXPECT_FALSE(d.get(server.url("/slow"), (dir / "1").string()));
    EXPECT_EQ(d.getter.Error.Code, 5);
    EXPECT_EQ(d.getter.Error.Msg, Step5);
    EXPECT_EQ(d.events.back(), "read 3000");
    EXPECT_EQ(testsupport::readFile(dir / "1"), std::string(3000, 'y'));
}

TEST(HTTPGetFile, AnEmptyBodyMakesAnEmptyFileAndAMissingFolderFailsStepFour)
{
    TestHttpServer server;
    server.serveFile("/empty", "");
    const auto dir = testsupport::makeTempDir("http-");
    Download d;

    ASSERT_TRUE(d.get(server.url("/empty"), (dir / "1").string()));
    EXPECT_EQ(d.events, (std::vector<std::string>{"open", "connected", "size 1"}));
    EXPECT_TRUE(std::filesystem::exists(dir / "1"));
    EXPECT_EQ(std::filesystem::file_size(dir / "1"), 0u);

    EXPECT_FALSE(d.get(server.url("/empty"), (dir / "no" / "1").string()));
    EXPECT_EQ(d.getter.Error.Code, 4);
    EXPECT_EQ(d.getter.Error.Msg, "Wystąpił błąd podczas tworzenia pliku na dysku lokalnym.");
}
