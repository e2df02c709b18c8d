// The bar skinners on real controls: toolbar button pictures by state, a toolbar without images, the
// toolbar's tips button by button and its texts cut safely, backgrounds turned in side-docked control
// bars, status bar parts (empty and owner-drawn ones), rebar band texts, and a screenshot of them all.
// The pixel tests run on a skin of solid colours built here; the screenshot on the default skin.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/BarSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/tooltip/TooltipWindow.h"
#include "skin/skinners/controls/ControlBarSkinner.h"
#include "skin/skinners/controls/RebarSkinner.h"
#include "skin/skinners/controls/StatusBarSkinner.h"
#include "skin/skinners/controls/ToolbarSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// The test skin's picture: 8-pixel columns of solid colours, the first two columns the background
// (red above, blue below, so a turned background shows).
const COLORREF kRed = RGB(200, 0, 0);
const COLORREF kBlue = RGB(0, 0, 200);
const COLORREF kNormal = RGB(0, 160, 0);
const COLORREF kPressed = RGB(200, 200, 0);
const COLORREF kHot = RGB(0, 200, 200);
const COLORREF kDisabled = RGB(128, 128, 128);
const COLORREF kItem = RGB(255, 128, 0);
const COLORREF kBand = RGB(128, 0, 128);
const COLORREF kBandText = RGB(255, 255, 255);

// The first toolbar button's command; its string resource (WindowTests.rc) has two parts, the next
// command's one.
const int kOpenCommand = 41901;

COLORREF PictureColor(int x, int y)
{
    static const COLORREF kColumns[] = {kNormal, kPressed, kHot, kDisabled, kItem, kBand};
    if (x < 16)
        return y < 8 ? kRed : kBlue;
    return kColumns[(x - 16) / 8];
}

SlicedImage Column(int left, int width, int height = 16)
{
    SlicedImage image = {};
    std::strcpy(image.image, "BARS.BMP");
    SetRect(&image.source, left, 0, left + width, height);
    image.mode = 1; // every piece stretched
    return image;
}

void BuildBarSkin(SkinStore& skin)
{
    skin.AddImage(MakeImage("BARS.BMP", 64, 16, PictureColor));
    AddObject<FrameWndSkinObject>(skin, "Dialog");
    ToolBarSkinObject* toolbar = AddObject<ToolBarSkinObject>(skin, "ToolBar");
    toolbar->controlFrame = Column(0, 16);
    for (int i = 0; i < 4; ++i)
        toolbar->images[i] = Column(16 + 8 * i, 8);
    StatusBarSkinObject* status = AddObject<StatusBarSkinObject>(skin, "StatusBar");
    status->controlFrame = Column(0, 16);
    status->itemImage = Column(48, 8);
    status->font.color = RGB(0, 0, 0);
    RebarSkinObject* rebar = AddObject<RebarSkinObject>(skin, "Rebar");
    rebar->controlFrame = Column(0, 16);
    rebar->bandImage = Column(56, 8);
    SetTextEffectColor(rebar->textEffect, kBandText);
}

// Sixteen-pixel icons of one colour each, magenta as the mask colour.
HIMAGELIST MakeIcons(const std::vector<COLORREF>& colors)
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, static_cast<int>(colors.size()), 0);
    HDC screen = GetDC(NULL);
    for (COLORREF color : colors) {
        MemoryDC dc(screen, 16, 16);
        const RECT all = {0, 0, 16, 16}, inner = {2, 2, 14, 14};
        HBRUSH key = CreateSolidBrush(RGB(255, 0, 255)), fill = CreateSolidBrush(color);
        FillRect(dc, &all, key);
        FillRect(dc, &inner, fill);
        DeleteObject(key);
        DeleteObject(fill);
        HBITMAP bitmap = dc.DetachBitmap();
        ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
        DeleteObject(bitmap);
    }
    ReleaseDC(NULL, screen);
    return list;
}

