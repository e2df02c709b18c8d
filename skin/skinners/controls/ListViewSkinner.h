// ListViewSkinner: list views in the skin's colours; a thumb drag on its skin bar scrolls the list by
// whole rows of its real height. Owner-drawn list views keep their own look.
#pragma once
#include "skin/skinners/scrolling/ScrollControlSkinner.h"

class ListViewSkinner : public ScrollControlSkinner {
public:
    explicit ListViewSkinner(SkinnedWindow* owner);

    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnColorsChanged();
    LRESULT OnThumbTrack(UINT message, WPARAM wParam);
    // The pixels one vertical scroll unit covers: a row in report and list views, else one.
    int VerticalUnit() const;
};
