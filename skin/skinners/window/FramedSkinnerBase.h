// FramedSkinnerBase: what the frame-window and dialog skinners share of a window drawn inside a skin
// frame: the non-client paint (frame, elements, caption text, the minimized picture), the window region,
// the client inside the frame (WM_NCCALCSIZE), the tracking limits, and the default processing with
// WS_SYSMENU hidden so the system draws no caption of its own.
#pragma once
#include "skin/engine/toolkit/SkinnedWindow.h"

struct SlicedImage;

class FramedSkinnerBase : public SkinnedWindow {
public:
    BOOL IsModalFrame() const;
    BOOL IsResizable() const;
    // Whether the window's size differs from the last recorded window rectangle.
    BOOL SizeChanged() const;
    void RecordWindowRect();
    // Resizes the window (same corner, no repaint) so its client keeps its size inside the skin's frame;
    // `client` is the size to keep when the frame already changed (NULL: the current client).
    void FitClientToFrame(const SIZE* client = NULL);
    SIZE ClientSize() const;
    SIZE GetMinTrackSize() const;
    RECT GetCaptionRect();
    // Hands the window the region that fits its current size (none when the region is its rectangle);
    // a region the window refuses is deleted, one it took is its own from then on.
    void ApplyWindowRegion(BOOL redraw);
    // The non-client paint: lays the frame out, and after a size change records it, gives the window its
    // new region and starts again; else paints the frame off-screen and copies it around the client.
    void PaintNonClient(WPARAM updateRegion, const SlicedImage* minimized, BOOL activeOverride = -1);
    // The window text in the top section with the caption font and colour, when the style has a caption
    // and no caption-text element draws it.
    void DrawCaptionText(HDC dc, LONG style);
    // Paints a minimized window from its minimized picture; FALSE when not handled.
    BOOL PaintIconic(const SlicedImage& activeImage, const SlicedImage& inactiveImage);

protected:
    // Calls the base procedure with WS_SYSMENU taken off the style for the call.
    LRESULT Stripped(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_NCCALCSIZE: the proposed rectangle less the object's design frame and the menu bar's height for
    // the client width that leaves; without a framed object the window's own answer.
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    // The tracking limits: maximized to MaximizedPlace, never smaller than the frame's corners; the
    // window's own answer only narrows them.
    void AnswerFramedMinMaxInfo(MINMAXINFO* info);
    // Where and how large the window is maximized: its monitor's work area.
    virtual void MaximizedPlace(MINMAXINFO* info);
    // The nine sections at the object's design size; FALSE (all empty) without a framed object.
    BOOL DesignRects(RECT (&design)[9]) const;
};
