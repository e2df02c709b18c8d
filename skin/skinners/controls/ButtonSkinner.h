// ButtonSkinner: push buttons drawn from the Button object's six state images, with a window region that
// leaves out the magenta corners of the normal image.
#pragma once
#include "skin/skinners/controls/ButtonSkinnerBase.h"

class ButtonSkinObject;

class ButtonSkinner : public ButtonSkinnerBase {
public:
    explicit ButtonSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClick() override;
    SkinObject* GetDefaultSkinObject() override;

    BOOL IsDefault() const { return default_; }

protected:
    void PaintInto(HDC dc) override { PaintWithBackground(dc); }

private:
    const ButtonSkinObject* Button() const;
    // The parent's picture and the button into the DC.
    void PaintWithBackground(HDC dc);
    void RebuildRegion();
    void DrawContent(HDC dc, const RECT& client, int state);

    BOOL default_;
};
