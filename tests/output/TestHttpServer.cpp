#include "tests/output/TestHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testsupport {
namespace {

void sendAll(int Fd, const std::string &Data)
{
    size_t done = 0;
    while (done < Data.size()) {
        const ssize_t n = ::send(Fd, Data.data() + done, Data.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

std::string statusLine(int Status)
{
    const char *reason = Status == 200 ? "OK" : Status == 302 ? "Found" : Status == 404 ? "Not Found" : "Error";
    return "HTTP/1.1 " + std::to_string(Status) + " " + reason + "\r\n";
}

} // namespace

TestHttpServer::TestHttpServer()
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::listen(m_listen, 16) != 0 || ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
        throw std::runtime_error("test HTTP server cannot listen");
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { run(); });
}

TestHttpServer::~TestHttpServer()
{
    m_stopping = true;
    ::shutdown(m_listen, SHUT_RDWR);
    m_thread.join();
    ::close(m_listen);
}

std::string TestHttpServer::url(const std::string &Path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + Path;
}

void TestHttpServer::setRoute(const std::string &Path, Route R)
{
    std::lock_guard lock(m_mutex);
    m_routes[Path] = std::move(R);
}

void TestHttpServer::serveFile(const std::string &Path, const std::string &Body)
{
    setRoute(Path, {Kind::Length, 200, Body, Body.size(), {}});
}

void TestHttpServer::serveStatus(const std::string &Path, int Status, const std::string &Body)
{
    setRoute(Path, {Kind::Length, Status, Body, Body.size(), {}});
}

void TestHttpServer::serveWithoutLength(const std::string &Path, const std::string &Body)
{
    setRoute(Path, {Kind::NoLength, 200, Body, 0, {}});
}

void TestHttpServer::serveTruncated(const std::string &Path, const std::string &Body, size_t DeclaredLength)
{
    setRoute(Path, {Kind::Truncated, 200, Body, DeclaredLength, {}});
}

void TestHttpServer::serveStalling(const std::string &Path, const std::string &Body, size_t DeclaredLength)
{
    setRoute(Path, {Kind::Stalling, 200, Body, DeclaredLength, {}});
}

void TestHttpServer::serveRedirect(const std::string &Path, const std::string &Target)
{
    setRoute(Path, {Kind::Redirect, 302, {}, 0, Target});
}

std::vector<std::string> TestHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void TestHttpServer::run()
{
    while (!m_stopping) {
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        answer(fd);
        ::close(fd);
    }
}

void TestHttpServer::answer(int Fd)
{
    std::string head;
    char buf[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(Fd, buf, sizeof buf, 0);
        if (n <= 0)
            return;
        head.append(buf, static_cast<size_t>(n));
    }
    const size_t start = head.find(' ') + 1;
    const std::string path = head.substr(start, head.find(' ', start) - start);
    Route route{Kind::Length, 404, "<html>Not found</html>", 22, {}};
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(head);
        if (const auto it = m_routes.find(path); it != m_routes.end())
            route = it->second;
    }
    std::string reply = statusLine(route.status);
    switch (route.kind) {
    case Kind::Redirect:
        reply += "Location: " + url(route.target) + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        break;
    case Kind::NoLength:
        reply += "Connection: close\r\n\r\n" + route.body;
        break;
    default:
        reply += "Content-Length: " + std::to_string(route.declared) + "\r\nConnection: close\r\n\r\n" + route.body;
    }
    sendAll(Fd, reply);
    if (route.kind == Kind::Stalling)
        waitForClose(Fd);
}

void TestHttpServer::waitForClose(int Fd)
{
    char buf[256];
    while (!m_stopping) {
        pollfd p{Fd, POLLIN, 0};
        if (::poll(&p, 1, 100) > 0 && ::recv(Fd, buf, sizeof buf, 0) <= 0)
            return;
    }
}

} // namespace testsupport
