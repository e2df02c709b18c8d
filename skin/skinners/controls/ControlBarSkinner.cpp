// ControlBarSkinner: the background, upright or turned.
#include "skin/skinners/controls/ControlBarSkinner.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/controls/QuarterTurn.h"

bool ControlBarDockedAtSide(LONG style)
{
    const LONG kAlignLeft = 0x1000, kAlignRight = 0x4000;
    return (style & (kAlignLeft | kAlignRight)) != 0;
}

ControlBarSkinner::ControlBarSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeControlBar) {}

void ControlBarSkinner::Paint(HDC dc)
{
    const ControlSkinObject* object = Control();
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    if (ControlBarDockedAtSide(GetWindowLongA(hwnd_, GWL_STYLE)))
        DrawFrameImageTurned(dc, client, object->controlFrame, object->color, 270);
    else
        DrawFrameImage(dc, client, object->controlFrame, object->color, TRUE);
}
