// The ground everything stands on: LZO, code page 936 resources, the program shells, screenshots.
#include <windows.h>

#include <gtest/gtest.h>
#include <lzo/lzo1x.h>

#include <cstring>
#include <vector>

#include "resources/warden/resource.h"
#include "tools/screenshot/Screenshot.h"
#include "tests/support/TestSupport.h"

TEST(Lzo, RoundTripAndTruncatedBlockRefused)
{
    ASSERT_EQ(lzo_init(), LZO_E_OK);
    std::vector<unsigned char> data(100000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>((i * 7) ^ (i >> 5));

    std::vector<unsigned char> packed(data.size() + data.size() / 16 + 64 + 3);
    std::vector<unsigned char> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packedSize = packed.size();
    ASSERT_EQ(lzo1x_1_compress(data.data(), data.size(), packed.data(), &packedSize, work.data()), LZO_E_OK);
    ASSERT_LT(packedSize, data.size());

    std::vector<unsigned char> out(data.size());
    lzo_uint outSize = out.size();
    ASSERT_EQ(lzo1x_decompress_safe(packed.data(), packedSize, out.data(), &outSize, nullptr), LZO_E_OK);
    EXPECT_EQ(outSize, data.size());
    EXPECT_EQ(out, data);

    outSize = out.size();
    EXPECT_NE(lzo1x_decompress_safe(packed.data(), packedSize / 2, out.data(), &outSize, nullptr), LZO_E_OK);

    outSize = data.size() / 2; // output buffer too small
    EXPECT_NE(lzo1x_decompress_safe(packed.data(), packedSize, out.data(), &outSize, nullptr), LZO_E_OK);
}

TEST(CodePage, StringTableTextComesBackAsGbk)
{
    EXPECT_EQ(GetACP(), 936u);
    HMODULE warden = LoadLibraryExA(ProgramPath("Warden.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(warden, nullptr);
    char text[64] = {};
    int n = LoadStringA(warden, IDS_LOGIN_CAPTION, text, sizeof text);
    FreeLibrary(warden);
    const char expected[] = "\xD3\xC3\xBB\xA7\xB5\xC7\xC2\xBC"; // 用户登录
    ASSERT_EQ(n, 8);
    EXPECT_EQ(std::memcmp(text, expected, 8), 0);
    // Literals in the sources are compiled to the same bytes.
    EXPECT_STREQ("用户登录", expected);
}

struct ShellCase {
    const char* exe;
    const char* caption;
    UINT closeMessage;
    WPARAM closeParam;
};

TEST(ProgramShells, StartShowTheirDialogAndEndCleanly)
{
    const ShellCase cases[] = {
        {"Warden.exe", "用户登录", WM_COMMAND, IDCANCEL},
        {"Clipview.exe", "Clipviewer", WM_CLOSE, 0},
    };
    for (const ShellCase& c : cases) {
        SCOPED_TRACE(c.exe);
        TempDir startDir;
        ChildProcess program;
        ASSERT_TRUE(program.Start(ProgramPath(c.exe), "", startDir.Path()));
        HWND dialog = WaitForWindow(program.Id(), c.caption, 20000);
        ASSERT_NE(dialog, nullptr);
        PostMessageA(dialog, c.closeMessage, c.closeParam, 0);
        EXPECT_EQ(program.Wait(20000), 0);
    }
}

static INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

TEST(Screenshot, ShowsTheDialogNotABlankScreen)
{
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LOGIN), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    SetWindowPos(dialog, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog);
    PumpMessages();

    Capture shot = CaptureWindow(dialog);
    ASSERT_GT(shot.width, 100);
    ASSERT_GT(shot.height, 60);
    EXPECT_TRUE(SavePng(shot, ScreenshotPath("foundation-login-dialog")));

    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Capture inside = CaptureScreenRect(client);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    size_t faceCount = 0, darkCount = 0;
    for (int y = 0; y < inside.height; ++y) {
        for (int x = 0; x < inside.width; ++x) {
            COLORREF c = inside.Pixel(x, y);
            faceCount += c == face;
            darkCount += GetRValue(c) + GetGValue(c) + GetBValue(c) < 384;
        }
    }
    size_t total = size_t(inside.width) * inside.height;
    EXPECT_GT(faceCount, total / 3) << "the dialog face is not on screen";
    EXPECT_GT(darkCount, 100u) << "no text or frames drawn";
    DestroyWindow(dialog);
}

TEST(Screenshot, PngFileHasSignatureAndSize)
{
    TempDir dir;
    Capture c;
    c.width = 3;
    c.height = 2;
    c.rgb.assign(18, 0x80);
    std::string path = dir.File("x.png");
    ASSERT_TRUE(SavePng(c, path));
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    unsigned char head[24];
    DWORD got = 0;
    ReadFile(f, head, sizeof head, &got, nullptr);
    CloseHandle(f);
    ASSERT_EQ(got, sizeof head);
    EXPECT_EQ(std::memcmp(head, "\x89PNG\r\n\x1A\n", 8), 0);
    EXPECT_EQ(head[19], 3); // width, big-endian
    EXPECT_EQ(head[23], 2); // height
}
