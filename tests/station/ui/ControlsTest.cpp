#include <gtest/gtest.h>

#include "station/ui/liveview/BitmapToggle.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/ui/liveview/StateButton.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <string>
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

// A bottom-up BI_RGB file of the given depth whose pixels are a pattern of their place; `cut`
// bytes are left off its end.
void WriteBitmapFile(const std::string& path, int width, int height, int depth, size_t cut = 0)
{
    int stride = ((width * depth + 31) / 32) * 4;
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof head + sizeof info;
    head.bfSize = head.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(depth);
    std::string bytes(reinterpret_cast<const char*>(&head), sizeof head);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int i = 0; i < stride * height; ++i)
        bytes.push_back(static_cast<char>(i * 7 + i / stride));
    bytes.resize(bytes.size() - cut);
    std::ofstream(path, std::ios::binary) << bytes;
}

// Width, height, depth and every byte of the picture's pixels; empty for null.
std::string PictureContents(HBITMAP picture)
{
    DIBSECTION section = {};
    if (!picture || GetObjectA(picture, sizeof section, &section) != sizeof section)
        return std::string();
    const BITMAP& b = section.dsBm;
    std::string text =
        std::to_string(b.bmWidth) + "x" + std::to_string(b.bmHeight) + "x" + std::to_string(b.bmBitsPixel) + ":";
    return text + std::string(static_cast<const char*>(b.bmBits), size_t(b.bmWidthBytes) * b.bmHeight);
}

// Pictures must come out as LoadImage reads them, whichever way they are read.
TEST(SkinPicture, ReadsFilesAsLoadImageDoes)
{
    TempDir dir;
    struct Case {
        int width, height, depth;
        size_t cut;
        int askWidth, askHeight;
    } cases[] = {
        {10, 10, 24, 0, 0, 0}, {10, 10, 24, 0, 10, 10}, {5, 3, 24, 0, 0, 0}, // rows padded to 4 bytes
        {7, 4, 32, 0, 0, 0},   {5, 3, 24, 0, 10, 6},                         // another size is stretched
        {16, 16, 8, 0, 0, 0},                                                // a palette file
        {5, 3, 24, 4, 0, 0},                                                 // pixels cut short
    };
    for (const Case& c : cases) {
        std::string path = dir.File("picture.bmp");
        WriteBitmapFile(path, c.width, c.height, c.depth, c.cut);
        HBITMAP ours = LoadSkinPicture(path.c_str(), c.askWidth, c.askHeight);
        HBITMAP system = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, c.askWidth, c.askHeight,
                                                         LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE));
        EXPECT_EQ(PictureContents(system), PictureContents(ours))
            << c.width << "x" << c.height << "x" << c.depth << " cut " << c.cut;
        ReleaseSkinPicture(ours);
        ReleaseSkinPicture(system);
    }
    EXPECT_EQ(nullptr, LoadSkinPicture(dir.File("missing.bmp").c_str(), 0, 0));
}

// The cache keeps a picture per file and size; a relative name means the file of the current folder.
TEST(SkinPicture, SharedPicturesArePerFileAndSize)
{
    TempDir first, second;
    WriteBitmapFile(first.File("icon.bmp"), 10, 10, 24);
    WriteBitmapFile(second.File("icon.bmp"), 5, 3, 24);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(first.Path().c_str());
    HBITMAP own = SharedSkinPicture("icon.bmp");
    HBITMAP stretched = SharedSkinPicture("icon.bmp", 20, 20);
    EXPECT_EQ(own, SharedSkinPicture(first.File("icon.bmp").c_str()));
    EXPECT_NE(own, stretched);
    EXPECT_EQ(20, SkinPictureSize(stretched).cx);
    SetCurrentDirectoryA(second.Path().c_str());
    EXPECT_EQ(5, SkinPictureSize(SharedSkinPicture("icon.bmp")).cx);
    SetCurrentDirectoryA(previous);
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
