// ControlSkinner: the skinner of a child control. It takes its skin object from the skin object of the
// frame or dialog it belongs to (by the control's id), lets the parent keep the control native, applies
// the skin's font and place and puts the control's own font back when unskinned, paints off-screen,
// tracks the mouse for a hover look and shows the skin's tooltip.
#pragma once
#include <windows.h>

#include "skin/engine/toolkit/SkinnedWindow.h"

class ControlSkinObject;
struct SlicedImage;

class ControlSkinner : public SkinnedWindow {
public:
    ControlSkinner(SkinnedWindow* owner, int typeId);
    // The region recorded by a push button belongs to the window: it is forgotten, not deleted.
    ~ControlSkinner() override;

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    SkinObject* GetTooltipSkinObject() const override;
    LRESULT OnNcDestroy() override;
    void Detach() override;
    // 0 when the control stays unskinned (the parent vetoed it or subclassing failed).
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_MOUSELEAVE: ends the hover look.
    virtual void OnHoverCheck();
    // WM_PAINT: the client painted off-screen by Paint and copied in one blit.
    virtual void OnPaint();

    int TypeId() const { return typeId_; }
    HFONT SavedFont() const { return savedFont_; }
    BOOL Hovering() const { return hover_; }

    // Whether controls of that type take a skin font (range controls never do).
    static bool TakesSkinFont(int typeId);

protected:
    // Run once an object is bound, before the control is redrawn: the bound object may be the frame's own
    // object for this control in place of the one offered, and what a skinner builds from its object (its
    // brushes) comes from the bound one.
    virtual void OnBound() {}
    // Posts the font change (recording the current font first when none is saved).
    void ApplySkinFont(HFONT font, BOOL redraw);
    // The child of the frame owner's object for (control id, type id); RichEdit falls back to Edit.
    SkinObject* FindControlSkinObject(int controlId, int typeId) const;
    SkinnedWindow* FrameOwner() const;
    void TrackHover();
    BOOL HasCallableProc() const;
    // The control's own procedure, through the captured button class procedure when the saved one is a
    // call handle.
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    // Passed on with WS_VISIBLE off, so the control draws nothing of its own while it handles the message.
    // Whatever it would have shown must be repainted afterwards.
    LRESULT CallHidden(UINT message, WPARAM wParam, LPARAM lParam);
    // The same, straight to the control's own procedure.
    LRESULT PassOnHidden(UINT message, WPARAM wParam, LPARAM lParam);
    // Whether the window and its skinner outlived a message: the control's own handling may destroy the
    // window or unskin it, and delete the skinner with it (only the pointer's value is compared).
    static bool StillSkinned(HWND self, const ControlSkinner* skinner);
    // Runs pass (a message passed on), then after only when the window and this skinner are still there;
    // the answer is pass's.
    template <class Pass, class After> LRESULT PassThen(Pass pass, After after)
    {
        HWND self = hwnd_;
        const ControlSkinner* me = this;
        const LRESULT result = pass();
        if (StillSkinned(self, me))
            after();
        return result;
    }
    // The message passed on (ControlSkinner::WindowProc), then after while still skinned.
    template <class After> LRESULT PassOnThen(UINT message, WPARAM wParam, LPARAM lParam, After after)
    {
        return PassThen([&] { return ControlSkinner::WindowProc(message, wParam, lParam); }, after);
    }
    // The message passed on hidden (CallHidden), then after while still skinned.
    template <class After> LRESULT HiddenThen(UINT message, WPARAM wParam, LPARAM lParam, After after)
    {
        return PassThen([&] { return CallHidden(message, wParam, lParam); }, after);
    }
    // WM_NCPAINT with the border the window's edge styles make drawn from the frame picture (the colour
    // where it is empty); the rest of the non-client area is the control's. Without a picture the control
    // draws it all.
    LRESULT PaintSkinBorder(WPARAM region, LPARAM lParam, const SlicedImage& frame, COLORREF color);
    const ControlSkinObject* Control() const;
    // Applies the object's font (AUTOSKINFONT) and place (AUTOPLACE); TRUE when it moved the control.
    BOOL ApplyFontAndPlace(const SkinObject* object, BOOL redrawFont);

    HFONT savedFont_;
    BOOL hover_;
    HWND ownerWindow_;
    int typeId_;
    BOOL fontSaved_;      // the control's own font (possibly none) is recorded in savedFont_
    BOOL refreshPending_; // a WM_SKIN_REFRESHFONT is on its way
};

// Reading the window text into a fixed buffer (at most max characters), as every control draws it.
int ReadWindowText(HWND hwnd, char* buffer, int max);
// A question a painting skinner asks a window (its font, state, items): sent as usual to a window of
// another thread; for one of this thread, handed straight to its procedure chain, since a message sent
// on a thread with window hooks costs server round trips under Wine and these questions concern no hook.
LRESULT AskWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The control's own font selected into a DC while the object lives; nothing when the control has none.
class ControlFontInDc {
public:
    ControlFontInDc(HWND control, HDC dc)
        : dc_(dc), font_(reinterpret_cast<HFONT>(AskWindow(control, WM_GETFONT, 0, 0))),
          old_(font_ ? SelectObject(dc, font_) : NULL)
    {
    }
    ~ControlFontInDc()
    {
        if (font_)
            SelectObject(dc_, old_);
    }
    ControlFontInDc(const ControlFontInDc&) = delete;
    ControlFontInDc& operator=(const ControlFontInDc&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};
