// ComboBoxSkinner: combo geometry, drawing, colours of the edit field and the drop button's states.
#include "skin/skinners/controls/ComboBoxSkinner.h"

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"

ComboGeometry LayoutCombo(const RECT& client, const RECT& margins, int arrowWidth)
{
    ComboGeometry g;
    g.button = RECT{client.right - arrowWidth, client.top + margins.top, client.right - margins.right,
                    client.bottom - margins.bottom};
    g.field = RECT{client.left + margins.left, client.top + margins.top, client.right - margins.right,
                   client.bottom - margins.bottom};
    g.text = RECT{client.left + margins.left + 1, client.top + margins.top + 1, g.button.left - 2,
                  client.bottom - margins.bottom - 1};
    g.hoverZone = RECT{client.right - 16, client.top, client.right - margins.right, client.bottom - margins.bottom};
    return g;
}

int ComboButtonImage(bool enabled, int state, const bool* emptyByImage)
{
    int wanted = ComboBoxSkinObject::ThumbNormal;
    if (!enabled)
        wanted = ComboBoxSkinObject::ThumbDisabled;
    else if (state == ComboBoxSkinner::ButtonHover)
        wanted = ComboBoxSkinObject::ThumbHovered;
    else if (state == ComboBoxSkinner::ButtonPressed)
        wanted = ComboBoxSkinObject::ThumbPressed;
    return emptyByImage[wanted] ? ComboBoxSkinObject::ThumbNormal : wanted;
}

ComboBoxSkinner::ComboBoxSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeComboBox), ownerDraw_(FALSE), backgroundBrush_(NULL), disabledBrush_(NULL),
      buttonState_(ButtonNormal)
{
}

ComboBoxSkinner::~ComboBoxSkinner()
{
    Detach();
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
    if (disabledBrush_)
        DeleteObject(disabledBrush_);
}

const ComboBoxSkinObject* ComboBoxSkinner::Combo() const
{
    return dynamic_cast<const ComboBoxSkinObject*>(skinObject_);
}

void ComboBoxSkinner::OnBound()
{
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
    if (disabledBrush_)
        DeleteObject(disabledBrush_);
    backgroundBrush_ = disabledBrush_ = NULL;
    if (const ComboBoxSkinObject* combo = Combo()) {
        backgroundBrush_ = CreateSolidBrush(combo->color & 0xFFFFFF);
        disabledBrush_ = CreateSolidBrush(combo->disabledBackground & 0xFFFFFF);
    }
}

LONG_PTR ComboBoxSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if ((style & CBS_OWNERDRAWVARIABLE) || (style & 3) == CBS_SIMPLE)
        return 0;
    ownerDraw_ = (style & CBS_OWNERDRAWFIXED) != 0;
    return ControlSkinner::Attach(hwnd);
}

void ComboBoxSkinner::DrawButton(HDC dc, const ComboGeometry& geometry)
{
    const ComboBoxSkinObject* combo = Combo();
    bool empty[4];
    for (int i = 0; i < 4; ++i)
        empty[i] = IsSlicedImageEmpty(combo->thumbs[i]);
    // A dropped list keeps the button pressed until it closes.
    const int state = AskWindow(hwnd_, CB_GETDROPPEDSTATE, 0, 0) ? ButtonPressed : buttonState_;
    const int image = ComboButtonImage(IsWindowEnabled(hwnd_) != FALSE, state, empty);
    if (!empty[image])
        DrawFrameImageTransparent(dc, geometry.button, combo->thumbs[image], TransparentColor());
    else
        DrawFrameControl(dc, const_cast<RECT*>(&geometry.button), DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (state == ButtonPressed ? DFCS_PUSHED : 0) |
                             (IsWindowEnabled(hwnd_) ? 0 : DFCS_INACTIVE));
}

