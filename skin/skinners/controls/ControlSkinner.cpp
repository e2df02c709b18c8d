// ControlSkinner: veto, object lookup, fonts and places, off-screen painting, hover and tooltips.
#include "skin/skinners/controls/ControlSkinner.h"

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/interception/ButtonClassProc.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/tooltip/TooltipWindow.h"

namespace {

bool IsButtonType(int type)
{
    return type == SkinTypeButton || type == SkinTypeCheckBox || type == SkinTypeRadio;
}

} // namespace

LRESULT AskWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd || GetWindowThreadProcessId(hwnd, NULL) != GetCurrentThreadId())
        return SendMessageA(hwnd, message, wParam, lParam);
    WNDPROC procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    return procedure ? CallWindowProcA(procedure, hwnd, message, wParam, lParam) : 0;
}

int ReadWindowText(HWND hwnd, char* buffer, int max)
{
    buffer[0] = '\0';
    if (!hwnd)
        return 0;
    // GetWindowTextA asks a window of this process with WM_GETTEXT too.
    const int length = GetWindowThreadProcessId(hwnd, NULL) == GetCurrentThreadId()
                           ? static_cast<int>(AskWindow(hwnd, WM_GETTEXT, max + 1, reinterpret_cast<LPARAM>(buffer)))
                           : GetWindowTextA(hwnd, buffer, max + 1);
    buffer[length > 0 ? length : 0] = '\0';
    return length > 0 ? length : 0;
}

ControlSkinner::ControlSkinner(SkinnedWindow* owner, int typeId)
    : savedFont_(NULL), hover_(FALSE), ownerWindow_(owner ? owner->GetHwnd() : NULL), typeId_(typeId),
      fontSaved_(FALSE), refreshPending_(FALSE)
{
}

ControlSkinner::~ControlSkinner()
{
    Detach();
    region_ = NULL;
}

bool ControlSkinner::TakesSkinFont(int typeId)
{
    return typeId != SkinTypeProgressBar && typeId != SkinTypeScrollBar && typeId != SkinTypeSlider &&
           typeId != SkinTypeSpin;
}

void ControlSkinner::Paint(HDC) {}

const ControlSkinObject* ControlSkinner::Control() const
{
    return dynamic_cast<const ControlSkinObject*>(skinObject_);
}

SkinnedWindow* ControlSkinner::FrameOwner() const
{
    return ownerWindow_ ? SkinEngine::Instance().FindFrameOwner(ownerWindow_) : NULL;
}

SkinObject* ControlSkinner::FindControlSkinObject(int controlId, int typeId) const
{
    SkinnedWindow* owner = FrameOwner();
    SkinObject* frame = owner ? owner->GetSkinObject() : NULL;
    if (!frame)
        return NULL;
    // Link windows are drawn from the Static objects.
    SkinObject* found = frame->FindChildSkinObject(typeId == SkinTypeLinkWnd ? SkinTypeStatic : typeId, controlId);
    if (!found && typeId == SkinTypeRichEdit)
        found = frame->FindChildSkinObject(SkinTypeEdit, controlId);
    return found;
}

void ControlSkinner::ApplySkinFont(HFONT font, BOOL redraw)
{
    if (!hwnd_ || !TakesSkinFont(typeId_))
        return;
    // Posted, so both arrive after the attach, the control's own font recorded before it changes.
    if (!fontSaved_ && !refreshPending_) {
        refreshPending_ = TRUE;
        PostMessageA(hwnd_, WM_SKIN_REFRESHFONT, 0, 0);
    }
    PostMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

BOOL ControlSkinner::ApplyFontAndPlace(const SkinObject* object, BOOL redrawFont)
{
    const ControlSkinObject* control = dynamic_cast<const ControlSkinObject*>(object);
    if (!control || !hwnd_)
        return FALSE;
    if (control->autoSkinFont)
        ApplySkinFont(control->Font(), redrawFont && !control->autoPlace);
    if (!control->autoPlace)
        return FALSE;
    const RECT& r = control->rect;
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    return TRUE;
}

SkinObject* ControlSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = SkinnedWindow::SetSkinObject(object);
    if (!hwnd_) {
        OnBound();
        return previous;
    }
    SkinObject* own = FindControlSkinObject(GetDlgCtrlID(hwnd_), typeId_);
    if (own && own != object)
        SkinnedWindow::SetSkinObject(own);
    OnBound();
    const ControlSkinObject* control = Control();
    if (control && control->autoSkinFont) {
        if (ApplyFontAndPlace(control, FALSE))
            return previous;
    } else if (fontSaved_) {
        // An object without a font of its own gives the control its own font back.
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(savedFont_), 0);
        savedFont_ = NULL;
        fontSaved_ = FALSE;
        if (control && control->autoPlace && ApplyFontAndPlace(control, FALSE))
            return previous;
    } else if (control && control->autoPlace && ApplyFontAndPlace(control, FALSE)) {
        return previous;
    }
    RedrawWindow(hwnd_, NULL, NULL, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    return previous;
}

