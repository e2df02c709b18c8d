// ScrollControlSkinner: controls that paint their own contents (edits, list boxes, list and tree views,
// IP address fields). The toolkit draws their border from the skin, gives them the skin's colours and
// replaces their scroll bars by skin scroll bars. Where the platform's scroll-bar functions are not
// redirected to the skin bars (Windows 98 and Me, and every system or process without that redirection),
// the platform's bars change unseen; the skin bars' own procedure brings them back in line after every
// message the control gets (SkinScrollBar).
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class ScrollControlSkinObject;

class ScrollControlSkinner : public ControlSkinner {
public:
    ScrollControlSkinner(SkinnedWindow* owner, int typeId);

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    void Detach() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnNcPaint(WPARAM region, LPARAM lParam);

    BOOL SkinBarsInstalled() const { return installed_; }
    // Whether the skin bars follow the platform's bars (the control's scroll-bar calls reach those).
    static bool NeedsResync();

    // The control paints its own background: nothing is erased here.
    virtual LRESULT OnEraseBackground(HDC dc);
    // Each passes one message of its kind, rebuilt from its arguments, straight to the control's own
    // procedure.
    virtual LRESULT ForwardMouseWheel(UINT keys, short delta, int x, int y);
    virtual LRESULT ForwardMouseMove(UINT keys, int x, int y);
    virtual LRESULT ForwardLButtonUp(UINT keys, int x, int y);
    virtual LRESULT ForwardLButtonDown(UINT keys, int x, int y);
    virtual LRESULT ForwardLButtonDblClk(UINT keys, int x, int y);
    virtual LRESULT ForwardHScroll(int code, int position, HWND control);
    virtual LRESULT ForwardVScroll(int code, int position, HWND control);

protected:
    const ScrollControlSkinObject* ScrollObject() const;
    void InstallSkinBars();
    void SizeSkinBars();
    // Brings the skin bars in line with the platform's where they follow them.
    void Resync();

    BOOL installed_;
};
