// SpinSkinner: the part state from the mouse and the two halves' pictures, turned for horizontal
// controls when the skin has no horizontal ones.
#include "skin/skinners/controls/SpinSkinner.h"

#include <commctrl.h>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/skinners/controls/QuarterTurn.h"

namespace {

// Offsets in an orientation's eight pictures: NORMAL, HOVER, PRESSED, DISABLED pairs of UP, DOWN.
enum { Normal = 0, Hover = 2, Pressed = 4, Disabled = 6, Up = 0, Down = 1 };
enum { Vertical = 0, Horizontal = 8 };

} // namespace

SpinSkinner::SpinSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeSpin), partState_(PartNone) {}

int SpinSkinner::HitPart(const RECT& client, bool horizontal, POINT point)
{
    if (!PtInRect(&client, point))
        return 0;
    if (horizontal)
        return point.x < (client.left + client.right) / 2 ? 1 : 2;
    return point.y < (client.top + client.bottom) / 2 ? 1 : 2;
}

bool SpinSkinner::TurnsVerticalPictures(const SpinSkinObject& object, int major, int minor)
{
    if (major < 1 || minor < 13)
        return true;
    return IsImagePartEmpty(object.arrows[Horizontal + Normal + Up]) &&
           IsImagePartEmpty(object.arrows[Horizontal + Normal + Down]);
}

HRGN SpinSkinner::GetWindowRegion()
{
    return NULL;
}

void SpinSkinner::Repaint()
{
    InvalidateRect(hwnd_, NULL, FALSE);
    UpdateWindow(hwnd_);
}

void SpinSkinner::OnHoverCheck()
{
    partState_ = PartNone;
    ControlSkinner::OnHoverCheck();
}

void SpinSkinner::PaintPair(HDC dc, const RECT& first, const RECT& second, const SpinSkinObject& object,
                            int orientation)
{
    const ImagePart* set = object.arrows + orientation;
    ImagePart up = set[Normal + Up];
    ImagePart down = set[Normal + Down];
    if (!IsWindowEnabled(hwnd_)) {
        up = ChooseImagePart(set[Disabled + Up], set[Normal + Up]);
        down = ChooseImagePart(set[Disabled + Down], set[Normal + Down]);
    } else if (partState_ == FirstPressed) {
        up = ChooseImagePart(set[Pressed + Up], set[Normal + Up]);
    } else if (partState_ == SecondPressed) {
        down = ChooseImagePart(set[Pressed + Down], set[Normal + Down]);
    } else if (partState_ == FirstHovered) {
        up = ChooseImagePart(set[Hover + Up], set[Normal + Up]);
    } else if (partState_ == SecondHovered) {
        down = ChooseImagePart(set[Hover + Down], set[Normal + Down]);
    }
    DrawImagePart(dc, first, up, 0, FALSE);
    DrawImagePart(dc, second, down, 0, FALSE);
}

void SpinSkinner::Paint(HDC dc)
{
    const SpinSkinObject* object = dynamic_cast<const SpinSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right, height = client.bottom;
    if (!(GetWindowLongA(hwnd_, GWL_STYLE) & UDS_HORZ)) {
        const RECT up = {0, 0, width, height / 2};
        const RECT down = {0, height / 2, width, height};
        PaintPair(dc, up, down, *object, Vertical);
        return;
    }
    const SkinStore* skin = SkinEngine::Instance().GetCurrentSkin();
    if (!TurnsVerticalPictures(*object, skin->Major(), skin->Minor())) {
        const RECT left = {0, 0, width / 2, height};
        const RECT right = {width / 2, 0, width, height};
        PaintPair(dc, left, right, *object, Horizontal);
        return;
    }
    // Upright: the control's height across, its width down; the top half turns into the left one.
    MemoryDC upright;
    if (!upright.Create(dc, height, width))
        return;
    const RECT up = {0, 0, height, width / 2};
    const RECT down = {0, width / 2, height, width};
    PaintPair(upright, up, down, *object, Vertical);
    BlitTurned(dc, 0, 0, upright, height, width, 270);
}

LRESULT SpinSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_ || (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_LBUTTONUP))
        return ControlSkinner::WindowProc(message, wParam, lParam);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int hit = HitPart(client, (GetWindowLongA(hwnd_, GWL_STYLE) & UDS_HORZ) != 0, PointFromLParam(lParam));
    if (hit == 0)
        partState_ = PartNone;
    else if (message == WM_LBUTTONDOWN || (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON)))
        partState_ = hit == 1 ? FirstPressed : SecondPressed;
    else
        partState_ = hit == 1 ? FirstHovered : SecondHovered;
    Repaint();
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
