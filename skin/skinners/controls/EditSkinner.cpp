// EditSkinner: edit colours and the rich edit's background.
#include "skin/skinners/controls/EditSkinner.h"

#include <richedit.h>

#include "skin/engine/objects/ControlSkinObjects.h"

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
    SkinObject* previous = ScrollControlSkinner::SetSkinObject(object);
    SetRichEditBackground();
    return previous;
}

void EditSkinner::OnBound()
{
    if (disabledBrush_)
        DeleteObject(disabledBrush_);
    if (backgroundBrush_)
        DeleteObject(backgroundBrush_);
    disabledBrush_ = backgroundBrush_ = NULL;
    if (const ScrollControlSkinObject* scroll = ScrollObject()) {
        disabledBrush_ = CreateSolidBrush(scroll->transparentColor & 0xFFFFFF);
        backgroundBrush_ = CreateSolidBrush(scroll->color & 0xFFFFFF);
    }
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
