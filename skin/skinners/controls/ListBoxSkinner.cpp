// ListBoxSkinner: colours and the font-change repaint.
#include "skin/skinners/controls/ListBoxSkinner.h"

#include "skin/engine/objects/ControlSkinObjects.h"

ListBoxSkinner::ListBoxSkinner(SkinnedWindow* owner)
    : ScrollControlSkinner(owner, SkinTypeListBox), backgroundBrush_(NULL)
{
}

ListBoxSkinner::~ListBoxSkinner()
{
    Detach();
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
}

void ListBoxSkinner::OnBound()
{
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
    backgroundBrush_ = NULL;
    if (const ScrollControlSkinObject* scroll = ScrollObject())
        backgroundBrush_ = CreateSolidBrush(scroll->color & 0xFFFFFF);
}

LONG_PTR ListBoxSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    char name[32] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, "ComboLBox") != 0 &&
        (GetWindowLongA(hwnd, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        return 0;
    return ScrollControlSkinner::Attach(hwnd);
}

LRESULT ListBoxSkinner::OnCtlColorListBox(HDC dc)
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (!object)
        return 0;
    SetBkColor(dc, object->color & 0xFFFFFF);
    SetTextColor(dc, object->textColor & 0xFFFFFF);
    return reinterpret_cast<LRESULT>(backgroundBrush_);
}

LRESULT ListBoxSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETFONT: {
        HWND self = hwnd_;
        RECT r;
        ::GetWindowRect(self, &r);
        const LRESULT result = ScrollControlSkinner::WindowProc(message, wParam, lParam);
        // The list's old place, in the window that holds its parent (a combo box's dialog); nothing
        // without one, rather than the whole desktop.
        HWND parent = GetParent(self);
        HWND grand = parent ? GetParent(parent) : NULL;
        if (grand) {
            MapWindowPoints(NULL, grand, reinterpret_cast<POINT*>(&r), 2);
            InvalidateRect(grand, &r, TRUE);
            UpdateWindow(grand);
        }
        return result;
    }
    case WM_CTLCOLORLISTBOX:
        if (reinterpret_cast<HWND>(lParam) == hwnd_ && ScrollObject())
            return OnCtlColorListBox(reinterpret_cast<HDC>(wParam));
        break;
    default:
        break;
    }
    return ScrollControlSkinner::WindowProc(message, wParam, lParam);
}
