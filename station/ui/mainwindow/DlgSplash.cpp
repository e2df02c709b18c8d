// The splash picture.
#include "station/ui/mainwindow/DlgSplash.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/ui/liveview/SkinButton.h"

BEGIN_MESSAGE_MAP(CDlgSplash, CDialog)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const UINT_PTR kSplashTimer = 1;
} // namespace

HBITMAP LoadSplashPicture(LPCSTR startDir)
{
    return LoadSkinPicture(JoinPath(startDir, "backpic.bmp"), 0, 0);
}

CDlgSplash::CDlgSplash(CWnd* pParent)
    : CDialog(IDD, pParent), m_tickCount(0), m_pictureHeight(0), m_pictureWidth(0), m_picture(nullptr)
{
}

BOOL CDlgSplash::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_picture = LoadSplashPicture(GetStartDirectory());
    MoveWindow(0, 0, m_pictureWidth, m_pictureHeight, TRUE);
    CenterWindow();
    SetTimer(kSplashTimer, 1000, nullptr);
    return TRUE;
}

void CDlgSplash::OnPaint()
{
    CPaintDC dc(this);
    if (m_picture == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
    HGDIOBJ old = ::SelectObject(memory, m_picture);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void CDlgSplash::OnTimer(UINT_PTR nIDEvent)
{
    if (++m_tickCount == 2) {
        KillTimer(kSplashTimer);
        EndDialog(IDOK);
    }
    CDialog::OnTimer(nIDEvent);
}

void CDlgSplash::OnDestroy()
{
    CDialog::OnDestroy();
    if (m_picture != nullptr) {
        ::DeleteObject(m_picture);
        m_picture = nullptr;
    }
}
