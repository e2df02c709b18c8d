// EditSkinner: edit colours, the rich edit's background and the edit's resync points.
#include "skin/skinners/controls/EditSkinner.h"

#include <richedit.h>

#include "skin/engine/objects/ControlSkinObjects.h"

namespace {

const UINT kResyncMessages[] = {WM_SETTEXT, WM_CHAR,       WM_LBUTTONDBLCLK, WM_CUT,        WM_PASTE,      WM_CLEAR,
                                WM_UNDO,    EM_REPLACESEL, EM_SETSEL,        EM_LINESCROLL, EM_SCROLLCARET};

} // namespace

EditSkinner::EditSkinner(SkinnedWindow* owner)
    : ScrollControlSkinner(owner, SkinTypeRichEdit), disabledBrush_(NULL), backgroundBrush_(NULL)
{
}

EditSkinner::~EditSkinner()
{
    Detach();
    if (disabledBrush_)
        DeleteObject(disabledBrush_);
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
}

SkinObject* EditSkinner::SetSkinObject(SkinObject* object)
{
    if (disabledBrush_)
        DeleteObject(disabledBrush_);
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
    disabledBrush_ = backgroundBrush_ = NULL;
    if (const ScrollControlSkinObject* scroll = dynamic_cast<const ScrollControlSkinObject*>(object)) {
        disabledBrush_ = CreateSolidBrush(scroll->transparentColor & 0xFFFFFF);
        backgroundBrush_ = CreateSolidBrush(scroll->color & 0xFFFFFF);
    }
    SkinObject* previous = ScrollControlSkinner::SetSkinObject(object);
    SetRichEditBackground();
    return previous;
}

void EditSkinner::SetRichEditBackground()
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (hwnd_ && object && object->Type() == SkinTypeRichEdit)
        SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, object->color & 0xFFFFFF);
}

LONG_PTR EditSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ScrollControlSkinner::Attach(hwnd);
    if (attached)
        SetRichEditBackground();
    return attached;
}

LRESULT EditSkinner::OnCtlColorEdit(HDC dc)
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (!object)
        return 0;
    SetBkColor(dc, object->color & 0xFFFFFF);
    SetTextColor(dc, object->textColor & 0xFFFFFF);
    return reinterpret_cast<LRESULT>(backgroundBrush_);
}

LRESULT EditSkinner::OnCtlColorStatic(HDC dc)
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (!object)
        return 0;
    SetBkColor(dc, object->transparentColor & 0xFFFFFF);
    SetTextColor(dc, object->textColor & 0xFFFFFF);
    return reinterpret_cast<LRESULT>(disabledBrush_);
}

BOOL EditSkinner::AnswerCtlColor(UINT message, HDC dc, LRESULT* result)
{
    if (!ScrollObject() || !dc || !result)
        return FALSE;
    if (message == WM_CTLCOLOREDIT)
        *result = OnCtlColorEdit(dc);
    else if (message == WM_CTLCOLORSTATIC)
        *result = OnCtlColorStatic(dc);
    else
        return FALSE;
    return *result != 0;
}

LRESULT EditSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const ScrollControlSkinObject* object = ScrollObject();
    if (object && object->Type() == SkinTypeRichEdit)
        return ScrollControlSkinner::WindowProc(message, wParam, lParam);
    return PassWithResync(message, wParam, lParam, VK_END, kResyncMessages);
}
