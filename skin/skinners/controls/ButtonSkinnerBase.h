// ButtonSkinnerBase: the behaviour push buttons, check boxes and radio buttons share. The button's own
// procedure sees no mouse press and no space bar: the skinner decides the pressed look, the check state
// (kept in the control's window word 0, where the button class keeps it) and the click notification.
#pragma once
#include <windows.h>

#include "skin/engine/store/SkinRecords.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/controls/ButtonLook.h"
#include "skin/skinners/controls/ControlSkinner.h"

class ButtonSkinnerBase : public ControlSkinner {
public:
    ButtonSkinnerBase(SkinnedWindow* owner, int typeId);

    // Owner-drawn buttons stay unskinned.
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Before the click notification: the check box and radio skinners change the check state here.
    virtual void OnClick();
    virtual SkinObject* GetDefaultSkinObject() = 0;
    // Repaints at once, outside WM_PAINT, through an off-screen buffer filled by PaintInto.
    void PaintBuffered();

    BOOL Pressed() const { return pressed_; }

protected:
    // What PaintBuffered draws into its buffer: the button alone, unless a kind adds more.
    virtual void PaintInto(HDC dc) { Paint(dc); }
    ButtonInputs Inputs() const;
    // A check box or radio: background (or the parent's picture), box and text, by the parts given.
    void DrawCheckItem(HDC dc, const ImagePart& background, const ImagePart& box, const TextEffect& effect,
                       BOOL transparent);
    // Ends a press without a click (capture lost, a character typed).
    void CancelPress();
    void PostClick();

    DWORD reserved1_;
    DWORD reserved2_;
    BOOL pressed_;
};

// The parent's picture under the control into the DC; COLOR_BTNFACE where nobody paints it.
void DrawParentBackground(HWND control, HWND holder, HDC dc);
