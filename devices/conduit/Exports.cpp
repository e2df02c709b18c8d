// The entry points of Conduit.dll: argument checks, then the handle objects do the work.
#include <cstring>

#include "devices/conduit/LiveChannel.h"
#include "devices/conduit/Conduit.h"
#include "devices/conduit/RelayService.h"
#include "devices/conduit/Streams.h"
#include "devices/common/Text.h"

using namespace conduit;
using dev::AddHandle;
using dev::TakeAllHandles;
using dev::TakeHandle;
using dev::TakeHandlesIf;

namespace {

// Gives a worker its handle and starts its thread; -1 when the thread cannot start.
template <class T> int StartWorker(const std::shared_ptr<T>& worker)
{
    int h = AddHandle(worker);
    if (!worker->Begin()) {
        TakeHandle(h);
        return -1;
    }
    return h;
}

int Connect(const char* address, const ConduitConnectRecord* record, unsigned short port, bool ddns)
{
    if (!address || !*address || !record || port == 0)
        return -1;
    dev::EnsureWinsock();
    return StartWorker(std::make_shared<LiveChannel>(Text(address), port, ddns, *record));
}

template <class F> int WithLive(int handle, F f)
{
    std::shared_ptr<LiveChannel> live = Find<LiveChannel>(handle);
    return live ? f(*live) : 0;
}

template <class T> int Close(int handle)
{
    HandlePtr p = FindHandle(handle);
    if (!std::dynamic_pointer_cast<T>(p))
        return 0;
    TakeHandle(handle);
    p->Stop();
    return 1;
}

} // namespace

extern "C" {

int __stdcall Conduit_Init(int, int, int, int)
{
    dev::EnsureWinsock();
    return 1;
}

int __stdcall Conduit_Cleanup(void)
{
    RelayService::Instance().Stop();
    for (HandlePtr& p : TakeAllHandles())
        p->Stop();
    LibraryKeptConnections().CloseAll();
    return 1;
}

int __stdcall Conduit_SetConnectTimeout(int seconds, int tries)
{
    SetConnectSettings(seconds, tries);
    return 1;
}

int __stdcall Conduit_Connect(const char* address, const ConduitConnectRecord* record, unsigned short port)
{
    return Connect(address, record, port, false);
}

int __stdcall Conduit_ConnectDdns(const char* ddnsAddress, const ConduitConnectRecord* record, unsigned short ddnsPort)
{
    return Connect(ddnsAddress, record, ddnsPort, true);
}

int __stdcall Conduit_Disconnect(int handle)
{
    return Close<LiveChannel>(handle);
}

int __stdcall Conduit_SetDisplayWindow(int handle, HWND window)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.SetDisplayWindow(window); });
}

int __stdcall Conduit_StartVideo(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.StartVideo(); });
}

int __stdcall Conduit_StopVideo(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.StopVideo(); });
}

int __stdcall Conduit_PauseVideo(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.PauseVideo(); });
}

int __stdcall Conduit_EnableStream(int handle, int enable)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.EnableStream(enable != 0); });
}

int __stdcall Conduit_RefreshDisplay(int handle, int)
{
    return WithLive(handle, [](LiveChannel& l) { return l.RefreshDisplay(); });
}

int __stdcall Conduit_GetStreamInfo(int handle, int* info)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.GetStreamInfo(info); });
}

int __stdcall Conduit_StartSound(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.StartSound(); });
}

int __stdcall Conduit_StopSound(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.StopSound(); });
}

int __stdcall Conduit_SetPlaySmoothness(int handle, int)
{
    return WithLive(handle, [](LiveChannel&) { return 1; });
}

int __stdcall Conduit_SetRelaySmoothness(int handle, int)
{
    return WithLive(handle, [](LiveChannel&) { return 1; });
}

int __stdcall Conduit_SetDecodeQuality(int handle, int)
{
    return WithLive(handle, [](LiveChannel&) { return 1; });
}

int __stdcall Conduit_GetCameraInputs(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.GetCameraInputs(); });
}

int __stdcall Conduit_SelectCamera(int handle, int input)
{
    if (input < 0 || input > 4)
        return 0;
    return WithLive(handle, [&](LiveChannel& l) { return l.Command(dev::CmdSelectCamera, input, 0); });
}

int __stdcall Conduit_StartRecordMp4(int handle, const char* path)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.StartRecord(path, dev::VideoContainer::Mp4); });
}

int __stdcall Conduit_StopRecordMp4(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.StopRecord(dev::VideoContainer::Mp4); });
}

int __stdcall Conduit_StartRecordAsf(int handle, const char* path, int)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.StartRecord(path, dev::VideoContainer::Asf); });
}

int __stdcall Conduit_StopRecordAsf(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.StopRecord(dev::VideoContainer::Asf); });
}

