// CEMapIcon: a device on the map: its picture (the alarm picture while it blinks), shaped by a
// mask, with a frame that turns red when selected.
#pragma once

#include "station/core/datamodel/StationLinks.h"
#include "station/ui/emap/EMapItemWnd.h"

class CVuskEMapDev;
struct EMapKindPictures;

class CEMapIcon : public CEMapItemWnd {
public:
    CEMapIcon();
    ~CEMapIcon() override;

    // A visible window at the device's place showing the kind's pictures (the canvas owns them) at
    // the normal one's size; without pictures the icon draws its frame.
    BOOL Create(CDlgEMapCanvas* canvas, CVuskEMapDev* device, const EMapKindPictures* pictures);
    // The window's shape: the mask's black pixels; without a mask it stays rectangular.
    void SetShape(const EMapKindPictures* pictures);
    // The blink tick: the picture that follows the device's alarm state.
    void Blink();
    // The device's state changed: an output shows it at once, the others wait for the tick.
    void OnAlarmChanged();
    void SetShown(int shown);
    // Draws the icon as its own paint does, its top-left corner at the origin of the DC's
    // coordinates; the caller clips to the icon's shape.
    void Draw(CDC& dc, CPoint origin);

    int m_shown;
    CVuskEMapDev* m_pDevice;
    HBITMAP m_normal;
    HBITMAP m_alarm;
    int m_bitmapWidth;
    int m_bitmapHeight;
    HRGN m_shape; // the kind's shape (the canvas owns it), in the icon's coordinates; null when rectangular

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The map's side of the data model's map links: a device's alarm change reaches its icon window.
// Stateless; a canvas installs it when it is made (an icon exists only on a canvas).
CMapLinks& EMapIconLinks();
