// The clock and free-space seams: off by default, replaceable, and restored.
#include <gtest/gtest.h>

#include "framework/Seams.h"

namespace {

DWORD FakeTicks()
{
    return 12345;
}

ULONGLONG fakeFree;
BOOL FakeFreeSpace(LPCSTR, ULONGLONG* freeBytes)
{
    *freeBytes = fakeFree;
    return TRUE;
}

TEST(SeamsTest, ReplaceAndRestore)
{
    EXPECT_EQ(Seams::ReplaceTickCount(&FakeTicks), nullptr);
    EXPECT_EQ(Seams::TickCount(), 12345u);
    EXPECT_EQ(Seams::ReplaceTickCount(nullptr), &FakeTicks);
    EXPECT_NE(Seams::TickCount(), 12345u);

    fakeFree = 499ULL << 20;
    Seams::ReplaceFreeDiskSpace(&FakeFreeSpace);
    ULONGLONG bytes = 0;
    EXPECT_TRUE(Seams::FreeDiskSpace("D:", &bytes));
    EXPECT_EQ(bytes >> 20, 499u);
    Seams::ReplaceFreeDiskSpace(nullptr);

    // The platform's answer for a volume that exists, and for one that does not.
    EXPECT_TRUE(Seams::FreeDiskSpace("C:\\", &bytes));
    EXPECT_FALSE(Seams::FreeDiskSpace("Q:\\no\\such\\volume", &bytes));

    SYSTEMTIME now;
    Seams::LocalTime(&now);
    EXPECT_GT(now.wYear, 2000);
}

} // namespace
