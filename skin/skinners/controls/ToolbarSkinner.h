// ToolbarSkinner: toolbars drawn from the skin's ToolBar object (button pictures by state, the control
// frame as background), turned on its side in a control bar docked left or right. The toolbar keeps its
// buttons, layout and mouse handling; its tips come from the string resource of the button's command.
#pragma once
#include <string>

#include "skin/skinners/controls/ControlSkinner.h"

class ToolBarSkinObject;

// Most characters of a button text that are drawn.
const int kToolbarTextMax = 99;

// Whether the toolbar stands in a docking control bar docked at the left or right edge.
bool ToolbarDockedAtSide(HWND toolbar);
// A button's text by its command, cut to kToolbarTextMax characters on a character boundary; the
// control's text is read whole into a buffer of its own length first (the message takes no size).
std::string ReadToolbarButtonText(HWND toolbar, int command);

class ToolbarSkinner : public ControlSkinner {
public:
    explicit ToolbarSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    std::string GetTipText(POINT screenPoint) const override;
    void SetTipText(const char* text) override;
    // The toolbar asks for its tips itself, button by button.
    void ShowTooltip() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHoverCheck() override;

    int HotIndex() const { return hot_; }

private:
    const ToolBarSkinObject* Object() const;
    void PaintBackground(HDC dc, const RECT& rect);
    void PaintButton(HDC dc, int index, bool hot, bool textMode);
    bool HasButtonText();
    void OnToolbarPaint();
    void OnNcPaint();
    void OnMouseMove(LPARAM point);
    void OnLButtonDown(LPARAM point);

    int hot_; // the button whose tip was last asked for, -1 for none
};
