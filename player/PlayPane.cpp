// The play pane window.
#include "player/PlayPane.h"

#include <afxdlgs.h>

#include "devices/framewell/FramewellApi.h"
#include "player/PlayParam.h"
#include "player/PlayerApp.h"
#include "player/PlayerDlg.h"
#include "resources/clipview/resource.h"

BEGIN_MESSAGE_MAP(CPlayPane, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_MESSAGE(WM_PLAYER_NOTIFY, &CPlayPane::OnPlayerNotify)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CPlayPane::CPlayPane(CPlayerDlg* owner, int index) : m_transport(*this, index), m_active(FALSE), m_owner(owner) {}

CPlayPane::~CPlayPane() = default;

BOOL CPlayPane::CreatePane(CWnd* parent, const RECT& rect)
{
    LPCSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)::GetStockObject(BLACK_BRUSH));
    return CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, parent,
                    (UINT)(2000 + m_transport.m_index));
}

int CPlayPane::OnCreate(LPCREATESTRUCT create)
{
    if (CWnd::OnCreate(create) == -1)
        return -1;
    // A file from the command line opens once the window stands.
    if (m_transport.m_target.path[0] != '\0')
        StartPaneTimer(kOpenTimer, 100);
    return 0;
}

void CPlayPane::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_transport.m_handle > 0 && m_transport.m_started)
        GetFramewellApi().RefreshDisplay(m_transport.m_handle, nullptr);
    else
        dc.FillSolidRect(&client, RGB(0, 0, 0));
    COLORREF frame = 0x00424242;
    if (m_owner != nullptr && m_owner->m_fullScreen)
        frame = RGB(0, 0, 0);
    else if (m_active)
        frame = 0x00FFFF00;
    CBrush brush(frame);
    dc.FrameRect(&client, &brush);
}

BOOL CPlayPane::OnEraseBkgnd(CDC*)
{
    return TRUE; // the paint fills or the player draws
}

void CPlayPane::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_owner != nullptr)
        m_owner->SetActivePane(m_transport.m_index);
    CWnd::OnLButtonDown(flags, point);
}

void CPlayPane::OnLButtonDblClk(UINT, CPoint)
{
    if (m_transport.m_started && m_owner != nullptr)
        m_owner->ToggleFullScreen();
}

void CPlayPane::OnTimer(UINT_PTR id)
{
    m_transport.OnTimer((UINT)id);
}

LRESULT CPlayPane::OnPlayerNotify(WPARAM code, LPARAM handle)
{
    m_transport.OnNotify(code, handle);
    return 0;
}

void CPlayPane::OnDestroy()
{
    // Before the main dialog cleans the library up: the player stops, a running cut's clip goes.
    m_transport.Shutdown();
    CWnd::OnDestroy();
}

void CPlayPane::SetActive(BOOL active)
{
    m_active = active;
    if (active)
        ShowStateText(m_transport.m_state);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CPlayPane::Snapshot()
{
    if (m_transport.m_handle < 1)
        return;
    CString filter, title;
    filter.LoadString(IDS_FILTER_BMP);
    title.LoadString(IDS_SNAPSHOT_TITLE);
    CFileDialog dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer == IDOK && m_transport.m_handle > 0)
        GetFramewellApi().CapturePicture(m_transport.m_handle, dialog.GetPathName());
}

void CPlayPane::StartPaneTimer(UINT id, UINT milliseconds)
{
    if (m_hWnd != nullptr)
        SetTimer(id, milliseconds, nullptr);
}

void CPlayPane::StopPaneTimer(UINT id)
{
    if (m_hWnd != nullptr)
        KillTimer(id);
}

void CPlayPane::Repaint()
{
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CPlayPane::UpdateControls()
{
    if (m_owner != nullptr)
        m_owner->UpdateControls();
}

void CPlayPane::ShowStateText(int state)
{
    if (m_owner != nullptr)
        m_owner->ShowStateText(state);
}

void CPlayPane::ShowStatusId(UINT id)
{
    if (m_owner != nullptr)
        m_owner->SetStatusTextId(id);
}

void CPlayPane::ShowBuffering(int percent)
{
    CString text;
    text.Format(IDS_BUFFERING, percent);
    if (m_owner != nullptr)
        m_owner->SetStatusText(text);
}

void CPlayPane::ResizeForPicture(int width, int height)
{
    if (m_owner != nullptr)
        m_owner->ResizeForPicture(width, height);
}

int CPlayPane::DisplayMode()
{
    return Player().displayMode;
}

void CPlayPane::RefreshPlaylist()
{
    if (m_owner != nullptr)
        m_owner->RefreshPlaylist();
}

void CPlayPane::MarkCurrent(int index)
{
    if (m_owner != nullptr)
        m_owner->MarkPlaylistCurrent(index);
}

void CPlayPane::LeaveFullScreen()
{
    if (m_owner != nullptr && m_owner->m_fullScreen)
        m_owner->ToggleFullScreen();
}

BOOL CPlayPane::ChooseCutFile(char* path, size_t size)
{
    CString filter, title;
    filter.LoadString(IDS_FILTER_MP4_ALL);
    title.LoadString(IDS_CUT_SAVE_TITLE);
    // The clip is an MP4 recording, so an untyped name gets ".mp4".
    CFileDialog dialog(FALSE, "mp4", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer != IDOK)
        return FALSE;
    CopyText(path, size, dialog.GetPathName());
    return TRUE;
}

void CPlayPane::ShowMessage(UINT id)
{
    AfxMessageBox(id);
}

int CPlayPane::StayTime()
{
    return ReadStayTime(Player().programDirectory);
}

const char* CPlayPane::ProgramDirectory()
{
    return Player().programDirectory;
}