void ComboBoxSkinner::Paint(HDC dc)
{
    const ComboBoxSkinObject* combo = Combo();
    if (!hwnd_ || !combo)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const ComboGeometry g = LayoutCombo(client, combo->controlFrame.margins, GetSystemMetrics(SM_CXHSCROLL));
    const BOOL enabled = IsWindowEnabled(hwnd_);
    const BOOL focused = GetFocus() == hwnd_;
    DrawFrameImageParts(dc, client, combo->controlFrame, combo->color & 0xFFFFFF, TRUE);
    FillRect(dc, &g.field, enabled ? backgroundBrush_ : disabledBrush_);
    if (!enabled)
        FillRectColor(dc, g.text, combo->disabledBackground & 0xFFFFFF);
    else if (focused)
        FillRectColor(dc, g.text, combo->focusColor & 0xFFFFFF);
    const LRESULT selected = AskWindow(hwnd_, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) {
        const LRESULT length = AskWindow(hwnd_, CB_GETLBTEXTLEN, selected, 0);
        if (length > 0 && length < 4096) {
            char text[4097];
            const LRESULT got = AskWindow(hwnd_, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
            if (got > 0 && got <= length) {
                const ControlFontInDc font(hwnd_, dc);
                SetBkMode(dc, TRANSPARENT);
                COLORREF color = combo->font.color;
                if (!enabled)
                    color = combo->disabledText;
                else if (focused)
                    color = combo->focusTextColor;
                SetTextColor(dc, color & 0xFFFFFF);
                RECT r = g.text;
                DrawTextA(dc, text, static_cast<int>(got), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            }
        }
    }
    DrawButton(dc, g);
}

void ComboBoxSkinner::PaintOwnerDraw()
{
    const ComboBoxSkinObject* combo = Combo();
    BufferedPaint paint(hwnd_);
    const RECT& client = paint.Client();
    MemoryDC& skin = paint.Buffer();
    MemoryDC own;
    if (combo && paint.Ready() && own.Create(paint.Screen(), client.right, client.bottom)) {
        FillRect(own, &client, GetSysColorBrush(COLOR_WINDOW));
        CallSavedProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.Dc()), PRF_CLIENT);
        const int arrow = GetSystemMetrics(SM_CXHSCROLL);
        DrawFrameImage(skin, client, combo->controlFrame, combo->color & 0xFFFFFF, TRUE);
        DrawButton(skin, LayoutCombo(client, combo->controlFrame.margins, arrow));
        BitBlt(skin, client.left + 2, client.top + 2, client.right - arrow - 4, client.bottom - 4, own, 2, 2, SRCCOPY);
        paint.Show();
    }
}

void ComboBoxSkinner::Repaint(BOOL erase)
{
    InvalidateRect(hwnd_, NULL, erase);
    UpdateWindow(hwnd_);
}

void ComboBoxSkinner::OnHoverCheck()
{
    buttonState_ = ButtonNormal;
    ControlSkinner::OnHoverCheck();
}

LRESULT ComboBoxSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    const ComboBoxSkinObject* combo = Combo();
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
    case CB_SELECTSTRING:
    case CB_SETCURSEL:
    case WM_ENABLE:
    case CB_SHOWDROPDOWN:
        return PassOnThen(message, wParam, lParam, [&] { Repaint(TRUE); });
    case WM_PAINT:
        if (ownerDraw_) {
            PaintOwnerDraw();
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT: {
        if (!combo)
            break;
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (IsWindowEnabled(hwnd_)) {
            SetBkColor(dc, combo->color & 0xFFFFFF);
            SetTextColor(dc, combo->textColor & 0xFFFFFF);
            return reinterpret_cast<LRESULT>(backgroundBrush_);
        }
        SetBkColor(dc, combo->disabledBackground & 0xFFFFFF);
        SetTextColor(dc, combo->disabledText & 0xFFFFFF);
        return reinterpret_cast<LRESULT>(disabledBrush_);
    }
    case WM_CTLCOLORSTATIC:
        if (!combo || !disabledBrush_)
            break;
        SetBkColor(reinterpret_cast<HDC>(wParam), combo->disabledBackground & 0xFFFFFF);
        SetTextColor(reinterpret_cast<HDC>(wParam), combo->disabledText & 0xFFFFFF);
        return reinterpret_cast<LRESULT>(disabledBrush_);
    case WM_MOUSEMOVE:
        return PassOnThen(message, wParam, lParam, [&] {
            if (!combo)
                return;
            RECT client;
            GetClientRect(hwnd_, &client);
            const ComboGeometry g = LayoutCombo(client, combo->controlFrame.margins, GetSystemMetrics(SM_CXHSCROLL));
            const POINT point = PointFromLParam(lParam);
            if (PtInRect(&g.hoverZone, point) && buttonState_ != ButtonHover) {
                buttonState_ = ButtonHover;
                Repaint(FALSE);
            }
        });
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return PassOnThen(message, wParam, lParam, [&] {
            buttonState_ = message == WM_LBUTTONDOWN ? ButtonPressed : ButtonNormal;
            Repaint(FALSE);
        });
    default:
        break;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
