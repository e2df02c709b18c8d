// CTermServer: one networked video server with its connection data, the settings of the alarm box
// on its serial port and its cameras. The fields are in the order of "servertree.cfg".
#pragma once

#include <afxtempl.h>

#include "station/core/datamodel/AlarmInputConfig.h"

class CAlarmBoxPoller;
class CChannelSession;
class CTermCamera;
class CTermData;

class CTermServer : public CObject {
    DECLARE_SERIAL(CTermServer)
public:
    CTermServer();
    // Stops and destroys the alarm-box poller first (it reads the cameras), then the cameras.
    ~CTermServer() override;

    void Serialize(CArchive& ar) override;

    BOOL OwnsSession(CChannelSession* session) const;
    CTermCamera* FindCamera(int channel) const;
    // 0 without a camera to ignore; else 1 when another camera bears the name.
    BOOL CameraNameClash(const CTermCamera* ignore, LPCSTR name) const;
    void SetRecordingAll(int on, int reasonBits);
    void AudioOffAll();
    void ClearAlarmsAll();
    // The enclosing groups' names from the project down, then the server's, joined by ":".
    void GetTreePath(CString& out) const;
    void ResolveCameraLinks();
    CChannelSession* FindSessionByKeyboardNo(int keyboardNumber) const;

    // The path of GetTreePath with another separator.
    CString JoinedPath(LPCSTR separator) const;
    // Every camera's session disconnected and destroyed.
    void CloseAllSessions();
    // Each camera's server pointer set to this server.
    void BindCameras();

    int m_id;
    CString m_name;
    int m_channelCount;
    WORD m_port;
    CString m_address;
    int m_useDdns;
    CString m_user;
    CString m_password;
    int m_alarmBoxEnabled;
    int m_alarmBoxProtocol;
    int m_serialPort; // 0 RS485, 1 RS232
    int m_boxAddress;
    int m_baudRate;
    BYTE m_dataBits;
    BYTE m_stopBits;
    BYTE m_parity;      // 0 none, 1 odd, 2 even, 3 always 1, 4 always 0
    BYTE m_flowControl; // 0 none, 1 software, 2 hardware
    int m_pollSeconds;
    int m_alarmIntervalSeconds;
    AlarmInputConfig m_alarmInputs[16];
    CString m_sensorNames[4];
    CTypedPtrList<CObList, CTermCamera*> m_cameras; // owned, in channel order as created

    // Not stored.
    CTermData* m_pParent;
    CAlarmBoxPoller* m_pAlarmBoxPoller; // owned

    // f (camera) for every camera, in camera order.
    template <class F> void ForEachCamera(F f) const
    {
        for (POSITION pos = m_cameras.GetHeadPosition(); pos;)
            f(m_cameras.GetNext(pos));
    }

private:
    // f (session) for every camera that has one, in camera order.
    template <class F> void ForEachSession(F f) const;
};
