// One live channel: its thread logs in, receives pictures and device events, draws the pictures
// into the display window, feeds a local recording and calls the event callback.
#pragma once
#include <memory>
#include <string>
#include <vector>

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

protected:
    void Run() override;

private:
    enum class Video { Stopped, Running, Paused };
    void Notify(int type, int value);
    void OnFrame(const std::vector<char>& data);
    void Draw();           // lock held
    void CloseRecording(); // lock held
    std::shared_ptr<dev::Channel> CurrentChannel();
    void SendStreamWish(); // stream on while wanted or recording

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
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_, spare_;
    uint32_t frames_ = 0;
    uint32_t lastFrameNo_ = 0;
    std::unique_ptr<dev::VideoFileWriter> recorder_;
    dev::VideoContainer recordKind_ = dev::VideoContainer::Mp4;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } bitmapInfo_;
};

} // namespace conduit
