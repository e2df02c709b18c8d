// CAlarmFlagsPage: the 21 alarm flags that the alarm recording and snapshot pages share in layout:
// box 1205 motion, 1206 to 1209 sensors 1 to 4, and the sixteen external-input boxes.
#pragma once

#include "station/config/servers/CameraPage.h"

struct CameraAlarmFlags {
    int motion;
    int sensors[4];
    int external[16];
};

class CAlarmFlagsPage : public CCameraPage {
public:
    explicit CAlarmFlagsPage(UINT nIDTemplate);

    CameraAlarmFlags m_flags;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