struct Button {
    BYTE state;
    BYTE style;
    const char* text;
};

HWND MakeToolbar(HWND parent, DWORD style, const std::vector<Button>& buttons, int x, int y, int w, int h)
{
    HWND toolbar =
        MakeTestControl(TOOLBARCLASSNAMEA, parent,
                        style | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_FLAT, 300, "", x, y, w, h);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    for (size_t i = 0; i < buttons.size(); ++i) {
        TBBUTTON b = {};
        b.iBitmap = static_cast<int>(i % 4);
        b.idCommand = kOpenCommand + static_cast<int>(i);
        b.fsState = buttons[i].state;
        b.fsStyle = buttons[i].style;
        b.iString = buttons[i].text ? reinterpret_cast<INT_PTR>(buttons[i].text) : -1;
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b));
    }
    return toolbar;
}

RECT ButtonRect(HWND toolbar, int index)
{
    RECT r = {};
    SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The skinner's painting of the whole client, off-screen.
class Painting {
public:
    explicit Painting(HWND control)
    {
        RECT client;
        GetClientRect(control, &client);
        HDC screen = GetDC(control);
        dc_.Create(screen, client.right, client.bottom);
        ReleaseDC(control, screen);
        SkinnedWindow* skinner = FindSkinnedWindow(control);
        if (skinner && dc_.IsValid())
            skinner->Paint(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Whether every pixel of the rectangle has that colour.
    bool AllOf(const RECT& r, COLORREF color) const
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) != color)
                    return false;
        return true;
    }
    bool Contains(const RECT& r, COLORREF color) const
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == color)
                    return true;
        return false;
    }
    int Width() const { return dc_.Width(); }
    int Height() const { return dc_.Height(); }

private:
    MemoryDC dc_;
};

class BarSkinnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        MakeCurrentSkin(BuildBarSkin);
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
        InitCommonControlsEx(&icc);
        parent_ = MakeFrame("Bars", WS_POPUP | WS_CAPTION | WS_VISIBLE);
        SetWindowPos(parent_, NULL, 40, 40, 480, 320, SWP_NOZORDER);
        // Hot buttons follow the real cursor; an earlier test may have left it over the bars.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void TearDown() override
    {
        if (TooltipWindow* tip = GetTooltipWindow())
            tip->Hide();
        DestroyWindow(parent_);
        for (HIMAGELIST list : lists_)
            ImageList_Destroy(list);
    }
    void Skin()
    {
        ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(parent_, "Dialog"));
        PumpMessages();
    }
    HIMAGELIST Icons(const std::vector<COLORREF>& colors)
    {
        lists_.push_back(MakeIcons(colors));
        return lists_.back();
    }

    ToolkitRun run_;
    HWND parent_ = NULL;
    std::vector<HIMAGELIST> lists_;
};

} // namespace

