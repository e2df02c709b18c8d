// ProgressSkinner: progress bars drawn from the skin. Once active the skinner keeps range, position and
// step itself and answers the bar's messages (the control's own stepping wraps around and paints); at
// detach the control gets the state back.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class ProgressSkinObject;

class ProgressSkinner : public ControlSkinner {
public:
    explicit ProgressSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    void Detach() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool Active() const { return active_; }
    int Position() const { return position_; }
    int Step() const { return step_; }

    // The filled length of a bar length long (0 for an empty or reversed range, never past the bar).
    static int FillLength(int position, int minimum, int maximum, int length);

private:
    void ReadControlState();
    int Clamp(int value) const;
    // Applies a setter's change and repaints; the result is what the control would answer.
    LRESULT Changed(LRESULT result);
    void PaintBar(HDC dc, const RECT& bar, const ProgressSkinObject& object);
    void PaintNonClient();

    bool active_;
    int step_;
    int position_;
    int minimum_;
    int maximum_;
};
