// TreeViewSkinner: colours.
#include "skin/skinners/controls/TreeViewSkinner.h"

#include <commctrl.h>

#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/toolkit/SkinMessages.h"

TreeViewSkinner::TreeViewSkinner(SkinnedWindow* owner) : ScrollControlSkinner(owner, SkinTypeTreeView) {}

SkinObject* TreeViewSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ScrollControlSkinner::SetSkinObject(object);
    if (hwnd_ && skinObject_)
        PostMessageA(hwnd_, WM_SKIN_COLORSCHANGED, 0, 0);
    return previous;
}

LONG_PTR TreeViewSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ScrollControlSkinner::Attach(hwnd);
    if (attached && skinObject_)
        PostMessageA(hwnd, WM_SKIN_COLORSCHANGED, 0, 0);
    return attached;
}

LRESULT TreeViewSkinner::OnColorsChanged()
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (hwnd_ && object) {
        CallSavedProc(TVM_SETTEXTCOLOR, 0, object->textColor & 0xFFFFFF);
        CallSavedProc(TVM_SETBKCOLOR, 0, object->color & 0xFFFFFF);
        if (const TreeViewSkinObject* tree = dynamic_cast<const TreeViewSkinObject*>(object))
            CallSavedProc(TVM_SETLINECOLOR, 0, tree->line & 0xFFFFFF);
        InvalidateRect(hwnd_, NULL, TRUE);
    }
    return 1;
}

LRESULT TreeViewSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    if (message == WM_SKIN_COLORSCHANGED)
        return OnColorsChanged();
    return ScrollControlSkinner::WindowProc(message, wParam, lParam);
}
