// One live channel: served by a pump thread that it shares with other channels, it logs in (a
// DDNS look-up first when asked), receives pictures and device events, draws the pictures into the
// display window, feeds a local recording and calls the event callback. Nothing of it blocks the
// pump: each step goes as far as what arrived allows, and the pump calls again when its socket or
// its time limit says so. A picture is decoded only when something needs it: a visible display
// window with the video running, a local recording, a snapshot or a redraw; a hidden channel only
// keeps the last one as it came.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "devices/conduit/LivePicture.h"
#include "devices/conduit/ServerSession.h"
#include "devices/conduit/Conduit.h"
#include "devices/common/VideoFile.h"

namespace conduit {

class LivePump;

class LiveChannel : public HandleObject, public std::enable_shared_from_this<LiveChannel> {
public:
    LiveChannel(const std::string& address, unsigned short port, bool ddns, const ConduitConnectRecord& record);
    ~LiveChannel() override;
    bool Begin(); // hands it to a pump, which starts the log-in
    // After it returns no callback of the channel runs, unless it was called from one (then that
    // one ends first); it waits for no other channel.
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

    // For the pump.
    void SetPump(LivePump* pump) { pump_ = pump; }
    HANDLE WaitHandle();    // what it waits for now; null when only a time
    DWORD DueIn(DWORD now); // milliseconds until its time limit, INFINITE for none
    bool Serve();           // false when the channel is over: the pump lets it go

private:
    enum class Video { Stopped, Running, Paused };
    // The log-in, step by step: a DDNS look-up when asked, then the live session; each session is
    // tried as the connect settings say, 100 ms apart: connect, Hello, Welcome.
    enum class Phase { Ddns, Live };
    enum class Step { Pause, Connecting, Handshaking, Serving, Ended };
    void StartAttempt();
    void OnConnecting();
    void OnHandshaking();
    void AttemptFailed();
    void OnWelcome(const dev::WelcomeMsg& w, const std::vector<char>& extra);
    void OnLoggedIn(const dev::WelcomeMsg& w);
    void ServeLive();
    void End();     // the channel is over: calls on the handle fail from then on
    void Release(); // lets go of the sockets of a log-in under way
    bool Due() const { return LONG(GetTickCount() - deadline_) >= 0; }
    void Notify(int type, int value);
    void OnFrame(std::vector<char>& data);
    // The newest picture, for a snapshot.
    bool TakeNewestPicture(std::vector<uint8_t>* pixels, int* width, int* height, uint32_t* frameNo);
    // With the lock held:
    void MarkEnded();      // calls on the handle fail from now on, the server sees the end
    bool Shown();          // a visible window shows the running video
    bool PicturesWanted(); // beyond the first picture, which always comes
    void SendStreamWish(); // tells the server when that changed
    void ShowLatest();     // draws the newest picture, when shown
    void Draw();
    void Record();
    void CloseRecording();
    std::shared_ptr<dev::Channel> CurrentChannel();

    // The pump's, under busy_ (held while the pump serves the channel, callbacks included).
    CRITICAL_SECTION busy_;
    bool stopped_ = false;
    LivePump* pump_ = nullptr;
    Phase phase_ = Phase::Live;
    Step step_ = Step::Pause;
    int attempt_ = 0;
    ConnectSettings settings_ = {};
    DWORD deadline_ = 0;
    std::string target_;
    unsigned short targetPort_ = 0;
    SOCKET connecting_ = INVALID_SOCKET;
    HANDLE connectEvent_;
    std::unique_ptr<dev::Channel> opening_; // Hello sent, the Welcome awaited

    HANDLE stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr); // set by Stop: a snapshot's wait ends
    // Fixed at construction.
    std::string address_, user_, password_, name_;
    unsigned short port_;
    bool ddns_;
    int camera_;
    ConduitEventCallback callback_;
    void* context_;
    HWND notifyWindow_;
    UINT notifyMessage_;

    CRITICAL_SECTION lock_;                 // everything below
    std::shared_ptr<dev::Channel> channel_; // set by the pump only
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
