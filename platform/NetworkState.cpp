#include "platform/NetworkState.h"

#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

namespace platform {
namespace {

constexpr unsigned RouteUp = 0x0001; // RTF_UP

std::mutex g_mutex;
std::function<bool()> g_provider;

} // namespace

bool hasDefaultRoute(const std::string &RouteTable)
{
    std::istringstream lines(RouteTable);
    std::string line;
    std::getline(lines, line); // the column titles
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags, refs, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> flags >> refs >> use >> metric >> mask))
            continue;
        unsigned flagBits = 0;
        std::istringstream(flags) >> std::hex >> flagBits;
        if (destination == "00000000" && mask == "00000000" && (flagBits & RouteUp))
            return true;
    }
    return false;
}

bool networkConnected()
{
    {
        std::lock_guard lock(g_mutex);
        if (g_provider)
            return g_provider();
    }
    std::ifstream in("/proc/net/route");
    return hasDefaultRoute({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

void setNetworkStateProvider(std::function<bool()> Provider)
{
    std::lock_guard lock(g_mutex);
    g_provider = std::move(Provider);
}

} // namespace platform
