// FrameWindowSkinner: draws the whole non-client area of a top-level window from a FrameWnd object:
// frame sections, caption text, caption buttons and areas, and a skinned menu bar that holds the
// window's menu while it is skinned; answers the non-client messages itself (size, paint, hit test,
// mouse, activation, minimum and maximum size) and hands the rest to the window, hiding WS_SYSMENU around
// the default processing so the system draws no caption of its own. A frame holding an "MDIClient" child
// skins that child too.
#pragma once
#include "skin/skinners/menu/MenuBar.h"
#include "skin/skinners/window/ClientBackground.h"
#include "skin/skinners/window/FramedSkinnerBase.h"

class FrameWndSkinObject;
class MdiClientSkinner;

class FrameWindowSkinner : public FramedSkinnerBase {
public:
    FrameWindowSkinner();
    ~FrameWindowSkinner() override;

    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    // Gives the window the bar's current menu back.
    void Detach() override;
    HMENU GetMenu() override;
    // Refused while a popup of the bar is open or for a handle that is no menu.
    void SetMenu(HMENU menu) override;
    LRESULT OnMenuKey(WPARAM key, LPARAM keyData) override;
    HWND GetActiveMdiChild(BOOL* maximized) override;
    void GetMenuBarRect(RECT* rect) override;
    void PaintMenuBar(HDC dc) override;
    int GetMenuBarHeight(int width) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintCaptionText(HDC dc, BOOL active) override;

    virtual LRESULT OnNcLButtonUp(int hit, POINT point);
    virtual LRESULT OnNcLButtonDown(int hit, POINT point);
    virtual LRESULT OnNcLButtonDblClk(int hit, POINT point);
    virtual int OnNcHitTest(POINT point);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);
    virtual void OnNcMouseMove(int hit, POINT point);

    MenuBar& GetMenuBar() { return menuBar_; }
    MdiClientSkinner* GetMdiClient() const { return mdiClient_; }

    // Whether a release at `now` (message time, ms) follows the previous one closely enough to be the
    // second click of a double click.
    static bool IsSecondClick(DWORD previous, DWORD now, DWORD doubleClickTime);

protected:
    const FrameWndSkinObject* FrameObject() const;
    BOOL SkinClient() const;
    LRESULT OnNcPaint(WPARAM region);
    LRESULT OnNcActivate(WPARAM wParam);
    LRESULT OnCaptionChange(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL IsMaximized() const;
    // The base procedure with the replacement style for the call (an MDI child's without its system
    // menu and boxes; a top-level window's without a caption), so the system draws nothing of its own.
    LRESULT Swapped(UINT message, WPARAM wParam, LPARAM lParam);
    // A maximized MDI child hides its left and top frame sections outside the MDI client.
    void MaximizedPlace(MINMAXINFO* info) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    // A press a popup of the bar took from outside the cascade, re-issued where it was meant to go.
    LRESULT OnMenuButtonDown(LPARAM screenPoint);
    void TakeNativeMenu();
    void AttachMdiClient();

    ClientBackground background_;
    HMENU savedMenu_;
    LONG replacementStyle_;
    BOOL mdiChild_;
    LONG savedStyle_;
    MenuBar menuBar_;
    MdiClientSkinner* mdiClient_;
    bool destroying_; // the menu went back at WM_DESTROY: the bar takes no native menu any more
    DWORD lastRelease_;
    bool hadRelease_;
};
