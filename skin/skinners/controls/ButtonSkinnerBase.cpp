// ButtonSkinnerBase: mouse, space bar, focus and check state of the skinned buttons; the check-item drawing.
#include "skin/skinners/controls/ButtonSkinnerBase.h"

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"

void DrawParentBackground(HWND control, HWND holder, HDC dc)
{
    RECT client;
    GetClientRect(control, &client);
    // A holder that answers 0 painted nothing: the face colour, never what the buffer held before.
    if (!holder ||
        !AskWindow(holder, WM_SKIN_DRAWBACKGROUND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)))
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

ButtonSkinnerBase::ButtonSkinnerBase(SkinnedWindow* owner, int typeId)
    : ControlSkinner(owner, typeId), reserved1_(0), reserved2_(0), pressed_(FALSE)
{
}

LONG_PTR ButtonSkinnerBase::Attach(HWND hwnd)
{
    if (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & BS_OWNERDRAW) == BS_OWNERDRAW)
        return 0;
    return ControlSkinner::Attach(hwnd);
}

void ButtonSkinnerBase::OnClick() {}

void ButtonSkinnerBase::PaintBuffered()
{
    if (!hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    MemoryDC buffer;
    if (buffer.Create(dc, client.right, client.bottom)) {
        PaintInto(buffer);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    }
    ReleaseDC(hwnd_, dc);
}

ButtonInputs ButtonSkinnerBase::Inputs() const
{
    ButtonInputs in = {};
    if (!hwnd_)
        return in;
    const LRESULT state = AskWindow(hwnd_, BM_GETSTATE, 0, 0);
    in.enabled = IsWindowEnabled(hwnd_) != FALSE;
    in.checked = (state & BST_CHECKED) != 0;
    in.pushed = (state & BST_PUSHED) != 0;
    in.pressed = pressed_ != FALSE;
    in.hover = hover_ != FALSE;
    in.focused = GetFocus() == hwnd_;
    return in;
}

void ButtonSkinnerBase::PostClick()
{
    HWND parent = GetParent(hwnd_);
    if (parent)
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

void ButtonSkinnerBase::CancelPress()
{
    if (!pressed_)
        return;
    pressed_ = FALSE;
    if (IsWindow(hwnd_))
        PaintBuffered();
}

void ButtonSkinnerBase::DrawCheckItem(HDC dc, const ImagePart& background, const ImagePart& box,
                                      const TextEffect& effect, BOOL transparent)
{
    RECT r;
    GetClientRect(hwnd_, &r);
    if (transparent)
        DrawParentBackground(hwnd_, FindTabParent(), dc);
    else
        DrawImagePart(dc, r, background, GetSysColor(COLOR_BTNFACE), TRUE);
    // The background part's margins are not part of an image part: the whole client is the area.
    const ControlFontInDc font(hwnd_, dc);
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const int boxWidth = box.source.right - box.source.left, boxHeight = box.source.bottom - box.source.top;
    RECT boxRect = r, textArea = r;
    if (style & BS_LEFTTEXT) {
        boxRect.left = r.right - boxWidth;
        textArea.right = boxRect.left;
    } else {
        textArea.left = r.left + boxWidth + 2;
    }
    boxRect.right = boxRect.left + boxWidth;
    const LONG vertical = style & BS_VCENTER;
    if (vertical == BS_TOP)
        boxRect.top = r.top;
    else if (vertical == BS_BOTTOM)
        boxRect.top = r.bottom - boxHeight;
    else
        boxRect.top = r.top + (r.bottom - r.top - boxHeight) / 2;
    boxRect.bottom = boxRect.top + boxHeight;
    if (boxWidth > 0 && boxHeight > 0) {
        const COLORREF key = TransparentColor();
        MemoryDC boxBuffer;
        if (boxBuffer.Create(dc, boxWidth, boxHeight)) {
            const RECT inner = {0, 0, boxWidth, boxHeight};
            DrawImagePart(boxBuffer, inner, box, key, TRUE);
            StretchBlitTransparent(dc, boxRect.left, boxRect.top, boxWidth, boxHeight, boxBuffer, 0, 0, boxWidth,
                                   boxHeight, key);
        }
    }
    char text[200];
    const int length = ReadWindowText(hwnd_, text, 199);
    if (length > 0) {
        const UINT format = ButtonTextFormat(style, GetWindowLongA(hwnd_, GWL_EXSTYLE));
        RECT measured = textArea;
        DrawTextExA(dc, text, length, &measured, format | DT_CALCRECT, NULL);
        RECT placed =
            PlaceButtonContent(textArea, measured.right - measured.left, measured.bottom - measured.top, style);
        SetBkMode(dc, TRANSPARENT);
        DrawTextEffect(dc, effect, placed, text, length, format);
    }
}

LRESULT ButtonSkinnerBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    HWND self = hwnd_;
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (IsWindow(self))
            PaintBuffered();
        return 0;
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTATE:
        return PassOnThen(message, wParam, lParam, [&] { PaintBuffered(); });
    case BM_GETCHECK:
        return GetWindowWord(hwnd_, 0) & 3;
    case BM_SETCHECK:
        SetWindowWord(hwnd_, 0, SetCheckBits(GetWindowWord(hwnd_, 0), wParam));
        PaintBuffered();
        return 0;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE)
            break;
        pressed_ = TRUE;
        PaintBuffered();
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE)
            break;
        if (!pressed_)
            return 0; // the press began elsewhere
        pressed_ = FALSE;
        OnClick();
        PaintBuffered();
        PostClick();
        return 0;
    case WM_CHAR:
    case WM_DEADCHAR:
        if (GetCapture() == hwnd_) {
            ReleaseCapture();
            CancelPress();
        }
        break;
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) && GetCapture() == hwnd_) {
            RECT client;
            GetClientRect(hwnd_, &client);
            const POINT point = PointFromLParam(lParam);
            const BOOL inside = PtInRect(&client, point);
            if (inside != pressed_) {
                pressed_ = inside;
                PaintBuffered();
            }
            TrackHover();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        HideTooltip();
        if (GetFocus() != hwnd_)
            SetFocus(hwnd_);
        SetCapture(hwnd_);
        pressed_ = TRUE;
        PaintBuffered();
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd_) {
            RECT client;
            GetClientRect(hwnd_, &client);
            const POINT point = PointFromLParam(lParam);
            const BOOL inside = PtInRect(&client, point);
            pressed_ = FALSE;
            ReleaseCapture();
            if (inside)
                OnClick();
            PaintBuffered();
            if (inside)
                PostClick();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // A capture taken away (a message box, another window) ends the press without a click.
        if (reinterpret_cast<HWND>(lParam) != hwnd_)
            CancelPress();
        break;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        CancelPress();
        break;
    default:
        break;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
