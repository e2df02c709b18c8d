// The playlist window.
#include "player/PlayListDlg.h"

#include "player/PlayerDlg.h"
#include "resources/clipview/resource.h"
#include "skin/engine/toolkit/Tessarine.h"

BEGIN_MESSAGE_MAP(CPlayListDlg, CDialog)
ON_WM_SIZE()
ON_WM_SIZING()
ON_WM_CONTEXTMENU()
ON_MESSAGE(WM_EXITSIZEMOVE, &CPlayListDlg::OnExitSizeMove)
ON_NOTIFY(NM_DBLCLK, IDC_PLAYLIST, &CPlayListDlg::OnDblClk)
ON_NOTIFY(LVN_GETINFOTIPA, IDC_PLAYLIST, &CPlayListDlg::OnGetInfoTip)
END_MESSAGE_MAP()

CPlayListDlg::CPlayListDlg(CPlayerDlg* player)
    : CDialog(IDD, player), m_ready(FALSE), m_placing(FALSE), m_userSizing(FALSE), m_player(player)
{
}

BOOL CPlayListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_PLAYLIST, this);
    m_list.m_player = m_player;
    CRect client;
    GetClientRect(&client);
    m_list.MoveWindow(&client);
    CString title;
    title.LoadString(IDS_PLAYLIST_COLUMN);
    m_list.InsertColumn(0, title, LVCFMT_LEFT, 160);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    m_states.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    for (UINT id : {IDI_MARK_OTHER, IDI_MARK_CURRENT}) {
        HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        m_states.Add((HICON)::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED));
    }
    m_list.SetImageList(&m_states, LVSIL_STATE);
    m_ready = TRUE;
    return TRUE;
}

void CPlayListDlg::ShowPlaylist(const CPlaylist& playlist)
{
    m_list.DeleteAllItems();
    for (int i = 0; i < playlist.GetCount(); ++i) {
        const int item = m_list.InsertItem(i, PlaylistItemText(playlist.GetAt(i)->path));
        m_list.SetItemData(item, (DWORD_PTR)i);
    }
}

void CPlayListDlg::MarkCurrent(int index)
{
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetItemState(i, INDEXTOSTATEIMAGEMASK(i == index ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void CPlayListDlg::Place(const RECT& rect)
{
    m_placing = TRUE;
    MoveWindow(&rect);
    m_placing = FALSE;
}

void CPlayListDlg::FitList(int width, int height)
{
    if (m_list.m_hWnd == nullptr)
        return;
    m_list.MoveWindow(0, 0, width, height);
    m_list.SetColumnWidth(0, width > 10 ? width - 10 : 0);
}

void CPlayListDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    FitList(cx, cy);
    // Only the user's own dragging of the edge changes the width the main dialog keeps.
    if (m_ready && !m_placing && m_userSizing && m_player != nullptr) {
        CRect window;
        GetWindowRect(&window);
        m_player->OnPlaylistResized(window.Width());
    }
}

void CPlayListDlg::OnSizing(UINT side, LPRECT rect)
{
    // Only the left edge moves.
    CRect now;
    GetWindowRect(&now);
    rect->top = now.top;
    rect->right = now.right;
    rect->bottom = now.bottom;
    m_userSizing = TRUE;
    CDialog::OnSizing(side, rect);
}

LRESULT CPlayListDlg::OnExitSizeMove(WPARAM, LPARAM)
{
    m_userSizing = FALSE;
    return 0;
}

std::vector<int> CPlayListDlg::SelectedItems() const
{
    std::vector<int> items;
    for (int i = m_list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_list.GetNextItem(i, LVNI_SELECTED))
        items.push_back(i);
    return items;
}

void CPlayListDlg::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_PLAYLIST_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    LVHITTESTINFO hit = {};
    hit.pt = point;
    m_list.ScreenToClient(&hit.pt);
    const int item = ListView_HitTest(m_list.m_hWnd, &hit);
    if (item < 0 || (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) == 0)
        popup->EnableMenuItem(ID_PLAYLIST_DELETE, MF_BYCOMMAND | MF_GRAYED);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

BOOL CPlayListDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The menu's commands are the main dialog's.
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && m_player != nullptr &&
        (id == ID_PLAYLIST_DELETE || id == ID_PLAYLIST_ADD || id == ID_PLAYLIST_SEARCH)) {
        m_player->SendMessage(WM_COMMAND, wParam, 0);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPlayListDlg::PlaySelected()
{
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0 || m_player == nullptr)
        return;
    const CString text = m_list.GetItemText(item, 0);
    if (m_player->PlayPlaylistEntry(item, text) == 1)
        MarkCurrent(item);
}

void CPlayListDlg::OnDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    PlaySelected();
}

void CPlayListDlg::OnGetInfoTip(NMHDR* header, LRESULT* result)
{
    *result = 0;
    NMLVGETINFOTIPA* tip = (NMLVGETINFOTIPA*)header;
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0 || tip->pszText == nullptr || tip->cchTextMax <= 0)
        return;
    CopyText(tip->pszText, (size_t)tip->cchTextMax, m_list.GetItemText(item, 0));
}
