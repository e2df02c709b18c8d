// StatusBarSkinner: background, part pictures and part texts.
#include "skin/skinners/controls/StatusBarSkinner.h"

#include <commctrl.h>

#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/store/SkinTypes.h"

std::string ReadStatusPartText(HWND statusBar, int part)
{
    const LRESULT answer = SendMessageA(statusBar, SB_GETTEXTLENGTHA, part, 0);
    const int length = LOWORD(answer);
    if (length == 0 || (HIWORD(answer) & SBT_OWNERDRAW) != 0)
        return {};
    // Two bytes a character: the length may count characters while the text comes in code page bytes.
    std::vector<char> text(static_cast<size_t>(length) * 2 + 2, '\0');
    SendMessageA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text.data()));
    text.back() = '\0';
    return text.data();
}

StatusBarSkinner::StatusBarSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeStatusBar) {}

SkinObject* StatusBarSkinner::SetSkinObject(SkinObject* object)
{
    return ControlSkinner::SetSkinObject(object ? object : &default_);
}

LONG_PTR StatusBarSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (attached)
        SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
    return attached;
}

void StatusBarSkinner::Paint(HDC dc)
{
    const StatusBarSkinObject* object = dynamic_cast<const StatusBarSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT client;
    GetClientRect(hwnd_, &client);
    DrawFrameImage(dc, client, object->controlFrame, face, TRUE);
    const ControlFontInDc font(hwnd_, dc);
    SetTextColor(dc, object->font.color);
    SetBkMode(dc, TRANSPARENT);
    const int parts = static_cast<int>(SendMessageA(hwnd_, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
        RECT r;
        if (!SendMessageA(hwnd_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)))
            continue;
        DrawFrameImage(dc, r, object->itemImage, face, TRUE);
        r.left += object->itemImage.margins.left;
        r.right -= object->itemImage.margins.right;
        const std::string text = ReadStatusPartText(hwnd_, i);
        if (!text.empty())
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                      DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    }
}

void StatusBarSkinner::OnStatusPaint()
{
    HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    MemoryDC buffer;
    if (buffer.Create(dc, client.right, client.bottom)) {
        // Validated first, the bar's own painting finds nothing left to draw but keeps its state.
        ValidateRect(hwnd_, &client);
        PassOn(WM_PAINT, 0, 0);
        Paint(buffer);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    }
    ReleaseDC(hwnd_, dc);
}

LRESULT StatusBarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (savedProc_ && message == WM_PAINT) {
        OnStatusPaint();
        return 0;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
