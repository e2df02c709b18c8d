// RadioSkinner: the radio look and the group update of an automatic radio button.
#include "skin/skinners/controls/RadioSkinner.h"

#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"

HWND FindGroupStart(HWND control)
{
    if (GetWindowLongA(control, GWL_STYLE) & WS_GROUP)
        return control;
    for (HWND w = GetWindow(control, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (GetWindowLongA(w, GWL_STYLE) & WS_GROUP)
            return w;
    return GetWindow(control, GW_HWNDFIRST);
}

RadioSkinner::RadioSkinner(SkinnedWindow* owner) : CheckBoxSkinner(owner, SkinTypeRadio) {}

SkinObject* RadioSkinner::GetDefaultSkinObject()
{
    return SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeRadio);
}

void RadioSkinner::Paint(HDC dc)
{
    PaintCheckItem(dc, true);
}

void RadioSkinner::OnClick()
{
    if (!hwnd_ || (GetWindowLongA(hwnd_, GWL_STYLE) & BS_TYPEMASK) != BS_AUTORADIOBUTTON)
        return;
    SetWindowWord(hwnd_, 0, static_cast<WORD>(GetWindowWord(hwnd_, 0) | 1));
    HWND start = FindGroupStart(hwnd_);
    for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != start && (GetWindowLongA(w, GWL_STYLE) & WS_GROUP))
            break;
        if (SendMessageA(w, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            SendMessageA(w, BM_SETCHECK, w == hwnd_ ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}
