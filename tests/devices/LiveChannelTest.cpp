// The picture work of a live channel, counted: a channel that no window shows decodes nothing and
// receives no pictures, yet shows the server's next picture within one picture interval when a
// window shows it; a snapshot of it still gets a picture. The kept picture itself: a damaged one
// is skipped, the pixels keep the one before.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <memory>

#include "devices/common/FrameCodec.h"
#include "devices/common/Protocol.h"
#include "devices/conduit/Conduit.h"
#include "devices/conduit/LiveChannel.h"
#include "devices/conduit/LivePicture.h"
#include "tests/devices/DeviceTestSupport.h"
#include "tools/screenshot/Screenshot.h"
#include "tests/support/TestSupport.h"

namespace {

int Received(conduit::LiveChannel& live)
{
    int info[5] = {};
    return live.GetStreamInfo(info) ? info[4] : -1;
}

int Received(int handle)
{
    int info[5] = {};
    return Conduit_GetStreamInfo(handle, info) ? info[4] : -1;
}

// Whether the window shows a picture rather than its black background.
bool ShowsPicture(HWND window)
{
    Capture c = CaptureWindow(window);
    int coloured = 0;
    for (int x = 0; x < c.width; x += 4)
        coloured += c.Pixel(x, c.height / 2) != RGB(0, 0, 0);
    return coloured > c.width / 8;
}

std::vector<char> PictureMessage(uint32_t frameNo, int width, int height, uint8_t colour, bool damage)
{
    std::vector<uint8_t> pixels(size_t(width) * height, colour), rle;
    dev::EncodeRle8(pixels.data(), width, height, rle);
    if (damage)
        rle.resize(rle.size() - 2); // the runs no longer cover the picture
    dev::FrameHeader h = {frameNo, frameNo * 40, 0, uint16_t(width), uint16_t(height), 0, 0};
    std::vector<char> message(reinterpret_cast<char*>(&h), reinterpret_cast<char*>(&h) + sizeof h);
    message.insert(message.end(), rle.begin(), rle.end());
    return message;
}

} // namespace

