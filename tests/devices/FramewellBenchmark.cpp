// Framewell playing 10-minute 25 fps recordings (MP4 and ASF, 352x288 and 704x576):
// - at 1x: pictures a second and processor time a second, for one handle and for four at once;
// - at top speed (16x): processor time per picture played over, and per picture shown (fast play
//   shows no more pictures than a screen refreshes), against a plain decode of the same pictures in
//   the same run;
// - SetPlayTime until its picture is the shown one (the call returns then): median and worst of 20.
#include <winsock2.h> // before windows.h, as the media reader's header has it
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "devices/common/Jpeg.h"
#include "devices/common/VideoFile.h"
#include "devices/framewell/FramewellApi.h"
#include "devices/framewell/JpegDecoder.h"
#include "devices/framewell/MediaFile.h"
#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestSupport.h"

namespace {

const int kFrames = 10 * 60 * 25;
const int kDistinctPictures = 25; // a second of different pictures, repeated
const DWORD kRunMs = 3000;

struct Recording {
    std::string path, label;
    int width, height;
    std::vector<std::vector<uint8_t>> pictures;
};

double ProcessSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) { return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime); };
    return (value(kernel) + value(user)) / 1e7;
}

void Pump(DWORD ms)
{
    WaitUntil([] { return false; }, ms);
}

void Write(Recording& r, dev::VideoContainer container)
{
    for (int i = 0; i < kDistinctPictures; ++i) {
        std::vector<uint8_t> rgb(size_t(r.width) * size_t(r.height) * 3);
        for (size_t p = 0; p < rgb.size(); p += 3) {
            size_t x = (p / 3) % size_t(r.width), y = (p / 3) / size_t(r.width);
            rgb[p] = uint8_t(x * 255 / size_t(r.width));
            rgb[p + 1] = uint8_t(y * 255 / size_t(r.height));
            rgb[p + 2] = uint8_t(i * 10 + (x / 16 + y / 16) % 2 * 60);
        }
        std::vector<uint8_t> jpeg;
        dev::EncodeJpeg(rgb.data(), r.width, r.height, 75, jpeg, "frame=" + std::to_string(i));
        r.pictures.push_back(jpeg);
    }
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(container);
    writer->Open(r.path, r.width, r.height);
    for (int i = 0; i < kFrames; ++i) {
        const std::vector<uint8_t>& jpeg = r.pictures[size_t(i % kDistinctPictures)];
        writer->AddFrame(jpeg.data(), jpeg.size(), uint32_t(i) * 40);
    }
    writer->Close();
}

HWND MakeWindow(int width, int height)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, width + 2, height + 2, nullptr,
                                    nullptr, nullptr, nullptr);
    return window;
}

struct Rate {
    double fps, cpu;
};

// Plays the files at 1x together, one window each; the slowest handle's pictures a second and the
// processor seconds a second of the run.
Rate PlayTogether(const std::vector<const Recording*>& files)
{
    const FramewellApi& fw = GetFramewellApi();
    std::vector<HWND> windows;
    std::vector<int> handles, start;
    for (const Recording* r : files) {
        windows.push_back(MakeWindow(r->width, r->height));
        handles.push_back(fw.OpenFile(r->path.c_str(), 0));
        fw.Play(handles.back(), windows.back());
        start.push_back(fw.GetPlayTime(handles.back()));
    }
    const double begin = NowMs(), before = ProcessSeconds();
    Pump(kRunMs);
    const double wall = (NowMs() - begin) / 1000.0, cpu = ProcessSeconds() - before;
    double slowest = 1e9;
    for (size_t i = 0; i < handles.size(); ++i)
        slowest = std::min(slowest, (fw.GetPlayTime(handles[i]) - start[i]) / 40.0 / wall);
    for (size_t i = 0; i < handles.size(); ++i) {
        fw.Stop(handles[i]);
        ::DestroyWindow(windows[i]);
    }
    return {slowest, cpu / wall};
}

