// SkinnedWindow: subclassing, the child walk, binding, frame layout and painting, and the window region.
#include "skin/engine/toolkit/SkinnedWindow.h"

#include <cstring>
#include <unordered_map>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/drawing/RegionTools.h"
#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/engine/toolkit/SkinTrace.h"
#include "skin/engine/toolkit/TessarineInternal.h"
#include "skin/skinners/window/CaptionButton.h"
#include "skin/skinners/window/CaptionStatic.h"

const char kObjectProperty[] = "OBJECT";
const char kThisProperty[] = "this";
// The procedure a detached window still passes on to when something subclassed it after the toolkit.
const char kSavedProcProperty[] = "TessarineSavedProc";

namespace {

const COLORREF kDefaultTransparent = RGB(255, 0, 255);

// The "OBJECT" property as this process set it, answered without asking the window. Reading a window
// property is a server round trip under Wine, and every message of a skinned window reads it: the copy
// is changed wherever the property is, and an entry goes at WM_NCDESTROY at the latest.
class ObjectProperties {
public:
    ObjectProperties() { InitializeCriticalSection(&lock_); }
    ObjectProperties(const ObjectProperties&) = delete;
    ObjectProperties& operator=(const ObjectProperties&) = delete;

    void Set(HWND hwnd, SkinnedWindow* skinner)
    {
        EnterCriticalSection(&lock_);
        entries_[hwnd] = skinner;
        LeaveCriticalSection(&lock_);
    }
    void Remove(HWND hwnd)
    {
        EnterCriticalSection(&lock_);
        entries_.erase(hwnd);
        LeaveCriticalSection(&lock_);
    }
    SkinnedWindow* Find(HWND hwnd)
    {
        EnterCriticalSection(&lock_);
        auto it = entries_.find(hwnd);
        SkinnedWindow* found = it == entries_.end() ? NULL : it->second;
        LeaveCriticalSection(&lock_);
        return found;
    }

private:
    CRITICAL_SECTION lock_;
    std::unordered_map<HWND, SkinnedWindow*> entries_;
};

// The child windows of a few parents in z-order, as the last walk found them (a walk costs a server
// round trip per window under Wine). An entry holds while the window-tree stamp stays, and is only kept
// on a thread whose hooks watch the tree, never for the desktop, whose windows other programs move.
class ChildLists {
public:
    ChildLists() { InitializeCriticalSection(&lock_); }
    ChildLists(const ChildLists&) = delete;
    ChildLists& operator=(const ChildLists&) = delete;

    std::vector<HWND> Get(HWND parent)
    {
        if (!parent || parent == GetDesktopWindow() || !TessarineThreadStarted())
            return Walk(parent);
        const LONG stamp = TessarineWindowTreeStamp();
        EnterCriticalSection(&lock_);
        for (const Entry& e : entries_)
            if (e.parent == parent && e.stamp == stamp) {
                std::vector<HWND> found = e.children;
                LeaveCriticalSection(&lock_);
                return found;
            }
        LeaveCriticalSection(&lock_);
        std::vector<HWND> children = Walk(parent);
        EnterCriticalSection(&lock_);
        Entry& slot = entries_[next_];
        next_ = (next_ + 1) % kEntries;
        slot.parent = parent;
        slot.stamp = stamp;
        slot.children = children;
        LeaveCriticalSection(&lock_);
        return children;
    }

private:
    struct Entry {
        HWND parent = NULL;
        LONG stamp = 0;
        std::vector<HWND> children;
    };
    static const int kEntries = 4;

