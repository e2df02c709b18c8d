// The framework layer and the toolkit in one program: both bounded text copies, each with its own
// behaviour, side by side.
#include <gtest/gtest.h>

#include <string.h>

#include "framework/afx.h"
#include "skin/engine/store/SkinRecords.h"
#include "skin/engine/store/SkinStore.h"

TEST(FrameworkAndToolkit, LinkIntoOneProgramWithTheirOwnCopyText)
{
    // "报表" is two double-byte characters: a five-byte field holds only the first whole.
    char framework[5];
    EXPECT_EQ(CopyText(framework, sizeof(framework), "a报表"), 3u);
    EXPECT_STREQ(framework, "a报");

    char toolkit[5];
    memset(toolkit, 'x', sizeof(toolkit));
    tessarine::CopyText(toolkit, sizeof(toolkit), "a报表");
    EXPECT_STREQ(toolkit, "a报");
    EXPECT_EQ(toolkit[4], '\0'); // the toolkit zeroes the rest of the field

    // Both libraries at work in the same process.
    CString text("abc");
    text.MakeUpper();
    EXPECT_EQ(text, "ABC");
    EXPECT_EQ(SkinImageKey("abc.bmp"), "ABC.BMP");
}
