// CEMapIcon: a device on the map: its picture (the alarm picture while it blinks), shaped by a
// mask, with a frame that turns red when selected.
#pragma once

#include "station/ui/emap/EMapItemWnd.h"

class CVuskEMapDev;

class CEMapIcon : public CEMapItemWnd {
public:
    CEMapIcon();
    ~CEMapIcon() override;

    BOOL Create(CDlgEMapCanvas* canvas, CVuskEMapDev* device);
    // Loads both pictures and sizes the window to the normal one; when either fails, neither is kept.
    BOOL LoadBitmaps(LPCSTR normalPath, LPCSTR alarmPath);
    // The window's shape is the black pixels of the mask; a missing mask leaves it rectangular.
    BOOL SetShapeFromMask(LPCSTR maskPath);
    // The blink tick: the picture that follows the device's alarm state.
    void Blink();
    // The device's state changed: an output shows it at once, the others wait for the tick.
    void OnAlarmChanged();
    void SetShown(int shown);

    int m_shown;
    CVuskEMapDev* m_pDevice;
    HBITMAP m_normal;
    HBITMAP m_alarm;
    int m_bitmapWidth;
    int m_bitmapHeight;

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FreeBitmaps();
};

// The pictures of a kind, as paths under the start directory.
struct EMapIconPictures {
    const char* normal;
    const char* alarm;
    const char* mask;
};
const EMapIconPictures* IconPicturesOfKind(int kind);
