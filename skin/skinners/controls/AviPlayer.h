// AviPlayer: reads an AVI clip's video stream through Video for Windows, loaded by name so that a system
// without it leaves animation controls native. One clip at a time; its stream, frame reader and drawing
// context live as long as the clip is open. A clip written to a temporary file is removed when it closes.
#pragma once
#include <windows.h>

#include <vfw.h>

// Milliseconds between frames at rate / scale frames per second, at least 1; 100 when the rate is 0.
DWORD FramePeriodMs(DWORD rate, DWORD scale);

class AviPlayer {
public:
    AviPlayer();
    ~AviPlayer();
    AviPlayer(const AviPlayer&) = delete;
    AviPlayer& operator=(const AviPlayer&) = delete;

    // Both libraries and every entry point the player calls were found.
    bool Available() const { return available_; }
    bool Open(const char* path);
    // Adopts the files of a clip written from a resource (the clip and, when not NULL, the file reserving
    // its name), removed when the clip closes, or now when nothing is open.
    void AdoptTemporaryFiles(const char* clip, const char* reserved);
    // Releases the open clip and removes its temporary files; nothing when none is open.
    void Close();
    bool IsOpen() const { return opened_; }
    // -1 when nothing is open.
    LONG FrameCount() const;
    int Width() const { return opened_ ? static_cast<int>(info_.dwWidth) : 0; }
    int Height() const { return opened_ ? static_cast<int>(info_.dwHeight) : 0; }
    // The time between two frames, from the file's rate and scale.
    DWORD FramePeriod() const;
    // Frame `index` of the clip at (0, 0) in the clip's size; FALSE when it cannot be had.
    BOOL DrawFrame(HDC dc, LONG index);

private:
    void RemoveTemporaryFiles();

    HMODULE avifile_;
    HMODULE video_;
    bool available_;
    bool opened_;
    PAVIFILE file_;
    PAVISTREAM stream_;
    PGETFRAME frames_;
    HDRAWDIB drawDib_;
    AVIFILEINFOA info_;
    char temporaryClip_[MAX_PATH];
    char temporaryName_[MAX_PATH];

    decltype(&::AVIFileInit) fileInit_;
    decltype(&::AVIFileExit) fileExit_;
    decltype(&::AVIFileOpenA) fileOpen_;
    decltype(&::AVIFileInfoA) fileInfo_;
    decltype(&::AVIFileGetStream) fileGetStream_;
    decltype(&::AVIFileRelease) fileRelease_;
    decltype(&::AVIStreamStart) streamStart_;
    decltype(&::AVIStreamLength) streamLength_;
    decltype(&::AVIStreamRelease) streamRelease_;
    decltype(&::AVIStreamGetFrameOpen) getFrameOpen_;
    decltype(&::AVIStreamGetFrame) getFrame_;
    decltype(&::AVIStreamGetFrameClose) getFrameClose_;
    decltype(&::DrawDibOpen) drawDibOpen_;
    decltype(&::DrawDibDraw) drawDibDraw_;
    decltype(&::DrawDibClose) drawDibClose_;
};
