// A player handle: a recording, the shown picture and the transport, with a thread that draws the
// pictures at their times (at fast play no more than a screen shows: the others are played over). Seeks, steps and
// snapshots act on the caller's thread under the lock, so their picture is the shown one when they return.
#pragma once
#include <memory>
#include <string>

#include "devices/common/HandleTable.h"
#include "devices/common/VideoFile.h"
#include "devices/framewell/JpegDecoder.h"
#include "devices/framewell/MediaFile.h"

namespace fw {

class Player : public dev::Worker {
public:
    Player();
    ~Player() override;
    bool Open(const std::string& path);

    void SetNotify(HWND window, UINT message);
    bool Play(HWND window);
    bool Pause();
    bool ChangeSpeed(int step); // +1 doubles, -1 halves
    bool StepFrame();
    bool SeekMs(uint32_t ms);
    void Refresh();
    uint32_t TotalMs();
    uint32_t PlayMs();
    void PictureSize(int& width, int& height);
    bool Capture(const std::string& bmpPath);
    bool StartCut(const std::string& clipPath);
    int EndCut();

protected:
    // Whether picture `next` may be shown now; a remote player waits for its data.
    virtual bool SourceReadyLocked(size_t) { return true; }
    // Whether picture i's bytes are here to read; a remote player has them once they arrived.
    virtual bool PictureHereLocked(size_t) const { return true; }
    // A seek chose picture index: a remote player fetches from there.
    virtual void SoughtLocked(size_t) {}
    // Posts a notification, or keeps it until a notify window is set.
    void NotifyLocked(WPARAM code);
    void AnchorLocked();
    bool StartDrawing() { return StartThread(); }

    CRITICAL_SECTION lock_;
    HANDLE wake_;
    MediaFile file_;
    bool playing_ = false;
    HWND window_ = nullptr;

private:
    void Run() override;
    // Moves the position to picture index and shows it: decodes, draws, copies into a clip. False for a
    // picture that does not decode: the position is there all the same, the last good picture stays.
    bool ShowLocked(size_t index);
    // Whether one of the first pictures decodes; a file none of whose pictures does would play nothing.
    bool HasPictureToShow();
    void DrawLocked();
    DWORD WaitLocked(); // ms until the next picture is due, INFINITE when none is
    // The next picture to show while playing: the next one, or at fast play the first one a screen
    // refresh after the shown one; never past the last.
    size_t TargetLocked() const;
    double DueInLocked(size_t index) const; // ms until picture index is due, 0 or less when it is
    void CopyToClipLocked(size_t index);    // a picture played over without being shown

    Picture picture_;
    Picture spare_;        // decoded into, then swapped: no allocation a picture
    bool reached_ = false; // the clock reached picture index_ (shown, or stepped over when damaged)
    size_t index_ = 0;     // the picture at the position, or the next one before any was reached
    HWND notifyWindow_ = nullptr;
    UINT notifyMessage_ = 0;
    std::vector<WPARAM> pending_; // notifications that came before a notify window
    int speed_ = 0;               // speed 2^speed_, -4..4
    DWORD anchorTick_ = 0;        // the tick count when the picture at anchorMs_ was due
    uint32_t anchorMs_ = 0;
    std::unique_ptr<dev::VideoFileWriter> clip_;
    std::string clipPath_;
    std::vector<uint8_t> jpeg_;
};

// Writes a picture as a 24-bit BMP.
bool WriteBmp24(const std::string& path, const Picture& picture);

} // namespace fw
