#include "devices/framewell/RemotePlayer.h"

#include <process.h>

#include <algorithm>
#include <cstring>

#include "devices/common/Guard.h"
#include "devices/common/Text.h"

namespace fw {
namespace {

const uint64_t kHeadBytes = 64u << 10;
const uint64_t kPieceBytes = 256u << 10; // a seek moves the fetch after at most this much
const uint64_t kMaxTable = 64u << 20;
const int kMaxBoxes = 64;

uint32_t Be32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

} // namespace

RemotePlayer::~RemotePlayer()
{
    if (fetchThread_) {
        SetEvent(stop_);
        WaitForSingleObject(fetchThread_, INFINITE);
        CloseHandle(fetchThread_);
    }
    {
        dev::Guard g(lock_);
        file_.Close();
    }
    if (temp_ != INVALID_HANDLE_VALUE)
        CloseHandle(temp_);
}

bool RemotePlayer::OpenRemote(const RemoteTarget& target, const std::string& remotePath, HWND window)
{
    if (remotePath.empty() || remotePath.size() >= sizeof(dev::FileFetchMsg::path))
        return false;
    target_ = target;
    remotePath_ = remotePath;
    {
        dev::Guard g(lock_);
        window_ = window;
    }
    if (!StartDrawing())
        return false;
    fetchThread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, FetchMain, this, 0, nullptr));
    return fetchThread_ != nullptr;
}

void RemotePlayer::Stop()
{
    SetEvent(stop_);
    if (fetchThread_)
        WaitForSingleObject(fetchThread_, INFINITE);
    Player::Stop();
}

void RemotePlayer::SetBufferSeconds(int seconds)
{
    dev::Guard g(lock_);
    bufferMs_ = uint32_t(std::min(seconds, 3600)) * 1000;
    ArrivedLocked(0, 0);
}

int RemotePlayer::PercentLocked(uint32_t ms) const
{
    if (bufferMs_ == 0)
        return 99;
    return int(std::min<uint64_t>(99, uint64_t(ms) * 100 / bufferMs_));
}

int RemotePlayer::BufferProgress()
{
    dev::Guard g(lock_);
    if (failed_)
        return -1;
    if (!ready_)
        return opened_ ? PercentLocked(AheadMsLocked(0)) : 0;
    if (rebuffering_)
        return PercentLocked(AheadMsLocked(waitFrom_));
    return -1;
}

bool RemotePlayer::HereLocked(uint64_t from, uint64_t to) const
{
    auto it = arrived_.upper_bound(from);
    if (it == arrived_.begin())
        return false;
    --it;
    return it->first <= from && it->second >= to;
}

bool RemotePlayer::PictureHereLocked(size_t i) const
{
    return HereLocked(file_.StartOffset(i), file_.EndOffset(i));
}

uint32_t RemotePlayer::AheadMsLocked(size_t from) const
{
    size_t count = file_.Count();
    if (from >= count)
        return 0;
    size_t k = from;
    while (k < count && PictureHereLocked(k) && file_.TimeMs(k) - file_.TimeMs(from) < bufferMs_)
        ++k;
    uint32_t until = k >= count ? file_.TotalMs() : file_.TimeMs(k);
    return until - file_.TimeMs(from);
}

bool RemotePlayer::NextGapLocked(uint64_t* from, uint64_t* to) const
{
    for (uint64_t at : {cursor_, uint64_t(0)}) {
        auto it = arrived_.upper_bound(at);
        if (it != arrived_.begin() && std::prev(it)->second > at)
            at = std::prev(it)->second; // inside a range that arrived: from its end
        if (at >= size_)
            continue;
        auto next = arrived_.upper_bound(at);
        *from = at;
        *to = next != arrived_.end() ? std::min(next->first, size_) : size_;
        return true;
    }
    return false;
}

