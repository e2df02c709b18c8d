#include "devices/framewell/Player.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace fw {
namespace {

class Lock {
public:
    explicit Lock(CRITICAL_SECTION& c) : c_(c) { EnterCriticalSection(&c_); }
    ~Lock() { LeaveCriticalSection(&c_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& c_;
};

const int kFastest = 4, kSlowest = -4;
// Shown pictures are at least this far apart in playing time, about a screen's refresh: above 2x a
// recording of 25 a second brings pictures faster than a screen shows them, and those between are
// stepped over, as late ones are.
const int kShowGapMs = 16;

double Scale(int speed) // ms of the recording a ms of the clock
{
    return std::ldexp(1.0, speed);
}

} // namespace

bool WriteBmp24(const std::string& path, const Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    dev::FileOut out;
    if (!out.Create(path))
        return false;
    uint32_t imageSize = uint32_t((picture.width * 3 + 3) & ~3) * uint32_t(picture.height);
    std::vector<uint8_t> head;
    dev::PutLe(head, 'B' | ('M' << 8), 2);
    dev::PutLe(head, 54 + imageSize, 4);
    dev::PutLe(head, 0, 4);
    dev::PutLe(head, 54, 4);
    dev::PutLe(head, 40, 4);
    dev::PutLe(head, uint32_t(picture.width), 4);
    dev::PutLe(head, uint32_t(picture.height), 4); // bottom-up rows
    dev::PutLe(head, 1, 2);
    dev::PutLe(head, 24, 2);
    dev::PutLe(head, 0, 4);
    dev::PutLe(head, imageSize, 4);
    dev::PutLe(head, 2835, 4);
    dev::PutLe(head, 2835, 4);
    dev::PutLe(head, 0, 8);
    out.Write(head.data(), head.size());
    std::vector<uint8_t> row(size_t((picture.width * 3 + 3) & ~3));
    for (int y = picture.height - 1; y >= 0; --y) {
        const uint8_t* from = picture.pixels.data() + size_t(y) * size_t(picture.stride);
        if (picture.bytesPerPixel == 3) {
            out.Write(from, size_t(picture.stride));
            continue;
        }
        for (int x = 0; x < picture.width; ++x, from += 4)
            std::memcpy(&row[size_t(x) * 3], from, 3);
        out.Write(row.data(), row.size());
    }
    if (out.Close())
        return true;
    DeleteFileA(path.c_str());
    return false;
}

Player::Player()
{
    InitializeCriticalSection(&lock_);
    wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

Player::~Player()
{
    EndCut();
    CloseHandle(wake_);
    DeleteCriticalSection(&lock_);
}

bool Player::Open(const std::string& path)
{
    if (!file_.Open(path) || file_.Width() > kMaxPictureSide || file_.Height() > kMaxPictureSide || !HasPictureToShow())
        return false;
    return StartThread();
}

// Looks at the first pictures only, so that opening stays quick: a longer file whose first pictures
// are all damaged opens, and playback steps over what does not decode.
bool Player::HasPictureToShow()
{
    const size_t kLookAhead = 64;
    const uint64_t kLookAheadBytes = 16u << 20;
    uint64_t bytes = 0;
    Picture picture;
    std::vector<uint8_t> jpeg;
    for (size_t i = 0; i < file_.Count() && i < kLookAhead && bytes < kLookAheadBytes; ++i) {
        bytes += file_.SizeOf(i);
        if (file_.Read(i, jpeg) && DecodeJpeg(jpeg.data(), jpeg.size(), picture, 4))
            return true;
    }
    return file_.Count() > kLookAhead || bytes >= kLookAheadBytes;
}

void Player::SetNotify(HWND window, UINT message)
{
    Lock lock(lock_);
    notifyWindow_ = window;
    notifyMessage_ = message;
    if (!window)
        return;
    for (WPARAM code : pending_)
        PostMessageA(notifyWindow_, notifyMessage_, code, LPARAM(handle));
    pending_.clear();
}

void Player::NotifyLocked(WPARAM code)
{
    if (notifyWindow_)
        PostMessageA(notifyWindow_, notifyMessage_, code, LPARAM(handle));
    else if (pending_.size() < 64)
        pending_.push_back(code);
}

uint32_t Player::TotalMs()
{
    Lock lock(lock_);
    return file_.TotalMs();
}

void Player::PictureSize(int& width, int& height)
{
    Lock lock(lock_);
    width = file_.Width();
    height = file_.Height();
}

bool Player::Play(HWND window)
{
    {
        Lock lock(lock_);
        if (window)
            window_ = window;
        if (reached_ && index_ + 1 >= file_.Count())
            index_ = 0, reached_ = false; // played to the end: from the start again
        playing_ = true;
        speed_ = 0;
        AnchorLocked();
    }
    return SetEvent(wake_) != FALSE;
}

bool Player::Pause()
{
    Lock lock(lock_);
    playing_ = false;
    return true;
}

bool Player::ChangeSpeed(int step)
{
    {
        Lock lock(lock_);
        int speed = speed_ + step;
        if (speed > kFastest || speed < kSlowest)
            return false;
        // The picture now due stays due; only what follows comes faster or slower.
        if (playing_) {
            DWORD now = GetTickCount();
            anchorMs_ += uint32_t(double(now - anchorTick_) * Scale(speed_));
            anchorTick_ = now;
        }
        speed_ = speed;
    }
    return SetEvent(wake_) != FALSE;
}

bool Player::StepFrame()
{
    Lock lock(lock_);
    playing_ = false;
    size_t next = reached_ ? index_ + 1 : index_;
    if (next >= file_.Count())
        return false;
    // A damaged picture is stepped over: the step ends on the next one that shows.
    while (!ShowLocked(next) && next + 1 < file_.Count())
        ++next;
    return true;
}

bool Player::SeekMs(uint32_t ms)
{
    {
        Lock lock(lock_);
        if (ms >= file_.TotalMs())
            return false;
        SoughtLocked(file_.IndexAt(ms));
        ShowLocked(file_.IndexAt(ms));
        AnchorLocked();
    }
    return SetEvent(wake_) != FALSE;
}

void Player::Refresh()
{
    Lock lock(lock_);
    DrawLocked();
}

uint32_t Player::PlayMs()
{
    Lock lock(lock_);
    return reached_ ? file_.TimeMs(index_) : 0;
}

bool Player::Capture(const std::string& bmpPath)
{
    Lock lock(lock_);
    if (reached_ && !picture_.pixels.empty())
        return WriteBmp24(bmpPath, picture_); // what the window shows
    Picture picture;
    std::vector<uint8_t> jpeg;
    return file_.Read(index_, jpeg) && DecodeJpeg(jpeg.data(), jpeg.size(), picture) && WriteBmp24(bmpPath, picture);
}

bool Player::StartCut(const std::string& clipPath)
{
    Lock lock(lock_);
    if (clip_)
        return false;
    std::unique_ptr<dev::VideoFileWriter> clip = dev::MakeVideoFileWriter(dev::VideoContainer::Mp4);
    if (!clip->Open(clipPath, file_.Width(), file_.Height()))
        return false;
    clip_ = std::move(clip);
    clipPath_ = clipPath;
    return true;
}

int Player::EndCut()
{
    Lock lock(lock_);
    if (!clip_)
        return 0;
    int frames = int(clip_->Frames());
    bool ok = clip_->Close();
    clip_.reset();
    if (frames == 0 || !ok) {
        DeleteFileA(clipPath_.c_str());
        return 0;
    }
    return frames;
}

bool Player::ShowLocked(size_t index)
{
    // The position moves on also over a picture that does not decode, so the clock goes on and the
    // end comes.
    index_ = index;
    reached_ = true;
    if (!file_.Read(index, jpeg_))
        return false;
    if (!DecodeJpeg(jpeg_.data(), jpeg_.size(), spare_, 4))
        return false;
    std::swap(picture_, spare_);
    if (clip_)
        clip_->AddFrame(jpeg_.data(), jpeg_.size(), file_.TimeMs(index));
    DrawLocked();
    return true;
}

void Player::CopyToClipLocked(size_t index)
{
    if (PictureHereLocked(index) && file_.Read(index, jpeg_))
        clip_->AddFrame(jpeg_.data(), jpeg_.size(), file_.TimeMs(index));
}

void Player::DrawLocked()
{
    if (!window_ || !IsWindow(window_) || picture_.pixels.empty())
        return;
    RECT r;
    GetClientRect(window_, &r);
    InflateRect(&r, -1, -1);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = picture_.width;
    bmi.bmiHeader.biHeight = -picture_.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = WORD(picture_.bytesPerPixel * 8);
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(window_);
    if (!dc)
        return;
    if (r.right - r.left == picture_.width && r.bottom - r.top == picture_.height) {
        // At its own size the picture needs no stretching pass.
        SetDIBitsToDevice(dc, r.left, r.top, picture_.width, picture_.height, 0, 0, 0, picture_.height,
                          picture_.pixels.data(), &bmi, DIB_RGB_COLORS);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, picture_.width, picture_.height,
                      picture_.pixels.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    }
    ReleaseDC(window_, dc);
}

void Player::AnchorLocked()
{
    anchorTick_ = GetTickCount();
    anchorMs_ = file_.Count() ? file_.TimeMs(index_) : 0;
}

DWORD Player::WaitLocked()
{
    if (!playing_)
        return INFINITE;
    size_t next = reached_ ? index_ + 1 : index_;
    if (!SourceReadyLocked(next))
        return 200; // the data's arrival wakes the thread sooner
    if (next >= file_.Count()) {
        playing_ = false;
        NotifyLocked(1);
        return INFINITE;
    }
    size_t target = TargetLocked();
    double dueIn = DueInLocked(target);
    if (dueIn > 0)
        return DWORD(std::ceil(dueIn));
    // Due (the wait ends at a whole millisecond, so a picture on time lands here too) or late (a slow
    // disk, a busy machine): go straight to the picture due now, not past what has arrived.
    uint32_t mediaNow = anchorMs_ + uint32_t(double(GetTickCount() - anchorTick_) * Scale(speed_));
    size_t due = std::max(file_.IndexAt(mediaNow), target);
    while (due > next && !PictureHereLocked(due))
        --due;
    for (size_t i = next; clip_ && i < due; ++i)
        CopyToClipLocked(i); // a cut holds the pictures played over, shown or not
    ShowLocked(due);
    // The wait until the next picture to show, so that a shown picture costs one wait, not two; the
    // pass that wakes checks its data and the end.
    if (index_ + 1 >= file_.Count())
        return 0;
    dueIn = DueInLocked(TargetLocked());
    return dueIn > 0 ? DWORD(std::ceil(dueIn)) : 0;
}

size_t Player::TargetLocked() const
{
    size_t next = reached_ ? index_ + 1 : index_;
    if (!reached_)
        return next;
    const uint32_t from = file_.TimeMs(index_) + uint32_t(double(kShowGapMs) * Scale(speed_));
    size_t target = file_.IndexAt(from);
    if (file_.TimeMs(target) < from)
        ++target;
    return std::min(std::max(target, next), file_.Count() - 1);
}

double Player::DueInLocked(size_t index) const
{
    if (file_.TimeMs(index) < anchorMs_)
        return 0;
    return double(file_.TimeMs(index) - anchorMs_) / Scale(speed_) - double(GetTickCount() - anchorTick_);
}

void Player::Run()
{
    HANDLE events[2] = {stop_, wake_};
    // One wait a pass, also when a picture is due at once: it is the stop check too, and each wait
    // is a round trip to the system.
    while (true) {
        DWORD wait;
        {
            Lock lock(lock_);
            wait = WaitLocked();
        }
        if (WaitForMultipleObjects(2, events, FALSE, wait) == WAIT_OBJECT_0)
            return;
    }
}

} // namespace fw
