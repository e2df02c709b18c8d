// DateTimeSkinner: date-time pickers drawn from the skin, whose drop-down is a calendar popup of the
// skinner's own, run in a message loop of its own until a day is chosen or the popup is dismissed.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

// The width of the drop button at the picker's right edge.
const int kDateTimeButtonWidth = 17;

class DateTimeSkinner : public ControlSkinner {
public:
    explicit DateTimeSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND Popup() const { return popup_; }

    // Up-down pickers (time pickers among them) have no drop button.
    static bool HasDropButton(LONG style);

private:
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    // While the picker has the focus: the field the control edits, highlighted in the drawn text.
    void HighlightSelectedField(HDC dc, const RECT& textRect, const char* text, int length);
    bool FindOwnSelection(int* from, int* to);
    // The loop of the open popup; false when the picker went away meanwhile (this object with it).
    // rootWasActive: the picker's dialog was active before the popup opened (it closes when that ends).
    bool RunPopup(HWND self, HWND calendar, HWND root, bool rootWasActive);

    HWND popup_;
    // A WM_CANCELMODE sent to the picker while its popup is open: the loop ends at its next turn.
    BOOL cancelPopup_;
};