SkinObject* ControlSkinner::GetTooltipSkinObject() const
{
    SkinnedWindow* owner = FrameOwner();
    SkinObject* frame = owner ? owner->GetSkinObject() : NULL;
    SkinObject* tip = frame ? frame->FindChildSkinObject(SkinTypeTooltip, 0) : NULL;
    return tip ? tip : SkinnedWindow::GetTooltipSkinObject();
}

LONG_PTR ControlSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    const int id = GetDlgCtrlID(hwnd);
    HWND parent = GetParent(hwnd);
    if (parent && SendMessageA(parent, WM_SKIN_QUERYCONTROLSKIN, id, reinterpret_cast<LPARAM>(hwnd)))
        return 0;
    SkinObject* own = FindControlSkinObject(id, typeId_);
    if (own)
        SetSkinObject(own); // no window yet: binds only
    const LONG_PTR attached = SkinnedWindow::Attach(hwnd);
    if (!attached)
        return 0;
    if (own)
        ApplyFontAndPlace(own, TRUE);
    else if (const ControlSkinObject* control = Control())
        if (control->autoSkinFont)
            ApplySkinFont(control->Font(), TRUE);
    return attached;
}

void ControlSkinner::Detach()
{
    if (hwnd_ && fontSaved_ && TakesSkinFont(typeId_) && !destroyed_)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(savedFont_), TRUE);
    savedFont_ = NULL;
    fontSaved_ = FALSE;
    SkinnedWindow::Detach();
}

BOOL ControlSkinner::HasCallableProc() const
{
    return ::HasCallableProc(savedProc_);
}

LRESULT ControlSkinner::PassOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HasCallableProc() || !IsButtonType(typeId_) || !GetButtonClassProc())
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    WNDPROC saved = savedProc_;
    savedProc_ = GetButtonClassProc();
    const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
    // The call may have ended in the window's destruction, which already let this object go.
    if (savedProc_ == GetButtonClassProc())
        savedProc_ = saved;
    return result;
}

LRESULT ControlSkinner::OnNcDestroy()
{
    HWND hwnd = hwnd_;
    if (ownerWindow_ && IsWindow(ownerWindow_))
        SendMessageA(ownerWindow_, WM_SKIN_FORGETCHILD, reinterpret_cast<WPARAM>(hwnd), 0);
    if (HasCallableProc() || !IsButtonType(typeId_) || !GetButtonClassProc())
        return SkinnedWindow::OnNcDestroy(); // passes a call handle on through CallWindowProc as well
    destroyed_ = TRUE;
    if (!SkinEngine::Instance().RemoveWindow(hwnd, TRUE)) {
        Unsubclass();
        hwnd_ = NULL;
    }
    return CallWindowProcA(GetButtonClassProc(), hwnd, WM_NCDESTROY, 0, 0);
}

void ControlSkinner::TrackHover()
{
    if (hover_ || !hwnd_)
        return;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    track.dwHoverTime = HOVER_DEFAULT;
    TrackMouseEvent(&track);
    hover_ = TRUE;
    InvalidateRect(hwnd_, NULL, FALSE);
    UpdateWindow(hwnd_);
    ShowTooltip();
}