    static std::vector<HWND> Walk(HWND parent)
    {
        std::vector<HWND> children;
        for (HWND child = GetWindow(parent, GW_CHILD); child && children.size() < 4096;
             child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    CRITICAL_SECTION lock_;
    Entry entries_[kEntries];
    int next_ = 0;
};

// Never destroyed: windows may still get messages while the process exits.
ObjectProperties& Objects()
{
    static ObjectProperties* objects = new ObjectProperties;
    return *objects;
}

ChildLists& Children()
{
    static ChildLists* lists = new ChildLists;
    return *lists;
}

void SetObjectProperty(HWND hwnd, SkinnedWindow* skinner)
{
    SetPropA(hwnd, kObjectProperty, skinner);
    Objects().Set(hwnd, skinner);
}

void RemoveObjectProperty(HWND hwnd)
{
    RemovePropA(hwnd, kObjectProperty);
    Objects().Remove(hwnd);
}

// Whether the window carries a skinner (a stale answer for a destroyed window's reused handle finds
// nothing in the engine's table, which is what callers look it up in next).
bool HasObjectProperty(HWND hwnd)
{
    return Objects().Find(hwnd) != NULL || GetPropA(hwnd, kObjectProperty) != NULL;
}

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
      regionFlag_(FALSE), transparentColor_(kDefaultTransparent), region_(NULL), elementCapture_(FALSE),
      tabParent_(NULL), tabParentOf_(NULL), tabParentStamp_(0)
{
    std::memset(frameRects_, 0, sizeof frameRects_);
    SetRectEmpty(&lastWindowRect_);
}

SkinnedWindow::~SkinnedWindow()
{
    Detach();
    // A region handed to the window belongs to it; only the handle is forgotten.
    region_ = NULL;
    DeleteElements();
    children_.clear();
}

void SkinnedWindow::DeleteElements()
{
    std::vector<FrameElement*> elements;
    elements.swap(elements_);
    for (FrameElement* element : elements)
        delete element;
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
    DeleteElements();
    if (!object)
        return previous;
    for (const auto& entry : object->Children()) {
        SkinObject* child = entry.second;
        FrameElement* element = NULL;
        if (child->Type() == SkinTypeCaptionButton) {
            element = new CaptionButton(child->rect, this);
        } else if (child->Type() == SkinTypeArea) {
            element = new FrameElement(child->rect, this);
        } else if (child->Type() == SkinTypeCaptionStatic) {
            element = new CaptionStatic(child->rect, this);
            if (static_cast<const CaptionStaticSkinObject*>(child)->textKind == 1)
                defaultCaptionText_ = FALSE;
        }
        if (!element)
            continue;
        elements_.push_back(element);
        element->SetSkinObject(child);
    }
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
    RestoreProcedure();
    if (!destroyed_)
        SetWindowPos(hwnd_, NULL, 0, 0, 0, 0, kFrameChanged);
    RemoveObjectProperty(hwnd_);
    savedProc_ = NULL;
    hwnd_ = NULL;
}

void SkinnedWindow::Unsubclass()
{
    if (!savedProc_)
        return;
    RestoreProcedure();
    RemoveObjectProperty(hwnd_);
    savedProc_ = NULL;
}

void SkinnedWindow::RestoreProcedure()
{
    // Only while the window still runs the toolkit's procedure: a procedure set after ours calls ours,
    // which from now on passes everything to the saved one.
    if (GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinnedWindow::SubclassProc))
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc_));
    else
        SetPropA(hwnd_, kSavedProcProperty, reinterpret_cast<HANDLE>(reinterpret_cast<LONG_PTR>(savedProc_)));
}

LONG_PTR SkinnedWindow::Attach(HWND hwnd)
{
    if (!hwnd || savedProc_)
        return 0;
    hwnd_ = hwnd;
    SkinChildren(hwnd, skinObject_);
    LONG_PTR previous = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    savedProc_ = reinterpret_cast<WNDPROC>(previous);
    SetObjectProperty(hwnd, this);
    UpdateCaptionButtonsFromStyle(GetWindowLongA(hwnd, GWL_STYLE));
    SetLastError(0);
    if (!SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinnedWindow::SubclassProc)) &&
        GetLastError() != 0) {
        SkinTrace("hooks", "subclassing window %p failed (error %lu)", static_cast<void*>(hwnd), GetLastError());
        RemoveObjectProperty(hwnd);
        savedProc_ = NULL;
        return 0;
    }
    if (skinObject_)
        RedrawWindow(hwnd, NULL, NULL, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    return previous;
}

void SkinnedWindow::HookOwner(WPARAM, LPARAM) {}

