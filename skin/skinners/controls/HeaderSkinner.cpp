// HeaderSkinner: background, item pictures and texts.
#include "skin/skinners/controls/HeaderSkinner.h"

#include <commctrl.h>

#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"

UINT HeaderTextFormat(int itemFormat)
{
    UINT format = DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    if ((itemFormat & HDF_JUSTIFYMASK) == HDF_CENTER)
        format |= DT_CENTER;
    else if ((itemFormat & HDF_JUSTIFYMASK) == HDF_RIGHT)
        format |= DT_RIGHT;
    return format;
}

HeaderSkinner::HeaderSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeHeader) {}

void HeaderSkinner::Paint(HDC dc)
{
    const HeaderSkinObject* object = dynamic_cast<const HeaderSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    DrawFrameImage(dc, client, object->controlFrame, GetSysColor(COLOR_BTNFACE), TRUE);
    const ControlFontInDc font(hwnd_, dc);
    SetBkMode(dc, TRANSPARENT);
    const int count = static_cast<int>(SendMessageA(hwnd_, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[100] = "";
        HDITEMA item = {};
        // Only what is drawn: asking for filters hands the control a null filter buffer to write into.
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        RECT r;
        if (!SendMessageA(hwnd_, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item)) ||
            !SendMessageA(hwnd_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            continue;
        text[sizeof text - 1] = '\0';
        DrawFrameImage(dc, r, object->item, GetSysColor(COLOR_BTNFACE), TRUE);
        r.left += object->controlFrame.margins.left;
        r.right -= object->controlFrame.margins.right;
        const char* shown = item.pszText && item.pszText != LPSTR_TEXTCALLBACKA ? item.pszText : "";
        DrawTextEffect(dc, object->textEffect, r, shown, lstrlenA(shown), HeaderTextFormat(item.fmt));
    }
}
