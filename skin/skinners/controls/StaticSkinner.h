// StaticSkinner: text, icon and bitmap statics drawn over their parent's picture (TRANSPARENT) or their
// own background, their text with the skin's text effects. Other kinds (frames, rectangles, etched
// lines, owner-drawn, simple and metafile statics) keep their own look.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

enum StaticKind { StaticNative, StaticText, StaticIcon, StaticBitmap };
StaticKind ClassifyStatic(LONG style);
// The DrawText format of a text static.
UINT StaticTextFormat(LONG style, LONG exStyle);

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