void RemotePlayer::ArrivedLocked(uint64_t from, uint64_t to)
{
    if (to > from) {
        // Merged with its neighbours, so that a range that arrived is one entry.
        auto it = arrived_.upper_bound(from);
        if (it != arrived_.begin() && std::prev(it)->second >= from) {
            --it;
            from = it->first;
            to = std::max(to, it->second);
            it = arrived_.erase(it);
        }
        while (it != arrived_.end() && it->first <= to) {
            to = std::max(to, it->second);
            it = arrived_.erase(it);
        }
        arrived_[from] = to;
    }
    if (!opened_ || ready_)
        return;
    if (complete_ || (PictureHereLocked(0) && AheadMsLocked(0) >= std::min(bufferMs_, file_.TotalMs()))) {
        ready_ = true;
        NotifyLocked(4);
        NotifyLocked(2);
    }
}

bool RemotePlayer::SourceReadyLocked(size_t next)
{
    if (failed_ || !opened_)
        return false;
    if (next >= file_.Count() || complete_) {
        if (rebuffering_) {
            rebuffering_ = false;
            NotifyLocked(4);
            AnchorLocked();
        }
        return true;
    }
    if (rebuffering_) {
        if (!PictureHereLocked(next) || AheadMsLocked(next) < std::min(bufferMs_, file_.TotalMs() - file_.TimeMs(next)))
            return false;
        rebuffering_ = false;
        NotifyLocked(4);
        AnchorLocked(); // the pictures go on from where they stopped, not where the clock is
        return true;
    }
    if (PictureHereLocked(next))
        return true;
    rebuffering_ = true;
    waitFrom_ = next;
    NotifyLocked(3);
    return false;
}

void RemotePlayer::SoughtLocked(size_t index)
{
    if (!opened_ || complete_)
        return;
    cursor_ = file_.StartOffset(index);
    sought_ = true;
}

void RemotePlayer::FailLocked()
{
    if (failed_)
        return;
    failed_ = true;
    playing_ = false;
    NotifyLocked(1);
}

unsigned __stdcall RemotePlayer::FetchMain(void* self)
{
    RemotePlayer* p = static_cast<RemotePlayer*>(self);
    bool ok = p->Fetch();
    dev::Guard g(p->lock_);
    if (!ok && WaitForSingleObject(p->stop_, 0) != WAIT_OBJECT_0)
        p->FailLocked();
    return 0;
}

bool RemotePlayer::ReadTemp(uint64_t offset, uint8_t* data, size_t size)
{
    OVERLAPPED o = {};
    o.Offset = DWORD(offset);
    o.OffsetHigh = DWORD(offset >> 32);
    DWORD got = 0;
    return ReadFile(temp_, data, DWORD(size), &got, &o) && got == size;
}

// Walks an MP4's top-level boxes (fetching the headers that lie past what arrived) to the sample
// table (our recorders write it last); false when the file has none.
bool RemotePlayer::FindSampleTable(dev::Channel& channel, uint64_t& tableAt, uint64_t& tableEnd)
{
    uint8_t h[16];
    if (size_ < 16 || !ReadTemp(0, h, 16) || (std::memcmp(h + 4, "ftyp", 4) != 0 && std::memcmp(h + 4, "mdat", 4) != 0))
        return false;
    auto store = [&](uint64_t at, const char* data, size_t n) { return WriteAt(temp_, at, data, n); };
    uint64_t at = 0;
    for (int i = 0; i < kMaxBoxes && size_ - at >= 8; ++i) {
        uint64_t headEnd = std::min(at + 16, size_);
        bool here;
        {
            dev::Guard g(lock_);
            here = HereLocked(at, headEnd);
        }
        if (!here && FetchRange(channel, at, headEnd, stop_, store) != RangeResult::Done)
            return false;
        if (!ReadTemp(at, h, size_t(headEnd - at)))
            return false;
        uint64_t box = Be32(h), head = 8;
        if (box == 1) {
            if (headEnd - at < 16)
                return false;
            box = uint64_t(Be32(h + 8)) << 32 | Be32(h + 12);
            head = 16;
        } else if (box == 0) {
            box = size_ - at;
        }
        if (box < head || box > size_ - at)
            return false;
        if (std::memcmp(h + 4, "moov", 4) == 0) {
            if (box > kMaxTable)
                return false;
            tableAt = at;
            tableEnd = at + box;
            return true;
        }
        at += box;
    }
    return false;
}

