// TabSkinner: tab controls drawn from the skin, on any of the four sides. Pages placed over the tab keep
// their pixels, and children asking for the picture under them get it from a kept copy of the tab's
// painting, made again only when the tab's size, items, selection or skin change.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

enum TabSide { TabTop = 0, TabLeft = 1, TabRight = 2, TabBottom = 3 };
TabSide TabSideFromStyle(LONG style);

class TabSkinObject;

class TabSkinner : public ControlSkinner {
public:
    explicit TabSkinner(SkinnedWindow* owner);
    ~TabSkinner() override;

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    void Detach() override;
    // Owner-drawn tabs stay native.
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // How many times the kept background was painted (for the tests of when it is made again).
    int BackgroundPaints() const { return backgroundPaints_; }

private:
    void PaintItem(HDC dc, const TabSkinObject& object, int index, TabSide side);
    void OnPaint() override;
    LRESULT DrawChildBackground(HDC dc, HWND child);
    void ForgetBackground();

    HBITMAP background_; // the painted tab, for its children
    SIZE backgroundSize_;
    int backgroundSelection_;
    int backgroundPaints_;
};
