// CCameraPage: a page of the camera settings dialog. It edits one camera of the station's live
// tree; WriteTo puts the page's values into a camera, which the frame's OK does for the edited
// camera and button 1155 "应用到所有摄像机" does for every camera of the live tree at once (not
// undone by Cancel).
#pragma once

#include "station/config/ConfigPage.h"

class CTermCamera;

class CCameraPage : public CConfigPage {
public:
    explicit CCameraPage(UINT nIDTemplate);

    CTermCamera* m_pCamera; // set by the frame before the page is created

    void WriteValues() override;
    // The page's values into the camera; edited is TRUE for the camera of the dialog.
    virtual void WriteTo(CTermCamera* camera, BOOL edited) = 0;

protected:
    afx_msg void OnApplyToAll();
    DECLARE_MESSAGE_MAP()
};
