// ScrollControlSkinner: skin scroll bars, their resynchronising, and the skinned border.
#include "skin/skinners/controls/ScrollControlSkinner.h"

#include <algorithm>
#include <initializer_list>

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/controls/SkinScrollBar.h"

ScrollControlSkinner::ScrollControlSkinner(SkinnedWindow* owner, int typeId)
    : ControlSkinner(owner, typeId), installed_(FALSE), resyncPending_(FALSE)
{
    ZeroMemory(platformSeen_, sizeof platformSeen_);
    platformSeenValid_[0] = platformSeenValid_[1] = FALSE;
}

BOOL ScrollControlSkinner::ReadChangedPlatformBar(int bar, SCROLLINFO* info)
{
    ZeroMemory(info, sizeof *info);
    info->cbSize = sizeof *info;
    info->fMask = SIF_ALL;
    if (!RealApi().getScrollInfo(hwnd_, bar, info))
        return FALSE;
    SCROLLINFO& seen = platformSeen_[bar == SB_HORZ ? 0 : 1];
    BOOL& valid = platformSeenValid_[bar == SB_HORZ ? 0 : 1];
    const BOOL changed = !valid || seen.nMin != info->nMin || seen.nMax != info->nMax || seen.nPage != info->nPage ||
                         seen.nPos != info->nPos;
    seen = *info;
    valid = TRUE;
    return changed;
}

bool ScrollControlSkinner::NeedsResync()
{
    const int kind = GetOSKind();
    return kind == OSKindWin98 || kind == OSKindWinMe || !ScrollBarFunctionsIntercepted();
}

void ScrollControlSkinner::Paint(HDC) {}

const ScrollControlSkinObject* ScrollControlSkinner::ScrollObject() const
{
    return dynamic_cast<const ScrollControlSkinObject*>(skinObject_);
}

SkinObject* ScrollControlSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ControlSkinner::SetSkinObject(object);
    if (installed_)
        SizeSkinBars();
    return previous;
}

void ScrollControlSkinner::Detach()
{
    if (hwnd_ && installed_ && !destroyed_)
        SkinScrollRemove(hwnd_);
    installed_ = FALSE;
    ControlSkinner::Detach();
}

LONG_PTR ScrollControlSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (hwnd)
        PostMessageA(hwnd, WM_SKIN_INITSCROLLBARS, 0, 0);
    return attached;
}

namespace {

const ScrollBarSkinObject* CurrentScrollBarObject()
{
    const SkinObject* found = SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeScrollBar);
    return dynamic_cast<const ScrollBarSkinObject*>(found);
}

} // namespace

void ScrollControlSkinner::SizeSkinBars()
{
    const ScrollBarSkinObject* bars = CurrentScrollBarObject();
    if (!bars || !hwnd_)
        return;
    const ImagePart& arrow = bars->groups[0].arrow1;
    const int size = arrow.source.bottom - arrow.source.top;
    const RECT& thumb = bars->groups[0].thumb.source;
    SkinScrollSetSize(hwnd_, SB_BOTH, size, size);
    SkinScrollSetMinThumbSize(hwnd_, SB_BOTH, thumb.right - thumb.left);
}

void ScrollControlSkinner::InstallSkinBars()
{
    if (installed_ || !hwnd_ || !CurrentScrollBarObject())
        return;
    if (!SkinScrollInstall(hwnd_))
        return;
    SkinScrollSetStyle(hwnd_, SB_BOTH, 2);
    installed_ = TRUE;
    SizeSkinBars();
    // The skin bars start from what the platform's bars held when they took over (the install read it).
    SCROLLINFO info;
    ReadChangedPlatformBar(SB_HORZ, &info);
    ReadChangedPlatformBar(SB_VERT, &info);
}

void ScrollControlSkinner::SyncBar(int bar)
{
    if (!installed_ || !hwnd_ || !NeedsResync())
        return;
    SCROLLINFO info;
    if (ReadChangedPlatformBar(bar, &info))
        SkinScrollUpdateScrollInfo(hwnd_, bar, &info, TRUE);
}

