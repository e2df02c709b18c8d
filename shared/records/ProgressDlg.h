// CProgressDlg: waits for one Framewell job while showing a status text and a bar: a search the
// caller started (mode 1), or a download it starts itself (mode 2), optionally converted to ASF
// afterwards. It ends itself when the job ends (IDOK only after success); Cancel abandons the job.
// Both programs carry it; a small table holds what differs between them.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "devices/framewell/Framewell.h"

// What the station's and the player's copies differ in.
struct ProgressProgram {
    UINT searching;           // status while searching
    UINT downloading;         // status while downloading (without the buffering flag)
    UINT downloadPercent;     // "下载完成:%d%%"
    UINT downloadDone;        // "下载完成。"
    UINT searchDone;          // "文件检索结束。"
    UINT downloadStartFailed; // message box: the download cannot start
    UINT convertStartFailed;  // message box: the conversion cannot start
    UINT converting;          // "正在转换..."
    UINT convertPercent;      // "转换完成:%d%%"
    UINT convertDone;         // "转换完成。"
    UINT buffering;           // "正在缓冲...", 0 where there is no buffering
    BOOL limitDownloads;      // the station's download speed setting applies
    BOOL tempInProgramFolder; // temporary files beside the program, else in the start directory
};
const ProgressProgram& StationProgress();
const ProgressProgram& PlayerProgress();

class CProgressDlg : public CDialog {
public:
    enum { IDD = 190 };
    enum { TIMER_SEARCH = 10, TIMER_DOWNLOAD = 11, TIMER_CONVERT = 12, TIMER_END = 13 };
    enum { modeSearch = 1, modeDownload = 2 };
    explicit CProgressDlg(CWnd* parent = nullptr, const ProgressProgram& program = StationProgress());

    // The first of "<folder>\DownTmp_<n>" (n from 0 to 999) that does not exist yet, created empty
    // and exclusively, so another job's file is never taken over; 0 when none can be made.
    int MakeTempName(char* out, size_t size);

    // Set by the caller before DoModal.
    int m_mode;
    int m_searchHandle;
    char m_user[FRAMEWELL_ACCOUNT_CHARS + 1];
    char m_password[FRAMEWELL_ACCOUNT_CHARS + 1];
    char m_address[FRAMEWELL_ADDRESS_CHARS + 1];
    WORD m_port;
    char m_remotePath[260];
    char m_localPath[260];
    int m_convert;
    int m_buffering;

    // The job's own state.
    int m_downloadHandle;
    int m_convertHandle;
    char m_tempPath[260];
    UINT_PTR m_timers[3];
    int m_succeeded;

    // The timers' work, callable directly.
    void OnSearchTick();
    void OnDownloadTick();
    void OnConvertTick();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void StartDownload();
    void SetStatus(UINT id);
    void SetStatusPercent(UINT id, int percent);
    void StopTimer(int timer);
    // Ends the dialog after a short pause (a timer: nothing sleeps on the window's thread).
    void EndAfter(UINT milliseconds, int succeeded);
    void Fail(UINT status);

    const ProgressProgram& m_program;
    CProgressCtrl m_bar;
};
