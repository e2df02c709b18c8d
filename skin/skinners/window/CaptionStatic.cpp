// CaptionStatic: caption text drawing, anchor-flag layout, its region and hit-test code.
#include "skin/skinners/window/CaptionStatic.h"

#include "skin/engine/drawing/RegionTools.h"
#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinnedWindow.h"

int CaptionHitTestCode(int kind)
{
    switch (kind) {
    case 1:
    case 10:
        return HTCAPTION;
    case 2:
        return HTLEFT;
    case 3:
        return HTTOPLEFT;
    case 4:
        return HTTOP;
    case 5:
        return HTTOPRIGHT;
    case 6:
        return HTRIGHT;
    case 7:
        return HTBOTTOMRIGHT;
    case 8:
        return HTBOTTOM;
    case 9:
        return HTBOTTOMLEFT;
    default:
        return HTNOWHERE;
    }
}

void AnchorSpan(LONG& start, LONG& end, bool nearEdge, bool farEdge, int designLength, int length)
{
    const int growth = length - designLength;
    if (farEdge && nearEdge) {
        end += growth;
    } else if (farEdge) {
        start += growth;
        end += growth;
    }
}

CaptionStatic::CaptionStatic(const RECT& rect, SkinnedWindow* owner) : FrameElement(rect, owner) {}

const CaptionStaticSkinObject* CaptionStatic::Static() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeCaptionStatic
               ? static_cast<const CaptionStaticSkinObject*>(skinObject_)
               : NULL;
}

BOOL CaptionStatic::ShowsWindowText() const
{
    const CaptionStaticSkinObject* object = Static();
    return object && object->textKind == 1;
}

int CaptionStatic::GetHitTestCode() const
{
    const CaptionStaticSkinObject* object = Static();
    return object ? CaptionHitTestCode(static_cast<int>(object->hitTest)) : HTNOWHERE;
}

void CaptionStatic::Layout(const RECT& windowBounds)
{
    const CaptionStaticSkinObject* object = Static();
    SkinObject* ownerObject = owner_ ? owner_->GetSkinObject() : NULL;
    if (!object)
        return;
    rect_ = object->rect;
    if (!ownerObject || (ownerObject->Type() != SkinTypeFrameWnd && ownerObject->Type() != SkinTypePopupMenu))
        return;
    const RECT design = static_cast<const FramedSkinObject*>(ownerObject)->GetDesignRect();
    AnchorSpan(rect_.left, rect_.right, object->anchorFlags[0] != 0, object->anchorFlags[2] != 0, design.right,
               windowBounds.right - windowBounds.left);
    AnchorSpan(rect_.top, rect_.bottom, object->anchorFlags[1] != 0, object->anchorFlags[3] != 0, design.bottom,
               windowBounds.bottom - windowBounds.top);
}

HRGN CaptionStatic::MakeRegion() const
{
    const CaptionStaticSkinObject* object = Static();
    HRGN mask = object ? object->MaskRegion() : NULL;
    const SkinImage* piece = object ? object->Piece() : NULL;
    if (!mask || !piece || piece->Width() <= 0 || piece->Height() <= 0)
        return CreateRectRgnIndirect(&rect_);
    if (object->elementImage.mode == 0) {
        HRGN moved = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(moved, mask, NULL, RGN_COPY);
        OffsetRgn(moved, rect_.left, rect_.top);
        return moved;
    }
    if (object->elementImage.mode == 1)
        return TileRegion(mask, piece->Width(), piece->Height(), rect_);
    HRGN scaled =
        TransformRegion(mask, static_cast<float>(rect_.right - rect_.left) / piece->Width(),
                        static_cast<float>(rect_.bottom - rect_.top) / piece->Height(), rect_.left, rect_.top);
    return scaled ? scaled : CreateRectRgnIndirect(&rect_);
}

void CaptionStatic::CombineInto(HRGN windowRegion) const
{
    const CaptionStaticSkinObject* object = Static();
    if (!object || !windowRegion)
        return;
    HRGN mine = MakeRegion();
    if (!mine)
        return;
    switch (object->combineMode) {
    case 0:
        CombineRgn(windowRegion, windowRegion, mine, RGN_AND);
        break;
    case 1:
        CombineRgn(windowRegion, windowRegion, mine, RGN_DIFF);
        break;
    case 2:
        CombineRgn(windowRegion, windowRegion, mine, RGN_OR);
        break;
    case 3:
        CombineRgn(windowRegion, windowRegion, mine, RGN_XOR);
        break;
    case 4: {
        HRGN box = CreateRectRgnIndirect(&rect_);
        CombineRgn(windowRegion, windowRegion, box, RGN_DIFF);
        CombineRgn(windowRegion, windowRegion, mine, RGN_OR);
        DeleteObject(box);
        break;
    }
    default:
        break;
    }
    DeleteObject(mine);
}

BOOL CaptionStatic::HitTest(POINT point)
{
    if (!IsVisible() || !PtInRect(&rect_, point))
        return FALSE;
    HRGN region = MakeRegion();
    const BOOL inside = region && PtInRegion(region, point.x, point.y);
    if (region)
        DeleteObject(region);
    return inside;
}

void CaptionStatic::Paint(HDC dc)
{
    const CaptionStaticSkinObject* object = Static();
    HWND hwnd = OwnerHwnd();
    if (!object)
        return;
    static const UINT horizontal[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    static const UINT vertical[3] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    UINT format = DT_SINGLELINE | (object->alignHorizontal < 3 ? horizontal[object->alignHorizontal] : DT_LEFT) |
                  (object->alignVertical < 3 ? vertical[object->alignVertical] : DT_TOP);
    if (hwnd && (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING))
        format |= DT_RTLREADING;
    if (object->textKind == 11) {
        if (!hwnd) {
            DrawTextEffect(dc, object->textEffect, rect_, "OD", 2, format);
            return;
        }
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_STATIC;
        draw.CtlID = static_cast<UINT>(object->ControlId());
        draw.itemID = 0xFFFFFFFF;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = 0x20;
        draw.hwndItem = hwnd;
        draw.hDC = dc;
        draw.rcItem = rect_;
        SendMessageA(hwnd, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    if (!IsImagePartEmpty(object->elementImage))
        DrawImagePart(dc, rect_, object->elementImage, object->color, FALSE);
    char text[301] = "";
    if (object->textKind == 1) {
        if (hwnd)
            GetWindowTextA(hwnd, text, sizeof text);
    } else {
        lstrcpynA(text, object->text, sizeof object->text);
    }
    if (!text[0])
        return;
    HFONT font = CreateFontIndirectA(&object->font.logFont);
    HGDIOBJ old = font ? SelectObject(dc, font) : NULL;
    DrawTextEffect(dc, object->textEffect, rect_, text, -1, format);
    if (font) {
        SelectObject(dc, old);
        DeleteObject(font);
    }
}