TEST_F(BarSkinnerTest, ToolbarButtonsByStateAndWithoutImagesOnlyTheBackground)
{
    const std::vector<Button> buttons = {
        {TBSTATE_ENABLED, BTNS_BUTTON, NULL},
        {TBSTATE_ENABLED | TBSTATE_PRESSED, BTNS_BUTTON, NULL},
        {TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, NULL},
        {0, BTNS_BUTTON, NULL},
        {TBSTATE_ENABLED | TBSTATE_INDETERMINATE, BTNS_BUTTON, NULL},
        {TBSTATE_ENABLED, BTNS_BUTTON, NULL},
        {TBSTATE_ENABLED, BTNS_SEP, NULL},
        {TBSTATE_ENABLED, BTNS_DROPDOWN, NULL},
    };
    HWND toolbar = MakeToolbar(parent_, 0, buttons, 0, 0, 400, 40);
    SendMessageA(toolbar, TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(Icons(std::vector<COLORREF>(4, RGB(255, 255, 255)))));
    SendMessageA(toolbar, TB_SETHOTITEM, 5, 0);
    ASSERT_EQ(5, SendMessageA(toolbar, TB_GETHOTITEM, 0, 0));
    HWND bare = MakeToolbar(parent_, TBSTYLE_LIST, {{TBSTATE_ENABLED, BTNS_BUTTON, "打开"}, {0, BTNS_BUTTON, "保存"}},
                            0, 50, 400, 40);
    Skin();
    ASSERT_NE(nullptr, dynamic_cast<ToolbarSkinner*>(FindSkinnedWindow(toolbar)));
    ASSERT_NE(nullptr, dynamic_cast<ToolbarSkinner*>(FindSkinnedWindow(bare)));

    Painting painted(toolbar);
    const COLORREF expected[] = {kNormal, kPressed, kPressed, kDisabled, kDisabled, kHot, kRed, kNormal};
    for (int i = 0; i < 8; ++i) {
        const RECT r = ButtonRect(toolbar, i);
        EXPECT_EQ(expected[i], painted.At(r.left + 1, r.top + 1)) << "button " << i;
    }
    const RECT drop = ButtonRect(toolbar, 7);
    const int arrowTop = drop.top + (drop.bottom - drop.top - 4) / 2;
    EXPECT_EQ(RGB(0, 0, 0), painted.At(drop.right - 6, arrowTop)) << "the drop-down arrow";
    EXPECT_EQ(RGB(255, 255, 255),
              painted.At(drop.left + (drop.right - 6 - drop.left) / 2, (drop.top + drop.bottom) / 2))
        << "the icon is centred in what the arrow leaves";

    // Without an image list nothing of the buttons is drawn, their texts neither.
    Painting plain(bare);
    const RECT upper = {0, 0, plain.Width(), plain.Height() / 2 - 1};
    const RECT lower = {0, plain.Height() / 2 + 1, plain.Width(), plain.Height()};
    EXPECT_TRUE(plain.AllOf(upper, kRed));
    EXPECT_TRUE(plain.AllOf(lower, kBlue));
}

