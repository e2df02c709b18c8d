// The window skinners on real windows with the default skin: the factory table, the frame's client and
// hit test, dialogs in both forms, region handling under many resizes, and the screenshots.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/SkinnerFactory.h"
#include "skin/skinners/window/DialogSkinner.h"
#include "skin/skinners/window/FrameWindowSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

class WindowSkinnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
    }
    void TearDown() override
    {
        for (HWND hwnd : windows_)
            if (IsWindow(hwnd))
                DestroyWindow(hwnd);
    }
    HWND Track(HWND hwnd)
    {
        windows_.push_back(hwnd);
        return hwnd;
    }
    const FrameWndSkinObject* Object(const char* name)
    {
        SkinObject* object = SkinEngine::Instance().GetCurrentSkin()->FindObjectByName(name);
        return object && object->Type() == SkinTypeFrameWnd ? static_cast<const FrameWndSkinObject*>(object) : NULL;
    }
    // Skins the window with the skinner as the engine does: table entry, binding, attach.
    bool SkinWith(SkinnedWindow* skinner, HWND hwnd, const char* name)
    {
        SkinEngine& engine = SkinEngine::Instance();
        SkinObject* object = engine.GetCurrentSkin()->FindObjectByName(name);
        if (!object || !engine.AddWindow(skinner, hwnd)) {
            delete skinner;
            return false;
        }
        skinner->SetSkinObject(object);
        if (skinner->Attach(hwnd))
            return true;
        engine.RemoveWindow(hwnd, FALSE);
        return false;
    }
    ToolkitRun run_;
    std::vector<HWND> windows_;
};

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

LRESULT HitAt(HWND hwnd, int x, int y)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y));
}

} // namespace

TEST(SkinnerFactory, TableAndButtonKinds)
{
    EXPECT_EQ(nullptr, FindSkinnerMaker(SkinTypeFrameWnd));
    EXPECT_EQ(nullptr, FindSkinnerMaker(SkinTypePopupMenu));
    EXPECT_EQ(nullptr, FindSkinnerMaker(SkinTypeMenuBar));
    for (int type : {SkinTypeButton, SkinTypeEdit, SkinTypeStatic, SkinTypeLinkWnd, SkinTypeRichEdit})
        EXPECT_NE(nullptr, FindSkinnerMaker(type)) << type;

    RegisterPlainClass("TessarineTestFrame");
    HWND parent = MakeFrame();
    struct Case {
        DWORD style;
        int type;
    } const cases[] = {
        {BS_PUSHBUTTON, SkinTypeButton},     {BS_DEFPUSHBUTTON, SkinTypeButton}, {BS_PUSHBOX, SkinTypeButton},
        {BS_AUTORADIOBUTTON, SkinTypeRadio}, {BS_AUTO3STATE, SkinTypeCheckBox},  {BS_GROUPBOX, SkinTypeGroupBox},
    };
    for (const Case& c : cases) {
        HWND button = MakeChild("Button", parent, c.style);
        EXPECT_EQ(c.type, GetWindowSkinType(button)) << "style " << c.style;
        DestroyWindow(button);
    }
    DestroyWindow(parent);
}