LRESULT SkinnedWindow::OnCtlColorListBox(WPARAM wParam, LPARAM lParam)
{
    // A skinned list box colours itself: the question goes on to the list window.
    HWND list = reinterpret_cast<HWND>(lParam);
    SkinnedWindow* skinner = list && HasObjectProperty(list) ? SkinEngine::Instance().FindSkinnedWindow(list) : NULL;
    if (skinner && skinner->GetSkinType() == SkinTypeListBox && list != hwnd_)
        return SendMessageA(list, WM_CTLCOLORLISTBOX, wParam, lParam);
    return CallSavedProc(WM_CTLCOLORLISTBOX, wParam, lParam);
}

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
    if (elementCapture_ && OnElementCapture(message, lParam))
        return 0;
    switch (message) {
    case WM_SHOWWINDOW:
        HookOwner(wParam, lParam);
        return CallSavedProc(message, wParam, lParam);
    case WM_NCDESTROY:
        return OnNcDestroy();
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(wParam, lParam);
    case WM_CTLCOLOREDIT: {
        LRESULT answer = 0;
        if (ChildCtlColor(message, wParam, lParam, &answer))
            return answer;
        return CallSavedProc(message, wParam, lParam);
    }
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
    const RECT bounds2 = GetWindowBounds();
    for (FrameElement* element : elements_) {
        CaptionStatic* text = dynamic_cast<CaptionStatic*>(element);
        if (!text || !result)
            continue;
        text->Layout(bounds2);
        text->CombineInto(result);
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
    SkinnedWindow* self = Objects().Find(hwnd);
    if (!self)
        self = static_cast<SkinnedWindow*>(GetPropA(hwnd, kObjectProperty));
    if (self) {
        const LRESULT result = self->WindowProc(message, wParam, lParam);
        if (message == WM_NCDESTROY)
            Objects().Remove(hwnd);
        return result;
    }
    WNDPROC saved = reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropA(hwnd, kSavedProcProperty)));
    if (!saved)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemovePropA(hwnd, kSavedProcProperty);
    return CallWindowProcA(saved, hwnd, message, wParam, lParam);
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

BOOL SkinnedWindow::IsActiveCaption() const
{
    WINDOWINFO info = {};
    info.cbSize = sizeof info;
    return hwnd_ && GetWindowInfo(hwnd_, &info) && info.dwWindowStatus == WS_ACTIVECAPTION;
}

void SkinnedWindow::RedrawNcRect(const RECT& rect)
{
    RECT window;
    if (!hwnd_ || !::GetWindowRect(hwnd_, &window))
        return;
    RECT screen = rect;
    OffsetRect(&screen, window.left, window.top);
    HRGN region = CreateRectRgnIndirect(&screen);
    SendMessageA(hwnd_, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    // Made only for this message: the window never owned it.
    if (region)
        DeleteObject(region);
}

POINT SkinnedWindow::ScreenToWindow(POINT point) const
{
    RECT window;
    if (hwnd_ && ::GetWindowRect(hwnd_, &window)) {
        point.x -= window.left;
        point.y -= window.top;
    }
    return point;
}

HWND SkinnedWindow::GetTopLevelParent() const
{
    HWND top = hwnd_;
    for (int step = 0; top && step < 256; ++step) {
        HWND parent = GetParent(top);
        if (!parent)
            break;
        top = parent;
    }
    return top;
}

HWND SkinnedWindow::FindTabParent() const
{
    // Only a thread whose hooks watch the window tree can trust an answer from before.
    if (!hwnd_ || !TessarineThreadStarted())
        return WalkForTabParent();
    const LONG stamp = TessarineWindowTreeStamp();
    if (tabParentOf_ == hwnd_ && tabParentStamp_ == stamp && (!tabParent_ || IsWindow(tabParent_)))
        return tabParent_;
    tabParent_ = WalkForTabParent();
    tabParentOf_ = hwnd_;
    tabParentStamp_ = stamp;
    return tabParent_;
}

std::vector<HWND> SkinnedWindow::ChildrenOf(HWND parent)
{
    return Children().Get(parent);
}

HWND SkinnedWindow::WalkForTabParent() const
{
    HWND parent = hwnd_ ? GetParent(hwnd_) : NULL;
    RECT mine;
    if (!hwnd_ || !::GetWindowRect(hwnd_, &mine))
        return parent;
    for (HWND sibling = GetWindow(hwnd_, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        char name[32] = "";
        RECT r;
        if (sibling == hwnd_ || !GetClassNameA(sibling, name, sizeof name) || lstrcmpiA(name, "SysTabControl32") != 0 ||
            !::GetWindowRect(sibling, &r))
            continue;
        if (mine.left >= r.left && mine.top >= r.top && mine.right <= r.right && mine.bottom <= r.bottom)
            return sibling;
    }
    return parent;
}

BOOL SkinnedWindow::AnswerCtlColor(UINT, HDC, LRESULT*)
{
    return FALSE;
}

BOOL SkinnedWindow::ChildCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    SkinnedWindow* child = control && control != hwnd_ && HasObjectProperty(control)
                               ? SkinEngine::Instance().FindSkinnedWindow(control)
                               : NULL;
    return child && child->AnswerCtlColor(message, reinterpret_cast<HDC>(wParam), result);
}

LRESULT SkinnedWindow::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    if (ChildCtlColor(WM_CTLCOLORSTATIC, wParam, lParam, &answer))
        return answer;
    SkinnedWindow* child = SkinEngine::Instance().FindSkinnedWindow(reinterpret_cast<HWND>(lParam));
    if (child && child->GetSkinType() == SkinTypeStatic) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        // The static draws its text over nothing: it gets the picture under it first, from whoever holds
        // its background (a tab control or this window).
        HWND holder = child->FindTabParent();
        if (holder)
            SendMessageA(holder, WM_SKIN_DRAWBACKGROUND, wParam, lParam);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return CallSavedProc(WM_CTLCOLORSTATIC, wParam, lParam);
}

