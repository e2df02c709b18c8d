// What the extended list and its header draw, read back from a memory device context.
#include "controls/GridListCtrl.h"
#include "controls/MemDC.h"
#include "tests/controls/GridTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

// A bitmap to draw into, filled with a colour no drawing uses.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        old_ = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, kSentinel);
    }
    ~Canvas() { dc.SelectObject(old_); }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    // The rows (from top) that hold at least one pixel of colour.
    std::vector<int> RowsWith(COLORREF colour) const
    {
        std::vector<int> rows;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (At(x, y) == colour) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    }

    CDC dc;
    CBitmap bitmap;

private:
    CBitmap* old_;
    int width_, height_;
};

class GridPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.MoveWindow(20, 20, 700, 400);
        MakeDrivesList(list, &parent, CRect(10, 10, 560, 200), 1149);
    }
    GridParent parent;
    CGridListCtrl list;
};

// Restores the system colours it changed.
class SysColorChange {
public:
    SysColorChange(std::vector<int> elements, std::vector<COLORREF> colours) : elements_(elements)
    {
        for (int element : elements)
            old_.push_back(::GetSysColor(element));
        ::SetSysColors(static_cast<int>(elements.size()), elements.data(), colours.data());
    }
    ~SysColorChange() { ::SetSysColors(static_cast<int>(elements_.size()), elements_.data(), old_.data()); }

private:
    std::vector<int> elements_;
    std::vector<COLORREF> old_;
};

} // namespace

TEST_F(GridPaintTest, CheckBoxesTicksAndTheirPlace)
{
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    struct Case {
        int state;
        const char* text;
        int boxLeft; // cell 0..110 x 0..18: left + 9, or centred for empty text
        bool tick;
    } cases[] = {
        {1, "C:", 9, true},
        {0, "C:", 9, false},
        {2, "C:", 9, false},
        {1, "", 110 / 2 - 17 / 2 - 1, true},
    };
    for (const Case& c : cases) {
        list.SetItemText(1, 0, c.text);
        list.SetCheckbox(1, 0, c.state);
        Canvas canvas(120, 20);
        list.DrawCheckbox(&canvas.dc, 1, 0, CRect(0, 0, 110, 18));
        std::string name = std::to_string(c.state) + " '" + c.text + "'";
        EXPECT_EQ(GridCell::kBoxFrameColor, canvas.At(c.boxLeft, 0)) << name;
        EXPECT_EQ(GridCell::kBoxFrameColor, canvas.At(c.boxLeft + 16, 16)) << name;
        EXPECT_NE(GridCell::kBoxFrameColor, canvas.At(c.boxLeft - 1, 0)) << name;
        for (int i = 0; i < GridCell::kTickStrokes; ++i) {
            int x = c.boxLeft + 3 + i;
            int top = GridCell::kTickTops[i];
            for (int y = top; y < top + 3; ++y)
                EXPECT_EQ(c.tick ? GridCell::kTickColor : window, canvas.At(x, y)) << name << " stroke " << i;
            EXPECT_EQ(window, canvas.At(x, top + 3)) << name << " stroke " << i; // 3 pixels long
        }
        EXPECT_EQ(window, canvas.At(c.boxLeft + 12, 12)) << name;
    }
}

TEST_F(GridPaintTest, SelectedRowsTakeTheHighlightOnlyWithTheFocus)
{
    list.SelectRow(2, FALSE);
    COLORREF text, back;
    list.SetFocus();
    list.GetDrawColors(2, 3, text, back);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), back);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHTTEXT), text);
    parent.SetFocus(); // the list shows its selection always: button face
    list.GetDrawColors(2, 3, text, back);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), back);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), text);
    list.GetDrawColors(1, 3, text, back);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), back);

    list.InsertItemWithColors(4, "G:", RGB(200, 0, 0), RGB(255, 255, 200));
    Canvas canvas(100, 20);
    list.DrawText(&canvas.dc, 4, 0, CRect(0, 0, 100, 18));
    EXPECT_EQ(RGB(255, 255, 200), canvas.At(1, 1));
    EXPECT_FALSE(canvas.RowsWith(RGB(200, 0, 0)).empty());
}

