// ListBoxSkinner: list boxes (and the list of a simple combo box) in the skin's colours; owner-drawn
// list boxes keep their own look.
#pragma once
#include "skin/skinners/scrolling/ScrollControlSkinner.h"

class ListBoxSkinner : public ScrollControlSkinner {
public:
    explicit ListBoxSkinner(SkinnedWindow* owner);
    ~ListBoxSkinner() override;

    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnCtlColorListBox(HDC dc);

protected:
    void OnBound() override;

private:
    HBRUSH backgroundBrush_;
};
