// DateTimeSkinner: the picker's field and button, and the calendar popup with its loop.
#include "skin/skinners/controls/DateTimeSkinner.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

#include "skin/engine/drawing/PixelSection.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/TessarineInternal.h"
#include "skin/skinners/controls/DateTimeFields.h"

namespace {

const int kEditChildId = 1000;

enum { ButtonNormal, ButtonPressed, ButtonDisabled };

void NotifyParent(HWND picker, UINT code)
{
    HWND parent = GetParent(picker);
    if (!parent)
        return;
    NMHDR header = {};
    header.hwndFrom = picker;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
    header.code = code;
    SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

} // namespace

DateTimeSkinner::DateTimeSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeDateTime), popup_(NULL), cancelPopup_(FALSE)
{
}

bool DateTimeSkinner::HasDropButton(LONG style)
{
    return !(style & DTS_UPDOWN);
}

LONG_PTR DateTimeSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (attached) {
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (style & DTS_APPCANPARSE)
            SetWindowLongA(hwnd, GWL_STYLE, style & ~DTS_APPCANPARSE);
    }
    return attached;
}

void DateTimeSkinner::Paint(HDC dc)
{
    const DateTimeSkinObject* object = dynamic_cast<const DateTimeSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    DrawImagePart(dc, client, enabled ? object->part1 : object->part2, enabled ? object->color : object->color2, TRUE);
    char text[100];
    const int length = ReadWindowText(hwnd_, text, 99);
    const ControlFontInDc font(hwnd_, dc);
    SetBkMode(dc, TRANSPARENT);
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    RECT textRect = client;
    textRect.left += 2;
    if (HasDropButton(style))
        textRect.right -= kDateTimeButtonWidth;
    DrawTextEffect(dc, enabled ? object->effect1 : object->effect2, textRect, text, length,
                   DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (enabled && GetFocus() == hwnd_)
        HighlightSelectedField(dc, textRect, text, length);
    if (!HasDropButton(style))
        return;
    RECT button = client;
    button.left = client.right - kDateTimeButtonWidth;
    const SlicedImage& normal = object->images[ButtonNormal];
    const SlicedImage& pressed = object->images[ButtonPressed];
    SlicedImage chosen = popup_ ? ChooseImagePart(pressed, normal) : ChooseImagePart(normal, pressed);
    if (!enabled)
        chosen = ChooseImagePart(object->images[ButtonDisabled], chosen);
    if (IsSlicedImageEmpty(chosen))
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (enabled ? 0 : DFCS_INACTIVE) | (popup_ ? DFCS_PUSHED : 0));
    else
        DrawFrameImage(dc, button, chosen, GetSysColor(COLOR_BTNFACE), TRUE);
}

// The control alone knows which field is being edited; it shows it in its own painting as a filled
// rectangle across the text's top line. That painting is asked for off-screen and the field of this
// drawing nearest to its rectangle is highlighted the system's way.
void DateTimeSkinner::HighlightSelectedField(HDC dc, const RECT& textRect, const char* text, int length)
{
    TEXTMETRICA metrics;
    if (length <= 0 || !GetTextMetricsA(dc, &metrics))
        return;
    int from = 0, to = 0;
    if (!FindOwnSelection(&from, &to))
        return;
    std::vector<int> ends(static_cast<size_t>(length));
    SIZE whole;
    int fit = 0;
    if (!GetTextExtentExPointA(dc, text, length, INT_MAX, &fit, ends.data(), &whole))
        return;
    const DateTimeField field =
        NearestDateTimeField(SplitDateTimeFields(text, length), ends, (from + to) / 2 - textRect.left);
    if (field.first < 0)
        return;
    const int lineTop = (textRect.top + textRect.bottom - metrics.tmHeight) / 2;
    RECT mark = {textRect.left + (field.first ? ends[field.first - 1] : 0), lineTop, textRect.left + ends[field.last],
                 lineTop + metrics.tmHeight};
    FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutA(dc, mark.left, lineTop, ETO_CLIPPED, &mark, text + field.first, field.last - field.first + 1, NULL);
}

