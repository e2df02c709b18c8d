// The station's file service: Depotix started and stopped with the station's log-in check and the
// file-service request bridge. The log-in check runs on Depotix's threads and reads a copy of the
// file-service settings kept under a lock, so the settings page may change them meanwhile.
#pragma once

#include <afx.h>
#include <afxmt.h>

class CSysParam;
class CSystemLog;

class CStationFileService {
public:
    CStationFileService();
    ~CStationFileService();
    CStationFileService(const CStationFileService&) = delete;
    CStationFileService& operator=(const CStationFileService&) = delete;

    // Depotix_Init; once, before the first Restart.
    void Init();
    // (Re)starts the service from the file-service settings: switched off, Depotix_Stop alone and
    // TRUE; on, Depotix_Stop, the log-in check, the request bridge, Depotix_Start (0, port).
    // FALSE when it cannot listen (the caller shows string 246). log (may be null) gets the
    // log-in records.
    BOOL Restart(const CSysParam& params, CSystemLog* log);
    // The port it listens on, 0 when stopped.
    int GetPort() const { return m_port; }
    // Depotix_Stop and Depotix_Cleanup: no log-in check runs after it returns.
    void Shutdown();

    // The log-in check Depotix calls: 0 admits, -1 refuses. An empty configured user admits
    // everyone without a record; otherwise each attempt is logged (type 3, "远程文件服务").
    static int CALLBACK Login(const char* address, const char* user, const char* password);

private:
    static CCriticalSection s_lock; // guards the copy below
    static CString s_user, s_password;
    static CSystemLog* s_log;
    int m_port = 0;
    BOOL m_started = FALSE;
};