// Plays the recording at 16x in a new window, past its first moments; returns the handle.
int PlayAtTopSpeed(const Recording& r, HWND* window)
{
    const FramewellApi& fw = GetFramewellApi();
    *window = MakeWindow(r.width, r.height);
    int handle = fw.OpenFile(r.path.c_str(), 0);
    fw.Play(handle, *window);
    for (int i = 0; i < 4; ++i)
        fw.Fast(handle);
    Pump(200);
    return handle;
}

// Processor seconds per picture played over at 16x.
double CpuPerPictureAtTopSpeed(const Recording& r)
{
    const FramewellApi& fw = GetFramewellApi();
    HWND window = nullptr;
    const int handle = PlayAtTopSpeed(r, &window);
    const int start = fw.GetPlayTime(handle);
    const double before = ProcessSeconds();
    Pump(kRunMs);
    const double cpu = ProcessSeconds() - before;
    const double pictures = (fw.GetPlayTime(handle) - start) / 40.0;
    fw.Stop(handle);
    ::DestroyWindow(window);
    return pictures > 0 ? cpu / pictures : 0;
}

double CpuPerPlainDecode(const Recording& r)
{
    const int rounds = 400;
    fw::Picture picture;
    const double before = ProcessSeconds();
    for (int i = 0; i < rounds; ++i) {
        const std::vector<uint8_t>& jpeg = r.pictures[size_t(i % kDistinctPictures)];
        fw::DecodeJpeg(jpeg.data(), jpeg.size(), picture);
    }
    return (ProcessSeconds() - before) / rounds;
}

// Pictures a second that the library shows at 16x, counted from its position, which moves when a
// picture is shown (polled every few ms: up to 200 a second are told apart).
double ShownASecondAtTopSpeed(const Recording& r)
{
    const FramewellApi& fw = GetFramewellApi();
    HWND window = nullptr;
    const int handle = PlayAtTopSpeed(r, &window);
    int last = fw.GetPlayTime(handle), moves = 0;
    const double begin = NowMs();
    WaitUntil(
        [&] {
            const int now = fw.GetPlayTime(handle);
            moves += now != last;
            last = now;
            return false;
        },
        1000);
    const double seconds = (NowMs() - begin) / 1000;
    fw.Stop(handle);
    ::DestroyWindow(window);
    return moves / seconds;
}

// Where a second of 16x playback's processor time goes: the shown pictures, each one's steps timed on
// their own (read, decode to the window's 32-bit rows, draw), the benchmark's own message pump, and
// what is left (the drawing thread's waits and wake-ups, the lock, the pictures played over).
// Returns the pictures shown a second.
double PrintBreakdown(const Recording& r, double perPlayed)
{
    const int rounds = 1000;
    auto perPicture = [&](auto step) {
        const double before = ProcessSeconds();
        for (int i = 0; i < rounds; ++i)
            step(i);
        return (ProcessSeconds() - before) / rounds * 1000;
    };
    fw::MediaFile file;
    file.Open(r.path);
    std::vector<uint8_t> jpeg;
    const double read = perPicture([&](int i) { file.Read(size_t(i) * 7 % file.Count(), jpeg); });
    fw::Picture picture;
    const double decode = perPicture([&](int i) {
        const std::vector<uint8_t>& p = r.pictures[size_t(i % kDistinctPictures)];
        fw::DecodeJpeg(p.data(), p.size(), picture, 4);
    });
    HWND window = MakeWindow(r.width, r.height);
    Pump(50);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = picture.width;
    bmi.bmiHeader.biHeight = -picture.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    const double draw = perPicture([&](int) {
        HDC dc = ::GetDC(window);
        ::SetDIBitsToDevice(dc, 1, 1, DWORD(picture.width), DWORD(picture.height), 0, 0, 0, UINT(picture.height),
                            picture.pixels.data(), &bmi, DIB_RGB_COLORS);
        ::ReleaseDC(window, dc);
    });
    ::DestroyWindow(window);
    double before = ProcessSeconds();
    Pump(1000);
    const double pump = (ProcessSeconds() - before) * 1000;
    const double shown = ShownASecondAtTopSpeed(r);
    const double whole = perPlayed * 1000 * 16 * 25; // ms a second: 16x plays 400 pictures a second
    const double pictures = shown * (read + decode + draw);
    const double rest = whole - pictures - pump;
    auto share = [&](double ms) { return whole > 0 ? ms / whole * 100 : 0; };
    std::printf("  16x %s: %.1f ms of processor a second, 400 pictures played, %.0f shown: the shown ones %.1f ms "
                "(%.0f%%; each read %.3f ms, decode %.3f ms, draw %.3f ms), the benchmark's message pump %.1f ms "
                "(%.0f%%), the rest (waits, wake-ups, lock) %.1f ms (%.0f%%)\n",
                r.label.c_str(), whole, shown, pictures, share(pictures), read, decode, draw, pump, share(pump), rest,
                share(rest));
    std::fflush(stdout);
    return shown;
}

