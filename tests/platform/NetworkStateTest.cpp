#include "platform/NetworkState.h"

#include <gtest/gtest.h>

TEST(NetworkState, ADefaultRouteThatIsUpMeansConnected)
{
    const std::string title = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    const std::string local = "eth0\t0011A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
    EXPECT_TRUE(platform::hasDefaultRoute(title + local + "eth0\t00000000\t0111A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"));
    EXPECT_FALSE(platform::hasDefaultRoute(title + local));
    EXPECT_FALSE(platform::hasDefaultRoute(title + "eth0\t00000000\t0111A8C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"));
    EXPECT_FALSE(platform::hasDefaultRoute(""));

    platform::setNetworkStateProvider([] { return false; });
    EXPECT_FALSE(platform::networkConnected());
    platform::setNetworkStateProvider([] { return true; });
    EXPECT_TRUE(platform::networkConnected());
    platform::setNetworkStateProvider({});
}