TEST_F(BarSkinnerTest, ToolbarTipsAreAskedForAgainOnlyOnAnotherButton)
{
    HWND toolbar = MakeToolbar(parent_, 0, {{TBSTATE_ENABLED, BTNS_BUTTON, NULL}, {TBSTATE_ENABLED, BTNS_BUTTON, NULL}},
                               0, 0, 300, 30);
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Icons({kBlue, kRed})));
    Skin();
    ToolbarSkinner* skinner = dynamic_cast<ToolbarSkinner*>(FindSkinnedWindow(toolbar));
    ASSERT_NE(nullptr, skinner);
    TooltipWindow* tip = GetTooltipWindow();
    ASSERT_NE(nullptr, tip);
    const RECT first = ButtonRect(toolbar, 0), second = ButtonRect(toolbar, 1);
    auto moveTo = [&](const RECT& r, int dx) {
        SendMessageA(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2));
    };

    moveTo(first, 0);
    EXPECT_EQ(-1, skinner->HotIndex()) << "no tip text: no tips";
    skinner->SetTipText("tips");
    moveTo(first, 0);
    EXPECT_EQ(0, skinner->HotIndex());
    EXPECT_EQ(skinner, tip->Owner());
    EXPECT_EQ("TB", tip->Text()) << "the placeholder that starts the delay";

    tip->Request("shown", NULL); // the tip went on to show its text
    moveTo(first, 3);
    EXPECT_EQ("shown", tip->Text()) << "the same button asks nothing again";
    moveTo(second, 0);
    EXPECT_EQ(1, skinner->HotIndex());
    EXPECT_EQ("TB", tip->Text()) << "another button asks again";

    // Off the buttons and back onto the same one is a new request too.
    tip->Request("shown", NULL);
    SendMessageA(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(290, 15));
    EXPECT_EQ(-1, skinner->HotIndex());
    moveTo(second, 0);
    EXPECT_EQ("TB", tip->Text());
    SendMessageA(toolbar, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, skinner->HotIndex());

    // The text itself: the second part of the command's string, nothing off the buttons.
    POINT onFirst = {(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    POINT onSecond = {(second.left + second.right) / 2, (second.top + second.bottom) / 2};
    POINT off = {290, 15};
    for (POINT* p : {&onFirst, &onSecond, &off})
        ClientToScreen(toolbar, p);
    EXPECT_EQ("打开录像文件", skinner->GetTipText(onFirst));
    EXPECT_EQ("", skinner->GetTipText(onSecond)) << "its string has one part only";
    EXPECT_EQ("", skinner->GetTipText(off));
}

TEST_F(BarSkinnerTest, ToolbarTextsAreReadWholeAndCutOnACharacter)
{
    const std::string latin(300, 'x');
    std::string chinese;
    for (int i = 0; i < 150; ++i)
        chinese += "录";
    HWND toolbar = MakeToolbar(parent_, TBSTYLE_LIST,
                               {{TBSTATE_ENABLED, BTNS_BUTTON, latin.c_str()},
                                {TBSTATE_ENABLED, BTNS_BUTTON, chinese.c_str()},
                                {TBSTATE_ENABLED, BTNS_BUTTON, "打开"},
                                {TBSTATE_ENABLED, BTNS_BUTTON, NULL}},
                               0, 0, 400, 30);
    struct Case {
        int command;
        std::string text;
    } const cases[] = {
        {kOpenCommand, std::string(kToolbarTextMax, 'x')},
        {kOpenCommand + 1, chinese.substr(0, 98)},
        {kOpenCommand + 2, "打开"},
        {kOpenCommand + 3, ""},
        {12345, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, ReadToolbarButtonText(toolbar, c.command)) << c.command;
    // Painted in text mode with these texts: nothing overflows.
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Icons({kBlue})));
    Skin();
    Painting painted(toolbar);
    EXPECT_NE(nullptr, dynamic_cast<ToolbarSkinner*>(FindSkinnedWindow(toolbar)));
}

TEST_F(BarSkinnerTest, SideDockedControlBarsTurnTheirBackgrounds)
{
    RegisterPlainClass("AfxControlBar42s");
    RegisterPlainClass("AfxControlBar42");
    struct Case {
        const char* barClass;
        LONG align;
        bool turned;
    } const cases[] = {
        {"AfxControlBar42s", 0x1000, true},  // CBRS_ALIGN_LEFT
        {"AfxControlBar42s", 0x4000, true},  // CBRS_ALIGN_RIGHT
        {"AfxControlBar42s", 0x2000, false}, // CBRS_ALIGN_TOP
        {"AfxControlBar42s", 0x8000, false}, // CBRS_ALIGN_BOTTOM
        {"AfxControlBar42", 0x1000, false},  // not a docking bar: its toolbar stays upright
    };
    std::vector<HWND> bars, toolbars;
    int x = 0;
    for (const Case& c : cases) {
        HWND bar = MakeTestControl(c.barClass, parent_, c.align, 400 + x / 60, "", x, 0, 50, 200);
        bars.push_back(bar);
        toolbars.push_back(MakeToolbar(bar, CCS_VERT, {{TBSTATE_ENABLED, BTNS_BUTTON, NULL}}, 4, 4, 30, 160));
        x += 60;
    }
    Skin();
    for (size_t i = 0; i < bars.size(); ++i) {
        const Case& c = cases[i];
        const bool toolbarTurned = c.turned;
        const bool barTurned = c.align == 0x1000 || c.align == 0x4000;
        ASSERT_NE(nullptr, dynamic_cast<ControlBarSkinner*>(FindSkinnedWindow(bars[i]))) << i;
        ASSERT_NE(nullptr, dynamic_cast<ToolbarSkinner*>(FindSkinnedWindow(toolbars[i]))) << i;
        EXPECT_EQ(toolbarTurned, ToolbarDockedAtSide(toolbars[i])) << i;
        // Upright the red half is at the top; turned it is at the left.
        for (HWND w : {bars[i], toolbars[i]}) {
            const bool turned = w == bars[i] ? barTurned : toolbarTurned;
            Painting painted(w);
            EXPECT_EQ(turned ? kRed : kBlue, painted.At(1, painted.Height() - 2)) << c.barClass << " " << c.align;
            EXPECT_EQ(turned ? kBlue : kRed, painted.At(painted.Width() - 2, 1)) << c.barClass << " " << c.align;
        }
    }
}

