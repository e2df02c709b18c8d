// CSysParam: the station-wide settings, the root of "sysparam.dat" (57 values). The settings pages
// edit the fields in place and save; every other part reads them directly.
#pragma once

#include <afx.h>

const DWORD kSysParamMagic = 0xFFEEDD89;
const DWORD kSysParamVersion = 0x05092901;

class CSysParam : public CObject {
    DECLARE_SERIAL(CSysParam)
public:
    // Every field at its default; does not load.
    CSysParam();

    void Serialize(CArchive& ar) override;

    // Every field to its default, magic and version included; paths from the start directory.
    void SetDefaults();
    // To the path or "sysparam.dat" of the start directory; failures are silent.
    void Save(LPCSTR path = nullptr);
    // On any failure (missing, short, another magic, fewer than 57 values) the defaults are set
    // and saved at once, the unreadable file kept aside as ".bad".
    void Load(LPCSTR path = nullptr);

    DWORD m_magic;
    DWORD m_version;
    CString m_alarmSound[4]; // WAV file per channel or input 1..4; empty = silent
    CString m_mp4PlayerPath;
    CString m_logDirectory; // the log lives in its "Vusk" folder
    int m_logKeepDays;      // 0 keep all, 10, 20 or 30
    CString m_localAddress;
    int m_connectBuffers; // 10 to 50
    int m_fileMinutes;    // 1 to 10000
    CString m_recordDrive;
    int m_diskFullMode; // 0 delete the oldest days, 1 stop recording
    int m_forwardEnabled;
    CString m_multicastAddress;
    int m_forwardLocalPort;
    CString m_forwardLocalAddress;
    int m_multicastPort;
    int m_usersPerChannel;
    int m_systemUsers;
    int m_forwardBuffers;
    CString m_forwardAdminUser;
    CString m_forwardAdminPassword;
    CString m_forwardSeniorUser;
    CString m_forwardSeniorPassword;
    CString m_forwardOperatorUser;
    CString m_forwardOperatorPassword;
    int m_fileServiceEnabled;
    int m_fileServicePort;
    CString m_fileServiceUser; // with an empty password too: no user check
    CString m_fileServicePassword;
    int m_alarmAction; // 0 none, 1 bring into a pane, 2 show on the map
    int m_restorePages;
    int m_alwaysReconnect;
    int m_serverDoubleClick; // modes 0 to 2
    int m_cameraDoubleClick;
    int m_autoClearAlarm;
    int m_autoClearSeconds;
    int m_downloadSpeedKB;
    int m_recordFormat; // 0 MP4, 1 ASF
    CString m_asfPlayerPath;
    // External alarm-input port, control keyboard and local linkage device; ports 0 to 5 are
    // COM1 to COM6, parity 0 none, 1 odd, 2 even, 3 always 1, 4 always 0.
    int m_alarmInPort;
    int m_alarmInBaud;
    int m_alarmInDataBits;
    int m_alarmInStopBits;
    int m_alarmInParity;
    int m_keyboardPort;
    int m_keyboardBaud;
    int m_keyboardDataBits;
    int m_keyboardStopBits;
    int m_keyboardParity;
    int m_keyboardProtocol; // 0 PELCO D/P
    int m_linkagePort;
    int m_linkageAddress;
    CString m_linkageControlFile;
    CString m_launchProgramPath;
};
