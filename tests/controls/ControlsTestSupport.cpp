#include "tests/controls/ControlsTestSupport.h"

RecordingParent::RecordingParent()
{
    LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    CreateEx(0, windowClass, "controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640, 480, nullptr, nullptr);
    ::SetForegroundWindow(m_hWnd);
}

RecordingParent::~RecordingParent()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

std::vector<UINT> RecordingParent::Codes(UINT id) const
{
    std::vector<UINT> codes;
    for (const Notification& n : notifications) {
        if (n.id == id)
            codes.push_back(n.code);
    }
    return codes;
}

BOOL RecordingParent::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        notifications.push_back({LOWORD(wParam), HIWORD(wParam)});
    return CWnd::OnCommand(wParam, lParam);
}
