// TreeViewSkinner: tree views in the skin's text, background and line colours.
#pragma once
#include "skin/skinners/scrolling/ScrollControlSkinner.h"

class TreeViewSkinner : public ScrollControlSkinner {
public:
    explicit TreeViewSkinner(SkinnedWindow* owner);

    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnColorsChanged();
};