int __stdcall Conduit_CapturePicture(int handle, const char* path)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.CapturePicture(path); });
}

int __stdcall Conduit_GetServerAddress(int handle, char* address, unsigned short* port)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.GetServerAddress(address, port); });
}

int __stdcall Conduit_GetChannelParams(const char* name, const char* address, int channel, const char* user,
                                       const char* password, unsigned char* block, unsigned short port)
{
    std::vector<char> answer;
    if (!block ||
        Request(name, address, port, user, password, dev::OpGetParams, channel, 0, nullptr, 0, &answer) != 0 ||
        answer.size() != 16)
        return 0;
    std::memcpy(block, answer.data(), 16);
    return 1;
}

int __stdcall Conduit_SetChannelParams(const char* name, const char* address, int channel, const char* user,
                                       const char* password, const unsigned char* block, unsigned short port)
{
    return block && Request(name, address, port, user, password, dev::OpSetParams, channel, 0, block, 16, nullptr) == 0;
}

int __stdcall Conduit_GetAlarmOutputs(const char* name, const char* address, const char* user, const char* password,
                                      unsigned char* states, unsigned short port)
{
    std::vector<char> answer;
    if (!states ||
        Request(name, address, port, user, password, dev::OpGetAlarmOutputs, 0, 0, nullptr, 0, &answer) != 0 ||
        answer.size() != 4)
        return 0;
    std::memcpy(states, answer.data(), 4);
    return 1;
}

int __stdcall Conduit_GetPtzDescription(const char* name, const char* address, int channel, const char* user,
                                        const char* password, char* text, unsigned short port)
{
    std::vector<char> answer;
    if (!text ||
        Request(name, address, port, user, password, dev::OpGetPtzDescription, channel, 0, nullptr, 0, &answer) != 0)
        return 0;
    answer.push_back('\0');
    dev::CopyText(text, CONDUIT_PTZ_DESCRIPTION_SIZE, answer.data());
    return 1;
}

int __stdcall Conduit_StartServerRecord(const char* name, const char* address, int channel, const char* user,
                                        const char* password, int mode, unsigned short port)
{
    return Request(name, address, port, user, password, dev::OpStartServerRecord, channel, mode, nullptr, 0, nullptr) ==
           0;
}

int __stdcall Conduit_StopServerRecord(const char* name, const char* address, int channel, const char* user,
                                       const char* password, unsigned short port)
{
    return Request(name, address, port, user, password, dev::OpStopServerRecord, channel, 0, nullptr, 0, nullptr) == 0;
}

int __stdcall Conduit_CaptureServerJpeg(const char* name, const char* address, int channel, const char* user,
                                        const char* password, int quality, unsigned short port)
{
    return Request(name, address, port, user, password, dev::OpCaptureServerJpeg, channel, quality, nullptr, 0,
                   nullptr) == 0;
}

int __stdcall Conduit_Login(const char* name, const char* address, const char* user, const char* password,
                            unsigned short port)
{
    return Request(name, address, port, user, password, dev::OpLogin, 0, 0, nullptr, 0, nullptr);
}

int __stdcall Conduit_PtzControl(int handle, int code, int value)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.Command(dev::CmdPtz, code, value); });
}

int __stdcall Conduit_SendSerialData(int handle, int serialPort, const void* data, int count)
{
    if (!data || count <= 0 || count > 4096)
        return 0;
    return WithLive(handle,
                    [&](LiveChannel& l) { return l.Command(dev::CmdSerial, serialPort, 0, data, size_t(count)); });
}

int __stdcall Conduit_SetAlarmOutput(int handle, int output, int on)
{
    return WithLive(handle, [&](LiveChannel& l) { return l.Command(dev::CmdAlarmOutput, output, on ? 1 : 0); });
}

int __stdcall Conduit_ClearAlarm(int handle)
{
    return WithLive(handle, [](LiveChannel& l) { return l.Command(dev::CmdClearAlarm, 0, 0); });
}

int __stdcall Conduit_OpenJpegStream(const char* name, const char* address, const char* user, const char* password,
                                     unsigned short port, ConduitJpegCallback callback, void* context)
{
    std::unique_ptr<dev::Channel> ch;
    if (OpenStream(name, address, port, user, password, dev::PurposeJpeg, 0, nullptr, &ch) != 0)
        return -1;
    return StartWorker(std::make_shared<JpegStream>(std::move(ch), callback, context));
}

int __stdcall Conduit_RequestJpeg(int handle, int channel, int quality)
{
    std::shared_ptr<JpegStream> s = Find<JpegStream>(handle);
    dev::JpegRequestMsg req = {channel, quality < 1 ? 1 : quality > 100 ? 100 : quality};
    return s && s->Send(dev::MsgJpegRequest, &req, sizeof req) ? 1 : 0;
}

