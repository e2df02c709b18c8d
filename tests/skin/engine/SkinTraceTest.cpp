// The toolkit's own trace writer reads the framework's variables the same way, and its checks count.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "skin/engine/toolkit/SkinTrace.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SkinTraceTest, ChannelsWriteOnlyWhenNamed)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    const std::string file = std::string(dir) + "tessarine-trace-test.log";
    struct Case {
        const char* channels;
        const char* expected;
    } cases[] = {
        {nullptr, ""},
        {"hooks", "[hooks] patch 3 failed\n"},
        {"sessions,engine", "[engine] skin set\n"},
        {"all", "[hooks] patch 3 failed\n[engine] skin set\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channels ? c.channels : "(unset)");
        DeleteFileA(file.c_str());
        SetEnvironmentVariableA("WARDEN_TRACE", c.channels);
        SetEnvironmentVariableA("WARDEN_TRACE_FILE", file.c_str());
        SkinTraceReload();
        SkinTrace("hooks", "patch %d failed", 3);
        SkinTrace("engine", "skin set\n");
        EXPECT_EQ(c.expected, ReadAll(file));
    }
    SetEnvironmentVariableA("WARDEN_TRACE", NULL);
    SetEnvironmentVariableA("WARDEN_TRACE_FILE", NULL);
    SkinTraceReload();
    DeleteFileA(file.c_str());
}

TEST(SkinTraceTest, FailedChecksAreCounted)
{
    long before = SkinCheckFailures();
    SKIN_CHECK(2 > 1);
    EXPECT_EQ(before, SkinCheckFailures());
    SKIN_CHECK(2 < 1);
    EXPECT_EQ(before + 1, SkinCheckFailures());
}

} // namespace
