#include <gtest/gtest.h>

#include "station/ui/mainwindow/SkinLayout.h"

#include <cstdio>
#include <string>

namespace {

TEST(SkinLayout, ScalingRoundsUpOnlyAboveHalf)
{
    // 1280 x 1024: 10,20,100,50 gives 12 (rest exactly 512: nothing added), 27, 125, 67.
    SkinRect r = ParseSkinRect("10,20,100,50", 1280, 1024);
    EXPECT_EQ(12, r.x);
    EXPECT_EQ(27, r.y);
    EXPECT_EQ(125, r.w);
    EXPECT_EQ(67, r.h);
    // At 1024 x 768 every value is used as written.
    r = ParseSkinRect("3,5,1021,763", 1024, 768);
    EXPECT_EQ(3, r.x);
    EXPECT_EQ(5, r.y);
    EXPECT_EQ(1021, r.w);
    EXPECT_EQ(763, r.h);
    // A negative remainder never adds.
    EXPECT_EQ(0, ScaleDesignUnit(-1, 1023, 1024));
    EXPECT_EQ(-2, ScaleDesignUnit(-2, 1024, 1024));
}

TEST(SkinLayout, MissingAndBadFieldsReadZero)
{
    struct Case {
        const char* text;
        int x, y, w, h;
    } cases[] = {
        {"", 0, 0, 0, 0},
        {"7", 7, 0, 0, 0},
        {"7,8", 7, 8, 0, 0},
        {"a,b,c,d", 0, 0, 0, 0},
        {"1,2,3,4,99,junk", 1, 2, 3, 4},
        {"1,2,3,4junk", 1, 2, 3, 4},
        {" 5, 6 ,7,8", 5, 6, 7, 8},
        {"99999999999,1,1,1", 2147483647, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SkinRect r = ParseSkinRect(c.text, 1024, 768);
        EXPECT_EQ(c.x, r.x) << c.text;
        EXPECT_EQ(c.y, r.y) << c.text;
        EXPECT_EQ(c.w, r.w) << c.text;
        EXPECT_EQ(c.h, r.h) << c.text;
    }
}

class SkinLayoutFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(sizeof(dir), dir);
        path = std::string(dir) + "lv_facepic_test.ini";
        FILE* f = fopen(path.c_str(), "w");
        ASSERT_NE(nullptr, f);
        fputs("[BUTTONINFO]\nmode_1=10,20,100,50\ncamdesccolor=255,128,7,9\n[VIDEO_WND]\n"
              "videownd=200,0,824,700\n",
              f);
        fclose(f);
        SetSkinScreenSize(1280, 1024);
    }
    void TearDown() override
    {
        SetSkinScreenSize(0, 0);
        DeleteFileA(path.c_str());
    }
    std::string path;
};

TEST_F(SkinLayoutFile, ReadsRectsAndColoursBySection)
{
    int x, y, w, h;
    ReadSkinRect(path.c_str(), "mode_1", &x, &y, &w, &h);
    EXPECT_EQ(12, x);
    EXPECT_EQ(27, y);
    SkinRect video = ReadSkinRect(path.c_str(), "videownd", SKIN_VIDEO_SECTION);
    EXPECT_EQ(250, video.x);
    EXPECT_EQ(1030, video.w);
    // The key is not in the default section; a missing key reads 0,0,0,0.
    SkinRect missing = ReadSkinRect(path.c_str(), "videownd");
    EXPECT_EQ(0, missing.x);
    EXPECT_EQ(0, missing.w);
    int r, g, b;
    ReadSkinColor(path.c_str(), "camdesccolor", &r, &g, &b);
    EXPECT_EQ(255, r);
    EXPECT_EQ(128, g);
    EXPECT_EQ(7, b);
    EXPECT_EQ(RGB(1, 2, 3), ReadSkinColorRef(path.c_str(), "nocolour", RGB(1, 2, 3)));
    EXPECT_EQ(RGB(255, 128, 7), ReadSkinColorRef(path.c_str(), "camdesccolor", 0));
}

} // namespace