TEST_F(GridPaintTest, HeaderFramesOnlyItsItemsWithoutADividerAfterTheLast)
{
    CGridHeaderCtrl& header = list.Header();
    ASSERT_EQ(header.m_hWnd, list.GetHeaderCtrl()->m_hWnd); // the list view's own header, subclassed
    CRect client;
    header.GetClientRect(&client);
    int items = 110 + 100 + 90 + 90 + 120;
    ASSERT_GT(client.Width(), items + 10);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    int mid = client.Height() / 2;

    Canvas canvas(client.Width(), client.Height());
    header.DrawCtrl(&canvas.dc);
    EXPECT_EQ(highlight, canvas.At(0, mid));
    EXPECT_EQ(highlight, canvas.At(items / 2, 0));
    EXPECT_EQ(shadow, canvas.At(items - 1, mid));
    EXPECT_EQ(shadow, canvas.At(items / 2, client.Height() - 1));
    EXPECT_EQ(face, canvas.At(items, mid)); // no divider after the last item, no frame beyond it
    EXPECT_EQ(face, canvas.At(items + 5, 0));
    EXPECT_EQ(face, canvas.At(client.Width() - 1, client.Height() - 1));
    // The divider after item 0: shadow then highlight, 2 pixels short of top and bottom.
    EXPECT_EQ(shadow, canvas.At(109, mid));
    EXPECT_EQ(highlight, canvas.At(110, mid));
    EXPECT_EQ(face, canvas.At(109, 1));

    // The long last title ends in an ellipsis inside its item: nothing is drawn past it.
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<LPSTR>("存放目录 (录像文件与抓拍图片的存放位置)");
    header.SetItem(4, &item);
    Canvas titled(client.Width(), client.Height());
    header.DrawCtrl(&titled.dc);
    for (int x = items - 6; x < items - 1; ++x) {
        for (int y = 2; y < client.Height() - 2; ++y)
            EXPECT_EQ(face, titled.At(x, y)) << x << "," << y;
    }
}

TEST_F(GridPaintTest, ColoursFollowASystemColourChangeExceptTheHeaderText)
{
    CGridHeaderCtrl& header = list.Header();
    COLORREF itemText = header.GetItemTextColor();
    const COLORREF face = RGB(180, 200, 120), shadow = RGB(90, 20, 20), light = RGB(250, 240, 0);
    const COLORREF text = RGB(0, 0, 160), highlight = RGB(0, 120, 0);
    SysColorChange change({COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNTEXT, COLOR_HIGHLIGHT},
                          {face, shadow, light, text, highlight});
    list.SendMessage(WM_SYSCOLORCHANGE); // the list passes it on to its header

    CRect client;
    header.GetClientRect(&client);
    Canvas canvas(client.Width(), client.Height());
    header.DrawCtrl(&canvas.dc);
    int items = 510, mid = client.Height() / 2;
    EXPECT_EQ(face, canvas.At(items + 5, mid));
    EXPECT_EQ(light, canvas.At(0, mid));
    EXPECT_EQ(shadow, canvas.At(items - 1, mid));
    EXPECT_EQ(shadow, canvas.At(109, mid));
    EXPECT_EQ(itemText, header.GetItemTextColor());
    EXPECT_TRUE(canvas.RowsWith(text).empty()); // titles keep the colour read at construction
    EXPECT_FALSE(canvas.RowsWith(itemText).empty());

    list.SelectRow(1, FALSE);
    list.SetFocus();
    COLORREF cellText, cellBack;
    list.GetDrawColors(1, 2, cellText, cellBack);
    EXPECT_EQ(highlight, cellBack);
}

TEST_F(GridPaintTest, EmptyListShowsItsTextTenPixelsBelowTheHeader)
{
    list.DeleteAllItems();
    CRect client, window, headerItem;
    list.GetClientRect(&client);
    list.GetWindowRect(&window);
    list.ScreenToClient(&window);
    list.Header().GetItemRect(0, &headerItem);
    int top = window.top + headerItem.bottom + 10; // client coordinates
    Canvas canvas(client.Width(), client.Height());
    list.DrawEmptyMessage(&canvas.dc);
    EXPECT_EQ(kSentinel, canvas.At(5, top - 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), canvas.At(5, top));
    std::vector<int> textRows = canvas.RowsWith(::GetSysColor(COLOR_WINDOWTEXT));
    ASSERT_FALSE(textRows.empty());
    EXPECT_GE(textRows.front(), top);
    EXPECT_LT(textRows.back(), top + 20); // one line at the top of the area
}

TEST(MemDC, DrawsIntoMemoryAndCopiesOntoTheClipBox)
{
    Canvas target(60, 60);
    target.dc.IntersectClipRect(10, 20, 50, 40);
    {
        CMemDC memory(&target.dc);
        EXPECT_TRUE(memory.IsMemory());
        memory.FillSolidRect(10, 20, 40, 20, RGB(200, 0, 0)); // target coordinates
        EXPECT_EQ(kSentinel, target.At(10, 20));              // nothing reaches the target yet
    }
    target.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(RGB(200, 0, 0), target.At(10, 20));
    EXPECT_EQ(RGB(200, 0, 0), target.At(49, 39));
    EXPECT_EQ(kSentinel, target.At(9, 20));
    EXPECT_EQ(kSentinel, target.At(10, 40));
}
