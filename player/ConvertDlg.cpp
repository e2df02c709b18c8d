// The MP4-to-ASF conversion dialog.
#include "player/ConvertDlg.h"

#include <afxdlgs.h>

#include "devices/framewell/FramewellApi.h"
#include "player/PlayParam.h"
#include "player/PlayerApp.h"
#include "resources/clipview/resource.h"
#include "skin/engine/toolkit/Tessarine.h"

BEGIN_MESSAGE_MAP(CConvertDlg, CDialog)
ON_BN_CLICKED(IDC_CHOOSE_MP4, &CConvertDlg::OnChooseMp4)
ON_BN_CLICKED(IDC_CHOOSE_ASF, &CConvertDlg::OnChooseAsf)
ON_BN_CLICKED(IDC_CONVERT_START, &CConvertDlg::OnStartButton)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CConvertDlg::CConvertDlg(CWnd* parent)
    : CDialog(IDD, parent), m_status(MAKEINTRESOURCEA(IDS_CONVERT_INITIAL)), m_timer(0), m_handle(-1), m_running(0)
{
}

void CConvertDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONVERT_STATUS, m_status);
    DDX_Text(pDX, IDC_ASF_PATH, m_asfPath);
    DDX_Text(pDX, IDC_MP4_PATH, m_mp4Path);
}

void CConvertDlg::DeriveAsfPath()
{
    char asf[MAX_PATH];
    if (MakeAsfName(m_mp4Path, asf, sizeof asf))
        m_asfPath = asf;
}

BOOL CConvertDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TessarineAttachWindow(m_hWnd, "Dialog");
    m_progress.Attach(::GetDlgItem(m_hWnd, IDC_CONVERT_PROGRESS));
    m_progress.SetRange(0, 100);
    m_progress.SetStep(1);
    m_progress.SetPos(0);
    if (!m_mp4Path.IsEmpty())
        DeriveAsfPath();
    UpdateData(FALSE);
    return TRUE;
}

void CConvertDlg::OnChooseMp4()
{
    CString filter;
    filter.LoadString(IDS_FILTER_MP4);
    CFileDialog dialog(TRUE, "mpg", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer != IDOK)
        return;
    UpdateData(TRUE);
    m_mp4Path = dialog.GetPathName();
    DeriveAsfPath();
    UpdateData(FALSE);
}

void CConvertDlg::OnChooseAsf()
{
    CString filter;
    filter.LoadString(IDS_FILTER_ASF);
    CFileDialog dialog(FALSE, "asf", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer != IDOK)
        return;
    UpdateData(TRUE);
    m_asfPath = dialog.GetPathName();
    UpdateData(FALSE);
}

void CConvertDlg::OnStartButton()
{
    OnStartStop();
}

void CConvertDlg::SetStatus(UINT id)
{
    m_status.LoadString(id);
    SetDlgItemText(IDC_CONVERT_STATUS, m_status);
}

void CConvertDlg::CloseConversion()
{
    if (m_timer != 0) {
        KillTimer(m_timer);
        m_timer = 0;
    }
    if (m_handle > 0)
        GetFramewellApi().CloseConvert(m_handle);
    m_handle = -1;
}

void CConvertDlg::OnStartStop()
{
    if (m_running) {
        CloseConversion();
        m_running = 0;
        m_progress.SetPos(0);
        return;
    }
    UpdateData(TRUE);
    if (m_mp4Path.IsEmpty()) {
        AfxMessageBox(IDS_CONVERT_NO_SOURCE);
        return;
    }
    if (m_asfPath.IsEmpty()) {
        AfxMessageBox(IDS_CONVERT_NO_TARGET);
        return;
    }
    m_running = 1;
    m_handle = GetFramewellApi().StartConvert(m_mp4Path, m_asfPath);
    if (m_handle < 1) {
        m_handle = -1;
        SetStatus(IDS_CONVERT_START_FAILED); // the next click resets the dialog
        return;
    }
    m_timer = SetTimer(kProgressTimer, 100, nullptr);
    SetStatus(IDS_CONVERT_STARTED);
    m_progress.SetPos(0);
}

void CConvertDlg::OnProgressTick()
{
    if (m_handle < 1)
        return;
    const int percent = GetFramewellApi().GetConvertProgress(m_handle);
    if (percent >= 0) {
        CString text;
        text.Format(IDS_CONVERT_PERCENT, percent);
        m_status = text;
        SetDlgItemText(IDC_CONVERT_STATUS, m_status);
        m_progress.SetPos(percent);
        return;
    }
    CloseConversion();
    // -2: the library gave up and removed the partial file; say so rather than "finished".
    if (percent == -2) {
        SetStatus(IDS_PROGRESS_CONVERT_FAILED);
        m_progress.SetPos(0);
    } else {
        SetStatus(IDS_CONVERT_ENDED);
        m_progress.SetPos(100);
    }
}

void CConvertDlg::OnTimer(UINT_PTR id)
{
    if (id == kProgressTimer)
        OnProgressTick();
}

void CConvertDlg::OnDestroy()
{
    CloseConversion();
    CDialog::OnDestroy();
}
