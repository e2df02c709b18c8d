// The platform's sound and wave-in calls behind the audio seams.
#include "station/core/sessions/AudioSeams.h"

namespace AudioSeams {

namespace {

BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    return ::PlaySoundA(sound, module, flags);
}

MMRESULT PlatformGetDevCaps(UINT_PTR device, LPWAVEINCAPSA caps, UINT size)
{
    return ::waveInGetDevCapsA(device, caps, size);
}
MMRESULT PlatformOpen(LPHWAVEIN device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR instance,
                      DWORD flags)
{
    return ::waveInOpen(device, id, format, callback, instance, flags);
}
MMRESULT PlatformPrepare(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    return ::waveInPrepareHeader(device, header, size);
}
MMRESULT PlatformUnprepare(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    return ::waveInUnprepareHeader(device, header, size);
}
MMRESULT PlatformAddBuffer(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    return ::waveInAddBuffer(device, header, size);
}
MMRESULT PlatformStart(HWAVEIN device)
{
    return ::waveInStart(device);
}
MMRESULT PlatformStop(HWAVEIN device)
{
    return ::waveInStop(device);
}
MMRESULT PlatformReset(HWAVEIN device)
{
    return ::waveInReset(device);
}
MMRESULT PlatformClose(HWAVEIN device)
{
    return ::waveInClose(device);
}

const WaveInApi kPlatformWaveIn = {PlatformGetDevCaps, PlatformOpen,      PlatformPrepare,
                                   PlatformUnprepare,  PlatformAddBuffer, PlatformStart,
                                   PlatformStop,       PlatformReset,     PlatformClose};

PlaySoundFunc playSound = PlatformPlaySound;
const WaveInApi* waveIn = &kPlatformWaveIn;

} // namespace

BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    return playSound(sound, module, flags);
}

const WaveInApi& WaveIn()
{
    return *waveIn;
}

PlaySoundFunc ReplacePlaySound(PlaySoundFunc f)
{
    PlaySoundFunc previous = playSound;
    playSound = f ? f : PlatformPlaySound;
    return previous;
}

const WaveInApi* ReplaceWaveIn(const WaveInApi* api)
{
    const WaveInApi* previous = waveIn;
    waveIn = api ? api : &kPlatformWaveIn;
    return previous;
}

} // namespace AudioSeams
