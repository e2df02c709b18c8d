#include <gtest/gtest.h>

#include "station/ui/BitmapToggle.h"
#include "station/ui/SkinButton.h"
#include "station/ui/StateButton.h"

#include <vector>

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
    // More than the control's width, and read back whole (both truncate, so other widths may lose one).
    EXPECT_EQ(100, CBitmapToggle::FillOfValue(10, 90, 1, 10));
    EXPECT_EQ(10, CBitmapToggle::ValueOfFill(100, 90, 1, 10));
    EXPECT_EQ(9, CBitmapToggle::ValueOfFill(CBitmapToggle::FillOfValue(10, 100, 1, 10), 100, 1, 10));
    EXPECT_EQ(0, CBitmapToggle::FillOfValue(5, 100, 4, 4)); // an empty range fills nothing

    CBitmapToggle bar;
    bar.SetSize(90, 10);
    bar.SetValue(5);
    EXPECT_EQ(50, bar.GetFillWidth());
    EXPECT_EQ(5, bar.GetValue());
}

std::vector<int> events;

void RecordEvent(UINT, int event, UINT, CWnd*, int, int)
{
    events.push_back(event);
}

class ButtonHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    }
    void TearDown() override { host.DestroyWindow(); }
    static LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }
    CWnd host;
};

TEST_F(ButtonHost, SkinButtonReportsAReleaseOutsideApart)
{
    CSkinButton button;
    ASSERT_EQ(1, button.Create(405, &host, RecordEvent));
    button.MoveWindow(0, 0, 40, 20);
    // Without pictures the button still reports; a missing picture file fails the whole load.
    EXPECT_EQ(0, button.LoadBitmaps("Skin//no_such_picture.BMP", nullptr, nullptr, nullptr, 40, 20));
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, Point(5, 5));
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, Point(150, 5));
    // A release without a press reports nothing.
    button.SendMessage(WM_LBUTTONUP, 0, Point(5, 5));
    EXPECT_EQ((std::vector<int>{skinButtonPressed, skinButtonClicked, skinButtonPressed, skinButtonReleasedOutside}),
              events);
}

TEST_F(ButtonHost, StateButtonReportsTheReleaseAnywhere)
{
    CStateButton button;
    ASSERT_EQ(1, button.Create(446, &host, RecordEvent));
    button.MoveWindow(0, 0, 40, 20);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, Point(150, 80));
    EXPECT_EQ((std::vector<int>{skinButtonPressed, skinButtonClicked}), events);
    EXPECT_EQ(0, button.GetState()); // the owner sets the state, never the button
    button.SetState(1);
    EXPECT_EQ(0, button.ChosenPicture()); // on without an on picture: nothing drawn
}

} // namespace
