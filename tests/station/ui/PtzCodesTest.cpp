#include <gtest/gtest.h>

#include "station/ui/liveview/PtzCodes.h"

namespace {

TEST(PtzCodes, StartStopAndRepeat)
{
    for (int code = 0; code <= 9; ++code)
        EXPECT_EQ(code + 14, PtzStopCode(code));
    EXPECT_EQ(-1, PtzStopCode(10));
    EXPECT_EQ(-1, PtzStopCode(14));
    for (int code = -1; code <= 60; ++code)
        EXPECT_EQ(code >= 0 && code <= 3 ? 1 : 0, IsPtzRepeatCode(code)) << code;
    EXPECT_EQ(255, ClampPtzNumber(300)); // preset 300 is sent as 255
    EXPECT_EQ(0, ClampPtzNumber(-4));
}

TEST(PtzCodes, MatrixCameraEditKeepsThreeDigitsUpTo255)
{
    struct Case {
        const char* typed;
        const char* result; // "" = the text stays
    } cases[] = {
        {"25", ""},      {"255", ""},    {"256", "56"}, {"999", "99"}, {"2551", "51"},
        {"1234", "234"}, {"9999", "99"}, {"", ""},      {"abc", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.result, (LPCSTR)TrimMatrixCameraText(c.typed)) << c.typed;
}

} // namespace