TEST_F(WindowSkinnerTest, FrameClientIsTheWindowLessItsSections)
{
    HWND frame = Track(MakeFrame("Skinned frame", WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame"));
    ASSERT_NE(nullptr, dynamic_cast<FrameWindowSkinner*>(FindSkinnedWindow(frame)));
    ShowWindow(frame, SW_SHOWNORMAL);
    PumpMessages();
    const FrameWndSkinObject* object = Object("MainFrame");
    ASSERT_NE(nullptr, object);
    RECT window, client;
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    const RECT left = object->GetFrameRect(3), right = object->GetFrameRect(5);
    const RECT top = object->GetFrameRect(0), bottom = object->GetFrameRect(6);
    EXPECT_EQ(Width(window) - Width(left) - Width(right), Width(client));
    EXPECT_EQ(Height(window) - Height(top) - Height(bottom), Height(client));

    EXPECT_EQ(HTCLIENT, HitAt(frame, Width(window) / 2, Height(window) / 2));
    EXPECT_EQ(HTCAPTION, HitAt(frame, Width(window) / 2, Height(top) - 2));
    EXPECT_EQ(HTBOTTOMRIGHT, HitAt(frame, Width(window) - 1, Height(window) - 1));
}

TEST_F(WindowSkinnerTest, ResizesKeepTheGdiObjectCount)
{
    HWND frame = Track(MakeFrame("Resized frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame"));
    PumpMessages();
    SetWindowPos(frame, NULL, 0, 0, 330, 250, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 100; ++i) {
        SetWindowPos(frame, NULL, 0, 0, 320 + i % 7, 240 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
    }
    SetWindowPos(frame, NULL, 0, 0, 330, 250, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2) << "regions and buffers are released on every resize";
}

TEST_F(WindowSkinnerTest, ModalDialogKeepsItsClientAndNeverSizes)
{
    HWND dialog = Track(MakeFrame("Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE));
    RECT before;
    GetClientRect(dialog, &before);
    ASSERT_TRUE(SkinWith(new DialogSkinner(FALSE), dialog, "Dialog"));
    PumpMessages();
    RECT after;
    GetClientRect(dialog, &after);
    EXPECT_EQ(Width(before), Width(after));
    EXPECT_EQ(Height(before), Height(after));
    RECT window;
    GetWindowRect(dialog, &window);
    EXPECT_EQ(HTNOWHERE, HitAt(dialog, 1, Height(window) / 2)) << "a modal frame never sizes";
    EXPECT_EQ(HTNOWHERE, HitAt(dialog, Width(window) - 1, Height(window) - 1));
    EXPECT_EQ(HTCAPTION, HitAt(dialog, 1, 1));
}

TEST_F(WindowSkinnerTest, TabPageTakesTheClientPicture)
{
    HWND frame = Track(MakeFrame("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "Dialog"));
    HWND page = CreateWindowExA(0, "TessarineTestFrame", "", WS_CHILD | WS_VISIBLE, 10, 10, 120, 80, frame, NULL,
                                GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(SkinEngine::Instance().SkinDialog(page, FindSkinnedWindow(frame)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)),
              SendMessageA(page, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(page)));

    HWND child = MakeChild("Static", page, 0, 5);
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 8, 8};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(
        1, SendMessageA(page, WM_SKIN_DRAWBACKGROUND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
    const FrameWndSkinObject* object = Object("Dialog");
    ASSERT_NE(nullptr, object);
    EXPECT_NE(RGB(0, 0, 0), GetPixel(dc, 2, 2)) << "the client picture is copied under the child";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
}

TEST_F(WindowSkinnerTest, DestroyedFrameLeavesNothingBehind)
{
    HWND frame = MakeFrame("Gone", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame"));
    PumpMessages();
    DestroyWindow(frame);
    EXPECT_EQ(nullptr, FindSkinnedWindow(frame));
}

TEST_F(WindowSkinnerTest, Screenshots)
{
    HWND inactive = Track(MakeFrame("Inactive dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    HWND active = Track(MakeFrame("Active dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    SetWindowPos(inactive, HWND_TOP, 20, 20, 300, 200, SWP_SHOWWINDOW);
    SetWindowPos(active, HWND_TOP, 340, 20, 300, 200, SWP_SHOWWINDOW);
    ASSERT_TRUE(SkinWith(new DialogSkinner(FALSE), inactive, "Dialog"));
    ASSERT_TRUE(SkinWith(new DialogSkinner(FALSE), active, "Dialog"));
    SetForegroundWindow(active);
    PumpMessages();
    RedrawWindow(inactive, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RedrawWindow(active, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
    RECT a, b, both;
    GetWindowRect(inactive, &a);
    GetWindowRect(active, &b);
    UnionRect(&both, &a, &b);
    EXPECT_TRUE(SavePng(CaptureScreenRect(both), ScreenshotPath(std::string("skinned-dialogs") + RunSuffix())));
}

namespace {

WNDPROC g_before = NULL;
int g_seen = 0;

LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_seen;
    return CallWindowProcA(g_before, hwnd, message, wParam, lParam);
}

} // namespace

TEST_F(WindowSkinnerTest, DetachKeepsAProcedureSetAfterTheToolkit)
{
    HWND frame = Track(MakeFrame("Subclassed later", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame"));
    g_before =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    ASSERT_TRUE(SkinEngine::Instance().RemoveWindow(frame, FALSE));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LaterSubclass), GetWindowLongPtrA(frame, GWLP_WNDPROC))
        << "the later procedure is not cut out of the chain";
    g_seen = 0;
    SetWindowTextA(frame, "Still served");
    char text[32] = "";
    GetWindowTextA(frame, text, sizeof text);
    EXPECT_STREQ("Still served", text) << "the chain still reaches the window's own procedure";
    EXPECT_GT(g_seen, 0);
    DestroyWindow(frame);
}

TEST_F(WindowSkinnerTest, ShapedCornersLieOutsideTheRegion)
{
    HWND frame = Track(MakeFrame("Shaped", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame"));
    PumpMessages();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(frame, region)) << "the skin keys its corners out";
    RECT window;
    GetWindowRect(frame, &window);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the transparent top-left corner";
    EXPECT_FALSE(PtInRegion(region, Width(window) - 1, 0)) << "the transparent top-right corner";
    EXPECT_TRUE(PtInRegion(region, Width(window) / 2, Height(window) / 2));
    DeleteObject(region);
}

TEST_F(WindowSkinnerTest, StaticsDrawOverTheClientPicture)
{
    HWND frame = Track(MakeFrame("Labels", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    ASSERT_TRUE(SkinEngine::Instance().SkinTopLevelWindow(frame, "MainFrame"));
    HWND label = MakeChild("Static", frame, WS_VISIBLE | SS_LEFT, 7, "00:00:00");
    MoveWindow(label, 20, 20, 80, 16, FALSE);
    ASSERT_NE(nullptr, FindSkinnedWindow(label)) << "a static made below a skinned frame is skinned";
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 8, 8};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)),
              SendMessageA(frame, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    EXPECT_NE(RGB(0, 0, 0), GetPixel(dc, 2, 2)) << "the label's text goes over the client picture, not black";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
}

namespace {

// The solid-colour skin: frame part i (0-8 active, 9-17 inactive) is one colour of its own, so a pixel
// names the part that was drawn.
COLORREF PartColor(int part)
{
    return RGB(20 + part * 12, 200 - part * 9, (part * 53) % 256);
}

void BuildSolidSkin(SkinStore& skin, bool withInactive)
{
    skin.AddImage(MakeImage("SOLID.BMP", 18 * 4, 4, [](int x, int) { return PartColor(x / 4); }));
    FrameWndSkinObject* frame = AddObject<FrameWndSkinObject>(skin, "Solid");
    const RECT sections[9] = {{0, 0, 20, 24},  {20, 0, 100, 24},  {100, 0, 120, 24},
                              {0, 24, 4, 74},  {4, 24, 116, 74},  {116, 24, 120, 74},
                              {0, 74, 20, 80}, {20, 74, 100, 80}, {100, 74, 120, 80}};
    for (int i = 0; i < 9; ++i)
        frame->frameRects[i] = sections[i];
    for (int part = 0; part < (withInactive ? 18 : 9); ++part) {
        ImagePart& p = frame->imageParts[part];
        std::strcpy(p.image, "SOLID.BMP");
        SetRect(&p.source, part * 4, 0, part * 4 + 4, 4);
        p.mode = 2;
    }
}

} // namespace

TEST(SolidSkin, SectionsInTheirColoursActiveAndInactive)
{
    ToolkitRun run;
    ASSERT_TRUE(run.started);
    for (bool withInactive : {true, false}) {
        MakeCurrentSkin([withInactive](SkinStore& skin) { BuildSolidSkin(skin, withInactive); });
        SkinnedWindow window;
        window.SetSkinObject(SkinEngine::Instance().GetCurrentSkin()->FindObjectByName("Solid"));
        window.LayoutFrameRects(300, 200);
        HDC screen = GetDC(NULL);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (BOOL active : {TRUE, FALSE}) {
            window.PaintFrame(dc, active);
            for (int section = 0; section < 9; ++section) {
                if (section == 4)
                    continue; // the client is the window's own
                const RECT& r = window.FrameRect(section);
                const int part = active || !withInactive ? section : 9 + section;
                EXPECT_EQ(PartColor(part), GetPixel(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2))
                    << "section " << section << (active ? " active" : " inactive")
                    << (withInactive ? "" : ", falling back to the active part");
            }
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(NULL, screen);
    }
}
