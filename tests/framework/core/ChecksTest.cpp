// The checks and trace channels: ASSERT and VERIFY report in the builds tests run, a wrapper called on
// an object without a window is caught, and a trace channel writes only when it is named.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(ChecksTest, FailedChecksAreCountedAndVerifyAlwaysRuns)
{
    LONG before = AfxAssertFailures();
    ASSERT(1 + 1 == 2);
    EXPECT_EQ(before, AfxAssertFailures());
    ASSERT(1 + 1 == 3);
    EXPECT_EQ(before + 1, AfxAssertFailures());

    int runs = 0;
    VERIFY(++runs == 1);
    EXPECT_EQ(1, runs);
    EXPECT_EQ(before + 1, AfxAssertFailures());
}

TEST(ChecksTest, WrapperOnAnObjectWithoutAWindowIsCaught)
{
    CWnd wnd;
    LONG before = AfxAssertFailures();
    wnd.GetStyle();
    wnd.SetWindowText("x");
    EXPECT_EQ(before + 2, AfxAssertFailures());
}

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(sizeof(dir), dir);
        file_ = std::string(dir) + "warden-trace-test.log";
        DeleteFileA(file_.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("WARDEN_TRACE", nullptr);
        SetEnvironmentVariableA("WARDEN_TRACE_FILE", nullptr);
        AfxTraceReload();
        DeleteFileA(file_.c_str());
    }
    void Name(const char* channels)
    {
        SetEnvironmentVariableA("WARDEN_TRACE", channels);
        SetEnvironmentVariableA("WARDEN_TRACE_FILE", file_.c_str());
        AfxTraceReload();
    }
    std::string Written() const
    {
        std::ifstream in(file_.c_str(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string file_;
};

TEST_F(TraceTest, ChannelsWriteOnlyWhenNamed)
{
    struct Case {
        const char* channels;
        const char* expected;
    } cases[] = {
        {nullptr, ""},
        {"", ""},
        {"hooks,sessions", "[hooks] hook 7\n[sessions] session 7\n"},
        {"sessions", "[sessions] session 7\n"},
        {"all", "[hooks] hook 7\n[sessions] session 7\n[archive] archive 7\n"},
        {"session", ""}, // names match whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channels ? c.channels : "(unset)");
        DeleteFileA(file_.c_str());
        Name(c.channels);
        TRACE(traceHooks, "hook %d", 7);
        TRACE(traceSessions, "session %d\n", 7);
        TRACE(traceArchive, "archive %d", 7);
        EXPECT_EQ(c.expected, Written());
    }
}

TEST_F(TraceTest, LongLinesAreCutAndEndTheLine)
{
    Name("engine");
    std::string longText(5000, 'x');
    TRACE(traceEngine, "%s", longText.c_str());
    std::string written = Written();
    ASSERT_LT(written.size(), 1024u);
    EXPECT_EQ('\n', written.back());
    EXPECT_EQ(0u, written.find("[engine] xxx"));
}

} // namespace
