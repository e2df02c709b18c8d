// CaptionButton: state pictures, the hover timer and the press-and-release actions.
#include "skin/skinners/window/CaptionButton.h"

#include <set>

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/images/ImageRegion.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/menus/MenuTools.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnedWindow.h"

// The hover timer's id: a small cell that names the button. A tick for a cell that is gone (the button
// was deleted between the kill and a tick already queued) is ignored.
struct HoverCell {
    CaptionButton* button;
};

namespace {

const UINT kHoverInterval = 100;

std::set<HoverCell*>& LiveCells()
{
    static std::set<HoverCell*> cells;
    return cells;
}

void CALLBACK HoverTimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    HoverCell* cell = reinterpret_cast<HoverCell*>(id);
    if (!LiveCells().count(cell)) {
        KillTimer(hwnd, id);
        return;
    }
    cell->button->OnHoverTimer();
}

} // namespace

CaptionButton::CaptionButton(const RECT& rect, SkinnedWindow* owner)
    : FrameElement(rect, owner), drawn_(StateNormal), mask_(NULL), transparentColor_(RGB(255, 0, 255)),
      regionFlag_(FALSE), hoverCell_(NULL), pressed_(FALSE), state_(StateNormal)
{
    const SkinObject* app = SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeApplication);
    if (app && app->Type() == SkinTypeApplication) {
        regionFlag_ = static_cast<const ApplicationSkinObject*>(app)->useTransparentColor != 0;
        transparentColor_ = static_cast<const ApplicationSkinObject*>(app)->transparentColor & 0xFFFFFF;
    }
}

CaptionButton::~CaptionButton()
{
    StopHoverTimer();
    if (mask_)
        DeleteObject(mask_);
}

const CaptionButtonSkinObject* CaptionButton::Button() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeCaptionButton
               ? static_cast<const CaptionButtonSkinObject*>(skinObject_)
               : NULL;
}

int CaptionButton::GetAction() const
{
    const CaptionButtonSkinObject* button = Button();
    return button ? static_cast<int>(button->action) : ActionCommand;
}

BOOL CaptionButton::IsCheckButton() const
{
    const CaptionButtonSkinObject* button = Button();
    return button && button->twoState;
}

SkinObject* CaptionButton::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = FrameElement::SetSkinObject(object);
    SetTipText(object ? object->secondName : NULL);
    MakeMask();
    return previous;
}

void CaptionButton::MakeMask()
{
    if (mask_)
        DeleteObject(mask_);
    mask_ = NULL;
    const CaptionButtonSkinObject* button = Button();
    if (!button || !regionFlag_)
        return;
    const ImagePart* candidates[3] = {&button->stateImages[0], &button->stateImages[1], &button->elementImage};
    for (const ImagePart* part : candidates) {
        if (IsImagePartEmpty(*part))
            continue;
        char name[sizeof part->image + 1] = "";
        memcpy(name, part->image, sizeof part->image);
        SkinImage* image = SkinEngine::Instance().GetCurrentSkin()->FindImage(name);
        SkinImage piece;
        const RECT& s = part->source;
        if (image && image->Crop(s.left, s.top, s.right, s.bottom, &piece))
            mask_ = RegionFromImage(piece, transparentColor_);
        return;
    }
}

void CaptionButton::Paint(HDC dc)
{
    const CaptionButtonSkinObject* button = Button();
    if (!button)
        return;
    if (button->action == ActionIcon) {
        const POINT at = {rect_.left, rect_.top};
        DrawWindowIcon(OwnerHwnd(), dc, at);
        return;
    }
    ImagePart part = button->elementImage;
    if (!enabled_)
        part = ChooseImagePart(button->stateImages[2], button->elementImage);
    else if (drawn_ == StateHover)
        part = ChooseImagePart(button->stateImages[0], button->elementImage);
    else if (drawn_ == StatePressed)
        part = ChooseImagePart(button->stateImages[1], button->elementImage);
    if (IsImagePartEmpty(part)) {
        RECT r = rect_;
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
        return;
    }
    if (regionFlag_)
        DrawImagePartTransparent(dc, rect_, part, transparentColor_);
    else
        DrawImagePart(dc, rect_, part, transparentColor_, FALSE);
}

