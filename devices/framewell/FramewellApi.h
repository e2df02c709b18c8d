// The one way callers reach Framewell: a table of its entry points. The programs use the
// library's; a test puts a fake table in (SetFramewellApi) and puts nullptr back when done.
#pragma once
#include "devices/framewell/Framewell.h"

struct FramewellApi {
    decltype(&Framewell_Init) Init;
    decltype(&Framewell_Cleanup) Cleanup;
    decltype(&Framewell_OpenFile) OpenFile;
    decltype(&Framewell_SetNotifyWindow) SetNotifyWindow;
    decltype(&Framewell_Play) Play;
    decltype(&Framewell_Stop) Stop;
    decltype(&Framewell_Pause) Pause;
    decltype(&Framewell_Fast) Fast;
    decltype(&Framewell_Slow) Slow;
    decltype(&Framewell_StepFrame) StepFrame;
    decltype(&Framewell_SetPosition) SetPosition;
    decltype(&Framewell_GetPictureSize) GetPictureSize;
    decltype(&Framewell_SetVolume) SetVolume;
    decltype(&Framewell_StartSound) StartSound;
    decltype(&Framewell_StopSound) StopSound;
    decltype(&Framewell_GetTotalTime) GetTotalTime;
    decltype(&Framewell_GetPlayTime) GetPlayTime;
    decltype(&Framewell_SetPlayTime) SetPlayTime;
    decltype(&Framewell_RefreshDisplay) RefreshDisplay;
    decltype(&Framewell_CapturePicture) CapturePicture;
    decltype(&Framewell_StartConvert) StartConvert;
    decltype(&Framewell_GetConvertProgress) GetConvertProgress;
    decltype(&Framewell_CloseConvert) CloseConvert;
    decltype(&Framewell_StartCut) StartCut;
    decltype(&Framewell_EndCut) EndCut;
    decltype(&Framewell_StartSearch) StartSearch;
    decltype(&Framewell_GetSearchState) GetSearchState;
    decltype(&Framewell_CloseSearch) CloseSearch;
    decltype(&Framewell_StartDownload) StartDownload;
    decltype(&Framewell_CloseDownload) CloseDownload;
    decltype(&Framewell_GetDownloadProgress) GetDownloadProgress;
    decltype(&Framewell_OpenRemoteFile) OpenRemoteFile;
    decltype(&Framewell_SetBufferTime) SetBufferTime;
    decltype(&Framewell_GetBufferProgress) GetBufferProgress;
};

// The table in use: the library's, or the fake a test set.
const FramewellApi& GetFramewellApi();
void SetFramewellApi(const FramewellApi* fake);
// The library's own entry points.
const FramewellApi& LibraryFramewellApi();
