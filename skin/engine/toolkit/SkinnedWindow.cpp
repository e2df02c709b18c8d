// SkinnedWindow: subclassing, the child walk, binding, frame layout and painting, and the window region.
#include "skin/engine/toolkit/SkinnedWindow.h"

#include <cstring>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/drawing/RegionTools.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/engine/toolkit/SkinTrace.h"

const char kObjectProperty[] = "OBJECT";
const char kThisProperty[] = "this";

namespace {

const COLORREF kDefaultTransparent = RGB(255, 0, 255);
const UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

bool IsFramedType(int type)
{
    return type == SkinTypeFrameWnd || type == SkinTypePopupMenu || type == SkinTypeTooltip;
}

// A section's piece of mask placed into the section: moved, tiled or scaled by the part's draw mode.
HRGN PlaceSectionRegion(HRGN mask, const SkinImage* piece, int mode, const RECT& target)
{
    if (!mask || !piece || piece->Width() <= 0 || piece->Height() <= 0)
        return CreateRectRgnIndirect(&target);
    if (mode == 0) {
        HRGN moved = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(moved, mask, NULL, RGN_COPY);
        OffsetRgn(moved, target.left, target.top);
        return moved;
    }
    if (mode == 1)
        return TileRegion(mask, piece->Width(), piece->Height(), target);
    HRGN scaled = TransformRegion(mask, static_cast<float>(Width(target)) / piece->Width(),
                                  static_cast<float>(Height(target)) / piece->Height(), target.left, target.top);
    return scaled ? scaled : CreateRectRgnIndirect(&target);
}

} // namespace

SkinnedWindow::SkinnedWindow()
    : ncButtonDepth_(0), hwnd_(NULL), savedProc_(NULL), destroyed_(FALSE), defaultCaptionText_(TRUE),
      regionFlag_(FALSE), transparentColor_(kDefaultTransparent), region_(NULL)
{
    std::memset(frameRects_, 0, sizeof frameRects_);
    SetRectEmpty(&lastWindowRect_);
}

SkinnedWindow::~SkinnedWindow()
{
    Detach();
    // A region handed to the window belongs to it; only the handle is forgotten.
    region_ = NULL;
    children_.clear();
}

const FramedSkinObject* SkinnedWindow::Framed() const
{
    return skinObject_ && IsFramedType(skinObject_->Type()) ? static_cast<const FramedSkinObject*>(skinObject_) : NULL;
}

const char* SkinnedWindow::GetSkinObjectName() const
{
    return skinObject_ ? skinObject_->Name() : NULL;
}

int SkinnedWindow::GetSkinType() const
{
    return skinObject_ ? skinObject_->Type() : 0;
}

void SkinnedWindow::Paint(HDC dc)
{
    PaintFrame(dc, FALSE);
    PaintClient(dc, FALSE);
}

SkinObject* SkinnedWindow::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = SkinnedItem::SetSkinObject(object);
    SkinStore* skin = SkinEngine::Instance().GetCurrentSkin();
    const SkinObject* found = skin->FindObjectByType(SkinTypeApplication);
    const ApplicationSkinObject* app =
        found && found->Type() == SkinTypeApplication ? static_cast<const ApplicationSkinObject*>(found) : NULL;
    regionFlag_ = app ? app->useTransparentColor != 0 : FALSE;
    transparentColor_ = app ? app->transparentColor & 0xFFFFFF : kDefaultTransparent;
    defaultCaptionText_ = TRUE;
    if (!object)
        return previous;
    SetRectEmpty(&lastWindowRect_);
    if (hwnd_)
        SkinChildren(hwnd_, object);
    const FramedSkinObject* framed = Framed();
    const RECT design = framed ? framed->GetDesignRect() : RECT{0, 0, 0, 0};
    LayoutFrameRects(design.right, design.bottom);
    return previous;
}

HMENU SkinnedWindow::GetMenu()
{
    return hwnd_ ? ::GetMenu(hwnd_) : NULL;
}

void SkinnedWindow::SetMenu(HMENU menu)
{
    if (hwnd_)
        ::SetMenu(hwnd_, menu);
}

LRESULT SkinnedWindow::OnMenuKey(WPARAM, LPARAM)
{
    return 0;
}

BOOL SkinnedWindow::CanStayUnskinned()
{
    return FALSE;
}

LRESULT SkinnedWindow::OnNcDestroy()
{
    HWND hwnd = hwnd_;
    WNDPROC proc = savedProc_;
    destroyed_ = TRUE;
    // The engine deletes this object when the window is in its table; nothing of it is touched after.
    const BOOL removed = SkinEngine::Instance().RemoveWindow(hwnd, TRUE);
    if (!removed) {
        Unsubclass();
        hwnd_ = NULL;
    }
    if (proc)
        return CallWindowProcA(proc, hwnd, WM_NCDESTROY, 0, 0);
    return removed;
}

