#include "shared/records/ProgressDlg.h"

#include "devices/framewell/FramewellApi.h"
#include "resources/records/progress.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"

namespace {

const ProgressProgram kStation = {116, 118, 113, 198, 197, 117, 111, 112, 115, 114, 417, TRUE, FALSE};
const ProgressProgram kPlayer = {114, 116, 113, 111, 110, 115, 106, 112, 103, 102, 0, FALSE, TRUE};

const UINT kPeriods[3] = {200, 500, 100};

CString ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash != nullptr)
        *slash = '\0';
    return path;
}

} // namespace

const ProgressProgram& StationProgress()
{
    return kStation;
}

const ProgressProgram& PlayerProgress()
{
    return kPlayer;
}

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(CWnd* parent, const ProgressProgram& program)
    : CDialog(IDD, parent), m_mode(modeSearch), m_searchHandle(-1), m_user(), m_password(), m_address(), m_port(0),
      m_remotePath(), m_localPath(), m_convert(0), m_buffering(0), m_downloadHandle(-1), m_convertHandle(-1),
      m_tempPath(), m_timers(), m_succeeded(0), m_program(program)
{
}

int CProgressDlg::MakeTempName(char* out, size_t size)
{
    CString folder = m_program.tempInProgramFolder ? ProgramFolder() : GetStartDirectory();
    for (int n = 0; n < 1000; ++n) {
        CString name;
        name.Format("%s\\DownTmp_%d", (LPCSTR)folder, n);
        HANDLE file = ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        ::CloseHandle(file);
        CopyText(out, size, name);
        return 1;
    }
    return 0;
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TessarineAttachWindow(m_hWnd, "Dialog");
    m_bar.Attach(::GetDlgItem(m_hWnd, IDC_PROGRESS_BAR));
    m_bar.SetRange(0, 100);
    m_bar.SetStep(1);
    m_bar.SetPos(0);
    if (m_mode == modeSearch) {
        SetStatus(m_program.searching);
        m_timers[0] = SetTimer(TIMER_SEARCH, kPeriods[0], nullptr);
        return TRUE;
    }
    StartDownload();
    return TRUE;
}

void CProgressDlg::StartDownload()
{
    const char* target = m_localPath;
    if (m_convert) {
        // Without a free temporary name nothing is downloaded: a file of another job stays as it is.
        if (!MakeTempName(m_tempPath, sizeof m_tempPath)) {
            AfxMessageBox(m_program.downloadStartFailed);
            EndDialog(IDCANCEL);
            return;
        }
        target = m_tempPath;
    }
    int limit = 0;
    if (m_program.limitDownloads && g_pSysParam != nullptr)
        limit = g_pSysParam->m_downloadSpeedKB * 1024;
    m_downloadHandle =
        GetFramewellApi().StartDownload(m_address, m_user, m_password, m_remotePath, target, m_port, limit);
    if (m_downloadHandle <= 0) {
        AfxMessageBox(m_program.downloadStartFailed);
        EndDialog(IDCANCEL);
        return;
    }
    SetStatus(m_buffering && m_program.buffering != 0 ? m_program.buffering : m_program.downloading);
    m_bar.ShowWindow(SW_SHOW);
    m_timers[1] = SetTimer(TIMER_DOWNLOAD, kPeriods[1], nullptr);
}

void CProgressDlg::SetStatus(UINT id)
{
    CString text;
    text.LoadString(id);
    SetDlgItemText(IDC_PROGRESS_STATUS, text);
}

void CProgressDlg::SetStatusPercent(UINT id, int percent)
{
    CString format, text;
    format.LoadString(id);
    text.Format(format, percent);
    SetDlgItemText(IDC_PROGRESS_STATUS, text);
}

void CProgressDlg::StopTimer(int timer)
{
    if (m_timers[timer] != 0)
        KillTimer(TIMER_SEARCH + timer);
    m_timers[timer] = 0;
}

void CProgressDlg::EndAfter(UINT milliseconds, int succeeded)
{
    m_succeeded = succeeded;
    SetTimer(TIMER_END, milliseconds, nullptr);
}

void CProgressDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TIMER_SEARCH:
        OnSearchTick();
        return;
    case TIMER_DOWNLOAD:
        OnDownloadTick();
        return;
    case TIMER_CONVERT:
        OnConvertTick();
        return;
    case TIMER_END:
        KillTimer(TIMER_END);
        EndDialog(m_succeeded ? IDOK : IDCANCEL);
        return;
    }
    CDialog::OnTimer(id);
}

void CProgressDlg::OnSearchTick()
{
    if (GetFramewellApi().GetSearchState(m_searchHandle) != 1)
        return;
    GetFramewellApi().CloseSearch(m_searchHandle);
    m_searchHandle = -1;
    StopTimer(0);
    SetStatus(m_program.searchDone);
    m_bar.SetPos(100);
    EndAfter(300, 1);
}

// A job that failed says so, keeps no temporary file and converts nothing.
void CProgressDlg::Fail(UINT status)
{
    CString text;
    text.LoadString(status);
    SetDlgItemText(IDC_PROGRESS_STATUS, text);
    if (m_tempPath[0] != '\0') {
        ::DeleteFileA(m_tempPath);
        m_tempPath[0] = '\0';
    }
    // The status alone would vanish with the dialog before anyone could read it.
    AfxMessageBox(text);
    EndAfter(100, 0);
}

void CProgressDlg::OnDownloadTick()
{
    int progress = GetFramewellApi().GetDownloadProgress(m_downloadHandle);
    if (progress >= 0) {
        if (!(m_buffering && m_program.buffering != 0))
            SetStatusPercent(m_program.downloadPercent, progress);
        m_bar.SetPos(progress);
        return;
    }
    StopTimer(1);
    GetFramewellApi().CloseDownload(m_downloadHandle);
    m_downloadHandle = -1;
    if (progress != -1) {
        Fail(IDS_PROGRESS_DOWNLOAD_FAILED);
        return;
    }
    if (!(m_buffering && m_program.buffering != 0))
        SetStatus(m_program.downloadDone);
    m_bar.SetPos(100);
    if (!m_convert) {
        EndAfter(100, 1);
        return;
    }
    m_convertHandle = GetFramewellApi().StartConvert(m_tempPath, m_localPath);
    if (m_convertHandle <= 0) {
        AfxMessageBox(m_program.convertStartFailed);
        ::DeleteFileA(m_tempPath);
        m_tempPath[0] = '\0';
        EndDialog(IDCANCEL);
        return;
    }
    SetStatus(m_program.converting);
    m_timers[2] = SetTimer(TIMER_CONVERT, kPeriods[2], nullptr);
}

void CProgressDlg::OnConvertTick()
{
    int progress = GetFramewellApi().GetConvertProgress(m_convertHandle);
    if (progress >= 0) {
        SetStatusPercent(m_program.convertPercent, progress);
        m_bar.SetPos(progress);
        return;
    }
    StopTimer(2);
    GetFramewellApi().CloseConvert(m_convertHandle);
    m_convertHandle = -1;
    if (progress != -1) {
        Fail(IDS_PROGRESS_CONVERT_FAILED);
        return;
    }
    SetStatus(m_program.convertDone);
    m_bar.SetPos(100);
    EndAfter(100, 1);
}

void CProgressDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

// Whatever still runs is closed; a conversion's temporary file never outlives the dialog, and
// the half of a target an abandoned job wrote is not left looking like a whole recording.
void CProgressDlg::OnDestroy()
{
    for (int timer = 0; timer < 3; ++timer)
        StopTimer(timer);
    KillTimer(TIMER_END);
    if (m_searchHandle >= 0)
        GetFramewellApi().CloseSearch(m_searchHandle);
    m_searchHandle = -1;
    BOOL abandoned = FALSE;
    if (m_downloadHandle > 0) {
        GetFramewellApi().CloseDownload(m_downloadHandle);
        abandoned = !m_convert;
    }
    m_downloadHandle = -1;
    if (m_convertHandle > 0) {
        GetFramewellApi().CloseConvert(m_convertHandle);
        abandoned = TRUE;
    }
    m_convertHandle = -1;
    if (abandoned)
        ::DeleteFileA(m_localPath);
    if (m_tempPath[0] != '\0')
        ::DeleteFileA(m_tempPath);
    m_tempPath[0] = '\0';
    m_bar.Detach();
    CDialog::OnDestroy();
}
