#include "devices/framewell/FramewellApi.h"

namespace {

const FramewellApi kLibrary = {
    Framewell_Init,
    Framewell_Cleanup,
    Framewell_OpenFile,
    Framewell_SetNotifyWindow,
    Framewell_Play,
    Framewell_Stop,
    Framewell_Pause,
    Framewell_Fast,
    Framewell_Slow,
    Framewell_StepFrame,
    Framewell_SetPosition,
    Framewell_GetPictureSize,
    Framewell_SetVolume,
    Framewell_StartSound,
    Framewell_StopSound,
    Framewell_GetTotalTime,
    Framewell_GetPlayTime,
    Framewell_SetPlayTime,
    Framewell_RefreshDisplay,
    Framewell_CapturePicture,
    Framewell_StartConvert,
    Framewell_GetConvertProgress,
    Framewell_CloseConvert,
    Framewell_StartCut,
    Framewell_EndCut,
    Framewell_StartSearch,
    Framewell_GetSearchState,
    Framewell_CloseSearch,
    Framewell_StartDownload,
    Framewell_CloseDownload,
    Framewell_GetDownloadProgress,
    Framewell_OpenRemoteFile,
    Framewell_SetBufferTime,
    Framewell_GetBufferProgress,
};

const FramewellApi* g_fake = nullptr;

} // namespace

const FramewellApi& GetFramewellApi()
{
    return g_fake ? *g_fake : kLibrary;
}

void SetFramewellApi(const FramewellApi* fake)
{
    g_fake = fake;
}

const FramewellApi& LibraryFramewellApi()
{
    return kLibrary;
}