void Seeks(const Recording& r, double& median, double& worst)
{
    const FramewellApi& fw = GetFramewellApi();
    HWND window = MakeWindow(r.width, r.height);
    int handle = fw.OpenFile(r.path.c_str(), 0);
    fw.Play(handle, window);
    fw.Pause(handle);
    std::vector<double> times;
    const int total = fw.GetTotalTime(handle);
    for (int i = 0; i < 20; ++i) {
        int target = int((long long)total * ((i * 7) % 20) / 20); // spread over the file, out of order
        double begin = NowMs();
        fw.SetPlayTime(handle, target);
        times.push_back(NowMs() - begin);
        Pump(10);
    }
    fw.Stop(handle);
    ::DestroyWindow(window);
    std::sort(times.begin(), times.end());
    median = times[times.size() / 2];
    worst = times.back();
}

} // namespace

int main()
{
    TempDir dir;
    std::vector<Recording> files = {
        {dir.File("small.mp4"), "MP4 352x288", 352, 288, {}},
        {dir.File("large.mp4"), "MP4 704x576", 704, 576, {}},
        {dir.File("small.asf"), "ASF 352x288", 352, 288, {}},
        {dir.File("large.asf"), "ASF 704x576", 704, 576, {}},
    };
    for (size_t i = 0; i < files.size(); ++i)
        Write(files[i], i < 2 ? dev::VideoContainer::Mp4 : dev::VideoContainer::Asf);

    const FramewellApi& fw = GetFramewellApi();
    fw.Init();
    for (const Recording& r : files) {
        Rate one = PlayTogether({&r});
        Rate four = PlayTogether({&r, &r, &r, &r});
        PrintFigure(("1x " + r.label + ": pictures a second").c_str(), one.fps, 25.0, "fps", "value 25.0");
        PrintFigure(("1x " + r.label + ": four handles, slowest, pictures a second").c_str(), four.fps, 25.0, "fps",
                    "value 25.0");
        PrintFigure(("1x " + r.label + ": CPU a second, four handles vs one").c_str(), four.cpu, one.cpu, "s/s",
                    "<= 4");
        const double played = CpuPerPictureAtTopSpeed(r);
        const double plain = CpuPerPlainDecode(r);
        PrintFigure(("16x " + r.label + ": CPU per played picture vs a plain decode").c_str(), played * 1000,
                    plain * 1000, "ms", "<= 1.6");
        const double shownASecond = PrintBreakdown(r, played);
        if (shownASecond > 0)
            PrintFigure(("16x " + r.label + ": CPU per shown picture vs a plain decode").c_str(),
                        played * 1000 * 400 / shownASecond, plain * 1000, "ms", "informational");
        double median = 0, worst = 0;
        Seeks(r, median, worst);
        PrintFigure(("seek " + r.label + ": worst vs median of 20").c_str(), worst, median, "ms", "value < 20 ms");
    }
    fw.Cleanup();
    return 0;
}
