// LinkSkinner: the link's own picture laid over the skin background, its window colour left out.
#include "skin/skinners/controls/LinkSkinner.h"

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/controls/StaticSkinner.h"

LinkSkinner::LinkSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeLinkWnd) {}

void LinkSkinner::OnPaint()
{
    if (!skinObject_) {
        SkinnedWindow::WindowProc(WM_PAINT, 0, 0);
        return;
    }
    BufferedPaint paint(hwnd_);
    const RECT& client = paint.Client();
    MemoryDC& canvas = paint.Buffer();
    MemoryDC link;
    if (paint.Ready() && link.Create(paint.Screen(), client.right, client.bottom)) {
        // One colour for the fill and the key, whatever the system colour brushes hold.
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        FillRectColor(link, client, window);
        SendMessageA(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(link.Dc()), PRF_CLIENT);
        DrawStaticBackground(hwnd_, FindTabParent(), skinObject_, canvas);
        StretchBlitTransparent(canvas, 0, 0, client.right, client.bottom, link, 0, 0, client.right, client.bottom,
                               window);
        paint.Show();
    }
}

LRESULT LinkSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && savedProc_) {
        OnPaint();
        return 1;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
