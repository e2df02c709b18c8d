// One live channel: its thread logs in, receives pictures and device events, draws the pictures
// into the display window, feeds a local recording and calls the event callback. A picture is
// decoded only when something needs it: a visible display window with the video running, a local
// recording, a snapshot or a redraw; a hidden channel only keeps the last one as it came.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "devices/conduit/LivePicture.h"
#include "devices/conduit/ServerSession.h"
#include "devices/conduit/Conduit.h"
#include "devices/common/VideoFile.h"

namespace conduit {

class LiveChannel : public Worker {
public:
    LiveChannel(const std::string& address, unsigned short port, bool ddns, const ConduitConnectRecord& record);
    ~LiveChannel() override;
    bool Begin() { return StartThread(); }
    void Stop() override;

    int SetDisplayWindow(HWND window);
    int StartVideo();
    int StopVideo();
    int PauseVideo();
    int EnableStream(bool on);
    int RefreshDisplay();
    int GetStreamInfo(int* info);
    int StartSound();
    int StopSound();
    int GetCameraInputs();
    int StartRecord(const char* path, dev::VideoContainer container);
    int StopRecord(dev::VideoContainer container);
    int CapturePicture(const char* path);
    int GetServerAddress(char* address, unsigned short* port);
    int Command(int op, int a, int b, const void* data = nullptr, size_t size = 0);
    unsigned Decodes(); // pictures decoded so far

protected:
    void Run() override;

private:
    enum class Video { Stopped, Running, Paused };
    void Notify(int type, int value);
    void OnFrame(std::vector<char>& data);
    // The newest picture, for a snapshot.
    bool TakeNewestPicture(std::vector<uint8_t>* pixels, int* width, int* height, uint32_t* frameNo);
    // With the lock held:
    bool Shown();          // a visible window shows the running video
    bool PicturesWanted(); // beyond the first picture, which always comes
    void SendStreamWish(); // tells the server when that changed
    void ShowLatest();     // draws the newest picture, when shown
    void Draw();
    void Record();
    void CloseRecording();
    std::shared_ptr<dev::Channel> CurrentChannel();

    // Fixed at construction.
    std::string address_, user_, password_, name_;
    unsigned short port_;
    bool ddns_;
    int camera_;
    ConduitEventCallback callback_;
    void* context_;
    HWND notifyWindow_;
    UINT notifyMessage_;

    CRITICAL_SECTION lock_; // everything below
    std::shared_ptr<dev::Channel> channel_;
    bool loggedIn_ = false, ended_ = false;
    dev::WelcomeMsg info_ = {};
    std::string serverAddress_;
    unsigned short serverPort_ = 0;
    HWND window_ = nullptr;
    Video video_ = Video::Stopped;
    bool streamWanted_ = true, sound_ = false;
    LivePicture picture_;
    uint32_t frames_ = 0;                                              // pictures received
    HANDLE pictureCame_ = CreateEventA(nullptr, TRUE, FALSE, nullptr); // set by each picture
    int snapshotsWaiting_ = 0;
    // What the server does: a channel opens with one picture, then the server waits for a wish.
    enum class Stream { Opening, On, Off };
    Stream serverStream_ = Stream::Opening;
    std::unique_ptr<dev::VideoFileWriter> recorder_;
    dev::VideoContainer recordKind_ = dev::VideoContainer::Mp4;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } bitmapInfo_;
};

} // namespace conduit
