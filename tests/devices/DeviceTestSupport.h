// What the device tests share: a simulated site built for the test, a recorder of callbacks, a
// window to draw into, and readers of the recording containers.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "devices/devsim/control/DevsimControl.h"
#include "tests/support/TestSupport.h"

// The site of the Conduit and Portwick tests (free ports; see SiteText in DeviceTestSupport.cpp):
// Alpha (4 channels, alarm box, DDNS name alpha.ddns), Beta (16 channels), Gamma (stopped at
// start), Delta (stopped and started by tests), Tiny (one user slot), Still (2 channels at 5
// pictures a second, so that a picture interval is long against the test's own steps), and the station's serial
// devices (linkage device on COM1 at address 3, keyboard on COM2 at 9600 baud, alarm input COM3).
DevsimSite& TestSite();
std::string SiteText();

struct DeviceEvent {
    int handle, type, value;
    DWORD thread;
};

// Collects device events of live channels from the library's threads.
class EventLog {
public:
    EventLog();
    ~EventLog();
    static void __stdcall Callback(int handle, int type, int value, void* context);
    std::vector<DeviceEvent> Events();
    bool WaitFor(int type, int value, DWORD timeoutMs = 10000); // an event not yet taken
    void Clear();

private:
    CRITICAL_SECTION lock_;
    std::vector<DeviceEvent> events_;
    size_t taken_ = 0;
};

// A visible top-level window of the given client size that pictures are drawn into.
class VideoWindow {
public:
    VideoWindow(int x, int y, int width, int height);
    ~VideoWindow();
    HWND Handle() const { return window_; }
    // Messages from WM_APP on that reached the window, oldest first (wParam, lParam); the window
    // takes them itself so that message pumping in the tests cannot lose them.
    bool TakeAppMessage(UINT message, WPARAM* wParam, LPARAM* lParam);

private:
    HWND window_;
};

// One sample of a recording: its bytes (a JPEG file) and its time in milliseconds.
struct MediaSample {
    std::vector<uint8_t> data;
    uint64_t timeMs;
};
// Reads an MP4 (sample table) or ASF (packets, media objects reassembled) recording; false when
// the file's structure is broken.
bool ReadMp4Samples(const std::string& path, std::vector<MediaSample>* samples, int* width, int* height);
bool ReadAsfSamples(const std::string& path, std::vector<MediaSample>* samples, int* width, int* height);
// A picture that differs per frame, with the frame number in its comment as recordings have.
std::vector<uint8_t> TestFrameJpeg(int frame, int width, int height);
// The frame number our recordings write into each JPEG's comment ("frame=N"), -1 when absent.
long JpegFrameNumber(const std::vector<uint8_t>& jpeg);
// Decodes a picture file with the platform's picture loader; false when it is not a valid image.
bool DecodePicture(const std::vector<uint8_t>& bytes, int* width, int* height);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
// A connect record for channel `channel` with the event log as callback.
struct ConduitConnectRecord;
void FillRecord(ConduitConnectRecord* r, const char* user, const char* password, int channel, HWND window,
                EventLog* log);
