#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for download tests: one request per connection, answers chosen
// per path, broken answers included. Unknown paths get 404.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class TestHttpServer {
public:
    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer &) = delete;
    TestHttpServer &operator=(const TestHttpServer &) = delete;

    // "http://127.0.0.1:<port>" + Path.
    std::string url(const std::string &Path) const;

    // 200 with the body and its Content-Length.
    void serveFile(const std::string &Path, const std::string &Body);
    // The status with the body and its Content-Length.
    void serveStatus(const std::string &Path, int Status, const std::string &Body);
    // 200 with the body and no Content-Length; the connection closes after it.
    void serveWithoutLength(const std::string &Path, const std::string &Body);
    // 200 declaring DeclaredLength, then only the body, then the connection closes.
    void serveTruncated(const std::string &Path, const std::string &Body, size_t DeclaredLength);
    // 200 declaring DeclaredLength, then the body; then nothing more until the client gives up.
    void serveStalling(const std::string &Path, const std::string &Body, size_t DeclaredLength);
    // 302 to another path of this server.
    void serveRedirect(const std::string &Path, const std::string &Target);

    // The request heads received so far.
    std::vector<std::string> requests() const;

private:
    enum class Kind { Length, NoLength, Truncated, Stalling, Redirect };
    struct Route {
        Kind kind = Kind::Length;
        int status = 200;
        std::string body;
        size_t declared = 0;
        std::string target;
    };

    void run();
    void answer(int Fd);
    void waitForClose(int Fd);
    void setRoute(const std::string &Path, Route R);

    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Route> m_routes;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

} // namespace testsupport