TEST_F(BarSkinnerTest, StatusPartsEmptyOrOwnerDrawnGetOnlyTheirPicture)
{
    HWND status = MakeTestControl(STATUSCLASSNAMEA, parent_, 0, 500, "", 0, 0, 0, 0);
    const int edges[] = {120, 240, 360, -1};
    SendMessageA(status, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("就绪"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(""));
    // An owner-drawn part's "text" is the application's value, here the address of something that is no text.
    static const char appData[] = "NOT-A-TEXT";
    SendMessageA(status, SB_SETTEXTA, 2 | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(appData));
    std::string longText(600, 'y');
    SendMessageA(status, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>(longText.c_str()));
    Skin();
    StatusBarSkinner* skinner = dynamic_cast<StatusBarSkinner*>(FindSkinnedWindow(status));
    ASSERT_NE(nullptr, skinner);
    EXPECT_TRUE(GetWindowLongA(status, GWL_STYLE) & WS_CLIPCHILDREN);

    EXPECT_EQ("就绪", ReadStatusPartText(status, 0));
    EXPECT_EQ("", ReadStatusPartText(status, 1));
    EXPECT_EQ("", ReadStatusPartText(status, 2)) << "owner-drawn parts are not read as text";
    EXPECT_EQ(longText, ReadStatusPartText(status, 3)) << "the buffer follows the text's length";

    Painting painted(status);
    RECT parts[4];
    for (int i = 0; i < 4; ++i)
        SendMessageA(status, SB_GETRECT, i, reinterpret_cast<LPARAM>(&parts[i]));
    EXPECT_FALSE(painted.AllOf(parts[0], kItem)) << "a part with text shows it";
    EXPECT_TRUE(painted.AllOf(parts[1], kItem)) << "an empty part: its picture only";
    EXPECT_TRUE(painted.AllOf(parts[2], kItem)) << "an owner-drawn part: its picture only";
    RedrawWindow(status, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(status);
    EXPECT_EQ(kItem, GetPixel(dc, (parts[1].left + parts[1].right) / 2, (parts[1].top + parts[1].bottom) / 2))
        << "on the screen too";
    ReleaseDC(status, dc);

    // Unbound, the skinner binds an object of its own rather than none.
    skinner->SetSkinObject(NULL);
    EXPECT_EQ(&skinner->DefaultObject(), skinner->GetSkinObject());
}

TEST_F(BarSkinnerTest, RebarBandsShowTheirTexts)
{
    HWND rebar = MakeTestControl(REBARCLASSNAMEA, parent_, WS_CLIPCHILDREN | CCS_NODIVIDER | RBS_VARHEIGHT, 600, "", 0,
                                 0, 480, 60);
    REBARBANDINFOA band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_BREAK;
    band.cxMinChild = 60;
    band.cyMinChild = 24;
    band.cx = 460;
    for (const char* text : {"通道通道", ""}) {
        band.lpText = const_cast<char*>(text);
        band.hwndChild = MakeTestControl("Static", rebar, 0, 0, "", 0, 0, 60, 24);
        SendMessageA(rebar, RB_INSERTBANDA, -1, reinterpret_cast<LPARAM>(&band));
    }
    Skin();
    ASSERT_NE(nullptr, dynamic_cast<RebarSkinner*>(FindSkinnedWindow(rebar)));
    RECT first, second;
    SendMessageA(rebar, RB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(rebar, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&second));
    Painting painted(rebar);
    RECT header = first, plainHeader = second;
    header.right = header.left + 40;
    plainHeader.right = plainHeader.left + 40;
    EXPECT_TRUE(painted.Contains(header, kBandText)) << "the band text in the band's text colour";
    EXPECT_TRUE(painted.Contains(header, kBand));
    EXPECT_TRUE(painted.AllOf(plainHeader, kBand)) << "a band without text: its picture only";
}

TEST_F(BarSkinnerTest, ToolbarHostGetsTheToolbarSkinner)
{
    HWND toolbar = MakeToolbar(parent_, 0, {{TBSTATE_ENABLED, BTNS_BUTTON, NULL}}, 0, 0, 200, 30);
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Icons({kBlue})));
    ASSERT_TRUE(SkinEngine::Instance().SkinToolbarHost(toolbar));
    ASSERT_NE(nullptr, dynamic_cast<ToolbarSkinner*>(FindSkinnedWindow(toolbar)));
    Painting painted(toolbar);
    EXPECT_EQ(kRed, painted.At(painted.Width() - 2, 1)) << "drawn from the skin's ToolBar object";

    // On the screen: the client through the toolbar's own paint, the divider above it as background.
    SetWindowLongA(toolbar, GWL_STYLE, GetWindowLongA(toolbar, GWL_STYLE) & ~CCS_NODIVIDER);
    SetWindowPos(toolbar, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RedrawWindow(toolbar, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT window, client;
    GetWindowRect(toolbar, &window);
    GetClientRect(toolbar, &client);
    HDC dc = GetWindowDC(toolbar);
    EXPECT_EQ(kRed, GetPixel(dc, window.right - window.left - 2, 0));
    EXPECT_EQ(kBlue, GetPixel(dc, window.right - window.left - 2, window.bottom - window.top - 1));
    ReleaseDC(toolbar, dc);
    const RECT first = ButtonRect(toolbar, 0);
    dc = GetDC(toolbar);
    EXPECT_EQ(kNormal, GetPixel(dc, first.left + 1, first.top + 1)) << "the button over the toolbar's own painting";
    ReleaseDC(toolbar, dc);
    EXPECT_GT(window.bottom - window.top, client.bottom) << "the divider takes a row or two";
}

TEST(BarScreenshot, ToolbarStatusBarRebarAndControlBar)
{
    ToolkitRun run;
    ASSERT_TRUE(run.started);
    SetSkinnerServices(NULL);
    ASSERT_TRUE(LoadDefaultSkin());
    // A toolbar picture with a gradient shows the docked toolbar's turn (the skin is loaded afresh per test).
    SkinStore* skin = SkinEngine::Instance().GetCurrentSkin();
    ToolBarSkinObject* toolbarObject = dynamic_cast<ToolBarSkinObject*>(skin->FindObjectByType(SkinTypeToolBar));
    StatusBarSkinObject* statusObject = dynamic_cast<StatusBarSkinObject*>(skin->FindObjectByType(SkinTypeStatusBar));
    ASSERT_TRUE(toolbarObject && statusObject);
    if (IsSlicedImageEmpty(toolbarObject->controlFrame))
        toolbarObject->controlFrame = statusObject->controlFrame;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    HWND dialog = MakeFrame("工具栏与状态栏", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    SetWindowPos(dialog, NULL, 40, 40, 520, 340, SWP_NOZORDER);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HIMAGELIST icons = MakeIcons({RGB(40, 110, 200), RGB(200, 60, 40), RGB(40, 160, 60), RGB(220, 170, 30)});

    HWND toolbar = MakeToolbar(dialog, 0,
                               {{TBSTATE_ENABLED, BTNS_BUTTON, NULL},
                                {TBSTATE_ENABLED | TBSTATE_PRESSED, BTNS_BUTTON, NULL},
                                {TBSTATE_ENABLED, BTNS_SEP, NULL},
                                {TBSTATE_ENABLED, BTNS_BUTTON, NULL},
                                {0, BTNS_BUTTON, NULL},
                                {TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, NULL},
                                {TBSTATE_ENABLED, BTNS_DROPDOWN, NULL}},
                               0, 0, 520, 30);
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons));
    SendMessageA(toolbar, TB_SETHOTITEM, 3, 0);
    HWND textBar = MakeToolbar(dialog, TBSTYLE_LIST,
                               {{TBSTATE_ENABLED, BTNS_BUTTON, "打开"},
                                {TBSTATE_ENABLED, BTNS_BUTTON, "保存"},
                                {0, BTNS_BUTTON, "打印"},
                                {TBSTATE_ENABLED, BTNS_DROPDOWN, "导出"}},
                               0, 32, 520, 30);
    SendMessageA(textBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(textBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons));
    SendMessageA(textBar, TB_AUTOSIZE, 0, 0);

    HWND rebar = MakeTestControl(REBARCLASSNAMEA, dialog,
                                 WS_CLIPCHILDREN | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | RBS_VARHEIGHT |
                                     RBS_BANDBORDERS,
                                 600, "", 0, 66, 520, 60);
    SendMessageA(rebar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    REBARBANDINFOA band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
    band.fStyle = RBBS_CHILDEDGE;
    band.cyMinChild = 22;
    const char* bandTexts[] = {"通道", "地址", "备注"};
    for (int i = 0; i < 3; ++i) {
        band.lpText = const_cast<char*>(bandTexts[i]);
        band.cxMinChild = 80;
        band.cx = 170;
        band.fStyle = RBBS_CHILDEDGE | (i == 2 ? RBBS_BREAK : 0);
        band.hwndChild = MakeTestControl("Edit", rebar, WS_BORDER, 601 + i, "192.168.1.10", 0, 0, 80, 22);
        SendMessageA(band.hwndChild, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(rebar, RB_INSERTBANDA, -1, reinterpret_cast<LPARAM>(&band));
    }

    RegisterPlainClass("AfxControlBar42s");
    HWND bar = MakeTestControl("AfxControlBar42s", dialog, 0x1000, 700, "", 0, 130, 36, 160);
    HWND docked = MakeToolbar(bar, CCS_VERT | TBSTYLE_WRAPABLE,
                              {{TBSTATE_ENABLED | TBSTATE_WRAP, BTNS_BUTTON, NULL},
                               {TBSTATE_ENABLED | TBSTATE_WRAP, BTNS_BUTTON, NULL},
                               {TBSTATE_WRAP, BTNS_BUTTON, NULL}},
                              4, 4, 28, 150);
    SendMessageA(docked, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons));

    HWND status = MakeTestControl(STATUSCLASSNAMEA, dialog, SBARS_SIZEGRIP, 500, "", 0, 0, 0, 0);
    SendMessageA(status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int edges[] = {160, 300, 400, -1};
    SendMessageA(status, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("就绪"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("通道 1-16 在线"));
    SendMessageA(status, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(""));
    SendMessageA(status, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>("2026-12-11 05:00"));

    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(dialog, "Dialog"));
    PumpMessages();
    RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    for (HWND w : {toolbar, textBar, rebar, bar, docked, status})
        EXPECT_NE(nullptr, FindSkinnedWindow(w)) << GetDlgCtrlID(w);
    EXPECT_TRUE(SavePng(CaptureWindow(dialog), ScreenshotPath(std::string("bar-skinners") + RunSuffix())));
    DestroyWindow(dialog);
    ImageList_Destroy(icons);
}
