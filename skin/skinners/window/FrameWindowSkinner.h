// FrameWindowSkinner: draws the whole non-client area of a top-level window from a FrameWnd object:
// frame sections and caption text; answers the non-client messages itself (size, paint, hit test,
// mouse, activation, minimum and maximum size) and hands the rest to the window, hiding WS_SYSMENU around
// the default processing so the system draws no caption of its own.
#pragma once
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/skinners/window/ClientBackground.h"

class FrameWndSkinObject;

class FrameWindowSkinner : public SkinnedWindow {
public:
    FrameWindowSkinner();
    ~FrameWindowSkinner() override;

    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintCaptionText(HDC dc, BOOL active) override;

    virtual LRESULT OnNcLButtonUp(int hit, POINT point);
    virtual LRESULT OnNcLButtonDown(int hit, POINT point);
    virtual LRESULT OnNcLButtonDblClk(int hit, POINT point);
    virtual int OnNcHitTest(POINT point);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);

    // Whether a release at `now` (message time, ms) follows the previous one closely enough to be the
    // second click of a double click.
    static bool IsSecondClick(DWORD previous, DWORD now, DWORD doubleClickTime);

protected:
    const FrameWndSkinObject* FrameObject() const;
    BOOL SkinClient() const;
    // Calls the base procedure with WS_SYSMENU taken off the style for the call.
    LRESULT Stripped(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(WPARAM region);
    LRESULT OnNcActivate(WPARAM wParam);
    LRESULT OnCaptionChange(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL IsMaximized() const;

    ClientBackground background_;
    LONG savedStyle_;
    DWORD lastRelease_;
    bool hadRelease_;
};