void ScrollControlSkinner::Resync()
{
    if (!installed_ || !hwnd_ || !NeedsResync())
        return;
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO skin = {}, platform;
        skin.cbSize = sizeof skin;
        skin.fMask = SIF_ALL;
        SkinScrollGetScrollInfo(hwnd_, bar, &skin);
        if (!ReadChangedPlatformBar(bar, &platform))
            continue;
        if (skin.nMin == platform.nMin && skin.nMax == platform.nMax && skin.nPage == platform.nPage) {
            if (skin.nPos != platform.nPos)
                SkinScrollSetScrollPos(hwnd_, bar, platform.nPos, TRUE);
        } else {
            SkinScrollUpdateScrollInfo(hwnd_, bar, &platform, TRUE);
        }
    }
    UpdateWindow(hwnd_);
}

void ScrollControlSkinner::PostResync()
{
    if (!installed_ || !hwnd_ || resyncPending_ || !NeedsResync())
        return;
    resyncPending_ = TRUE;
    PostMessageA(hwnd_, WM_SKIN_RESYNCSCROLLBARS, 0, 0);
}

LRESULT ScrollControlSkinner::PassWithResync(UINT message, WPARAM wParam, LPARAM lParam, WPARAM firstMovingKey,
                                             const UINT* resyncMessages, size_t resyncCount)
{
    if (!savedProc_ || !installed_ || !NeedsResync())
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if ((wParam >= firstMovingKey && wParam <= VK_DOWN) || wParam == VK_DELETE)
            return PassThenResync(message, wParam, lParam);
        break;
    case WM_HSCROLL:
        return PassThenSync(message, wParam, lParam, SB_HORZ);
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        return PassThenSync(message, wParam, lParam, SB_VERT);
    default:
        if (std::find(resyncMessages, resyncMessages + resyncCount, message) != resyncMessages + resyncCount)
            return PassThenResync(message, wParam, lParam);
        break;
    }
    return ScrollControlSkinner::WindowProc(message, wParam, lParam);
}

LRESULT ScrollControlSkinner::PassOnToControl(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ControlSkinner::WindowProc(message, wParam, lParam);
}

LRESULT ScrollControlSkinner::PassThenResync(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND self = hwnd_;
    const LRESULT result = ScrollControlSkinner::WindowProc(message, wParam, lParam);
    if (IsWindow(self) && SkinEngine::Instance().FindSkinnedWindow(self) == this)
        PostResync();
    return result;
}

LRESULT ScrollControlSkinner::PassThenSync(UINT message, WPARAM wParam, LPARAM lParam, int bar)
{
    HWND self = hwnd_;
    const LRESULT result = ScrollControlSkinner::WindowProc(message, wParam, lParam);
    if (IsWindow(self) && SkinEngine::Instance().FindSkinnedWindow(self) == this)
        SyncBar(bar);
    return result;
}

LRESULT ScrollControlSkinner::OnNcPaint(WPARAM region, LPARAM lParam)
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (!object)
        return CallSavedProc(WM_NCPAINT, region, lParam);
    return PaintSkinBorder(region, lParam, object->controlFrame, object->color);
}

LRESULT ScrollControlSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE: {
        HWND self = hwnd_;
        const LRESULT result = ControlSkinner::WindowProc(message, wParam, lParam);
        if (IsWindow(self) && SkinEngine::Instance().FindSkinnedWindow(self) == this)
            PostResync();
        return result;
    }
    case WM_PAINT:
    case WM_ERASEBKGND:
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    case WM_NCPAINT:
        return OnNcPaint(wParam, lParam);
    case WM_SKIN_INITSCROLLBARS:
        InstallSkinBars();
        return 0;
    case WM_SKIN_RESYNCSCROLLBARS:
        resyncPending_ = FALSE;
        Resync();
        return 0;
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
