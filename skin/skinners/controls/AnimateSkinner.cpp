// AnimateSkinner: clip opening, play and stop, the frame thread and the drawing of one frame.
#include "skin/skinners/controls/AnimateSkinner.h"

#include <commctrl.h>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/controls/ButtonSkinnerBase.h"

namespace {

BOOL WaitForStop(HANDLE stopEvent, DWORD periodMs)
{
    // A failed wait ends the thread as well: it could only spin.
    return WaitForSingleObject(stopEvent, periodMs) != WAIT_TIMEOUT;
}

std::atomic<AnimateSkinner::FrameWait> g_frameWait(WaitForStop);

// Where the clip goes in the client, per direction: centred when smaller, its middle part when larger.
void CentreSpan(int clip, int client, int& dest, int& source, int& size)
{
    if (clip < client) {
        dest = (client - clip) / 2;
        source = 0;
        size = clip;
    } else {
        dest = 0;
        source = (clip - client) / 2;
        size = client;
    }
}

} // namespace

void AnimateSkinner::SetFrameWait(FrameWait wait)
{
    g_frameWait = wait ? wait : WaitForStop;
}

AnimateSkinner::AnimateSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeAnimate), controlId_(0), thread_(NULL),
      stopEvent_(CreateEventA(NULL, FALSE, FALSE, NULL)), playing_(false), repeat_(-1), first_(0), last_(-1),
      current_(0), style_(0), kept_(NULL), keptSize_()
{
    InitializeCriticalSection(&keptLock_);
}

AnimateSkinner::~AnimateSkinner()
{
    playing_ = false;
    JoinThread();
    if (stopEvent_)
        CloseHandle(stopEvent_);
    if (kept_)
        DeleteObject(kept_);
    DeleteCriticalSection(&keptLock_);
}

void AnimateSkinner::Paint(HDC) {}

SkinObject* AnimateSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ControlSkinner::SetSkinObject(object);
    if (playing_ && hwnd_)
        CaptureBackground();
    return previous;
}

LONG_PTR AnimateSkinner::Attach(HWND hwnd)
{
    if (!hwnd || !player_.Available() || !stopEvent_)
        return 0;
    style_ = GetWindowLongA(hwnd, GWL_STYLE);
    controlId_ = GetDlgCtrlID(hwnd);
    return ControlSkinner::Attach(hwnd);
}

void AnimateSkinner::Detach()
{
    if (hwnd_)
        Stop();
    ControlSkinner::Detach();
}

