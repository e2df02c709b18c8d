#include <gtest/gtest.h>

#include "station/ui/BitmapToggle.h"

namespace {

TEST(BitmapToggle, ValuesOfTheLevelBar)
{
    struct Case {
        int fill, width, minimum, maximum, value;
    } cases[] = {
        {0, 100, 1, 10, 1},    // left edge: raised to the minimum
        {100, 100, 1, 10, 9},  // right edge reads 9, the minimum is never added
        {99, 100, 1, 10, 8},   // just inside the right edge
        {50, 100, 1, 10, 4},   // 4.5 truncated
        {500, 100, 1, 10, 10}, // a fill beyond the bar is lowered to the maximum
        {30, 0, 1, 10, 1},     // a bar without a width reads the minimum
        {30, 0, 3, 10, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, CBitmapToggle::ValueOfFill(c.fill, c.width, c.minimum, c.maximum))
            << c.fill << "/" << c.width;
}

TEST(BitmapToggle, SetValueFillsByTheRangeAndReadsBack)
{
    EXPECT_EQ(111, CBitmapToggle::FillOfValue(10, 100, 1, 10)); // more than the control's width
    EXPECT_EQ(10, CBitmapToggle::ValueOfFill(111, 100, 1, 10));
    EXPECT_EQ(0, CBitmapToggle::FillOfValue(5, 100, 4, 4)); // an empty range fills nothing

    CBitmapToggle bar;
    bar.SetSize(90, 10);
    bar.SetValue(5);
    EXPECT_EQ(50, bar.GetFillWidth());
    EXPECT_EQ(5, bar.GetValue());
}

} // namespace