int __stdcall Conduit_CloseJpegStream(int handle)
{
    return Close<JpegStream>(handle);
}

int __stdcall Conduit_OpenSerialChannel(const char* name, const char* address, const char* user, const char* password,
                                        int serialPort, const ConduitSerialLine* line, ConduitSerialCallback callback,
                                        void* context, unsigned short port)
{
    std::unique_ptr<dev::Channel> ch;
    int code = OpenStream(name, address, port, user, password, dev::PurposeSerial, serialPort, line, &ch);
    if (code != 0)
        return code < 0 ? code : -1;
    return StartWorker(std::make_shared<SerialChannel>(std::move(ch), callback, context));
}

int __stdcall Conduit_WriteSerialChannel(int handle, const void* data, int count)
{
    std::shared_ptr<SerialChannel> s = Find<SerialChannel>(handle);
    return s && data && count > 0 && count <= 4096 && s->Send(dev::MsgSerialData, data, size_t(count)) ? 1 : 0;
}

int __stdcall Conduit_CloseSerialChannel(int handle)
{
    return Close<SerialChannel>(handle);
}

int __stdcall Conduit_StartTalk(const char* address, const char* user, const char* password, unsigned short port, int,
                                const char* serverName)
{
    std::unique_ptr<dev::Channel> ch;
    int code = OpenStream(serverName, address, port, user, password, dev::PurposeTalk, 0, nullptr, &ch);
    if (code != 0)
        return code < 0 ? code : -1;
    return StartWorker(std::make_shared<TalkStream>(std::move(ch)));
}

int __stdcall Conduit_StopTalk(int handle)
{
    return Close<TalkStream>(handle);
}

int __stdcall Conduit_AddBroadcastTarget(const char* address, const char* user, const char* password, int, int* handle,
                                         unsigned short port, const char* serverName)
{
    if (!handle)
        return -1;
    std::unique_ptr<dev::Channel> ch;
    int code = OpenStream(serverName, address, port, user, password, dev::PurposeBroadcast, 0, nullptr, &ch);
    if (code != 0)
        return code;
    *handle = AddHandle(std::make_shared<BroadcastTarget>(std::move(ch)));
    return 0;
}

int __stdcall Conduit_SendBroadcastAudio(int handle, const void* data, int count)
{
    std::shared_ptr<BroadcastTarget> t = Find<BroadcastTarget>(handle);
    return t && data && count > 0 && t->Send(data, size_t(count)) ? 1 : 0;
}

int __stdcall Conduit_RemoveBroadcastTarget(int handle)
{
    return Close<BroadcastTarget>(handle);
}

int __stdcall Conduit_StopBroadcast(void)
{
    auto isTarget = [](const HandlePtr& p) { return std::dynamic_pointer_cast<BroadcastTarget>(p) != nullptr; };
    for (HandlePtr& p : TakeHandlesIf(isTarget))
        p->Stop();
    return 1;
}

int __stdcall Conduit_ResolveDdns(const char* ddnsAddress, unsigned short ddnsPort, const char* serverName,
                                  char* address, unsigned short* port)
{
    if (!ddnsAddress || !serverName)
        return CONDUIT_DDNS_UNREACHABLE;
    std::string resolved;
    unsigned short resolvedPort = 0;
    int code = ResolveDdns(Text(ddnsAddress), ddnsPort, serverName, &resolved, &resolvedPort);
    if (code == 0) {
        if (address)
            dev::CopyText(address, CONDUIT_ADDRESS_SIZE, resolved.c_str());
        if (port)
            *port = resolvedPort;
    }
    return code;
}

int __stdcall Conduit_QueryDevice(const char* name, const char* address, int* channels, int* sensors, int* relays,
                                  unsigned short port)
{
    std::vector<char> answer;
    if (Request(name, address, port, "", "", dev::OpQueryDevice, 0, 0, nullptr, 0, &answer) != 0 ||
        answer.size() < sizeof(dev::QueryDeviceAnswer))
        return 0;
    dev::QueryDeviceAnswer a;
    std::memcpy(&a, answer.data(), sizeof a);
    if (channels)
        *channels = a.channels;
    if (sensors)
        *sensors = a.sensors;
    if (relays)
        *relays = a.relays;
    return 1;
}

int __stdcall Conduit_ConfigureRelayService(const RelayServiceConfig* config)
{
    if (!config)
        return 0;
    RelayService::Instance().Configure(*config);
    return 1;
}

int __stdcall Conduit_StartRelayService(int)
{
    return RelayService::Instance().Start();
}

int __stdcall Conduit_StopRelayService(void)
{
    RelayService::Instance().Stop();
    return 1;
}

} // extern "C"
