// MdiClientSkinner: the MDI client's background and its children's activation.
#include "skin/skinners/window/MdiClientSkinner.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/window/FrameWindowSkinner.h"

MdiClientSkinner::MdiClientSkinner(FrameWindowSkinner* frame) : frame_(frame) {}

MdiClientSkinner::~MdiClientSkinner() {}

LRESULT MdiClientSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: {
        SkinObject* object = frame_ ? frame_->GetSkinObject() : NULL;
        if (!object || object->Type() != SkinTypeFrameWnd)
            return 0;
        const FrameWndSkinObject* frame = static_cast<const FrameWndSkinObject*>(object);
        RECT client;
        GetClientRect(hwnd_, &client);
        DrawImagePart(reinterpret_cast<HDC>(wParam), client, frame->mdiClient, frame->ClientColor(), TRUE);
        return 1;
    }
    case WM_MDIACTIVATE: {
        BOOL maximized = FALSE;
        HWND active = reinterpret_cast<HWND>(CallSavedProc(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        if (active && maximized)
            SendMessageA(active, WM_SYSCOMMAND, SC_RESTORE, 0);
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    }
    case WM_SKIN_MDICHILDCLOSED:
        if (lParam && !CallSavedProc(WM_MDIGETACTIVE, 0, 0)) {
            const RECT* area = reinterpret_cast<const RECT*>(lParam);
            InvalidateRect(hwnd_, area, TRUE);
            UpdateWindow(hwnd_);
        }
        return 0;
    default:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    }
}
