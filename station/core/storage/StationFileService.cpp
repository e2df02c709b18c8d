// The station's side of Depotix: the start and stop order, and the log-in check with its records.
#include "station/core/storage/StationFileService.h"

#include "devices/depotix/Depotix.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/FileServiceBridge.h"
#include "station/core/storage/SystemLog.h"

namespace {

enum FileServiceStringId {
    STR_LOGIN_ACCEPTED = 267, // "连接成功"
    STR_LOGIN_REFUSED = 408,  // "用户名密码错误！"
    STR_FILE_SERVICE = 426,   // "远程文件服务"
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

CCriticalSection CStationFileService::s_lock;
CString CStationFileService::s_user;
CString CStationFileService::s_password;
CSystemLog* CStationFileService::s_log = nullptr;

CStationFileService::CStationFileService() {}

CStationFileService::~CStationFileService()
{
    Shutdown();
}

void CStationFileService::Init()
{
    Depotix_Init();
    m_started = TRUE;
}

BOOL CStationFileService::Restart(const CSysParam& params, CSystemLog* log)
{
    Depotix_Stop();
    m_port = 0;
    {
        CSingleLock lock(&s_lock, TRUE);
        s_user = params.m_fileServiceUser;
        s_password = params.m_fileServicePassword;
        s_log = log;
    }
    if (params.m_fileServiceEnabled == 0)
        return TRUE;
    Depotix_SetLoginCallback(&CStationFileService::Login);
    // The bridge's request record is laid out as Depotix's (a test compares them).
    Depotix_SetEventCallback(reinterpret_cast<DepotixEventCallback>(&FileServiceQueryCallback));
    m_port = Depotix_Start(0, params.m_fileServicePort);
    return m_port != 0;
}

void CStationFileService::Shutdown()
{
    if (!m_started)
        return;
    Depotix_Stop();
    Depotix_Cleanup();
    m_started = FALSE;
    m_port = 0;
    CSingleLock lock(&s_lock, TRUE);
    s_log = nullptr;
}

int CALLBACK CStationFileService::Login(const char* address, const char* user, const char* password)
{
    CString expectedUser, expectedPassword;
    CSystemLog* log;
    {
        CSingleLock lock(&s_lock, TRUE);
        expectedUser = s_user;
        expectedPassword = s_password;
        log = s_log;
    }
    if (expectedUser.IsEmpty())
        return 0;
    CString line;
    line.Format("%s ", address ? address : "");
    bool accepted = user && password && expectedUser == user && expectedPassword == password;
    line += LoadText(accepted ? STR_LOGIN_ACCEPTED : STR_LOGIN_REFUSED);
    if (log)
        log->Write(SYSLOG_REMOTE, LoadText(STR_FILE_SERVICE), 0, line, "");
    return accepted ? 0 : -1;
}
