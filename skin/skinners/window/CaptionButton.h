// CaptionButton: a button in a skinned window's caption (close, maximize, minimize, the window icon, the
// system menu or an application command). It draws its picture for its state, shows its tip while the
// mouse rests on it and runs its action when a press on it is released over it.
#pragma once
#include "skin/skinners/window/FrameElement.h"

class CaptionButtonSkinObject;

class CaptionButton : public FrameElement {
public:
    enum State { StateHover = 0, StatePressed = 1, StateNormal = 3 };
    enum Action {
        ActionCommand = 0,
        ActionClose = 1,
        ActionIcon = 2,
        ActionMaximize = 3,
        ActionMinimize = 4,
        ActionSystemMenu = 5
    };

    CaptionButton(const RECT& rect, SkinnedWindow* owner);
    // Kills the hover timer before its cell goes, deletes the mask.
    ~CaptionButton() override;

    void Paint(HDC dc) override;
    // Binds; the tip text is the object's second name; the mask is cut when the skin uses regions.
    SkinObject* SetSkinObject(SkinObject* object) override;
    void OnRButtonDown(POINT point) override;
    void OnMouseMove(POINT point) override;
    void OnLButtonUp(POINT point) override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonDblClk(POINT point) override;
    // Enabled, visible, in the rectangle and, for a shaped button, inside its mask.
    BOOL HitTest(POINT point) override;
    virtual void OnMouseLeave();
    // The hover timer's tick: leaves when the cursor is no longer on the button.
    void OnHoverTimer();

    int GetState() const { return state_; }
    BOOL IsPressed() const { return pressed_; }
    BOOL AwaitsRelease() const override { return pressed_; }
    int GetAction() const;
    BOOL IsCheckButton() const;
    BOOL HoverTimerRunning() const { return hoverCell_ != NULL; }

private:
    const CaptionButtonSkinObject* Button() const;
    void MakeMask();
    void StartHoverTimer();
    void StopHoverTimer();
    void RunAction();

    int drawn_; // the state whose picture shows (a check button shows hover and press without taking them)
    HRGN mask_;
    COLORREF transparentColor_;
    BOOL regionFlag_;
    struct HoverCell* hoverCell_;
    BOOL pressed_;
    int state_;
};
