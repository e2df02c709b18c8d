// The platform's sound and wave-in calls behind the audio seams.
#include "station/core/sessions/AudioSeams.h"

namespace AudioSeams {

namespace {

// winmm is loaded when a sound is first played or recorded: loaded with the program, it and the
// libraries it pulls in would cost every start-up.
template <class F> F Winmm(const char* name)
{
    static HMODULE module = ::LoadLibraryA("winmm.dll");
    return module ? reinterpret_cast<F>(::GetProcAddress(module, name)) : nullptr;
}

BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    static auto f = Winmm<decltype(&::PlaySoundA)>("PlaySoundA");
    return f ? f(sound, module, flags) : FALSE;
}

MMRESULT PlatformGetDevCaps(UINT_PTR device, LPWAVEINCAPSA caps, UINT size)
{
    static auto f = Winmm<decltype(&::waveInGetDevCapsA)>("waveInGetDevCapsA");
    return f ? f(device, caps, size) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformOpen(LPHWAVEIN device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR instance,
                      DWORD flags)
{
    static auto f = Winmm<decltype(&::waveInOpen)>("waveInOpen");
    return f ? f(device, id, format, callback, instance, flags) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformPrepare(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    static auto f = Winmm<decltype(&::waveInPrepareHeader)>("waveInPrepareHeader");
    return f ? f(device, header, size) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformUnprepare(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    static auto f = Winmm<decltype(&::waveInUnprepareHeader)>("waveInUnprepareHeader");
    return f ? f(device, header, size) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformAddBuffer(HWAVEIN device, LPWAVEHDR header, UINT size)
{
    static auto f = Winmm<decltype(&::waveInAddBuffer)>("waveInAddBuffer");
    return f ? f(device, header, size) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformStart(HWAVEIN device)
{
    static auto f = Winmm<decltype(&::waveInStart)>("waveInStart");
    return f ? f(device) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformStop(HWAVEIN device)
{
    static auto f = Winmm<decltype(&::waveInStop)>("waveInStop");
    return f ? f(device) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformReset(HWAVEIN device)
{
    static auto f = Winmm<decltype(&::waveInReset)>("waveInReset");
    return f ? f(device) : MMSYSERR_NODRIVER;
}
MMRESULT PlatformClose(HWAVEIN device)
{
    static auto f = Winmm<decltype(&::waveInClose)>("waveInClose");
    return f ? f(device) : MMSYSERR_NODRIVER;
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