TEST(LiveChannelTest, AHiddenChannelDoesNoPictureWorkAndShowsTheNextPictureWithinAnInterval)
{
    Conduit_Init(0, 0, 0, 0);
    ASSERT_TRUE(TestSite().Running());
    unsigned short port = TestSite().Port("Still");
    // The neighbour, shown through the library, is the clock: the server sends both channels
    // their pictures at the same pace.
    VideoWindow neighbourWindow(800, 200, 176, 144);
    EventLog neighbourLog;
    ConduitConnectRecord r;
    FillRecord(&r, "admin", "secret", 0, neighbourWindow.Handle(), &neighbourLog);
    int neighbour = Conduit_Connect("127.0.0.1", &r, port);
    ASSERT_GT(neighbour, 0);

    EventLog log;
    FillRecord(&r, "admin", "secret", 1, nullptr, &log);
    auto live = std::make_shared<conduit::LiveChannel>("127.0.0.1", port, false, r);
    ASSERT_TRUE(live->Begin());
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ASSERT_TRUE(neighbourLog.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ASSERT_TRUE(WaitUntil([&] { return Received(*live) >= 1; })) << "a new channel keeps one picture";

    // Hidden: while the neighbour gets five pictures, nothing is decoded and the server stops.
    int kept = Received(*live);
    int clock = Received(neighbour);
    ASSERT_TRUE(WaitUntil([&] { return Received(neighbour) >= clock + 5; }));
    EXPECT_EQ(0u, live->Decodes());
    EXPECT_LE(Received(*live), kept + 1) << "at most one picture was under way when it asked for none";

    // Shown: the server's next picture is drawn before the neighbour's second after the show.
    VideoWindow window(420, 200, 352, 288); // away from the other tests' windows
    kept = Received(*live);
    clock = Received(neighbour);
    live->SetDisplayWindow(window.Handle());
    ASSERT_EQ(1, live->StartVideo());
    ASSERT_TRUE(WaitUntil([&] { return live->Decodes() >= 1; }));
    EXPECT_LE(Received(neighbour), clock + 1) << "the picture came within one picture interval";
    // A window just shown may reach the screen a moment after the drawing: drawn again until it shows.
    EXPECT_TRUE(WaitUntil([&] { return live->RefreshDisplay() == 1 && ShowsPicture(window.Handle()); }, 3000));
    SavePng(CaptureWindow(window.Handle()), ScreenshotPath("devices_hidden_channel_shown"));
    // Every picture while shown is decoded and drawn.
    clock = Received(neighbour);
    ASSERT_TRUE(WaitUntil([&] { return Received(neighbour) >= clock + 3; }));
    EXPECT_GE(live->Decodes(), 3u);

    // Hidden again (the pane let it go): no more decoding.
    live->SetDisplayWindow(nullptr);
    live->StopVideo();
    unsigned decoded = live->Decodes();
    kept = Received(*live);
    clock = Received(neighbour);
    ASSERT_TRUE(WaitUntil([&] { return Received(neighbour) >= clock + 5; }));
    EXPECT_EQ(decoded, live->Decodes());
    EXPECT_LE(Received(*live), kept + 1);

    // A snapshot of the hidden channel asks for a picture of now.
    TempDir dir;
    ASSERT_EQ(1, live->CapturePicture(dir.File("hidden.bmp").c_str()));
    int w = 0, h = 0;
    EXPECT_TRUE(DecodePicture(ReadFileBytes(dir.File("hidden.bmp")), &w, &h));
    EXPECT_EQ(352, w);
    EXPECT_GT(Received(*live), kept) << "the snapshot is of a picture that came for it";
    EXPECT_EQ(decoded + 1, live->Decodes());

    live->Stop();
    Conduit_Disconnect(neighbour);
}

TEST(LiveChannelTest, TheKeptPictureIsDecodedOnceAndADamagedOneIsSkipped)
{
    conduit::LivePicture picture;
    EXPECT_FALSE(picture.Decode()) << "nothing came yet";
    std::vector<char> tooShort(8, 0);
    EXPECT_FALSE(picture.Take(tooShort));

    std::vector<char> first = PictureMessage(1, 64, 48, 7, false);
    ASSERT_TRUE(picture.Take(first));
    EXPECT_EQ(0u, picture.Decodes()) << "taking a picture decodes nothing";
    EXPECT_TRUE(picture.Decode());
    EXPECT_TRUE(picture.Decode());
    EXPECT_EQ(1u, picture.Decodes());
    EXPECT_EQ(1u, picture.FrameNo());
    EXPECT_EQ(7, picture.Pixels()[0]);

    // Pictures that nobody looked at are never decoded, only the last one.
    for (uint32_t n = 2; n <= 5; ++n) {
        std::vector<char> m = PictureMessage(n, 64, 48, uint8_t(n), false);
        ASSERT_TRUE(picture.Take(m));
    }
    EXPECT_TRUE(picture.Decode());
    EXPECT_EQ(2u, picture.Decodes());
    EXPECT_EQ(5u, picture.FrameNo());

    std::vector<char> damaged = PictureMessage(6, 64, 48, 9, true);
    ASSERT_TRUE(picture.Take(damaged));
    EXPECT_FALSE(picture.Decode());
    EXPECT_EQ(5u, picture.FrameNo()) << "the pixels keep the picture before";
    EXPECT_EQ(5, picture.Pixels()[0]);

    std::vector<char> next = PictureMessage(7, 64, 48, 11, false);
    ASSERT_TRUE(picture.Take(next));
    picture.Forget();
    EXPECT_FALSE(picture.Decode()) << "a forgotten picture is not the newest";
    EXPECT_TRUE(picture.HasPixels()) << "its pixels stay for redrawing";
}
