// AnimateSkinner: takes an animation control over completely. It opens the clip itself (a resource clip
// through a temporary file) and plays it on a frame thread of its own, one frame per period over the
// skin's background, or over the holder's picture for transparent clips. The frame thread sends nothing:
// the background it needs is taken on the control's thread when playing starts and when the control
// moves, so stopping waits for the thread to end.
#pragma once
#include <atomic>

#include "skin/skinners/controls/AviPlayer.h"
#include "skin/skinners/controls/ControlSkinner.h"

class AnimateSkinner : public ControlSkinner {
public:
    explicit AnimateSkinner(SkinnedWindow* owner);
    // Stops the thread (waiting for it), then lets the clip and the libraries go.
    ~AnimateSkinner() override;

    void Paint(HDC dc) override;
    // A new skin gives a playing clip a new background.
    SkinObject* SetSkinObject(SkinObject* object) override;
    // 0 without Video for Windows: the control stays native.
    LONG_PTR Attach(HWND hwnd) override;
    // Stops playing first: the frame thread draws on the window it would lose.
    void Detach() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool Playing() const { return playing_.load(); }
    int CurrentFrame() const { return current_; }
    const AviPlayer& Player() const { return player_; }

    // How the frame thread waits out a period: TRUE when it is to stop (the stop event was set). Tests
    // put their own in to hand out frames one by one; NULL puts the real wait back.
    typedef BOOL (*FrameWait)(HANDLE stopEvent, DWORD periodMs);
    static void SetFrameWait(FrameWait wait);

private:
    LRESULT OpenClip(HINSTANCE module, const char* name);
    LRESULT Play(WPARAM repeat, LPARAM range);
    void Start();
    LRESULT Stop();
    // Joins a frame thread that has ended or been told to end, and forgets it.
    void JoinThread();
    LRESULT OnNcPaint(WPARAM region, LPARAM lParam);

    // The skin's background (or the holder's picture) under the client; control's thread only.
    void PaintBackground(HDC dc, const RECT& client);
    // Keeps that background for the frame thread.
    void CaptureBackground();
    // The frame over the background into hdc; on the frame thread from the kept background.
    void DrawCurrent(HDC dc, int frame, bool kept);
    void DrawFrameOver(HDC canvas, const RECT& client, int frame);

    static DWORD WINAPI FrameThread(LPVOID self);
    DWORD RunFrames();
    // Moves to the next frame; false when a counted play has ended (on its last frame).
    bool Advance(int& passes);

    int controlId_;
    HANDLE thread_;
    HANDLE stopEvent_;
    std::atomic<bool> playing_;
    int repeat_;
    short first_;
    short last_;
    std::atomic<short> current_; // written by the frame thread while playing
    LONG style_;
    AviPlayer player_;
    CRITICAL_SECTION keptLock_;
    HBITMAP kept_;
    SIZE keptSize_;
};
