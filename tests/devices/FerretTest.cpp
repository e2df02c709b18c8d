// Ferret finds the demonstration site's servers, on the calling thread.
#include <gtest/gtest.h>

#include <map>

#include "devices/devsim/control/DevsimControl.h"
#include "devices/ferret/Ferret.h"
#include "tests/support/TestSupport.h"

namespace {

struct Found {
    std::string name, address, mac;
    int port, channels, kind;
    DWORD thread;
};
std::vector<Found> g_found;

void __stdcall OnDevice(int kind, const char* name, const char* address, const unsigned char* mac, int, int port, int,
                        int, int, int, int, int channels)
{
    char m[32];
    std::snprintf(m, sizeof m, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    g_found.push_back({name, address, m, port, channels, kind, GetCurrentThreadId()});
}

TEST(Ferret, FindsTheDemonstrationSiteServers)
{
    DevsimSite site;
    ASSERT_TRUE(site.Start(ProgramPath("demo-site.ini")));
    Ferret_Init();
    g_found.clear();
    EXPECT_EQ(Ferret_SearchDevices(300, OnDevice), 2);
    EXPECT_EQ(Ferret_SearchDevicesEx(300, OnDevice), 1);
    std::map<std::string, Found> byName;
    for (const Found& f : g_found) {
        EXPECT_EQ(f.thread, GetCurrentThreadId()) << "the callback runs inside the search call";
        EXPECT_EQ(f.kind, 1);
        EXPECT_EQ(f.address, "127.0.0.1");
        byName[f.name] = f;
    }
    ASSERT_EQ(byName.size(), 3u);
    EXPECT_EQ(byName["Lobby"].channels, 4);
    EXPECT_EQ(byName["Warehouse"].channels, 8);
    EXPECT_EQ(byName["Parking"].channels, 16);
    for (auto& e : byName)
        EXPECT_EQ(e.second.port, site.Port(e.first)) << e.first;
    EXPECT_NE(byName["Lobby"].mac, byName["Warehouse"].mac);
    // A stopped server does not answer the search.
    ASSERT_TRUE(site.Ok("stop Lobby"));
    g_found.clear();
    EXPECT_EQ(Ferret_SearchDevices(300, OnDevice), 1);
    Ferret_Cleanup();
}

TEST(Ferret, FindsNothingWithoutASite)
{
    char saved[64] = {};
    GetEnvironmentVariableA("DEVSIM_SITE", saved, sizeof saved);
    SetEnvironmentVariableA("DEVSIM_SITE", nullptr);
    g_found.clear();
    EXPECT_EQ(Ferret_SearchDevices(300, OnDevice), 0);
    EXPECT_TRUE(g_found.empty());
    if (saved[0])
        SetEnvironmentVariableA("DEVSIM_SITE", saved);
}

} // namespace