void ControlSkinner::OnHoverCheck()
{
    if (hover_ && hwnd_) {
        hover_ = FALSE;
        InvalidateRect(hwnd_, NULL, FALSE);
        UpdateWindow(hwnd_);
    }
    // Moving onto the visible tooltip keeps it.
    TooltipWindow* tip = GetTooltipWindow();
    HWND tipWindow = tip ? tip->GetHwnd() : NULL;
    POINT cursor;
    RECT tipRect;
    if (tipWindow && IsWindowVisible(tipWindow) && GetCursorPos(&cursor) && ::GetWindowRect(tipWindow, &tipRect) &&
        PtInRect(&tipRect, cursor))
        return;
    HideTooltip();
}

LRESULT ControlSkinner::PaintSkinBorder(WPARAM region, LPARAM lParam, const SlicedImage& frame, COLORREF color)
{
    if (IsSlicedImageEmpty(frame))
        return CallSavedProc(WM_NCPAINT, region, lParam);
    const LONG exStyle = GetWindowLongA(hwnd_, GWL_EXSTYLE);
    int cx = 0, cy = 0;
    if (exStyle & WS_EX_CLIENTEDGE) {
        cx += GetSystemMetrics(SM_CXEDGE);
        cy += GetSystemMetrics(SM_CYEDGE);
    }
    if (exStyle & WS_EX_DLGMODALFRAME) {
        cx += GetSystemMetrics(SM_CXDLGFRAME);
        cy += GetSystemMetrics(SM_CYDLGFRAME);
    }
    if (exStyle & WS_EX_STATICEDGE) {
        cx += 1;
        cy += 1;
    }
    RECT window;
    ::GetWindowRect(hwnd_, &window);
    RECT inner = window;
    InflateRect(&inner, -cx, -cy);
    HRGN pass = CreateRectRgnIndirect(&inner);
    if (pass && region > 1)
        CombineRgn(pass, pass, reinterpret_cast<HRGN>(region), RGN_AND);
    CallSavedProc(WM_NCPAINT, reinterpret_cast<WPARAM>(pass), lParam);
    // Made for that one message: never the window's.
    if (pass)
        DeleteObject(pass);
    if (cx == 0 || cy == 0)
        return 0;
    HDC dc = GetWindowDC(hwnd_);
    if (!dc)
        return 0;
    RECT bounds = {0, 0, window.right - window.left, window.bottom - window.top};
    ExcludeClipRect(dc, cx, cy, bounds.right - cx, bounds.bottom - cy);
    DrawFrameImageParts(dc, bounds, frame, color, TRUE);
    ReleaseDC(hwnd_, dc);
    return 0;
}

bool ControlSkinner::StillSkinned(HWND self, const ControlSkinner* skinner)
{
    return IsWindow(self) && SkinEngine::Instance().FindSkinnedWindow(self) == skinner;
}

namespace {

template <class Call> LRESULT WhileHidden(HWND self, Call call)
{
    const LONG style = GetWindowLongA(self, GWL_STYLE);
    SetWindowLongA(self, GWL_STYLE, style & ~WS_VISIBLE);
    const LRESULT result = call();
    if (IsWindow(self))
        SetWindowLongA(self, GWL_STYLE, GetWindowLongA(self, GWL_STYLE) | (style & WS_VISIBLE));
    return result;
}

} // namespace

LRESULT ControlSkinner::CallHidden(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WhileHidden(hwnd_, [&] { return ControlSkinner::WindowProc(message, wParam, lParam); });
}

LRESULT ControlSkinner::PassOnHidden(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WhileHidden(hwnd_, [&] { return PassOn(message, wParam, lParam); });
}

void ControlSkinner::OnPaint()
{
    BufferedPaint paint(hwnd_);
    if (paint.Ready()) {
        Paint(paint.Buffer());
        paint.Show();
    }
}

LRESULT ControlSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return SkinnedWindow::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_UPDATEUISTATE:
        return 0;
    case WM_NCDESTROY:
        return OnNcDestroy();
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        HideTooltip();
        break;
    case WM_MOUSEMOVE:
        TrackHover();
        break;
    case WM_MOUSELEAVE:
        OnHoverCheck();
        break;
    case WM_SKIN_REFRESHFONT:
        refreshPending_ = FALSE;
        if (!fontSaved_) {
            savedFont_ = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
            fontSaved_ = TRUE;
        }
        return 0;
    default:
        break;
    }
    return PassOn(message, wParam, lParam);
}
