// Test seams of the station's sound: playing the alarm WAV files and the wave-in device of the
// voice broadcast. Each is the platform's call until a test installs a replacement (these machines
// have no capture device); installing null puts the platform's call back.
#pragma once

#include <windows.h>
#include <mmsystem.h>

namespace AudioSeams {

typedef BOOL (*PlaySoundFunc)(LPCSTR sound, HMODULE module, DWORD flags);

// The wave-in calls the capture makes, with the platform's signatures.
struct WaveInApi {
    MMRESULT (*getDevCaps)(UINT_PTR device, LPWAVEINCAPSA caps, UINT size);
    using OpenFunc = MMRESULT (*)(LPHWAVEIN device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback,
                                  DWORD_PTR instance, DWORD flags);
    OpenFunc open;
    MMRESULT (*prepareHeader)(HWAVEIN device, LPWAVEHDR header, UINT size);
    MMRESULT (*unprepareHeader)(HWAVEIN device, LPWAVEHDR header, UINT size);
    MMRESULT (*addBuffer)(HWAVEIN device, LPWAVEHDR header, UINT size);
    MMRESULT (*start)(HWAVEIN device);
    MMRESULT (*stop)(HWAVEIN device);
    MMRESULT (*reset)(HWAVEIN device);
    MMRESULT (*close)(HWAVEIN device);
};

BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);
const WaveInApi& WaveIn();

// Each returns the one installed before (the platform's when none was).
PlaySoundFunc ReplacePlaySound(PlaySoundFunc f);
const WaveInApi* ReplaceWaveIn(const WaveInApi* api);

} // namespace AudioSeams
