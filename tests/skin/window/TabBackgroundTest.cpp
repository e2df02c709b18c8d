// Controls placed over a skinned tab control take the tab's picture as their background: a transparent
// check box shows the tab's FRAME under its text, and the holder each control asks follows the tabs as
// they are made, moved and destroyed (the answer is kept between repaints).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/skinners/controls/TabSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

class TabBackgroundTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
    }
    HWND MakeDialog() { return Track(MakeTestParent("TabBackgroundParent", DefWindowProcA, "选项卡背景", 420, 300)); }
    static HWND Child(const char* className, HWND parent, DWORD style, int id, const char* text, int x, int y, int w,
                      int h)
    {
        HWND child = MakeTestControl(className, parent, style, id, text, x, y, w, h);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return child;
    }
    static HWND MakeTab(HWND parent, int id, int x, int y, int w, int h)
    {
        HWND tab = Child(WC_TABCONTROLA, parent, WS_CLIPSIBLINGS, id, "", x, y, w, h);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("常规");
        SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.pszText = const_cast<char*>("高级");
        SendMessageA(tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
        return tab;
    }
};

} // namespace

TEST_F(TabBackgroundTest, TransparentCheckBoxOverATabShowsTheTabsFrame)
{
    HWND dialog = MakeDialog();
    HWND tab = MakeTab(dialog, 300, 10, 10, 390, 240);
    // Over the tab's display area, as dialogs place controls straight on a tab; the text is short so the
    // right part of the check box is background alone.
    HWND check = Child("Button", dialog, BS_AUTOCHECKBOX, 301, "启用", 40, 80, 200, 20);
    HWND beside = Child("Button", dialog, BS_AUTOCHECKBOX, 302, "启用", 40, 260, 200, 20);
    SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(dialog, "Dialog"));
    PumpMessages();
    SkinnedWindow* checkSkinner = FindSkinnedWindow(check);
    TabSkinner* tabSkinner = dynamic_cast<TabSkinner*>(FindSkinnedWindow(tab));
    ASSERT_NE(nullptr, checkSkinner);
    ASSERT_NE(nullptr, tabSkinner);
    const CheckBoxSkinObject* object = dynamic_cast<const CheckBoxSkinObject*>(checkSkinner->GetSkinObject());
    ASSERT_NE(nullptr, object);
    ASSERT_TRUE(object->transparent) << "the default skin's check box is transparent";
    EXPECT_EQ(tab, checkSkinner->FindTabParent());
    EXPECT_EQ(dialog, FindSkinnedWindow(beside)->FindTabParent()) << "below the tab: the dialog holds it";
    RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();

    // The tab's own picture, painted apart, at the check box's place.
    RECT tabClient;
    GetClientRect(tab, &tabClient);
    HDC tabDc = GetDC(tab);
    MemoryDC picture(tabDc, tabClient.right, tabClient.bottom);
    ReleaseDC(tab, tabDc);
    ASSERT_TRUE(picture.IsValid());
    tabSkinner->Paint(picture);
    POINT origin = {0, 0};
    MapWindowPoints(check, tab, &origin, 1);
    RECT client;
    GetClientRect(check, &client);
    HDC checkDc = GetDC(check);
    int compared = 0, differing = 0;
    for (int y = 1; y < client.bottom - 1; ++y)
        for (int x = 100; x < client.right - 2; x += 3) {
            ++compared;
            if (GetPixel(checkDc, x, y) != GetPixel(picture, origin.x + x, origin.y + y))
                ++differing;
        }
    const COLORREF underText = GetPixel(checkDc, 150, client.bottom / 2);
    ReleaseDC(check, checkDc);
    EXPECT_EQ(0, differing) << "of " << compared << " pixels right of the text";
    // FRAME's centre, not the face colour a holder that paints nothing leaves, nor the dialog's picture.
    EXPECT_EQ(GetPixel(picture, origin.x + 150, origin.y + client.bottom / 2), underText);
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), underText);
    HDC besideDc = GetDC(beside);
    EXPECT_NE(GetPixel(besideDc, 150, 10), underText) << "off the tab the dialog's picture shows";
    ReleaseDC(beside, besideDc);
    EXPECT_TRUE(SavePng(CaptureWindow(dialog), ScreenshotPath(std::string("tab-background") + RunSuffix())));
}

TEST_F(TabBackgroundTest, HolderFollowsTabsMadeMovedAndDestroyed)
{
    HWND dialog = MakeDialog();
    HWND check = Child("Button", dialog, BS_AUTOCHECKBOX, 311, "启用", 40, 80, 120, 20);
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(dialog, "Dialog"));
    PumpMessages();
    SkinnedWindow* skinner = FindSkinnedWindow(check);
    ASSERT_NE(nullptr, skinner);
    EXPECT_EQ(dialog, skinner->FindTabParent());
    EXPECT_EQ(dialog, skinner->FindTabParent()) << "asked again, nothing changed";

    HWND tab = MakeTab(dialog, 312, 10, 10, 390, 240);
    EXPECT_EQ(tab, skinner->FindTabParent()) << "a tab made under it";
    SetWindowPos(tab, NULL, 200, 10, 190, 240, SWP_NOZORDER);
    EXPECT_EQ(dialog, skinner->FindTabParent()) << "the tab moved away";
    SetWindowPos(check, NULL, 220, 80, 120, 20, SWP_NOZORDER);
    EXPECT_EQ(tab, skinner->FindTabParent()) << "the check box moved onto it";

    // Of two tabs holding it, the first in the sibling order answers, also after the order changes.
    HWND second = MakeTab(dialog, 313, 180, 0, 230, 260);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(second, skinner->FindTabParent()) << "the new tab comes first";
    ASSERT_FALSE(SkinnedWindow::ChildrenOf(dialog).empty());
    EXPECT_EQ(second, SkinnedWindow::ChildrenOf(dialog).front()) << "the kept child list follows too";
    SetWindowPos(second, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(tab, skinner->FindTabParent()) << "re-ordered";
    DestroyWindow(tab);
    EXPECT_EQ(second, skinner->FindTabParent()) << "the first tab destroyed";
    DestroyWindow(second);
    EXPECT_EQ(dialog, skinner->FindTabParent()) << "no tab left";
    EXPECT_EQ(std::vector<HWND>{check}, SkinnedWindow::ChildrenOf(dialog));
}