int SkinnedWindow::GetMenuBarHeight(int)
{
    return 0;
}

void SkinnedWindow::PaintFrameElements(HDC dc)
{
    const RECT bounds = GetWindowBounds();
    for (FrameElement* element : elements_) {
        element->Layout(bounds);
        if (element->IsVisible())
            element->Paint(dc);
    }
}

BOOL SkinnedWindow::ForwardToElements(UINT message, POINT point)
{
    BOOL taken = FALSE;
    const RECT bounds = GetWindowBounds();
    // A copy: an action may rebind the window and so replace the list.
    const std::vector<FrameElement*> elements = elements_;
    for (FrameElement* element : elements) {
        element->Layout(bounds);
        const BOOL hit = element->HitTest(point);
        switch (message) {
        case WM_MOUSEMOVE:
            element->OnMouseMove(point);
            break;
        case WM_LBUTTONDOWN:
            element->OnLButtonDown(point);
            break;
        case WM_LBUTTONUP:
            element->OnLButtonUp(point);
            break;
        case WM_LBUTTONDBLCLK:
            element->OnLButtonDblClk(point);
            break;
        case WM_RBUTTONDOWN:
            element->OnRButtonDown(point);
            break;
        case WM_RBUTTONUP:
            element->OnRButtonUp(point);
            break;
        default:
            break;
        }
        if (hit && !dynamic_cast<CaptionStatic*>(element))
            taken = TRUE;
        if (elements_ != elements)
            break;
    }
    return taken;
}

int SkinnedWindow::ElementHitTest(POINT point)
{
    const RECT bounds = GetWindowBounds();
    for (FrameElement* element : elements_) {
        element->Layout(bounds);
        if (CaptionStatic* text = dynamic_cast<CaptionStatic*>(element)) {
            if (text->HitTest(point))
                return text->GetHitTestCode();
        } else if (dynamic_cast<CaptionButton*>(element) && element->HitTest(point)) {
            return HTCAPTION;
        }
    }
    return 0;
}

void SkinnedWindow::UpdateCaptionButtonsFromStyle(LONG style)
{
    for (FrameElement* element : elements_) {
        CaptionButton* button = dynamic_cast<CaptionButton*>(element);
        if (!button)
            continue;
        switch (button->GetAction()) {
        case CaptionButton::ActionClose:
        case CaptionButton::ActionSystemMenu:
            button->SetEnabled((style & WS_SYSMENU) != 0);
            break;
        case CaptionButton::ActionMaximize:
            button->SetEnabled((style & WS_MAXIMIZEBOX) != 0);
            break;
        case CaptionButton::ActionMinimize:
            button->SetEnabled((style & WS_MINIMIZEBOX) != 0);
            break;
        default:
            break;
        }
    }
}

void SkinnedWindow::CaptureForElements()
{
    if (!hwnd_)
        return;
    // An action that ran on the press (the system menu) is over: holding the mouse now would keep it
    // from every other window.
    bool awaited = false;
    for (FrameElement* element : elements_)
        awaited = awaited || element->AwaitsRelease();
    if (!awaited)
        return;
    SetCapture(hwnd_);
    elementCapture_ = GetCapture() == hwnd_;
}

BOOL SkinnedWindow::OnElementCapture(UINT message, LPARAM lParam)
{
    if (message == WM_CAPTURECHANGED) {
        elementCapture_ = FALSE;
        return FALSE;
    }
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONUP)
        return FALSE;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd_, &point);
    point = ScreenToWindow(point);
    if (message == WM_LBUTTONUP) {
        elementCapture_ = FALSE;
        ReleaseCapture();
    }
    ForwardToElements(message == WM_MOUSEMOVE ? WM_MOUSEMOVE : WM_LBUTTONUP, point);
    return TRUE;
}
