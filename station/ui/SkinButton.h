// CSkinButton: a command button drawn from bitmap files (normal, pressed, hover, disabled). It
// reports a press (1) and a click (2, released inside) to its owner's callback; a release outside
// is reported as event 3, which owners other than the PTZ keys ignore, so that a key that started
// a movement can still stop it.
#pragma once

#include <afxwin.h>

// Owner notification of CSkinButton and CStateButton: id, event, key flags, owner, x, y.
typedef void (*SkinButtonCallback)(UINT id, int event, UINT flags, CWnd* owner, int x, int y);

enum SkinButtonEvent {
    skinButtonPressed = 1,
    skinButtonClicked = 2,        // CStateButton: released anywhere
    skinButtonReleasedOutside = 3 // CSkinButton only
};

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

class CSkinButton : public CWnd {
public:
    CSkinButton();
    ~CSkinButton() override;

    int Create(UINT id, CWnd* owner, SkinButtonCallback callback);
    int LoadBitmaps(LPCSTR normal, LPCSTR pressed, LPCSTR hover, LPCSTR disabled, int width, int height);
    void MoveTo(int x, int y);
    void SetChecked(int checked);
    int GetChecked() const { return m_checked; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The picture painting chooses now (for tests): 0 none, 1 normal, 2 pressed, 3 hover, 4 disabled.
    int ChosenPicture() const;

protected:
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnEnable(BOOL enable);
    DECLARE_MESSAGE_MAP()

private:
    void SetLook(int look);
    void Notify(int event, UINT flags, CPoint point);
    int IsInside(CPoint point) const;

    UINT m_id;
    CWnd* m_owner;
    HBITMAP m_normal;
    HBITMAP m_pressed;
    HBITMAP m_hover;
    HBITMAP m_disabled;
    int m_width;
    int m_height;
    int m_look; // 0 normal, 1 pressed, 2 hover
    int m_down;
    int m_tracking;
    SkinButtonCallback m_callback;
    int m_checked;
};

// The window style of the run-time created bitmap controls.
const DWORD SKIN_CONTROL_STYLE = 0x50000003;
// Creates a run-time bitmap control's window: 1 when it exists.
int CreateSkinControlWindow(CWnd* control, UINT id, CWnd* owner);
