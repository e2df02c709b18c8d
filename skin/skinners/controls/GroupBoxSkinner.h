// GroupBoxSkinner: a group box's frame and caption drawn from the GroupBox object over the parent's
// picture; a caption that shrinks gives the parent its background back.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

// The caption rectangle of a text of that size, margins (left, top, right, bottom) of the caption picture.
RECT GroupCaptionRect(const RECT& client, SIZE text, const RECT& margins, LONG style);

class GroupBoxSkinner : public ControlSkinner {
public:
    explicit GroupBoxSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    // Gives back the WS_EX_TRANSPARENT the attach added.
    void Detach() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    RECT LayoutCaption(HDC dc, const char* text, int length) const;
    // The parent's picture under a rectangle of the client.
    void RestoreBackground(HDC dc, const RECT& rect);

    RECT captionRect_;
    BOOL erasePending_;
    BOOL addedTransparent_; // the box had no WS_EX_TRANSPARENT of its own
};
