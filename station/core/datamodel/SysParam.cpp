// The system parameters: defaults and the 57 values of "sysparam.dat" in their file order.
#include "station/core/datamodel/SysParam.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"

IMPLEMENT_SERIAL(CSysParam, CObject, 0)

namespace {

const char kSysParamFile[] = "sysparam.dat";

} // namespace

CSysParam::CSysParam()
{
    SetDefaults();
}

void CSysParam::SetDefaults()
{
    CString start = GetStartDirectory();
    m_magic = kSysParamMagic;
    m_version = kSysParamVersion;
    for (CString& sound : m_alarmSound)
        sound = start + "\\alert.wav";
    m_mp4PlayerPath = start + "\\Clipview.exe";
    m_logDirectory = "C:\\";
    m_logKeepDays = 10;
    m_localAddress.Empty();
    m_connectBuffers = 50;
    m_fileMinutes = 20;
    m_recordDrive = "D:";
    m_diskFullMode = 0;
    m_forwardEnabled = 0;
    m_multicastAddress = "234.5.6.7";
    m_forwardLocalPort = 6000;
    m_forwardLocalAddress.Empty();
    m_multicastPort = 3000;
    m_usersPerChannel = 50;
    m_systemUsers = 100;
    m_forwardBuffers = 50;
    m_forwardAdminUser = m_forwardAdminPassword = "531947";
    m_forwardSeniorUser = m_forwardSeniorPassword = "590264";
    m_forwardOperatorUser = m_forwardOperatorPassword = "731840";
    m_fileServiceEnabled = 1;
    m_fileServicePort = 3000;
    m_fileServiceUser = m_fileServicePassword = "531947";
    m_alarmAction = 0;
    m_restorePages = 1;
    m_alwaysReconnect = 0;
    m_serverDoubleClick = 0;
    m_cameraDoubleClick = 0;
    m_autoClearAlarm = 0;
    m_autoClearSeconds = 0;
    m_downloadSpeedKB = 0;
    m_recordFormat = 0;
    m_asfPlayerPath = start + "\\mplayer2.exe";
    m_alarmInPort = 0;
    m_alarmInBaud = 9600;
    m_alarmInDataBits = 8;
    m_alarmInStopBits = 1;
    m_alarmInParity = 0;
    m_keyboardPort = 0;
    m_keyboardBaud = 9600;
    m_keyboardDataBits = 8;
    m_keyboardStopBits = 1;
    m_keyboardParity = 0;
    m_keyboardProtocol = 0;
    m_linkagePort = 0;
    m_linkageAddress = 0;
    m_linkageControlFile.Empty();
    m_launchProgramPath.Empty();
}

void CSysParam::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version, m_alarmSound[0], m_alarmSound[1], m_alarmSound[2], m_alarmSound[3],
                    m_mp4PlayerPath, m_logDirectory, m_logKeepDays, m_localAddress, m_connectBuffers, m_fileMinutes,
                    m_recordDrive, m_diskFullMode, m_forwardEnabled, m_multicastAddress, m_forwardLocalPort,
                    m_forwardLocalAddress, m_multicastPort, m_usersPerChannel, m_systemUsers, m_forwardBuffers);
    SerializeValues(ar, m_forwardAdminUser, m_forwardAdminPassword, m_forwardSeniorUser, m_forwardSeniorPassword,
                    m_forwardOperatorUser, m_forwardOperatorPassword, m_fileServiceEnabled, m_fileServicePort,
                    m_fileServiceUser, m_fileServicePassword, m_alarmAction, m_restorePages, m_serverDoubleClick,
                    m_cameraDoubleClick, m_autoClearAlarm, m_autoClearSeconds, m_downloadSpeedKB, m_recordFormat,
                    m_asfPlayerPath);
    SerializeValues(ar, m_alarmInBaud, m_alarmInDataBits, m_alarmInPort, m_alarmInParity, m_alarmInStopBits,
                    m_keyboardBaud, m_keyboardDataBits, m_keyboardPort, m_keyboardParity, m_keyboardStopBits,
                    m_keyboardProtocol, m_linkagePort, m_linkageAddress, m_linkageControlFile, m_launchProgramPath,
                    m_alwaysReconnect);
}

void CSysParam::Save(LPCSTR path)
{
    SaveArchiveFile(StationFilePath(kSysParamFile, path), *this);
}

void CSysParam::Load(LPCSTR path)
{
    CString file = StationFilePath(kSysParamFile, path);
    if (LoadArchiveFile(file, kSysParamMagic, *this) == archiveLoaded)
        return;
    SetDefaults();
    Save(file);
}
