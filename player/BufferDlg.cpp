// The buffer time dialog.
#include "player/BufferDlg.h"

#include "player/PlayParam.h"
#include "player/PlayerApp.h"
#include "resources/clipview/resource.h"
#include "skin/engine/toolkit/Tessarine.h"

BEGIN_MESSAGE_MAP(CBufferDlg, CDialog)
END_MESSAGE_MAP()

CBufferDlg::CBufferDlg(CWnd* parent) : CDialog(IDD, parent), m_stayTime(kStayTimeDefault) {}

void CBufferDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STAYTIME, m_stayTime);
    DDV_MinMaxInt(pDX, m_stayTime, kStayTimeMin, kStayTimeMax);
}

BOOL CBufferDlg::OnInitDialog()
{
    m_stayTime = ReadStayTime(Player().programDirectory);
    CDialog::OnInitDialog();
    TessarineAttachWindow(m_hWnd, "Dialog");
    return TRUE;
}

void CBufferDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return; // the range message was shown; nothing is written
    WriteStayTime(Player().programDirectory, m_stayTime);
    EndDialog(IDOK);
}
