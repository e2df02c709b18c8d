// The tooltip window: placement from the table and the fall-backs inside the work area, the delayed show
// asking the owner again, hiding on leave and on the hide delay, owners going away, the built-in frame
// and style sheet, re-binding on a skin change, and a screenshot of a rich-text tip.
#include <gtest/gtest.h>

#include <memory>

#include "tools/screenshot/Screenshot.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/store/SkinTypes.h"
#include "tests/support/TestSupport.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "skin/engine/tooltip/TooltipWindow.h"
#include "skin/engine/drawing/WindowTools.h"

namespace {

class TipOwner : public SkinnedItem {
public:
    void Paint(HDC) override {}
    std::string GetTipText(POINT) const override
    {
        ++asked;
        return answer;
    }
    mutable int asked = 0;
    std::string answer;
};

class TooltipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        tip_ = GetTooltipWindow();
        ASSERT_NE(nullptr, tip_);
        ASSERT_TRUE(GetMonitorRectForPoint(POINT{10, 10}, work_, TRUE));
    }
    void TearDown() override
    {
        if (tip_)
            tip_->Hide();
    }
    // The show delay is over (the clock of the test is its messages).
    void ShowDelayOver()
    {
        SendMessageA(tip_->GetHwnd(), WM_TIMER, TooltipWindow::ShowTimer, 0);
        PumpMessages();
    }
    bool Visible() const { return IsWindowVisible(tip_->GetHwnd()) != FALSE; }
    RECT WindowRect() const
    {
        RECT r;
        GetWindowRect(tip_->GetHwnd(), &r);
        return r;
    }
    POINT CursorAt(int x, int y)
    {
        SetCursorPos(x, y);
        POINT p;
        GetCursorPos(&p);
        return p;
    }

    ToolkitRun run_;
    TooltipWindow* tip_ = nullptr;
    RECT work_;
};

} // namespace

