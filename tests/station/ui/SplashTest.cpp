// The splash: the start directory's picture at its own size, centred, ended by its second timer tick,
// and the picture itself saying what starts.
#include <gtest/gtest.h>

#include "station/ui/DlgSplash.h"
#include "station/ui/SkinButton.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

TEST(Splash, ShowsTheShippedPictureWithTheProductsNameAndEndsAfterTwoTicks)
{
    TempDir dir(true);
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
            Capture shot = CaptureWindow(modal->m_hWnd);
            SavePng(shot, ScreenshotPath("splash"));
            for (int y = 0; y < window.Height(); ++y) {
                for (int x = 0; x < window.Width(); ++x) {
                    COLORREF c = shot.Pixel(x, y);
                    bright += GetRValue(c) > 190 && GetGValue(c) > 190 && GetBValue(c) > 190;
                }
            }
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
    EXPECT_GT(bright, 400) << "the name and what it is are written on the picture, not an empty gradient";
}