bool RemotePlayer::Fetch()
{
    dev::FileFetchMsg request = {};
    dev::CopyText(request.path, remotePath_.c_str());
    std::vector<char> extra;
    std::unique_ptr<dev::Channel> channel =
        OpenFileChannel(target_, dev::PurposeFileFetch, &request, sizeof request, stop_, &extra);
    if (!channel || extra.size() < sizeof(dev::FileInfoMsg))
        return false;
    dev::FileInfoMsg info;
    std::memcpy(&info, extra.data(), sizeof info);
    char dir[MAX_PATH], name[MAX_PATH];
    // A recording is below 2 GB (the station's search reports sizes as int): nothing larger is
    // made room for.
    if (info.size == 0 || info.size > 0x7FFFFFFF || !GetTempPathA(sizeof dir, dir) ||
        !GetTempFileNameA(dir, "fwr", 0, name))
        return false;
    tempPath_ = name;
    temp_ = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (temp_ == INVALID_HANDLE_VALUE) {
        DeleteFileA(name);
        return false;
    }
    // The whole length at once: the sample table's offsets are checked against the file's size.
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(info.size);
    if (!SetFilePointerEx(temp_, end, nullptr, FILE_BEGIN) || !SetEndOfFile(temp_))
        return false;
    {
        dev::Guard g(lock_);
        size_ = info.size;
        NotifyLocked(3);
    }
    auto keep = [&](uint64_t at, const char* data, size_t n) {
        if (!WriteAt(temp_, at, data, n))
            return false;
        dev::Guard g(lock_);
        ArrivedLocked(at, at + n);
        SetEvent(wake_);
        return true;
    };
    uint64_t head = std::min(size_, kHeadBytes);
    if (FetchRange(*channel, 0, head, stop_, keep) != RangeResult::Done)
        return false;
    uint64_t tableAt = 0, tableEnd = 0;
    if (FindSampleTable(*channel, tableAt, tableEnd)) {
        uint64_t from = std::max(tableAt, std::min(head, tableEnd)); // the head may hold part of it
        if (FetchRange(*channel, from, tableEnd, stop_, keep) != RangeResult::Done)
            return false;
        dev::Guard g(lock_);
        opened_ = file_.Open(tempPath_) && file_.Kind() == Container::Mp4 && file_.Width() <= kMaxPictureSide &&
                  file_.Height() <= kMaxPictureSide;
        if (!opened_)
            file_.Close();
        ArrivedLocked(0, 0);
    }
    // The rest in pieces, from the cursor (moved by seeks) on, then what is still missing.
    {
        dev::Guard g(lock_);
        cursor_ = head;
    }
    for (;;) {
        uint64_t from = 0, to = 0;
        {
            dev::Guard g(lock_);
            sought_ = false;
            if (!NextGapLocked(&from, &to))
                break;
        }
        to = std::min(to, from + kPieceBytes);
        if (FetchRange(*channel, from, to, stop_, keep) != RangeResult::Done)
            return false;
        dev::Guard g(lock_);
        if (!sought_)
            cursor_ = to;
    }
    channel->Shutdown();
    dev::Guard g(lock_);
    if (!opened_) {
        opened_ = file_.Open(tempPath_) && file_.Width() <= kMaxPictureSide && file_.Height() <= kMaxPictureSide;
        if (!opened_) {
            file_.Close();
            return false;
        }
    }
    complete_ = true;
    ArrivedLocked(0, 0);
    SetEvent(wake_);
    return true;
}

} // namespace fw
