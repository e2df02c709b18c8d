// MonthCalSkinner: a month calendar painted over the skin's background, with the skin's colours handed
// to the calendar and its two title buttons (previous and next month) drawn from the skin's pictures.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class MonthCalendarSkinObject;

class MonthCalSkinner : public ControlSkinner {
public:
    explicit MonthCalSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    enum { ButtonNone, ButtonPrevious, ButtonNext };
    int ButtonState() const { return buttonState_; }
    const RECT& PreviousButton() const { return previous_; }
    const RECT& NextButton() const { return next_; }

private:
    const MonthCalendarSkinObject* Calendar() const;
    LRESULT OnColorsChanged();
    // Mouse messages the calendar handles unseen (it would draw its own buttons), then shown at once.
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);

    RECT previous_;
    RECT next_;
    int buttonState_;
};
