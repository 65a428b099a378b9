#pragma once
// Whether the system is connected to a network: a default route in /proc/net/route, or what a test
// installs instead.

#include <functional>
#include <string>

namespace platform {

// True when the routing table (the text of /proc/net/route) holds a default route that is up.
bool hasDefaultRoute(const std::string &RouteTable);

// The installed state, else hasDefaultRoute of /proc/net/route.
bool networkConnected();

// Installs the state answered from now on; an empty function restores the system's.
void setNetworkStateProvider(std::function<bool()> Provider);

} // namespace platform
