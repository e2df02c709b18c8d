// The entry points of Framewell.dll: handle look-up and argument checks around the players,
// conversions, searches and downloads.
#include <cstring>
#include <string>

#include "devices/common/Text.h"
#include "devices/framewell/Converter.h"
#include "devices/framewell/Framewell.h"
#include "devices/framewell/Player.h"
#include "devices/framewell/Remote.h"
#include "devices/framewell/RemotePlayer.h"

using fw::Converter;
using fw::Player;

namespace {

const size_t kMaxPath = 259;

bool PathArg(const char* text, std::string& out)
{
    if (!text || !*text)
        return false;
    size_t n = strnlen(text, kMaxPath + 1);
    if (n > kMaxPath)
        return false;
    out.assign(text, n);
    return true;
}

// Closes a handle of kind T: its thread is joined, so nothing of it runs afterwards.
template <class T> int CloseHandleOf(int handle)
{
    if (!dev::Find<T>(handle))
        return 0;
    if (dev::HandlePtr taken = dev::TakeHandle(handle))
        taken->Stop();
    return 1;
}

template <class F> int WithPlayer(int handle, F f)
{
    std::shared_ptr<Player> p = dev::Find<Player>(handle);
    return p ? f(*p) : 0;
}

} // namespace

extern "C" {

int __stdcall Framewell_Init(void)
{
    return 1;
}

int __stdcall Framewell_Cleanup(void)
{
    for (const dev::HandlePtr& h : dev::TakeAllHandles())
        h->Stop();
    return 1;
}

int __stdcall Framewell_OpenFile(const char* path, int)
{
    std::string p;
    if (!PathArg(path, p))
        return 0;
    auto player = std::make_shared<Player>();
    if (!player->Open(p)) {
        player->Stop();
        return 0;
    }
    return dev::AddHandle(player);
}

int __stdcall Framewell_SetNotifyWindow(int handle, HWND window, UINT message)
{
    return WithPlayer(handle, [&](Player& p) { return p.SetNotify(window, message), 1; });
}

int __stdcall Framewell_Play(int handle, HWND window)
{
    return WithPlayer(handle, [&](Player& p) { return int(p.Play(window)); });
}

int __stdcall Framewell_Stop(int handle)
{
    std::shared_ptr<Player> p = dev::Find<Player>(handle);
    if (!p)
        return 0;
    if (dev::HandlePtr taken = dev::TakeHandle(handle))
        taken->Stop();
    return 1;
}

int __stdcall Framewell_Pause(int handle)
{
    return WithPlayer(handle, [](Player& p) { return int(p.Pause()); });
}

int __stdcall Framewell_Fast(int handle)
{
    return WithPlayer(handle, [](Player& p) { return int(p.ChangeSpeed(+1)); });
}

int __stdcall Framewell_Slow(int handle)
{
    return WithPlayer(handle, [](Player& p) { return int(p.ChangeSpeed(-1)); });
}

int __stdcall Framewell_StepFrame(int handle)
{
    return WithPlayer(handle, [](Player& p) { return int(p.StepFrame()); });
}

int __stdcall Framewell_SetPosition(int handle, float position)
{
    if (!(position >= 0.0f && position <= 1.0f))
        return 0;
    return WithPlayer(handle, [&](Player& p) {
        uint32_t total = p.TotalMs();
        uint32_t ms = uint32_t(double(total) * position);
        return int(p.SeekMs(ms >= total && total ? total - 1 : ms));
    });
}

int __stdcall Framewell_GetPictureSize(int handle, int* width, int* height)
{
    return WithPlayer(handle, [&](Player& p) {
        int w = 0, h = 0;
        p.PictureSize(w, h);
        if (width)
            *width = w;
        if (height)
            *height = h;
        return 1;
    });
}

int __stdcall Framewell_SetVolume(int handle, int volume)
{
    return WithPlayer(handle, [&](Player&) { return int(volume >= 0 && volume <= 65535); });
}

int __stdcall Framewell_StartSound(int handle)
{
    return WithPlayer(handle, [](Player&) { return 1; });
}

int __stdcall Framewell_StopSound(int handle)
{
    return WithPlayer(handle, [](Player&) { return 1; });
}

int __stdcall Framewell_GetTotalTime(int handle)
{
    return WithPlayer(handle, [](Player& p) { return int(p.TotalMs()); });
}

int __stdcall Framewell_GetPlayTime(int handle)
{
    return WithPlayer(handle, [](Player& p) { return int(p.PlayMs()); });
}

int __stdcall Framewell_SetPlayTime(int handle, int ms)
{
    if (ms < 0)
        return 0;
    return WithPlayer(handle, [&](Player& p) { return int(p.SeekMs(uint32_t(ms))); });
}

int __stdcall Framewell_RefreshDisplay(int handle, int*)
{
    return WithPlayer(handle, [](Player& p) { return p.Refresh(), 1; });
}

int __stdcall Framewell_CapturePicture(int handle, const char* bmpPath)
{
    std::string path;
    if (!PathArg(bmpPath, path))
        return 0;
    return WithPlayer(handle, [&](Player& p) { return int(p.Capture(path)); });
}

int __stdcall Framewell_StartCut(int handle, const char* clipPath)
{
    std::string path;
    if (!PathArg(clipPath, path))
        return 0;
    return WithPlayer(handle, [&](Player& p) { return int(p.StartCut(path)); });
}

int __stdcall Framewell_EndCut(int handle)
{
    return WithPlayer(handle, [](Player& p) { return p.EndCut(); });
}

int __stdcall Framewell_StartConvert(const char* mp4Path, const char* asfPath)
{
    std::string from, to;
    if (!PathArg(mp4Path, from) || !PathArg(asfPath, to))
        return 0;
    auto c = std::make_shared<Converter>();
    int handle = dev::AddHandle(c);
    if (!c->Start(from, to)) {
        if (dev::HandlePtr taken = dev::TakeHandle(handle))
            taken->Stop();
        return 0;
    }
    return handle;
}

int __stdcall Framewell_GetConvertProgress(int handle)
{
    std::shared_ptr<Converter> c = dev::Find<Converter>(handle);
    return c ? c->Progress() : Converter::kFailed;
}

int __stdcall Framewell_CloseConvert(int handle)
{
    if (!dev::Find<Converter>(handle))
        return 0;
    if (dev::HandlePtr taken = dev::TakeHandle(handle))
        taken->Stop();
    return 1;
}

int __stdcall Framewell_StartSearch(const char* address, const char* serverName, int channel, const char* user,
                                    const char* password, int fileType, int selector, int useRange,
                                    const FramewellTime* from, const FramewellTime* to,
                                    FramewellSearchCallback callback, void* context, int port)
{
    fw::RemoteTarget target;
    if (!fw::MakeTarget(address, user, password, port, target) || (useRange && (!from || !to)))
        return -1;
    dev::FileSearchMsg query = {};
    dev::CopyText(query.name, serverName ? serverName : "");
    query.channel = channel < 0 ? -1 : channel;
    query.kind = fileType;
    query.selector = selector >= 1 && selector <= 4 ? selector : 0; // 0, 255 and the rest: all
    query.useRange = useRange ? 1 : 0;
    if (useRange) {
        std::memcpy(&query.from, from, sizeof query.from);
        std::memcpy(&query.to, to, sizeof query.to);
    }
    auto search = std::make_shared<fw::Search>(callback, context);
    int handle = dev::AddHandle(search);
    if (!search->Start(target, query)) {
        if (dev::HandlePtr taken = dev::TakeHandle(handle))
            taken->Stop();
        return -1;
    }
    return handle;
}

int __stdcall Framewell_GetSearchState(int handle)
{
    std::shared_ptr<fw::Search> search = dev::Find<fw::Search>(handle);
    return search ? search->State() : 1;
}

int __stdcall Framewell_CloseSearch(int handle)
{
    return CloseHandleOf<fw::Search>(handle);
}

int __stdcall Framewell_StartDownload(const char* address, const char* user, const char* password,
                                      const char* remotePath, const char* localPath, int port, int limit)
{
    fw::RemoteTarget target;
    std::string from, to;
    if (!fw::MakeTarget(address, user, password, port, target) || !PathArg(remotePath, from) || !PathArg(localPath, to))
        return 0;
    auto download = std::make_shared<fw::Download>();
    int handle = dev::AddHandle(download);
    if (!download->Start(target, from, to, limit > 0 ? uint32_t(limit) : 0)) {
        if (dev::HandlePtr taken = dev::TakeHandle(handle))
            taken->Stop();
        return 0;
    }
    return handle;
}

int __stdcall Framewell_CloseDownload(int handle)
{
    return CloseHandleOf<fw::Download>(handle);
}

int __stdcall Framewell_GetDownloadProgress(int handle)
{
    std::shared_ptr<fw::Download> download = dev::Find<fw::Download>(handle);
    return download ? download->Progress() : fw::Download::kFailed;
}

int __stdcall Framewell_OpenRemoteFile(const char* address, const char* user, const char* password,
                                       const char* remotePath, HWND window, int port)
{
    fw::RemoteTarget target;
    std::string path;
    if (!fw::MakeTarget(address, user, password, port, target) || !PathArg(remotePath, path))
        return 0;
    auto player = std::make_shared<fw::RemotePlayer>();
    int handle = dev::AddHandle(player); // first: the notifications carry the handle
    if (!player->OpenRemote(target, path, window)) {
        if (dev::HandlePtr taken = dev::TakeHandle(handle))
            taken->Stop();
        return 0;
    }
    return handle;
}

int __stdcall Framewell_SetBufferTime(int handle, int seconds)
{
    if (seconds < 0)
        return 0;
    if (std::shared_ptr<fw::RemotePlayer> remote = dev::Find<fw::RemotePlayer>(handle)) {
        remote->SetBufferSeconds(seconds);
        return 1;
    }
    return WithPlayer(handle, [](Player&) { return 1; });
}

int __stdcall Framewell_GetBufferProgress(int handle)
{
    if (std::shared_ptr<fw::RemotePlayer> remote = dev::Find<fw::RemotePlayer>(handle))
        return remote->BufferProgress();
    return WithPlayer(handle, [](Player&) { return -1; });
}

} // extern "C"

static_assert(sizeof(FramewellTime) == 12, "FramewellTime is 12 bytes");
