// ScrollControlSkinner: controls that paint their own contents (edits, list boxes, list and tree views,
// IP address fields). The toolkit draws their border from the skin, gives them the skin's colours and
// replaces their scroll bars by skin scroll bars. Where the platform's scroll-bar functions are not
// redirected to the skin bars (Windows 98 and Me, and every system or process without that redirection),
// the platform's bars change unseen, so the skin bars are brought back in line after the messages that
// can change them.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

class ScrollControlSkinObject;

class ScrollControlSkinner : public ControlSkinner {
public:
    ScrollControlSkinner(SkinnedWindow* owner, int typeId);

    void Paint(HDC dc) override;
    SkinObject* SetSkinObject(SkinObject* object) override;
    void Detach() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnNcPaint(WPARAM region, LPARAM lParam);

    BOOL SkinBarsInstalled() const { return installed_; }
    // Whether the skin bars must be copied from the platform's after changes.
    static bool NeedsResync();

protected:
    const ScrollControlSkinObject* ScrollObject() const;
    void InstallSkinBars();
    void SizeSkinBars();
    // Copies the platform's scroll information into the skin bars where it changed.
    void Resync();
    // Copies one bar's platform information into its skin bar.
    void SyncBar(int bar);
    // At most one resync is on its way per control.
    void PostResync();
    // Passed on, then a resync posted when needed.
    LRESULT PassThenResync(UINT message, WPARAM wParam, LPARAM lParam);
    // Passed on, then the bar synced when needed.
    LRESULT PassThenSync(UINT message, WPARAM wParam, LPARAM lParam, int bar);
    LRESULT PassOnToControl(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes a message on; where the skin bars follow the platform's, a scroll or the wheel syncs its
    // bar, and the control's resync points (the keys from firstMovingKey to VK_DOWN and VK_DELETE, and
    // the messages listed) post a resync.
    LRESULT PassWithResync(UINT message, WPARAM wParam, LPARAM lParam, WPARAM firstMovingKey,
                           const UINT* resyncMessages, size_t resyncCount);
    template <size_t N>
    LRESULT PassWithResync(UINT message, WPARAM wParam, LPARAM lParam, WPARAM firstMovingKey,
                           const UINT (&resyncMessages)[N])
    {
        return PassWithResync(message, wParam, lParam, firstMovingKey, resyncMessages, N);
    }
    // Reads the platform's information of a bar; FALSE when it is what the last read found. Where the
    // control's own calls reach the skin bars, the platform's bar stays as it was and must not be copied
    // over the skin bar's newer record.
    BOOL ReadChangedPlatformBar(int bar, SCROLLINFO* info);

    BOOL installed_;
    SCROLLINFO platformSeen_[2];
    BOOL platformSeenValid_[2];
    BOOL resyncPending_;
};
