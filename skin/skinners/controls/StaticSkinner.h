// StaticSkinner: text, icon and bitmap statics drawn over their parent's picture (TRANSPARENT) or their
// own background, their text with the skin's text effects. Other kinds (frames, rectangles, etched
// lines, owner-drawn, simple and metafile statics) keep their own look.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

enum StaticKind { StaticNative, StaticText, StaticIcon, StaticBitmap };
StaticKind ClassifyStatic(LONG style);
// The DrawText format of a text static.
UINT StaticTextFormat(LONG style, LONG exStyle);
// A static's background under a control drawn from a Static object: the holder's picture when the object
// is TRANSPARENT (or missing), else BACKIMAGE over the client with BACKCOLOR.
void DrawStaticBackground(HWND control, HWND holder, const SkinObject* object, HDC dc);

class StaticSkinner : public ControlSkinner {
public:
    explicit StaticSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    void Detach() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBackground(HDC dc);

    BOOL addedTransparent_; // WS_EX_TRANSPARENT was the skinner's, taken off again at detach
};