TEST(TooltipPlacement, TableOfPlacements)
{
    const POINT p = {500, 400};
    const SIZE s = {100, 41};
    const RECT expected[9] = {
        {502, 422, 602, 463}, // 0: below right
        {450, 422, 550, 463}, // 1: below, centred
        {398, 422, 498, 463}, // 2: below left
        {502, 380, 602, 421}, // 3: right, centred
        {398, 380, 498, 421}, // 4: left, centred
        {502, 357, 602, 398}, // 5: above right
        {450, 357, 550, 398}, // 6: above, centred
        {398, 357, 498, 398}, // 7: above left
        {502, 422, 602, 463}, // any other: as 0
    };
    for (int placement = 0; placement < 9; ++placement) {
        const RECT r = TooltipWindow::PlaceTip(placement == 8 ? 42 : placement, p, s);
        EXPECT_TRUE(EqualRect(&r, &expected[placement]))
            << placement << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(TooltipPlacement, FallsBackInsideTheWorkArea)
{
    const RECT work = {0, 0, 1024, 768};
    const SIZE s = {100, 40};
    struct Case {
        int placement;
        POINT cursor;
        int expected; // the placement whose rectangle is used
    } cases[] = {
        {0, {500, 400}, 0},                       // fits as asked
        {5, {500, 400}, 5},  {0, {1022, 766}, 7}, // the very corner: above left
        {0, {1000, 300}, 2},                      // the right edge: the first of 0 to 7 that fits is below left
        {0, {500, 740}, 3},                       // the bottom edge: beside the cursor
        {6, {5, 5}, 0},                           // no room above: back to 0
        {0, {3, 764}, 5},                         // bottom-left corner: above right
    };
    for (const Case& c : cases) {
        const RECT chosen = TooltipWindow::ChooseTipRect(c.placement, c.cursor, s, work);
        const RECT expected = TooltipWindow::PlaceTip(c.expected, c.cursor, s);
        EXPECT_TRUE(EqualRect(&chosen, &expected))
            << "placement " << c.placement << " at " << c.cursor.x << "," << c.cursor.y << " should use " << c.expected;
    }
    // Nothing fits (a tip larger than the area): placement 7.
    const RECT huge = TooltipWindow::ChooseTipRect(0, POINT{500, 400}, SIZE{2000, 2000}, work);
    const RECT seven = TooltipWindow::PlaceTip(7, POINT{500, 400}, SIZE{2000, 2000});
    EXPECT_TRUE(EqualRect(&huge, &seven));
}

TEST_F(TooltipTest, DelayedShowPlacedAtTheCursorThenHidden)
{
    ASSERT_TRUE(LoadDefaultSkin());
    TipOwner owner;
    owner.answer = "<b>Camera 3</b> recording";
    owner.SetTipText(owner.answer.c_str());
    const POINT cursor = CursorAt(300, 200);
    owner.ShowTooltip();
    EXPECT_EQ(&owner, tip_->Owner());
    EXPECT_FALSE(tip_->IsBuiltInObject());
    EXPECT_EQ(600u, tip_->Object().showDelay);
    EXPECT_FALSE(Visible()) << "shown only after the show delay";
    ShowDelayOver();
    ASSERT_TRUE(Visible());
    EXPECT_EQ(1, owner.asked);
    const RECT r = WindowRect();
    EXPECT_EQ(cursor.x + 2, r.left);
    EXPECT_EQ(cursor.y + 22, r.top);
    // The window is the measured text plus the frame's borders (2 pixels each side in this skin).
    HDC dc = GetDC(tip_->GetHwnd());
    const SIZE text = tip_->GetDrawer().Measure(dc, owner.answer);
    ReleaseDC(tip_->GetHwnd(), dc);
    EXPECT_EQ(text.cx + 4, r.right - r.left);
    EXPECT_EQ(text.cy + 4, r.bottom - r.top);
    // Leaving it hides it; so does the hide delay after another show.
    SendMessageA(tip_->GetHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Visible());
    ShowDelayOver();
    ASSERT_TRUE(Visible());
    SendMessageA(tip_->GetHwnd(), WM_TIMER, TooltipWindow::HideTimer, 0);
    EXPECT_FALSE(Visible());
    owner.HideTooltip();
}

TEST_F(TooltipTest, CornerOfTheWorkAreaUsesAboveLeft)
{
    TipOwner owner;
    owner.answer = "corner";
    tip_->SetOwner(&owner);
    const POINT cursor = CursorAt(work_.right - 2, work_.bottom - 2);
    tip_->Request("corner", NULL);
    ShowDelayOver();
    ASSERT_TRUE(Visible());
    const RECT r = WindowRect();
    EXPECT_EQ(cursor.x - 2, r.right);
    EXPECT_EQ(cursor.y - 2, r.bottom);
    EXPECT_TRUE(PtInRect(&work_, POINT{r.left, r.top}));
}

TEST_F(TooltipTest, EmptyTextsShowNothingAndTheOwnerIsAskedAgain)
{
    tip_->Request("", NULL);
    ShowDelayOver();
    EXPECT_FALSE(Visible());
    TipOwner owner;
    tip_->SetOwner(&owner);
    tip_->Request("pending", NULL);
    ShowDelayOver();
    EXPECT_FALSE(Visible());
    EXPECT_EQ(1, owner.asked);
    ShowDelayOver();
    EXPECT_EQ(2, owner.asked);
    owner.answer = "now there is one";
    ShowDelayOver();
    EXPECT_TRUE(Visible());
    EXPECT_EQ("now there is one", tip_->Text());
}

TEST_F(TooltipTest, OwnerGoingAwayHidesTheTip)
{
    std::unique_ptr<TipOwner> owner(new TipOwner);
    owner->answer = "owned";
    owner->SetTipText("owned");
    owner->ShowTooltip();
    ShowDelayOver();
    ASSERT_TRUE(Visible());
    owner.reset();
    EXPECT_EQ(nullptr, tip_->Owner());
    EXPECT_FALSE(Visible());
    ShowDelayOver(); // nobody to ask any more
    EXPECT_FALSE(Visible());
    // Another item's hide request leaves a tip it does not own alone.
    TipOwner first, second;
    first.answer = "first";
    first.SetTipText("first");
    first.ShowTooltip();
    ShowDelayOver();
    second.HideTooltip();
    EXPECT_TRUE(Visible());
    first.HideTooltip();
    EXPECT_FALSE(Visible());
}

TEST_F(TooltipTest, BuiltInFrameAndStyleSheet)
{
    const std::string defaultSheet = RichTextDrawer().CssText();
    ASSERT_TRUE(LoadDefaultSkin());
    SkinObject* skinTip = SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeTooltip);
    ASSERT_NE(nullptr, skinTip);
    tip_->SetSkinObject(skinTip);
    EXPECT_NE(defaultSheet, tip_->GetDrawer().CssText());
    // Anything but a Tooltip object binds the built-in one, with the default style sheet again.
    EXPECT_EQ(nullptr, tip_->SetSkinObject(SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("Dialog")));
    EXPECT_TRUE(tip_->IsBuiltInObject());
    EXPECT_EQ(defaultSheet, tip_->GetDrawer().CssText());
    EXPECT_EQ(1000u, tip_->Object().showDelay);
    EXPECT_EQ(8000u, tip_->Object().hideDelay);

    // The built-in frame: one-pixel black borders around the tooltip background.
    TipOwner owner;
    owner.answer = "plain";
    tip_->SetOwner(&owner);
    CursorAt(100, 100);
    tip_->Request("plain", NULL);
    ShowDelayOver();
    ASSERT_TRUE(Visible());
    UpdateWindow(tip_->GetHwnd());
    PumpMessages();
    const Capture shot = CaptureWindow(tip_->GetHwnd());
    ASSERT_GT(shot.width, 4);
    EXPECT_EQ(RGB(0, 0, 0), shot.Pixel(0, shot.height / 2));
    EXPECT_EQ(RGB(0, 0, 0), shot.Pixel(shot.width / 2, 0));
    EXPECT_EQ(tip_->Object().thirdColor, shot.Pixel(1, 1)); // COLOR_INFOBK when the tooltip was made
}

TEST_F(TooltipTest, SkinChangeRebindsTheTooltip)
{
    ASSERT_TRUE(LoadDefaultSkin());
    tip_->SetSkinObject(SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeTooltip));
    ASSERT_TRUE(LoadDefaultSkin());
    EXPECT_EQ(SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeTooltip), tip_->GetSkinObject());
    MakeCurrentSkin([](SkinStore& skin) { AddTyped(skin, SkinTypeButton, "Button"); });
    EXPECT_TRUE(tip_->IsBuiltInObject());
}

