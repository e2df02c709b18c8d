// The list view's skin scroll bars on a settings page, filled while the page is hidden (as a tab's pages
// are until chosen) or shown: once shown, the bar is there, drawn, and tells the list's own range.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/scrolling/SkinScrollBar.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"

namespace {

class ListViewSkinnerTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
    }
};

// The share of the rectangle's pixels (window coordinates) that are not the colour.
double ShareNotOf(HWND hwnd, const RECT& rect, COLORREF colour)
{
    HDC dc = GetWindowDC(hwnd);
    int other = 0, all = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x, ++all)
            other += GetPixel(dc, x, y) != colour;
    ReleaseDC(hwnd, dc);
    return all ? static_cast<double>(other) / all : 0.0;
}

// A report view of rows more than fit on a page of the skinned dialog, filled before the toolkit's posted
// work on its controls has run; the page hidden until then, or shown from the start.
HWND FilledList(HWND dialog, bool hidden, int rows)
{
    RegisterPlainClass("TessarineTestPage");
    HWND page = CreateWindowExA(0, "TessarineTestPage", "", WS_CHILD | (hidden ? 0 : WS_VISIBLE), 10, 10, 380, 260,
                                dialog, NULL, GetModuleHandleA(NULL), NULL);
    HWND view = MakeTestControl(WC_LISTVIEWA, page, LVS_REPORT, 1, "", 10, 10, 200, 150, WS_EX_CLIENTEDGE);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 150;
    column.pszText = const_cast<char*>("Name");
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < rows; ++i) {
        char text[16];
        wsprintfA(text, "Row %d", i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    PumpMessages();
    ShowWindow(page, SW_SHOW);
    PumpMessages();
    return view;
}

TEST_F(ListViewSkinnerTest, ListFilledOnAPageShowsItsSkinBarOnceThePageIsShown)
{
    const int rows = 30;
    for (bool hidden : {true, false}) {
        SCOPED_TRACE(hidden ? "page hidden while filled" : "page shown while filled");
        HWND dialog = Track(MakeTestParent("ListViewSkinnerParent", DefWindowProcA, "Pages", 420, 320));
        Skin(dialog);
        HWND view = FilledList(dialog, hidden, rows);
        RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();

        ASSERT_NE(nullptr, GetSkinScrollState(view));
        // The skin bar tells the list's own rows, page and top row, whichever way its calls went.
        SCROLLINFO skin = {};
        skin.cbSize = sizeof skin;
        skin.fMask = SIF_ALL;
        SkinScrollGetScrollInfo(view, SB_VERT, &skin);
        EXPECT_EQ(0, skin.nMin);
        EXPECT_EQ(rows - 1, skin.nMax);
        EXPECT_EQ(static_cast<UINT>(SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0)), skin.nPage);
        EXPECT_EQ(SendMessageA(view, LVM_GETTOPINDEX, 0, 0), skin.nPos);
        const RECT bar = GetSkinBarRect(view, SB_VERT);
        ASSERT_FALSE(IsRectEmpty(&bar));
        // On the screen, not covered by the list's own painting of its frame.
        const COLORREF background = static_cast<COLORREF>(SendMessageA(view, LVM_GETBKCOLOR, 0, 0));
        EXPECT_GT(ShareNotOf(view, bar, background), 0.5) << "the skin bar is painted";
        DestroyWindow(dialog);
    }
}

} // namespace
