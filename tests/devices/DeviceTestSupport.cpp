#include "tests/devices/DeviceTestSupport.h"

#include <olectl.h>
#include <ole2.h>

#include <cstring>
#include <fstream>

#include "devices/common/Jpeg.h"
#include "devices/conduit/Conduit.h"
#include "tests/support/TestSupport.h"

std::string SiteText()
{
    return "[Site]\r\n"
           "[Station]\r\nComPorts=6\r\nLinkDevice=COM1\r\nLinkAddress=3\r\nKeyboard=COM2\r\nKeyboardBaud=9600\r\n"
           "AlarmInput=COM3\r\n"
           "[Server1]\r\nName=Alpha\r\nUser=admin\r\nPassword=secret\r\nChannels=4\r\nCameraInputs=4\r\n"
           "AlarmBox=1\r\nBoxAddress=5\r\nBoxSerial=1\r\nBoxBaud=9600\r\nDdnsName=alpha.ddns\r\n"
           "PtzDescription=SpeedDome delay250\r\n"
           "[Server2]\r\nName=Beta\r\nUser=admin\r\nPassword=secret\r\nChannels=16\r\nAudio=0\r\n"
           "[Server3]\r\nName=Gamma\r\nUser=admin\r\nPassword=secret\r\nRunning=0\r\n"
           "[Server4]\r\nName=Delta\r\nUser=admin\r\nPassword=secret\r\nChannels=2\r\n"
           "[Server5]\r\nName=Tiny\r\nUser=admin\r\nPassword=secret\r\nChannels=1\r\nMaxUsers=1\r\n"
           "[Server6]\r\nName=Still\r\nUser=admin\r\nPassword=secret\r\nChannels=2\r\nFrameRate=5\r\n";
}

DevsimSite& TestSite()
{
    static DevsimSite* site = [] {
        auto* s = new DevsimSite; // quits with the test program (devsim watches its parent)
        static TempDir dir;
        std::string ini = dir.File("site.ini");
        WriteTextFile(ini, SiteText());
        s->Start(ini);
        return s;
    }();
    return *site;
}

EventLog::EventLog()
{
    InitializeCriticalSection(&lock_);
}
EventLog::~EventLog()
{
    DeleteCriticalSection(&lock_);
}

void __stdcall EventLog::Callback(int handle, int type, int value, void* context)
{
    auto* log = static_cast<EventLog*>(context);
    EnterCriticalSection(&log->lock_);
    log->events_.push_back({handle, type, value, GetCurrentThreadId()});
    LeaveCriticalSection(&log->lock_);
}

std::vector<DeviceEvent> EventLog::Events()
{
    EnterCriticalSection(&lock_);
    std::vector<DeviceEvent> copy = events_;
    LeaveCriticalSection(&lock_);
    return copy;
}

bool EventLog::WaitFor(int type, int value, DWORD timeoutMs)
{
    return WaitUntil(
        [&] {
            EnterCriticalSection(&lock_);
            bool found = false;
            for (size_t i = taken_; i < events_.size() && !found; ++i)
                if (events_[i].type == type && events_[i].value == value) {
                    taken_ = i + 1;
                    found = true;
                }
            LeaveCriticalSection(&lock_);
            return found;
        },
        timeoutMs);
}

void EventLog::Clear()
{
    EnterCriticalSection(&lock_);
    events_.clear();
    taken_ = 0;
    LeaveCriticalSection(&lock_);
}

namespace {
struct AppMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<AppMessage> g_appMessages; // the test thread's windows only
} // namespace

