// SkinnedWindow: one live window drawn by the toolkit. It subclasses the window (keeping the old procedure),
// is found from the window through the property "OBJECT", skins the window's children through the
// skinner services, paints the non-client frame from the nine frame sections of its skin object and
// builds the window region from the sections' masks. The engine owns every SkinnedWindow through its
// window table; the frame, dialog, popup-menu and control skinners override its operations.
//
// It owns the frame elements (caption buttons, caption texts, areas) its skin object lists as children.
#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "skin/engine/toolkit/SkinnedItem.h"

class FramedSkinObject;
class FrameElement;

class SkinnedWindow : public SkinnedItem {
public:
    SkinnedWindow();
    // Detaches, forgets the region, deletes the frame elements and clears the child map.
    ~SkinnedWindow() override;

    void Paint(HDC dc) override;
    // Binds the object, takes the region flag and transparent colour from the skin's Application object,
    // makes the frame elements from the object's children, skins the children again and lays the frame
    // out at the object's design size.
    SkinObject* SetSkinObject(SkinObject* object) override;

    virtual HMENU GetMenu();
    virtual void SetMenu(HMENU menu);
    virtual LRESULT OnMenuKey(WPARAM key, LPARAM keyData);
    // Asked on a skin change when the new skin has no object for this window; FALSE drops the window.
    virtual BOOL CanStayUnskinned();
    virtual LRESULT OnNcDestroy();
    virtual HWND GetActiveMdiChild(BOOL* maximized);
    virtual BOOL GetWindowRect(RECT* rect);
    virtual void PaintClient(HDC dc, BOOL active);
    virtual void PaintFrame(HDC dc, BOOL active);
    virtual void Detach();
    // Non-zero (the replaced procedure) when the window is now subclassed.
    virtual LONG_PTR Attach(HWND hwnd);
    virtual void HookOwner(WPARAM show, LPARAM status);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void GetMenuBarRect(RECT* rect);
    virtual void PaintMenuBar(HDC dc);
    // The region the window gets (the caller hands it to the window), or NULL for none.
    virtual HRGN GetWindowRegion();
    virtual void PaintCaptionText(HDC dc, BOOL active);

    void SkinChildren(HWND parent, SkinObject* object);
    BOOL SkinChild(HWND child, SkinObject* object);
    BOOL ForgetChild(HWND child);
    void UnskinChildren(HWND parent);
    // Puts the saved procedure back and removes "OBJECT", touching nothing else (the window is going).
    void Unsubclass();
    void LayoutFrameRects(int width, int height);
    void PaintFrameSection(HDC dc, int index, BOOL active);
    RECT GetWindowBounds() const;

    BOOL IsActiveCaption() const;
    // Sends WM_NCPAINT with a region made from the rectangle (window coordinates) for that part alone.
    void RedrawNcRect(const RECT& rect);
    POINT ScreenToWindow(POINT point) const;
    HWND GetTopLevelParent() const;
    // The sibling tab control that holds this window, else the parent. Kept while the window tree stays as
    // it was (walking the siblings costs a server round trip per window under Wine).
    HWND FindTabParent() const;
    // The window's child windows in z-order, kept like the tab parent while the window tree stays.
    static std::vector<HWND> ChildrenOf(HWND parent);
    // WM_CTLCOLORSTATIC: a skinned static draws on its parent's background.
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    // A control's colour answer for its parent's WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC; FALSE when it has
    // none and the parent answers as usual.
    virtual BOOL AnswerCtlColor(UINT message, HDC dc, LRESULT* result);
    // Frame elements: laid out for the window and the visible ones painted; the mouse (window
    // coordinates) handed to all of them, TRUE when the point is on one that is not a caption text; the
    // hit-test code the elements give a point (a caption text's own code, HTCAPTION on a caption button).
    void PaintFrameElements(HDC dc);
    BOOL ForwardToElements(UINT message, POINT point);
    int ElementHitTest(POINT point);
    // Enables the close, maximize, minimize and system-menu buttons by the style's bits.
    void UpdateCaptionButtonsFromStyle(LONG style);
    const std::vector<FrameElement*>& Elements() const { return elements_; }
    // A non-client press taken by an element that awaits its release: the mouse is captured until the
    // release, which the elements get wherever it happens.
    void CaptureForElements();
    // The menu bar's height for a client of that width; 0 without a menu bar.
    virtual int GetMenuBarHeight(int width);

    HWND GetHwnd() const { return hwnd_; }
    WNDPROC SavedProc() const { return savedProc_; }
    // The bound object's NAME and type, NULL and 0 when unbound.
    const char* GetSkinObjectName() const;
    int GetSkinType() const;
    const RECT& FrameRect(int index) const { return frameRects_[index]; }
    BOOL RegionFlag() const { return regionFlag_; }
    COLORREF TransparentColor() const { return transparentColor_; }
    bool HasChild(HWND child) const { return children_.count(child) != 0; }

    // The procedure every subclassed window gets.
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The class procedure of the toolkit's own window classes: the object comes in the creation
    // parameters and is kept in the property "this".
    static LRESULT CALLBACK ThisClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Registers one of those classes (CS_SAVEBITS | CS_CLASSDC, no background). A class left registered by
    // an earlier set-up whose window outlived it is still the toolkit's and counts as registered.
    static BOOL RegisterThisClass(HINSTANCE instance, const char* name, HCURSOR cursor);

protected:
    void RestoreProcedure();
    LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
    // The skinned control in lParam answers its own colours (edits, whatever their object's type).
    BOOL ChildCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The mouse while an element holds the capture; FALSE when the message is not for it.
    BOOL OnElementCapture(UINT message, LPARAM lParam);
    void DeleteElements();
    LRESULT CallSavedProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The bound object when it is drawn as a nine-piece frame (FrameWnd, PopupMenu, Tooltip), else NULL.
    const FramedSkinObject* Framed() const;

    LONG ncButtonDepth_;
    RECT frameRects_[9];
    HWND hwnd_;
    WNDPROC savedProc_;
    std::map<HWND, SkinnedItem*> children_;
    RECT lastWindowRect_;
    BOOL destroyed_;
    BOOL defaultCaptionText_;
    BOOL regionFlag_;
    COLORREF transparentColor_;
    HRGN region_;
    std::vector<FrameElement*> elements_;
    BOOL elementCapture_;

private:
    HWND WalkForTabParent() const;

    // The last FindTabParent answer, for which window and at which window-tree stamp.
    mutable HWND tabParent_;
    mutable HWND tabParentOf_;
    mutable LONG tabParentStamp_;
};

extern const char kObjectProperty[]; // "OBJECT"
extern const char kThisProperty[];   // "this"
