// The connection-information window.
#include "station/ui/mainwindow/DlgConnectInfo.h"

#include <mbstring.h>

BEGIN_MESSAGE_MAP(CDlgConnectInfo, CDialog)
END_MESSAGE_MAP()

CDlgConnectInfo::CDlgConnectInfo(CWnd* pParent) : CDialog(IDD, pParent) {}

void CDlgConnectInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONNECT_INFO_TEXT, m_text);
}

BOOL CDlgConnectInfo::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return TRUE;
}

CString CDlgConnectInfo::KeepNewest(const CString& text, int maxBytes)
{
    int length = text.GetLength();
    if (length <= maxBytes)
        return text;
    // Walk the characters from the front so the cut never splits a double-byte character.
    const unsigned char* start = (const unsigned char*)(LPCSTR)text;
    const unsigned char* p = start;
    while (*p != '\0' && (int)(p - start) < length - maxBytes)
        p = _mbsinc(p);
    return CString((LPCSTR)p);
}

void CDlgConnectInfo::SetInfoText(LPCSTR text)
{
    m_text = KeepNewest(m_text + (text != nullptr ? text : ""), kMaxText);
    if (m_hWnd != nullptr)
        SetDlgItemText(IDC_CONNECT_INFO_TEXT, m_text);
}

void CDlgConnectInfo::OnOK()
{
    m_text.Empty();
    SetDlgItemText(IDC_CONNECT_INFO_TEXT, "");
    ShowWindow(SW_HIDE);
}

// Escape or the close box only hides the window; the text stays for the next report.
void CDlgConnectInfo::OnCancel()
{
    ShowWindow(SW_HIDE);
}
