// DialogSkinner: skins dialog windows. A framed dialog (WS_DLGFRAME or DS_MODALFRAME) gets the skin's
// frame sections, caption text and hit testing, no menu bar; a frameless one (a tab page or a child
// dialog) keeps its own frame and only takes the client picture, the static colours and the background
// service for its children.
#pragma once
#include "skin/skinners/window/ClientBackground.h"
#include "skin/skinners/window/FramedSkinnerBase.h"

class DialogSkinner : public FramedSkinnerBase {
public:
    explicit DialogSkinner(BOOL frameless);
    ~DialogSkinner() override;

    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintCaptionText(HDC dc, BOOL active) override;

    BOOL IsFramed() const;

private:
    BOOL SkinClient() const;
    LRESULT FramedProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FramelessProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivate(WPARAM wParam);
    LRESULT OnNcButton(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    BOOL frameless_;
    LONG savedStyle_;
    ClientBackground background_;
};
