// CVuskEMapDev: a device placed on an electronic-map scene (a camera, or an alarm input or output
// of a server), bound to the server tree after loading so that channel sessions make it blink.
#pragma once

#include <afx.h>

class CEMapIcon;
class CTermCamera;
class CTermServer;
class CVuskEMapTerm;

enum { emapCamera = 1, emapAlarmInput = 3, emapAlarmOutput = 4 };

class CVuskEMapDev : public CObject {
    DECLARE_SERIAL(CVuskEMapDev)
public:
    CVuskEMapDev();
    // Clears what the device bound in the camera records.
    ~CVuskEMapDev() override;

    // An alarm input or output index outside 0..3 fails the load.
    void Serialize(CArchive& ar) override;

    // Binds the device: a camera (kind 1) to the camera of its channel, when that exists and is
    // not disabled; an alarm input or output (kinds 3, 4) into slot index of every enabled camera
    // of the server. Builds the caption from the server's tree path.
    void Link();
    // Stores a changed state and passes it to the icon window, when one shows the device.
    void SetAlarm(int state);

    BOOL IsBound() const { return m_pServer != nullptr; }
    // 1 while the server (and for a camera device the camera) of the reference exists, bound or
    // not: a device whose camera is only disabled stays on its scene.
    BOOL TargetExists() const;

    int m_kind;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    CString m_caption; // not stored
    CString m_name;    // the camera's name (kind 1) or the name given in the editor
    int m_serverId;
    int m_index; // kind 1: channel; kinds 3, 4: input or output 0 to 3

    // Not stored.
    CVuskEMapTerm* m_pScene;
    CTermServer* m_pServer; // null while unbound
    CEMapIcon* m_pIcon;     // the icon window while a view shows the device
    int m_alarmState;       // 0 quiet, 1 alarm; an output's on/off state

private:
    void Unbind();
};