HWND SkinnedWindow::GetActiveMdiChild(BOOL* maximized)
{
    if (maximized)
        *maximized = FALSE;
    return NULL;
}

BOOL SkinnedWindow::GetWindowRect(RECT* rect)
{
    return hwnd_ && rect && ::GetWindowRect(hwnd_, rect);
}

void SkinnedWindow::PaintClient(HDC dc, BOOL active)
{
    const FramedSkinObject* framed = Framed();
    if (!framed || !hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const ImagePart part =
        active ? framed->GetImagePart(4) : ChooseImagePart(framed->GetImagePart(13), framed->GetImagePart(4));
    if (IsImagePartEmpty(part))
        FillRectColor(dc, client, framed->thirdColor);
    else
        DrawImagePart(dc, client, part, framed->thirdColor, TRUE);
}

void SkinnedWindow::PaintFrame(HDC dc, BOOL active)
{
    if (!hwnd_ || !IsIconic(hwnd_)) {
        static const int order[8] = {3, 5, 0, 1, 2, 6, 7, 8};
        for (int section : order)
            PaintFrameSection(dc, section, active);
    }
    PaintCaptionText(dc, active);
    PaintMenuBar(dc);
}

void SkinnedWindow::PaintFrameSection(HDC dc, int index, BOOL active)
{
    const FramedSkinObject* framed = Framed();
    if (!framed || index < 0 || index > 8)
        return;
    if (active)
        DrawImagePart(dc, frameRects_[index], framed->GetImagePart(index), framed->firstColor, TRUE);
    else
        DrawImagePart(dc, frameRects_[index],
                      ChooseImagePart(framed->GetImagePart(9 + index), framed->GetImagePart(index)),
                      framed->secondColor, TRUE);
}

void SkinnedWindow::LayoutFrameRects(int width, int height)
{
    const FramedSkinObject* framed = Framed();
    if (!framed) {
        std::memset(frameRects_, 0, sizeof frameRects_);
        return;
    }
    RECT* r = frameRects_;
    for (int i = 0; i < 9; ++i)
        r[i] = framed->GetFrameRect(i);
    const int w2 = Width(r[2]), w5 = Width(r[5]), w8 = Width(r[8]);
    const int bottomTop = height - Height(r[6]);
    r[2].left = width - w2;
    r[2].right = width;
    r[1].right = r[2].left;
    for (int i = 6; i < 9; ++i) {
        r[i].top = bottomTop;
        r[i].bottom = height;
    }
    r[8].left = width - w8;
    r[8].right = width;
    r[7].right = r[8].left;
    r[5].left = width - w5;
    r[5].right = width;
    r[3].bottom = r[4].bottom = r[5].bottom = bottomTop;
    r[4].right = r[5].left;
}

RECT SkinnedWindow::GetWindowBounds() const
{
    RECT bounds = {0, 0, 0, 0};
    if (hwnd_ && ::GetWindowRect(hwnd_, &bounds))
        OffsetRect(&bounds, -bounds.left, -bounds.top);
    return bounds;
}

void SkinnedWindow::Detach()
{
    if (hwnd_) {
        UnskinChildren(hwnd_);
        std::map<HWND, SkinnedItem*> rest;
        rest.swap(children_);
        for (auto& entry : rest)
            SkinEngine::Instance().RemoveWindow(entry.first, FALSE);
    }
    children_.clear();
    if (!savedProc_)
        return;
    if (!destroyed_ && region_)
        SetWindowRgn(hwnd_, NULL, TRUE);
    region_ = NULL; // the window deleted it when it let it go
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc_));
    if (!destroyed_)
        SetWindowPos(hwnd_, NULL, 0, 0, 0, 0, kFrameChanged);
    RemovePropA(hwnd_, kObjectProperty);
    savedProc_ = NULL;
    hwnd_ = NULL;
}

void SkinnedWindow::Unsubclass()
{
    if (!savedProc_)
        return;
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc_));
    RemovePropA(hwnd_, kObjectProperty);
    savedProc_ = NULL;
}

LONG_PTR SkinnedWindow::Attach(HWND hwnd)
{
    if (!hwnd || savedProc_)
        return 0;
    hwnd_ = hwnd;
    SkinChildren(hwnd, skinObject_);
    LONG_PTR previous = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    savedProc_ = reinterpret_cast<WNDPROC>(previous);
    SetPropA(hwnd, kObjectProperty, this);
    SetLastError(0);
    if (!SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinnedWindow::SubclassProc)) &&
        GetLastError() != 0) {
        SkinTrace("hooks", "subclassing window %p failed (error %lu)", static_cast<void*>(hwnd), GetLastError());
        RemovePropA(hwnd, kObjectProperty);
        savedProc_ = NULL;
        return 0;
    }
    if (skinObject_)
        RedrawWindow(hwnd, NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    return previous;
}

void SkinnedWindow::HookOwner(WPARAM, LPARAM) {}