static LRESULT CALLBACK VideoWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_ERASEBKGND)
        return 1; // the library paints the whole client area
    if (msg >= WM_APP && msg <= 0xBFFF) {
        g_appMessages.push_back({w, msg, wp, lp});
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

bool VideoWindow::TakeAppMessage(UINT message, WPARAM* wParam, LPARAM* lParam)
{
    PumpMessages();
    for (size_t i = 0; i < g_appMessages.size(); ++i) {
        if (g_appMessages[i].window == window_ && g_appMessages[i].message == message) {
            *wParam = g_appMessages[i].wParam;
            *lParam = g_appMessages[i].lParam;
            g_appMessages.erase(g_appMessages.begin() + ptrdiff_t(i));
            return true;
        }
    }
    return false;
}

namespace {
// Under Wine without a window manager, destroying a visible window waits two seconds for the
// manager's answer; the tests therefore keep their windows and hand them on.
std::vector<HWND> g_spareWindows;
} // namespace

VideoWindow::VideoWindow(int x, int y, int width, int height)
{
    static bool registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = VideoWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DeviceTestVideo";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    RECT rc = {0, 0, width, height};
    AdjustWindowRect(&rc, WS_POPUP | WS_BORDER, FALSE);
    if (!g_spareWindows.empty()) {
        window_ = g_spareWindows.back();
        g_spareWindows.pop_back();
        MoveWindow(window_, x, y, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    } else {
        window_ =
            CreateWindowExA(0, "DeviceTestVideo", "video", WS_POPUP | WS_BORDER | WS_VISIBLE, x, y, rc.right - rc.left,
                            rc.bottom - rc.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    UpdateWindow(window_);
    PumpMessages();
}

VideoWindow::~VideoWindow()
{
    PumpMessages();
    for (size_t i = 0; i < g_appMessages.size();) {
        if (g_appMessages[i].window == window_)
            g_appMessages.erase(g_appMessages.begin() + ptrdiff_t(i));
        else
            ++i;
    }
    g_spareWindows.push_back(window_);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

namespace {

uint32_t Be32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint64_t Be64(const uint8_t* p)
{
    return uint64_t(Be32(p)) << 32 | Be32(p + 4);
}
uint32_t Le32(const uint8_t* p)
{
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}
uint16_t Le16(const uint8_t* p)
{
    return uint16_t(p[1] << 8 | p[0]);
}
uint64_t Le64(const uint8_t* p)
{
    return uint64_t(Le32(p + 4)) << 32 | Le32(p);
}

// Finds the boxes on a path (e.g. moov/trak/mdia/minf/stbl/stsz) in [begin, end).
bool FindBox(const std::vector<uint8_t>& f, size_t begin, size_t end, const std::vector<std::string>& path,
             size_t depth, size_t* at, size_t* size)
{
    size_t p = begin;
    while (p + 8 <= end) {
        uint64_t n = Be32(&f[p]);
        size_t header = 8;
        if (n == 1 && p + 16 <= end) {
            n = Be64(&f[p + 8]);
            header = 16;
        }
        if (n < header || p + n > end)
            return false;
        if (std::string(reinterpret_cast<const char*>(&f[p + 4]), 4) == path[depth]) {
            if (depth + 1 == path.size()) {
                *at = p + header;
                *size = size_t(n) - header;
                return true;
            }
            size_t skip = path[depth] == "stsd" ? 8 : 0;
            return FindBox(f, p + header + skip, p + size_t(n), path, depth + 1, at, size);
        }
        p += size_t(n);
    }
    return false;
}

} // namespace

bool ReadMp4Samples(const std::string& path, std::vector<MediaSample>* samples, int* width, int* height)
{
    std::vector<uint8_t> f = ReadFileBytes(path);
    const std::string stbl = "moov/trak/mdia/minf/stbl/";
    auto box = [&](const std::vector<std::string>& p, size_t* at, size_t* size) {
        return FindBox(f, 0, f.size(), p, 0, at, size);
    };
    size_t szAt, szSize, coAt, coSize, ttAt, ttSize, tkAt, tkSize;
    std::vector<std::string> base = {"moov", "trak", "mdia", "minf", "stbl"};
    auto with = [&](const char* last) {
        std::vector<std::string> p = base;
        p.push_back(last);
        return p;
    };
    if (!box(with("stsz"), &szAt, &szSize) || !box(with("co64"), &coAt, &coSize) ||
        !box(with("stts"), &ttAt, &ttSize) || !box({"moov", "trak", "tkhd"}, &tkAt, &tkSize) || tkSize < 84)
        return false;
    *width = int(Be32(&f[tkAt + 76]) >> 16);
    *height = int(Be32(&f[tkAt + 80]) >> 16);
    uint32_t count = Be32(&f[szAt + 8]);
    if (szSize < 12 + size_t(count) * 4 || coSize < 8 + size_t(count) * 8 || Be32(&f[coAt + 4]) != count)
        return false;
    std::vector<uint64_t> times;
    uint64_t t = 0;
    uint32_t entries = Be32(&f[ttAt + 4]);
    for (uint32_t e = 0; e < entries && 8 + e * 8 + 8 <= ttSize; ++e) {
        uint32_t n = Be32(&f[ttAt + 8 + e * 8]), d = Be32(&f[ttAt + 12 + e * 8]);
        for (uint32_t i = 0; i < n; ++i, t += d)
            times.push_back(t);
    }
    if (times.size() != count)
        return false;
    samples->clear();
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t size = Be32(&f[szAt + 12 + i * 4]);
        uint64_t offset = Be64(&f[coAt + 8 + i * 8]);
        if (offset + size > f.size())
            return false;
        samples->push_back(
            {std::vector<uint8_t>(f.begin() + ptrdiff_t(offset), f.begin() + ptrdiff_t(offset + size)), times[i]});
    }
    return true;
}

bool ReadAsfSamples(const std::string& path, std::vector<MediaSample>* samples, int* width, int* height)
{
    std::vector<uint8_t> f = ReadFileBytes(path);
    static const uint8_t kHeader[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                        0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    static const uint8_t kData[16] = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                      0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    static const uint8_t kFileProps[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                           0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    static const uint8_t kStreamProps[16] = {0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11,
                                             0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    if (f.size() < 30 || std::memcmp(&f[0], kHeader, 16) != 0)
        return false;
    uint64_t headerSize = Le64(&f[16]);
    uint32_t packetSize = 0;
    uint64_t packets = 0;
    for (size_t p = 30; p + 24 <= headerSize && p + 24 <= f.size();) {
        uint64_t n = Le64(&f[p + 16]);
        if (n < 24 || p + n > f.size())
            return false;
        if (std::memcmp(&f[p], kFileProps, 16) == 0 && n >= 104) {
            packets = Le64(&f[p + 56]);
            packetSize = Le32(&f[p + 92]);
        }
        if (std::memcmp(&f[p], kStreamProps, 16) == 0 && n >= 78 + 11) {
            *width = int(Le32(&f[p + 78]));
            *height = int(Le32(&f[p + 82]));
        }
        p += size_t(n);
    }
    size_t d = size_t(headerSize);
    if (packetSize == 0 || d + 50 > f.size() || std::memcmp(&f[d], kData, 16) != 0 || Le64(&f[d + 40]) != packets)
        return false;
    samples->clear();
    std::vector<uint8_t> object;
    for (uint64_t i = 0; i < packets; ++i) {
        size_t p = d + 50 + size_t(i) * packetSize;
        if (p + packetSize > f.size())
            return false;
        const uint8_t* k = &f[p];
        // Our layout: EC flags and 2 bytes, length flags 0x10, property flags 0x5D, padding (WORD),
        // send time, duration; one payload: stream, object number, offset, 8 replicated bytes.
        if (k[0] != 0x82 || k[3] != 0x10 || k[4] != 0x5D || k[13] != 0x81 || k[19] != 8)
            return false;
        uint16_t padding = Le16(k + 5);
        uint32_t offset = Le32(k + 15), objectSize = Le32(k + 20), presentation = Le32(k + 24);
        size_t payload = packetSize - 28 - padding;
        if (offset != object.size() || padding > packetSize - 28)
            return false;
        object.insert(object.end(), k + 28, k + 28 + payload);
        if (object.size() == objectSize) {
            samples->push_back({object, presentation});
            object.clear();
        } else if (object.size() > objectSize) {
            return false;
        }
    }
    return object.empty();
}

long JpegFrameNumber(const std::vector<uint8_t>& jpeg)
{
    for (size_t i = 0; i + 4 < jpeg.size() && i < 256; ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xFE) {
            size_t n = size_t(jpeg[i + 2] << 8 | jpeg[i + 3]);
            std::string text(reinterpret_cast<const char*>(&jpeg[i + 4]), n >= 2 ? n - 2 : 0);
            size_t at = text.find("frame=");
            return at == std::string::npos ? -1 : std::atol(text.c_str() + at + 6);
        }
    }
    return -1;
}

bool DecodePicture(const std::vector<uint8_t>& bytes, int* width, int* height)
{
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(mem, TRUE, &stream) != S_OK)
        return false;
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (hr != S_OK || !picture)
        return false;
    HBITMAP bmp = nullptr;
    picture->get_Handle(reinterpret_cast<OLE_HANDLE*>(&bmp));
    BITMAP info = {};
    bool ok = bmp && GetObjectA(bmp, sizeof info, &info) != 0;
    *width = info.bmWidth;
    *height = info.bmHeight;
    picture->Release();
    return ok;
}

void FillRecord(ConduitConnectRecord* r, const char* user, const char* password, int channel, HWND window,
                EventLog* log)
{
    std::memset(r, 0, sizeof *r);
    r->serverName = "server";
    r->userName = user;
    r->password = password;
    r->transport = 3;
    r->showNow = window ? 1 : 0;
    r->channel = static_cast<unsigned char>(channel);
    r->displayWindow = window;
    r->bufferCount = 50;
    r->overlayKey = 0x00FF00FF;
    r->callback = log ? &EventLog::Callback : nullptr;
    r->context = log;
}

// A picture that differs per frame, with the frame number in its comment as recordings have.
std::vector<uint8_t> TestFrameJpeg(int frame, int w, int h)
{
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
            p[0] = uint8_t(frame * 37 + x * 3), p[1] = uint8_t(y * 5), p[2] = uint8_t(frame * 11);
        }
    std::vector<uint8_t> jpeg;
    dev::EncodeJpeg(rgb.data(), w, h, 80, jpeg, "frame=" + std::to_string(frame) + " channel=0");
    return jpeg;
}