void AnimateSkinner::JoinThread()
{
    if (!thread_)
        return;
    SetEvent(stopEvent_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = NULL;
}

LRESULT AnimateSkinner::OpenClip(HINSTANCE module, const char* name)
{
    if (!module)
        module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    Stop();
    player_.Close();
    current_ = 0;
    if (!name) {
        InvalidateRect(hwnd_, NULL, TRUE);
        return 1;
    }
    bool opened = !IS_INTRESOURCE(name) && player_.Open(name);
    if (!opened) {
        char clip[MAX_PATH];
        const BOOL reserved = MakeTempFileName(clip, sizeof clip, "TSN$$TEMP.AVI", "C:", "AVI");
        // The reserved name is the clip's without the extension MakeTempFileName appended.
        char reservedName[MAX_PATH] = "";
        if (reserved) {
            tessarine::CopyText(reservedName, sizeof reservedName, clip);
            const size_t length = lstrlenA(reservedName);
            if (length > 4)
                reservedName[length - 4] = '\0';
        }
        opened = SaveResourceToFile(clip, module, name, "AVI") && player_.Open(clip);
        // Open, the player removes both when the clip closes; otherwise they go now.
        player_.AdoptTemporaryFiles(clip, reserved ? reservedName : NULL);
        if (!opened) {
            InvalidateRect(hwnd_, NULL, TRUE);
            return 0;
        }
    }
    last_ = -1;
    repeat_ = -1;
    first_ = 0;
    current_ = 0;
    if (!(style_ & ACS_CENTER))
        SetWindowPos(hwnd_, NULL, 0, 0, player_.Width(), player_.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, NULL, TRUE);
    if (style_ & ACS_AUTOPLAY)
        Start();
    return 1;
}

LRESULT AnimateSkinner::Play(WPARAM repeat, LPARAM range)
{
    Stop();
    const LONG count = player_.FrameCount();
    if (count <= 0)
        return 0;
    repeat_ = static_cast<int>(repeat);
    first_ = (LOWORD(range) & 0x8000) ? 0 : static_cast<short>(LOWORD(range));
    const WORD last = HIWORD(range);
    last_ = static_cast<short>(last >= count ? count - 1 : last);
    current_ = first_;
    Start();
    return 1;
}

void AnimateSkinner::Start()
{
    if (playing_)
        return;
    // A clip that ended by itself left its thread behind, finished.
    JoinThread();
    ResetEvent(stopEvent_);
    CaptureBackground();
    // Raised before the thread runs, so that a play that ends at once clears it for good.
    playing_ = true;
    thread_ = CreateThread(NULL, 0, FrameThread, this, 0, NULL);
    if (!thread_) {
        playing_ = false;
        return;
    }
    SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(controlId_, ACN_START), reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT AnimateSkinner::Stop()
{
    const bool wasPlaying = playing_.exchange(false);
    // The thread never waits for this one, so waiting for it to end is safe.
    JoinThread();
    if (wasPlaying && hwnd_)
        SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(controlId_, ACN_STOP), reinterpret_cast<LPARAM>(hwnd_));
    return 1;
}

DWORD WINAPI AnimateSkinner::FrameThread(LPVOID self)
{
    return static_cast<AnimateSkinner*>(self)->RunFrames();
}

DWORD AnimateSkinner::RunFrames()
{
    const DWORD period = player_.FramePeriod();
    int passes = 0;
    for (;;) {
        if (g_frameWait.load()(stopEvent_, period))
            return 1;
        HDC dc = GetDC(hwnd_);
        if (dc) {
            DrawCurrent(dc, current_, true);
            ReleaseDC(hwnd_, dc);
        }
        if (!Advance(passes))
            break;
    }
    playing_ = false;
    return 0;
}

bool AnimateSkinner::Advance(int& passes)
{
    const int end = last_ == -1 ? static_cast<int>(player_.FrameCount()) - 1 : last_;
    const int next = current_ + 1;
    if (next <= end) {
        current_ = static_cast<short>(next);
        return true;
    }
    if (repeat_ != -1 && ++passes == repeat_) {
        current_ = static_cast<short>(end);
        return false;
    }
    current_ = first_;
    return true;
}

void AnimateSkinner::PaintBackground(HDC dc, const RECT& client)
{
    if (style_ & ACS_TRANSPARENT) {
        DrawParentBackground(hwnd_, FindTabParent(), dc);
        return;
    }
    const AnimateSkinObject* object = dynamic_cast<const AnimateSkinObject*>(skinObject_);
    if (object)
        DrawImagePart(dc, client, object->background, object->color, TRUE);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void AnimateSkinner::CaptureBackground()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HBITMAP made = NULL;
    if (client.right > 0 && client.bottom > 0) {
        HDC screen = GetDC(hwnd_);
        MemoryDC canvas;
        if (screen && canvas.Create(screen, client.right, client.bottom)) {
            PaintBackground(canvas, client);
            made = canvas.DetachBitmap();
        }
        if (screen)
            ReleaseDC(hwnd_, screen);
    }
    EnterCriticalSection(&keptLock_);
    HBITMAP old = kept_;
    kept_ = made;
    keptSize_.cx = client.right;
    keptSize_.cy = client.bottom;
    LeaveCriticalSection(&keptLock_);
    if (old)
        DeleteObject(old);
}

void AnimateSkinner::DrawFrameOver(HDC canvas, const RECT& client, int frame)
{
    const int width = player_.Width(), height = player_.Height();
    MemoryDC clip;
    if (!player_.IsOpen() || !clip.Create(canvas, width, height) || !player_.DrawFrame(clip, frame))
        return;
    int x = 0, y = 0, sourceX = 0, sourceY = 0, w = width, h = height;
    if (style_ & ACS_CENTER) {
        CentreSpan(width, client.right, x, sourceX, w);
        CentreSpan(height, client.bottom, y, sourceY, h);
    }
    if (style_ & ACS_TRANSPARENT)
        StretchBlitTransparent(canvas, x, y, w, h, clip, sourceX, sourceY, w, h, GetPixel(clip, 0, 0));
    else
        BitBlt(canvas, x, y, w, h, clip, sourceX, sourceY, SRCCOPY);
}

void AnimateSkinner::DrawCurrent(HDC dc, int frame, bool kept)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    MemoryDC canvas;
    if (!canvas.Create(dc, client.right, client.bottom))
        return;
    if (kept) {
        EnterCriticalSection(&keptLock_);
        HDC source = kept_ ? CreateCompatibleDC(dc) : NULL;
        if (source) {
            HGDIOBJ old = SelectObject(source, kept_);
            BitBlt(canvas, 0, 0, keptSize_.cx, keptSize_.cy, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
        LeaveCriticalSection(&keptLock_);
    } else {
        PaintBackground(canvas, client);
    }
    DrawFrameOver(canvas, client, frame);
    BitBlt(dc, 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
}

LRESULT AnimateSkinner::OnNcPaint(WPARAM region, LPARAM lParam)
{
    const ControlSkinObject* object = Control();
    if (!object)
        return SkinnedWindow::WindowProc(WM_NCPAINT, region, lParam);
    return PaintSkinBorder(region, lParam, object->controlFrame, object->color);
}

LRESULT AnimateSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case ACM_OPENA:
        return OpenClip(reinterpret_cast<HINSTANCE>(wParam), reinterpret_cast<const char*>(lParam));
    case ACM_PLAY:
        return Play(wParam, lParam);
    case ACM_STOP:
        return Stop();
    case WM_DESTROY:
        Stop();
        player_.Close();
        return ControlSkinner::WindowProc(message, wParam, lParam);
    case WM_PAINT: {
        if (playing_)
            return SkinnedWindow::WindowProc(message, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        if (dc)
            DrawCurrent(dc, current_, false);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        DrawParentBackground(hwnd_, FindTabParent(), reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_UPDATEUISTATE:
        return 0;
    case WM_NCPAINT:
        return OnNcPaint(wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
        // A moved or resized control stands over another part of the background.
        if (playing_)
            CaptureBackground();
        return result;
    }
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
