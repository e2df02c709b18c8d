// CSkinButton: a command button drawn from bitmap files (normal, pressed, hover, disabled). It
// reports a press (1) and a click (2, released inside) to its owner's callback; a release outside
// is reported as event 3, which owners other than the PTZ keys ignore, so that a key that started
// a movement can still stop it.
#pragma once

#include "station/ui/liveview/SkinControl.h"

// Loads a picture file as a device-independent section at width x height (the file's own size
// when both are 0); null when it cannot be loaded.
HBITMAP LoadSkinPicture(LPCSTR path, int width, int height);
// The size of a loaded picture (0 x 0 for null).
SIZE SkinPictureSize(HBITMAP picture);
// A control takes its picture's size: width and height are set, then its window (when it has one) resized.
void SizeToSkinPicture(CWnd* control, HBITMAP picture, int& width, int& height);
// Copies the picture unscaled to (0, 0) of the window's device context, at width x height.
void PaintSkinPicture(CDC* dc, HBITMAP picture, int width, int height);
// Deletes the picture when there is one and clears the handle.
void ReleaseSkinPicture(HBITMAP& picture);
// The picture of a file at width x height (its own size when both are 0), loaded at the first
// request and shared by every caller after it; null when it cannot be loaded (a later request tries
// again). The pictures belong to the cache: callers never release them. They are deleted at
// shut-down.
HBITMAP SharedSkinPicture(LPCSTR path, int width = 0, int height = 0);
// Loads a control's set of pictures: the first `required` paths must be given, a later null path leaves its
// slot empty. All or nothing: on success the slots' old pictures are released and replaced, on failure
// nothing changes. 1 or 0.
int ReplaceSkinPictures(const LPCSTR* paths, HBITMAP* const* slots, int count, int required, int width, int height);

class CSkinButton : public CSkinControl {
public:
    CSkinButton();

    int LoadBitmaps(LPCSTR normal, LPCSTR pressed, LPCSTR hover, LPCSTR disabled, int width, int height);
    void SetChecked(int checked);
    int GetChecked() const { return m_checked; }
    // 0 none, 1 normal, 2 pressed, 3 hover, 4 disabled.
    int ChosenPicture() const override;

protected:
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    enum { kNormal, kPressed, kHover, kDisabled };
    void SetLook(int look);

    int m_look; // 0 normal, 1 pressed, 2 hover
    int m_down;
    int m_tracking;
    int m_checked;
};

// The window style of the run-time created bitmap controls.
const DWORD SKIN_CONTROL_STYLE = 0x50000003;
// Creates a run-time bitmap control's window: 1 when it exists. Without a rectangle it is made at
// the controls' creation rectangle (10, 10, 10, 10).
int CreateSkinControlWindow(CWnd* control, UINT id, CWnd* owner, const RECT* rect = nullptr, DWORD exStyle = 0);
