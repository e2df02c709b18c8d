// The recording frame of the window-skinner tests.
#include "tests/skin/window/RecordingFrame.h"

#include "skin/engine/toolkit/SkinMessages.h"

namespace {

std::function<void()> g_step;

bool IsRecorded(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_SKIN_MENUEND:
    case WM_SKIN_MENULBUTTONDOWN:
    case WM_SKIN_MENURBUTTONDOWN:
    case WM_LBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsRecorded(message))
        FrameLog().push_back(RecordedMessage{message, wParam, lParam});
    if (message == kRunStep) {
        std::function<void()> step;
        step.swap(g_step);
        if (step)
            step();
        return 0;
    }
    // Recorded, not acted on: the test decides when its window goes.
    if (message == WM_SYSCOMMAND || message == WM_CLOSE)
        return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

std::vector<RecordedMessage>& FrameLog()
{
    static std::vector<RecordedMessage> messages;
    return messages;
}

std::vector<RecordedMessage> FrameLogOf(UINT message)
{
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& m : FrameLog())
        if (m.message == message)
            found.push_back(m);
    return found;
}

void SetStep(const std::function<void()>& step)
{
    g_step = step;
}

HWND MakeRecordingFrame(const char* title, DWORD style, HMENU menu, int x, int y, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TessarineRecordingFrame";
        registered = RegisterClassA(&wc) != 0;
    }
    return CreateWindowExA(0, "TessarineRecordingFrame", title, style, x, y, width, height, NULL, menu,
                           GetModuleHandleA(NULL), NULL);
}