LRESULT SkinnedWindow::CallSavedProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    return CallWindowProcA(savedProc_, hwnd_, message, wParam, lParam);
}

LRESULT SkinnedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    switch (message) {
    case WM_SHOWWINDOW:
        HookOwner(wParam, lParam);
        return CallSavedProc(message, wParam, lParam);
    case WM_NCDESTROY:
        return OnNcDestroy();
    case WM_SKIN_FORGETCHILD:
        ForgetChild(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_SKIN_MENUKEY:
        return OnMenuKey(wParam, lParam);
    default:
        return CallSavedProc(message, wParam, lParam);
    }
}

void SkinnedWindow::GetMenuBarRect(RECT* rect)
{
    if (rect)
        SetRectEmpty(rect);
}

void SkinnedWindow::PaintMenuBar(HDC) {}

HRGN SkinnedWindow::GetWindowRegion()
{
    const FramedSkinObject* framed = Framed();
    if (!regionFlag_ || !framed)
        return NULL;
    RECT bounds = GetWindowBounds();
    if (hwnd_ && IsIconic(hwnd_) && framed->Type() == SkinTypeFrameWnd &&
        !IsSlicedImageEmpty(static_cast<const FrameWndSkinObject*>(framed)->MinimizedImage(true)))
        return CreateRectRgnIndirect(&bounds);
    HRGN result = NULL;
    for (int i = 0; i < 9; ++i) {
        if (IsRectEmpty(&frameRects_[i]))
            continue;
        HRGN section =
            PlaceSectionRegion(framed->PieceRegion(i), framed->Piece(i), framed->GetImagePart(i).mode, frameRects_[i]);
        if (!section)
            continue;
        if (!result) {
            result = section;
        } else {
            CombineRgn(result, result, section, RGN_OR);
            DeleteObject(section);
        }
    }
    return result;
}

void SkinnedWindow::PaintCaptionText(HDC, BOOL) {}

void SkinnedWindow::SkinChildren(HWND parent, SkinObject* object)
{
    if (!parent)
        return;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SkinChild(child, object);
}

BOOL SkinnedWindow::SkinChild(HWND child, SkinObject* object)
{
    const int id = GetDlgCtrlID(child);
    SkinChildren(child, object);
    const int type = GetWindowSkinType(child);
    if (!type)
        return FALSE;
    SkinEngine& engine = SkinEngine::Instance();
    const int objectType = type == SkinTypeLinkWnd ? SkinTypeStatic : type;
    SkinObject* found = object ? object->FindChildSkinObject(objectType, id) : NULL;
    if (!found)
        found = engine.GetCurrentSkin()->FindObjectByType(objectType);
    auto mapped = children_.find(child);
    if (found && mapped == children_.end()) {
        SkinnedWindow* skinner = CreateSkinner(type, this);
        if (!skinner)
            return TRUE;
        if (!engine.AddWindow(skinner, child)) {
            delete skinner;
            return TRUE;
        }
        skinner->SetSkinObject(found);
        children_[child] = skinner;
        if (!skinner->Attach(child)) {
            children_.erase(child);
            engine.RemoveWindow(child, FALSE);
        }
    } else if (found) {
        // The map only refers to skinners the engine owns; ask the engine whether it still is this one.
        SkinnedWindow* current = engine.FindSkinnedWindow(child);
        if (current && current == mapped->second && current->GetHwnd() == child)
            current->SetSkinObject(found);
        else
            children_.erase(mapped);
    } else if (mapped != children_.end()) {
        children_.erase(mapped);
        engine.RemoveWindow(child, FALSE);
    }
    return TRUE;
}

BOOL SkinnedWindow::ForgetChild(HWND child)
{
    return children_.erase(child) != 0;
}

void SkinnedWindow::UnskinChildren(HWND parent)
{
    if (!parent)
        return;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        UnskinChildren(child);
        SkinEngine::Instance().RemoveWindow(child, FALSE);
        children_.erase(child);
    }
}

LRESULT CALLBACK SkinnedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SkinnedWindow* self = static_cast<SkinnedWindow*>(GetPropA(hwnd, kObjectProperty));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->WindowProc(message, wParam, lParam);
}

LRESULT CALLBACK SkinnedWindow::ThisClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create && create->lpCreateParams) {
            SetPropA(hwnd, kThisProperty, create->lpCreateParams);
            SkinnedWindow* self = static_cast<SkinnedWindow*>(create->lpCreateParams);
            if (!self->hwnd_)
                self->hwnd_ = hwnd;
        }
    }
    SkinnedWindow* self = static_cast<SkinnedWindow*>(GetPropA(hwnd, kThisProperty));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->WindowProc(message, wParam, lParam);
}

BOOL SkinnedWindow::RegisterThisClass(HINSTANCE instance, const char* name, HCURSOR cursor)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_SAVEBITS | CS_CLASSDC;
    wc.lpfnWndProc = &SkinnedWindow::ThisClassProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