TEST_F(TooltipTest, RichTextTipScreenshot)
{
    ASSERT_TRUE(LoadDefaultSkin());
    TipOwner owner;
    owner.answer = "<b>Camera 3</b> - Front gate<br>Status: <font color=green>recording</font>, <i>motion armed</i>"
                   "<br><table border=1><tr><td>Stream</td><td>1280 x 720</td></tr>"
                   "<tr><td>Disk</td><td>83% used</td></tr></table>";
    owner.SetTipText(owner.answer.c_str());
    CursorAt(200, 150);
    owner.ShowTooltip();
    ShowDelayOver();
    ASSERT_TRUE(Visible());
    UpdateWindow(tip_->GetHwnd());
    PumpMessages();
    const Capture shot = CaptureWindow(tip_->GetHwnd());
    ASSERT_TRUE(SavePng(shot, ScreenshotPath(std::string("tooltip") + RunSuffix())));
    // The skin's client colour fills the inside (right of the first line), its frame edges the outside,
    // and text is drawn.
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xE1), shot.Pixel(shot.width - 4, 4));
    EXPECT_NE(RGB(0xFF, 0xFF, 0xE1), shot.Pixel(0, shot.height / 2));
    int dark = 0;
    for (int y = 2; y < shot.height - 2; ++y)
        for (int x = 2; x < shot.width - 2; ++x)
            dark += GetRValue(shot.Pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
    owner.HideTooltip();
}