// The control's own painting, asked for off-screen: the selected field is the largest patch of one colour
// that is neither the background nor the text's, when that patch is a filled rectangle; its left and
// right edges.
bool DateTimeSkinner::FindOwnSelection(int* from, int* to)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return false;
    PixelSection own(width, height);
    if (!own.Ok())
        return false;
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(own.Dc(), &client, brush);
    DeleteObject(brush);
    CallSavedProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.Dc()), PRF_CLIENT);
    GdiFlush();
    const uint32_t* pixels = own.Pixels();
    auto colourAt = [&](int x, int y) {
        const uint32_t p = pixels[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    std::map<COLORREF, int> counts;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ++counts[colourAt(x, y)];
    counts.erase(background);
    counts.erase(GetSysColor(COLOR_WINDOWTEXT));
    COLORREF fill = CLR_INVALID;
    int most = 20;
    for (const auto& entry : counts)
        if (entry.second > most) {
            fill = entry.first;
            most = entry.second;
        }
    *from = *to = -1;
    int top = height, bottom = -1;
    if (fill != CLR_INVALID)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (colourAt(x, y) == fill) {
                    if (*from < 0 || x < *from)
                        *from = x;
                    *to = std::max(*to, x + 1);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
    // A filled rectangle, not the scattered shades of smoothed text (with no field selected yet).
    return *from >= 0 && most * 10 >= (*to - *from) * (bottom - top) * 6;
}

bool DateTimeSkinner::RunPopup(HWND self, HWND calendar, HWND root, bool rootWasActive)
{
    const DateTimeSkinner* me = this;
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, NULL, 0, 0);
        if (got == 0) {
            // The quit belongs to the program's own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        const bool forCalendar = msg.hwnd && (msg.hwnd == calendar || IsChild(calendar, msg.hwnd));
        if (!forCalendar && (msg.message == WM_NCLBUTTONDOWN || msg.message == WM_LBUTTONDOWN ||
                             msg.message == WM_RBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN))
            break;
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_CANCELMODE)
            break;
        DispatchMessageA(&msg);
        // The picker (and this object with it) may be gone after any dispatch.
        if (!StillSkinned(self, me)) {
            if (IsWindow(calendar))
                DestroyWindow(calendar);
            return false;
        }
        if (!IsWindow(calendar) || cancelPopup_)
            break;
        if (rootWasActive && GetActiveWindow() != root && GetActiveWindow() != calendar)
            break;
        if (forCalendar && msg.message == WM_LBUTTONUP) {
            MCHITTESTINFO hit = {};
            hit.cbSize = sizeof hit;
            hit.pt.x = static_cast<short>(LOWORD(msg.lParam));
            hit.pt.y = static_cast<short>(HIWORD(msg.lParam));
            if (msg.hwnd != calendar)
                MapWindowPoints(msg.hwnd, calendar, &hit.pt, 1);
            if (SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == MCHT_CALENDARDATE) {
                SYSTEMTIME day = {};
                SendMessageA(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
                SYSTEMTIME chosen = {};
                chosen.wYear = day.wYear;
                chosen.wMonth = day.wMonth;
                chosen.wDayOfWeek = day.wDayOfWeek;
                chosen.wDay = day.wDay;
                DestroyWindow(calendar);
                popup_ = NULL;
                NotifyParent(self, DTN_CLOSEUP);
                if (!IsWindow(self))
                    return false;
                SendMessageA(self, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&chosen));
                // Setting the value tells nobody: the parent hears of the choice as from the control's own popup.
                NMDATETIMECHANGE change = {};
                change.nmhdr.hwndFrom = self;
                change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(self));
                change.nmhdr.code = DTN_DATETIMECHANGE;
                change.dwFlags = GDT_VALID;
                change.st = chosen;
                if (HWND parent = GetParent(self))
                    SendMessageA(parent, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
                if (IsWindow(self))
                    InvalidateRect(self, NULL, FALSE);
                return IsWindow(self) != FALSE;
            }
        }
    }
    if (IsWindow(calendar))
        DestroyWindow(calendar);
    popup_ = NULL;
    NotifyParent(self, DTN_CLOSEUP);
    if (IsWindow(self))
        InvalidateRect(self, NULL, FALSE);
    return IsWindow(self) != FALSE;
}

LRESULT DateTimeSkinner::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (popup_)
        return 1;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int x = static_cast<short>(LOWORD(lParam));
    if (!HasDropButton(GetWindowLongA(hwnd_, GWL_STYLE)) || x < client.right - kDateTimeButtonWidth)
        return ControlSkinner::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    HWND self = hwnd_;
    HWND parent = GetParent(self);
    HWND root = GetAncestor(self, GA_ROOT);
    // Read before the popup opens: showing it may take the activation from the dialog.
    const bool rootWasActive = GetActiveWindow() == root;
    RECT window;
    ::GetWindowRect(self, &window);
    HWND calendar =
        CreateWindowExA(0, MONTHCAL_CLASSA, "MonthCal32", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER,
                        window.left, window.bottom, 0, 0, parent, NULL, TessarineInstance(), NULL);
    if (!calendar)
        return 1;
    popup_ = calendar;
    cancelPopup_ = FALSE;
    InvalidateRect(self, NULL, FALSE);
    SYSTEMTIME value = {};
    SendMessageA(self, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    NotifyParent(self, DTN_DROPDOWN);
    if (!StillSkinned(self, this)) {
        if (IsWindow(calendar))
            DestroyWindow(calendar);
        return 1;
    }
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&value));
    RECT size = {};
    SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
    MoveWindow(calendar, window.left, window.bottom, size.right - size.left + 2, size.bottom - size.top + 2, TRUE);
    RunPopup(self, calendar, root, rootWasActive);
    return 1;
}

LRESULT DateTimeSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        const bool fromEdit = header && header->idFrom == kEditChildId;
        return PassOnThen(message, wParam, lParam, [&] {
            if (fromEdit)
                InvalidateRect(hwnd_, NULL, FALSE);
        });
    }
    case WM_NCPAINT: {
        const DateTimeSkinObject* object = dynamic_cast<const DateTimeSkinObject*>(skinObject_);
        if (!object)
            break;
        return PaintSkinBorder(wParam, lParam, object->controlFrame, object->color);
    }
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, lParam);
    case DTM_GETMONTHCAL:
        return reinterpret_cast<LRESULT>(popup_);
    case WM_CANCELMODE:
        if (popup_)
            cancelPopup_ = TRUE;
        break;
    default:
        break;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
