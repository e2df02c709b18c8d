// StatusBarSkinner: status bars drawn from the skin's StatusBar object (background, one picture per
// part, the part texts in the object's font colour). It carries a default object of its own for when
// no object is given, so a status bar is never left unbound.
#pragma once
#include <string>

#include "skin/engine/objects/BarSkinObjects.h"
#include "skin/skinners/controls/ControlSkinner.h"

// The text of a part as drawn: empty for owner-drawn parts (their "text" is the application's data) and
// parts without text; the buffer is sized by the control's own length.
std::string ReadStatusPartText(HWND statusBar, int part);

class StatusBarSkinner : public ControlSkinner {
public:
    explicit StatusBarSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    // NULL binds the skinner's own default object.
    SkinObject* SetSkinObject(SkinObject* object) override;
    // The bar's own painting must not cover the parts' children.
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const StatusBarSkinObject& DefaultObject() const { return default_; }

private:
    void OnStatusPaint();

    StatusBarSkinObject default_;
};
