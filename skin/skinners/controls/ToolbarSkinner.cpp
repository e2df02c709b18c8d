// ToolbarSkinner: background (turned in a side-docked control bar), button pictures, icons, drop-down
// arrows and texts; tips by the button under the mouse.
#include "skin/skinners/controls/ToolbarSkinner.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/BarSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/tooltip/TooltipWindow.h"
#include "skin/skinners/controls/ControlBarSkinner.h"
#include "skin/skinners/controls/QuarterTurn.h"

namespace {

const int kDropWidth = 6;
// Longer texts than this are not toolbar labels; they are not read at all.
const LRESULT kLongestReadText = 0x10000;

// The control bars whose toolbars turn their background when docked at a side.
bool IsDockingBarClass(const char* name)
{
    for (const char* docking : {"AfxControlBar42s", "AfxControlBar42sd", "AfxControlBar42su", "AfxControlBar42sud"})
        if (std::strcmp(name, docking) == 0)
            return true;
    return false;
}

void DrawDropArrow(HDC dc, const RECT& button)
{
    static const int kWidths[] = {6, 4, 2, 2};
    const int right = button.right - 3;
    const int top = button.top + (button.bottom - button.top - 4) / 2;
    for (int row = 0; row < 4; ++row) {
        const int inset = (6 - kWidths[row]) / 2;
        const RECT line = {right - 6 + inset, top + row, right - inset, top + row + 1};
        FillRectColor(dc, line, RGB(0, 0, 0));
    }
}

bool GetButton(HWND toolbar, int index, TBBUTTON* button)
{
    *button = TBBUTTON{};
    return SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(button)) != 0;
}

// The button under a point of the client, -1 for none (separators are no buttons).
int HitButton(HWND toolbar, POINT point)
{
    const int index = static_cast<int>(SendMessageA(toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
    TBBUTTON button;
    if (index < 0 || !GetButton(toolbar, index, &button) || (button.fsStyle & BTNS_SEP))
        return -1;
    return index;
}

// The button picture of a state: 1 pressed or checked, 3 indeterminate or disabled, 2 hot, else 0.
int ToolbarImageIndex(BYTE state, bool hot)
{
    if (state & (TBSTATE_PRESSED | TBSTATE_CHECKED))
        return 1;
    if ((state & TBSTATE_INDETERMINATE) || !(state & TBSTATE_ENABLED))
        return 3;
    return hot ? 2 : 0;
}

} // namespace

bool ToolbarDockedAtSide(HWND toolbar)
{
    HWND bar = toolbar ? GetParent(toolbar) : NULL;
    char name[64] = "";
    if (!bar || !GetClassNameA(bar, name, sizeof name) || !IsDockingBarClass(name))
        return false;
    return ControlBarDockedAtSide(GetWindowLongA(bar, GWL_STYLE));
}

std::string ReadToolbarButtonText(HWND toolbar, int command)
{
    const LRESULT length = SendMessageA(toolbar, TB_GETBUTTONTEXTA, command, 0);
    if (length <= 0 || length > kLongestReadText)
        return {};
    // Room for two bytes a character: some versions count the text in characters, not bytes.
    std::vector<char> whole(static_cast<size_t>(length) * 2 + 2, '\0');
    SendMessageA(toolbar, TB_GETBUTTONTEXTA, command, reinterpret_cast<LPARAM>(whole.data()));
    whole.back() = '\0';
    char shown[kToolbarTextMax + 1];
    tessarine::CopyText(shown, sizeof shown, whole.data());
    return shown;
}

ToolbarSkinner::ToolbarSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeToolBar), hot_(-1) {}

const ToolBarSkinObject* ToolbarSkinner::Object() const
{
    return dynamic_cast<const ToolBarSkinObject*>(skinObject_);
}

void ToolbarSkinner::PaintBackground(HDC dc, const RECT& rect)
{
    const ControlSkinObject* object = Control();
    if (!object)
        return;
    if (ToolbarDockedAtSide(hwnd_))
        DrawFrameImageTurned(dc, rect, object->controlFrame, object->color, 270);
    else
        DrawFrameImage(dc, rect, object->controlFrame, object->color, TRUE);
}

