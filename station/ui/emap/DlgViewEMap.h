// CDlgViewEMap: the electronic map's run view, in place of the video wall: the selected scene with
// blinking icons, and the pop-up videos of its cameras.
#pragma once

#include <afxtempl.h>

#include "station/ui/emap/EMapSceneView.h"

class CDlgEMapVideo;
class CVuskEMapDev;

class CDlgViewEMap : public CEMapSceneView {
public:
    enum { IDD = 200 };
    CDlgViewEMap();

    // Opens the camera device's pop-up video, or focuses the one already open.
    void OpenPopup(CVuskEMapDev* device);
    void CloseAllPopups();
    // Destroys the pop-up when it is one of ours.
    void RemovePopup(CDlgEMapVideo* popup);
    CDlgEMapVideo* FindPopup(CVuskEMapDev* device) const;

    CTypedPtrArray<CPtrArray, CDlgEMapVideo*> m_popups;

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
