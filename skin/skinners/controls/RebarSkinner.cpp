// RebarSkinner: background, band pictures and band texts.
#include "skin/skinners/controls/RebarSkinner.h"

#include <commctrl.h>

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/BarSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"

RebarSkinner::RebarSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeRebar) {}

void RebarSkinner::Paint(HDC dc)
{
    const RebarSkinObject* object = dynamic_cast<const RebarSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT client;
    GetClientRect(hwnd_, &client);
    DrawFrameImage(dc, client, object->controlFrame, face, TRUE);
    const ControlFontInDc font(hwnd_, dc);
    SetTextColor(dc, TextEffectColor(object->textEffect));
    SetBkMode(dc, TRANSPARENT);
    const RECT& margins = object->bandImage.margins;
    const int count = static_cast<int>(SendMessageA(hwnd_, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (!SendMessageA(hwnd_, RB_GETRECT, i, reinterpret_cast<LPARAM>(&r)))
            continue;
        char text[200] = "";
        REBARBANDINFOA band = {};
        band.cbSize = REBARBANDINFOA_V6_SIZE;
        band.fMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID |
                     RBBIM_HEADERSIZE;
        band.lpText = text;
        band.cch = sizeof text;
        if (!SendMessageA(hwnd_, RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band)))
            text[0] = '\0';
        text[sizeof text - 1] = '\0';
        DrawFrameImage(dc, r, object->bandImage, face, TRUE);
        if (!text[0])
            continue;
        RECT textRect = {r.left + margins.left, r.top + margins.top, r.right, r.bottom - margins.bottom};
        DrawTextA(dc, text, lstrlenA(text), &textRect, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    }
}