bool ToolbarSkinner::HasButtonText()
{
    const int count = static_cast<int>(SendMessageA(hwnd_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button;
        if (GetButton(hwnd_, i, &button) && SendMessageA(hwnd_, TB_GETBUTTONTEXTA, button.idCommand, 0) > 0)
            return true;
    }
    return false;
}

void ToolbarSkinner::PaintButton(HDC dc, int index, bool hot, bool textMode)
{
    const ToolBarSkinObject* object = Object();
    HIMAGELIST images = NULL;
    if (hot)
        images = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd_, TB_GETHOTIMAGELIST, 0, 0));
    if (!images)
        images = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd_, TB_GETIMAGELIST, 0, 0));
    HIMAGELIST disabledImages = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd_, TB_GETDISABLEDIMAGELIST, 0, 0));
    TBBUTTON button;
    RECT r;
    if (!object || !images || !GetButton(hwnd_, index, &button) ||
        !SendMessageA(hwnd_, TB_GETRECT, button.idCommand, reinterpret_cast<LPARAM>(&r)))
        return;
    if ((button.fsStyle & BTNS_SEP) || (button.fsState & TBSTATE_HIDDEN))
        return;
    DrawFrameImageTransparent(dc, r, object->images[ToolbarImageIndex(button.fsState, hot)], TransparentColor());
    if (button.fsStyle & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) {
        DrawDropArrow(dc, r);
        r.right -= kDropWidth;
    }
    int iconWidth = 0, iconHeight = 0;
    const bool icon = button.iBitmap >= 0 && ImageList_GetIconSize(images, &iconWidth, &iconHeight);
    const bool list = (SendMessageA(hwnd_, TB_GETSTYLE, 0, 0) & TBSTYLE_LIST) != 0;
    POINT at = {r.left + (r.right - r.left - iconWidth) / 2, r.top + (r.bottom - r.top - iconHeight) / 2};
    RECT textRect = r;
    UINT format = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    if (textMode && list) {
        at.x = r.left + 2;
        textRect.left = at.x + iconWidth + 2;
        format = DT_SINGLELINE | DT_VCENTER;
    } else if (textMode) {
        at.y = r.top + 2;
        textRect.top = r.top + iconHeight + 4;
        textRect.bottom = r.bottom - 2;
    }
    if (icon) {
        const bool disabled = (button.fsState & TBSTATE_INDETERMINATE) || !(button.fsState & TBSTATE_ENABLED);
        if (disabled && disabledImages) {
            ImageList_Draw(disabledImages, button.iBitmap, dc, at.x, at.y, ILD_TRANSPARENT);
        } else if (disabled) {
            HICON picture = ImageList_GetIcon(images, button.iBitmap, ILD_NORMAL);
            if (picture) {
                DrawStateA(dc, NULL, NULL, reinterpret_cast<LPARAM>(picture), 0, at.x, at.y, iconWidth, iconHeight,
                           DST_ICON | DSS_DISABLED);
                DestroyIcon(picture);
            }
        } else {
            ImageList_Draw(images, button.iBitmap, dc, at.x, at.y, ILD_TRANSPARENT);
        }
    }
    if (!textMode)
        return;
    const std::string text = ReadToolbarButtonText(hwnd_, button.idCommand);
    if (text.empty())
        return;
    const ControlFontInDc font(hwnd_, dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, object->font.color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
}

void ToolbarSkinner::Paint(HDC dc)
{
    if (!hwnd_ || !Control())
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    PaintBackground(dc, client);
    const bool textMode = HasButtonText();
    const int count = static_cast<int>(SendMessageA(hwnd_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        PaintButton(dc, i, false, textMode);
    const int hotItem = static_cast<int>(SendMessageA(hwnd_, TB_GETHOTITEM, 0, 0));
    if (hotItem >= 0 && hotItem < count)
        PaintButton(dc, hotItem, true, textMode);
}

std::string ToolbarSkinner::GetTipText(POINT screenPoint) const
{
    TooltipWindow* tip = GetTooltipWindow();
    if (!hwnd_ || !tip)
        return {};
    ScreenToClient(hwnd_, &screenPoint);
    const int index = HitButton(hwnd_, screenPoint);
    TBBUTTON button;
    if (index < 0 || !GetButton(hwnd_, index, &button))
        return {};
    return tip->GetDrawer().GetStringPart(button.idCommand, 1);
}

void ToolbarSkinner::SetTipText(const char* text)
{
    ControlSkinner::SetTipText(text);
    if (hwnd_)
        SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) & ~0x10L);
}

void ToolbarSkinner::OnHoverCheck()
{
    ControlSkinner::OnHoverCheck();
    hot_ = -1;
}

void ToolbarSkinner::OnToolbarPaint()
{
    BufferedPaint paint(hwnd_);
    if (paint.Ready()) {
        // The toolbar paints first, so whatever it keeps up to date while painting stays so.
        PassOn(WM_PAINT, reinterpret_cast<WPARAM>(paint.Buffer().Dc()), 0);
        Paint(paint.Buffer());
        paint.Show();
    }
}

void ToolbarSkinner::OnNcPaint()
{
    RECT window, client;
    ::GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, NULL, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    HDC dc = GetWindowDC(hwnd_);
    if (!dc)
        return;
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    PaintBackground(dc, window);
    ReleaseDC(hwnd_, dc);
}

void ToolbarSkinner::OnMouseMove(LPARAM point)
{
    const POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const int index = HitButton(hwnd_, at);
    TooltipWindow* tip = GetTooltipWindow();
    if (index < 0 || tipText_.empty() || !tip) {
        // Off the buttons the next button reached is a new one, even the one just left.
        hot_ = -1;
        HideTooltip();
        return;
    }
    if (index == hot_)
        return;
    hot_ = index;
    tip->SetOwner(this);
    tip->SetSkinObject(GetTooltipSkinObject());
    // A placeholder: when the delay ends the tooltip asks GetTipText for the text at the cursor.
    tip->Request("TB", NULL);
}

void ToolbarSkinner::OnLButtonDown(LPARAM point)
{
    const POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const int index = HitButton(hwnd_, at);
    if (index < 0)
        return;
    HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    PaintButton(dc, index, false, HasButtonText());
    ReleaseDC(hwnd_, dc);
}

LRESULT ToolbarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        OnToolbarPaint();
        return 0;
    case WM_NCPAINT:
        OnNcPaint();
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
        // What the toolbar does with the press may end in its destruction, and this object's with it.
        PassOnThen(message, wParam, lParam, [&] {
            if (message == WM_MOUSEMOVE)
                OnMouseMove(lParam);
            else
                OnLButtonDown(lParam);
        });
        return 0;
    }
    case WM_LBUTTONUP:
        ControlSkinner::WindowProc(message, wParam, lParam);
        return 0;
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
