// CSkinControl: what the run-time created bitmap controls (CSkinButton, CStateButton,
// CBitmapToggle) share: the window made by Create, the owner's callback, up to four pictures
// loaded all or nothing, the size of the first picture, MoveTo, and painting the picture that the
// control chooses. The classes differ only in which picture they show and how they answer the mouse.
#pragma once

#include <afxwin.h>

// Owner notification of CSkinButton and CStateButton: id, event, key flags, owner, x, y.
typedef void (*SkinButtonCallback)(UINT id, int event, UINT flags, CWnd* owner, int x, int y);

enum SkinButtonEvent {
    skinButtonPressed = 1,
    skinButtonClicked = 2,        // CStateButton: released anywhere
    skinButtonReleasedOutside = 3 // CSkinButton only
};

class CSkinControl : public CWnd {
public:
    ~CSkinControl() override;

    // 1 when the window exists (a visible child of owner, id as its control id).
    int Create(UINT id, CWnd* owner, SkinButtonCallback callback);
    // The window of Create followed by MoveTo (x, y), made in one step where it ends, at the size of
    // the pictures loaded before it: each resize and move of a new window costs several messages.
    // exStyle lets an owner that ignores WM_PARENTNOTIFY spare it.
    int CreateAt(UINT id, CWnd* owner, SkinButtonCallback callback, int x, int y, DWORD exStyle = 0);
    // Moves the control to (x, y) in its parent, at its own size, repainting.
    void MoveTo(int x, int y);
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The picture painting chooses now: 0 none, else the slot + 1 (see each class).
    virtual int ChosenPicture() const = 0;

protected:
    enum { kSlots = 4 };
    CSkinControl();
    // Loads the pictures of the given paths into slots 0..count-1 at width x height (their own
    // size when both are 0); the first `required` must be given, a null path leaves its slot
    // empty. All or nothing: on failure the control keeps what it had and 0 is returned; on
    // success the control takes the first picture's size.
    int LoadPictures(const LPCSTR* paths, int count, int required, int width, int height);
    // Sets the size without pictures (the window follows).
    void SetSize(int width, int height);
    HBITMAP Picture(int slot) const { return m_pictures[slot]; }
    int IsInside(CPoint point) const;
    void Notify(int event, UINT flags, CPoint point);

    afx_msg void OnPaint();
    afx_msg void OnEnable(BOOL enable);
    DECLARE_MESSAGE_MAP()

    UINT m_id;
    CWnd* m_owner;
    SkinButtonCallback m_callback;
    HBITMAP m_pictures[kSlots];
    int m_width;
    int m_height;
};
