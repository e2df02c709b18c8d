// The splash: the start directory's picture at its own size, centred, ended by its second timer tick,
// and the picture itself saying what starts.
#include <gtest/gtest.h>

#include "station/core/datamodel/StationPaths.h"
#include "station/ui/mainwindow/DlgSplash.h"
#include "station/ui/liveview/SkinButton.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

TEST(Splash, ShowsTheShippedPictureWithTheProductsNameAndEndsAfterTwoTicks)
{
    TempDir dir(true);
    SetStartDirectory(dir.Path().c_str());
    std::string shipped = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir\\backpic.bmp";
    ASSERT_TRUE(CopyFileA(shipped.c_str(), dir.File("backpic.bmp").c_str(), FALSE));
    HBITMAP picture = LoadSplashPicture(dir.Path().c_str());
    ASSERT_NE(nullptr, picture);
    SIZE size = SkinPictureSize(picture);
    ReleaseSkinPicture(picture);

    CDlgSplash splash;
    splash.m_pictureWidth = size.cx;
    splash.m_pictureHeight = size.cy;
    int idles = 0, bright = 0;
    CRect window;
    INT_PTR result = 0;
    {
        ModalDriver driver([&](CWnd* modal) {
            if (modal != &splash || idles++ > 0)
                return;
            modal->GetWindowRect(&window);
            modal->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            // Wine hands the painting to the display when the thread next looks at its queue.
            MSG pending;
            ::PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
            SavePng(CaptureWindow(modal->m_hWnd), ScreenshotPath("splash"));
            // What the dialog paints, read back from its picture.
            CDlgSplash* shown = static_cast<CDlgSplash*>(modal);
            ASSERT_NE(nullptr, shown->m_picture);
            CDC* dc = modal->GetDC();
            HDC memory = ::CreateCompatibleDC(dc->GetSafeHdc());
            HGDIOBJ old = ::SelectObject(memory, shown->m_picture);
            for (int y = 0; y < size.cy; y += 2) {
                for (int x = 0; x < size.cx; x += 2) {
                    COLORREF c = ::GetPixel(memory, x, y);
                    bright += GetRValue(c) > 190 && GetGValue(c) > 190 && GetBValue(c) > 190;
                }
            }
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
            modal->ReleaseDC(dc);
            modal->SendMessage(WM_TIMER, 1);
            EXPECT_TRUE(modal->ContinueModal()) << "one tick is not the end";
            modal->SendMessage(WM_TIMER, 1);
        });
        result = splash.DoModal();
    }
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(size.cx, window.Width());
    EXPECT_EQ(size.cy, window.Height());
    CRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_LE(abs(window.CenterPoint().x - screen.CenterPoint().x), 1);
    EXPECT_LE(abs(window.CenterPoint().y - screen.CenterPoint().y), 1);
    EXPECT_GT(bright, 100) << "the name and what it is are written on the picture, not an empty gradient";
}