BOOL CaptionButton::HitTest(POINT point)
{
    if (!enabled_ || !IsVisible() || !PtInRect(&rect_, point))
        return FALSE;
    return !mask_ || PtInRegion(mask_, point.x - rect_.left, point.y - rect_.top);
}

void CaptionButton::StartHoverTimer()
{
    HWND hwnd = OwnerHwnd();
    if (hoverCell_ || !hwnd)
        return;
    HoverCell* cell = new HoverCell{this};
    if (!SetTimer(hwnd, reinterpret_cast<UINT_PTR>(cell), kHoverInterval, &HoverTimerProc)) {
        delete cell;
        return;
    }
    LiveCells().insert(cell);
    hoverCell_ = cell;
}

void CaptionButton::StopHoverTimer()
{
    if (!hoverCell_)
        return;
    // Killed before the cell goes, so no tick can name freed memory.
    if (HWND hwnd = OwnerHwnd())
        KillTimer(hwnd, reinterpret_cast<UINT_PTR>(hoverCell_));
    LiveCells().erase(hoverCell_);
    delete hoverCell_;
    hoverCell_ = NULL;
}

void CaptionButton::OnHoverTimer()
{
    POINT cursor;
    if (GetCursorPos(&cursor) && owner_ && HitTest(owner_->ScreenToWindow(cursor)))
        return;
    StopHoverTimer();
    OnMouseLeave();
    HideTooltip();
}

void CaptionButton::OnMouseMove(POINT point)
{
    if (!HitTest(point))
        return;
    if (IsCheckButton()) {
        drawn_ = StateHover;
    } else {
        state_ = pressed_ ? StatePressed : StateHover;
        drawn_ = state_;
    }
    Repaint();
    if (!hoverCell_) {
        StartHoverTimer();
        ShowTooltip();
    }
}

void CaptionButton::OnMouseLeave()
{
    if (!IsCheckButton()) {
        state_ = StateNormal;
        pressed_ = FALSE;
    }
    drawn_ = state_;
    if (IsVisible())
        Repaint();
}

void CaptionButton::OnLButtonDown(POINT point)
{
    if (!HitTest(point))
        return;
    HideTooltip();
    if (GetAction() == ActionSystemMenu) {
        RunAction();
        return;
    }
    pressed_ = TRUE;
    if (!IsCheckButton())
        state_ = StatePressed;
    drawn_ = StatePressed;
    Repaint();
}

void CaptionButton::OnLButtonUp(POINT point)
{
    if (!pressed_)
        return;
    pressed_ = FALSE;
    // A press released off the button does nothing.
    if (!HitTest(point)) {
        if (!IsCheckButton())
            state_ = StateNormal;
        drawn_ = state_;
        Repaint();
        return;
    }
    const int action = GetAction();
    if (action == ActionMaximize || action == ActionMinimize) {
        state_ = drawn_ = StateNormal;
        Repaint();
        RunAction();
        return;
    }
    if (action == ActionSystemMenu)
        return;
    if (IsCheckButton())
        state_ = state_ == StatePressed ? StateNormal : StatePressed;
    else
        state_ = hoverCell_ ? StateHover : StateNormal;
    drawn_ = state_;
    Repaint();
    RunAction();
}

void CaptionButton::OnRButtonDown(POINT point)
{
    if (HitTest(point) && GetAction() == ActionSystemMenu && OwnerHwnd())
        ShowSystemMenu(OwnerHwnd());
}

void CaptionButton::OnLButtonDblClk(POINT point)
{
    if (HitTest(point) && GetAction() == ActionSystemMenu && OwnerHwnd())
        PostMessageA(OwnerHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CaptionButton::RunAction()
{
    HWND hwnd = OwnerHwnd();
    const CaptionButtonSkinObject* button = Button();
    if (!hwnd || !button)
        return;
    switch (button->action) {
    case ActionCommand:
        PostMessageA(hwnd, WM_COMMAND, button->commandId, 0);
        break;
    case ActionClose:
        StopHoverTimer();
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case ActionMaximize:
        PostMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        break;
    case ActionMinimize:
        PostMessageA(hwnd, WM_SYSCOMMAND, IsIconic(hwnd) ? SC_RESTORE : SC_MINIMIZE, 0);
        break;
    case ActionSystemMenu:
        ShowSystemMenu(hwnd);
        break;
    default:
        break;
    }
}
