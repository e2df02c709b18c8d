// The tour settings dialog.
#include "station/config/servers/DlgTourSetting.h"

#include <stdlib.h>

#include "station/config/CameraWalker.h"
#include "station/config/ConfigText.h"
#include "station/config/servers/TourModes.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"

BEGIN_MESSAGE_MAP(CDlgTourSetting, CConfigDialog)
ON_NOTIFY(NM_CLICK, IDC_TOUR_PAGES, OnPageClick)
ON_NOTIFY(NM_DBLCLK, IDC_TOUR_CHANNELS, OnChannelDoubleClick)
ON_BN_CLICKED(IDC_TOUR_ADD_PAGE, OnAddPage)
ON_BN_CLICKED(IDC_TOUR_DELETE_PAGE, OnDeletePage)
ON_BN_CLICKED(IDC_TOUR_ADD_CHANNEL, OnAddChannel)
ON_LBN_DBLCLK(IDC_TOUR_CAMERAS, OnAddChannel)
ON_BN_CLICKED(IDC_TOUR_REMOVE_CHANNEL, OnRemoveChannel)
ON_BN_CLICKED(IDC_TOUR_CHANGE_DWELL, OnChangeDwell)
ON_BN_CLICKED(IDC_TOUR_AUTO, OnAutoConfigure)
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

CString ModeText(int panes)
{
    unsigned id = ModeTextId(panes);
    return id != 0 ? ConfigString(id) : CString();
}

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

CDlgTourSetting::CDlgTourSetting(CWnd* pParent)
    : CConfigDialog(IDD, pParent), m_pCurrentPage(nullptr), m_splitIndex(5), m_dwellSeconds(30)
{
}

void CDlgTourSetting::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TOUR_PAGES, m_pageList);
    DDX_Control(pDX, IDC_TOUR_CHANNELS, m_channelList);
    DDX_Control(pDX, IDC_TOUR_CAMERAS, m_cameraList);
    DDX_Radio(pDX, IDC_TOUR_SPLIT1, m_splitIndex);
    DDX_Text(pDX, IDC_TOUR_DWELL, m_dwellSeconds);
    DDV_MinMaxInt(pDX, m_dwellSeconds, 5, 3600);
}

BOOL CDlgTourSetting::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    m_pageList.InsertColumn(0, ConfigString(IDS_COLUMN_NUMBER), LVCFMT_LEFT, 60);
    m_pageList.InsertColumn(1, ConfigString(IDS_COLUMN_MODE), LVCFMT_LEFT, 160);
    m_channelList.InsertColumn(0, ConfigString(IDS_COLUMN_NUMBER), LVCFMT_LEFT, 60);
    m_channelList.InsertColumn(1, ConfigString(IDS_COLUMN_CHANNEL), LVCFMT_LEFT, 160);
    for (CListCtrl* list : {&m_pageList, &m_channelList})
        list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    FillLists();
    return TRUE;
}

void CDlgTourSetting::FillLists()
{
    FillPageList();
    if (m_pageList.GetItemCount() > 0) {
        SelectPageRow(0);
        m_pCurrentPage = reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(0));
        ShowPage(m_pCurrentPage);
    }
    FillServerChannels();
}

void CDlgTourSetting::AppendPageRow(CVuskLoopPage* page, int number)
{
    int row = m_pageList.InsertItem(m_pageList.GetItemCount(), Number(number));
    m_pageList.SetItemText(row, 1, ModeText(page->m_paneCount));
    m_pageList.SetItemData(row, (DWORD_PTR)page);
}

void CDlgTourSetting::FillPageList()
{
    m_pageList.DeleteAllItems();
    if (g_pLoopGroup == nullptr)
        return;
    int number = 1;
    for (POSITION pos = g_pLoopGroup->m_pages.GetHeadPosition(); pos;)
        AppendPageRow(g_pLoopGroup->m_pages.GetNext(pos), number++);
}

void CDlgTourSetting::FillServerChannels()
{
    m_cameraList.ResetContent();
    ForEachCamera(g_pRecGroup, [this](CTermCamera* camera) {
        if (camera->m_disabled != 0 || camera->m_pServer == nullptr)
            return;
        if (m_pCurrentPage != nullptr && m_pCurrentPage->Contains(camera->m_pServer->m_id, camera->m_channel))
            return;
        int index = m_cameraList.AddString(camera->GetTreePath());
        m_cameraList.SetItemDataPtr(index, camera);
    });
    GetDlgItem(IDC_TOUR_ADD_CHANNEL)->EnableWindow(m_cameraList.GetCount() > 0);
}

void CDlgTourSetting::ShowPage(CVuskLoopPage* page)
{
    m_channelList.DeleteAllItems();
    if (page == nullptr)
        return;
    for (int i = 0; i < page->UsedEntries(); ++i) {
        int row = m_channelList.InsertItem(i, Number(i + 1));
        m_channelList.SetItemText(row, 1, page->m_cameras[i] != nullptr ? page->m_cameras[i]->GetTreePath() : "");
        m_channelList.SetItemData(row, (DWORD_PTR)i);
    }
    m_dwellSeconds = page->m_dwellSeconds;
    m_splitIndex = SplitIndexOfPanes(page->m_paneCount);
    CString dwell = Number(m_dwellSeconds);
    SetDlgItemText(IDC_TOUR_DWELL, dwell);
    CheckRadioButton(IDC_TOUR_SPLIT1, IDC_TOUR_SPLIT1 + kSplitModes - 1, IDC_TOUR_SPLIT1 + m_splitIndex);
}

void CDlgTourSetting::SelectPageRow(int row)
{
    m_pageList.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int CDlgTourSetting::SelectedPageRow() const
{
    POSITION pos = m_pageList.GetFirstSelectedItemPosition();
    return pos != nullptr ? m_pageList.GetNextSelectedItem(pos) : -1;
}

void CDlgTourSetting::OnPageClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int row = SelectedPageRow();
    if (row < 0)
        return;
    m_pCurrentPage = reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(row));
    FillServerChannels();
    ShowPage(m_pCurrentPage);
}

void CDlgTourSetting::OnAddPage()
{
    if (m_cameraList.GetCount() == 0 || g_pLoopGroup == nullptr || !UpdateData(TRUE))
        return;
    CVuskLoopPage* page = g_pLoopGroup->AddPage(PanesOfSplitIndex(m_splitIndex), m_dwellSeconds);
    AppendPageRow(page, m_pageList.GetItemCount() + 1);
    SelectPageRow(m_pageList.GetItemCount() - 1);
    m_pCurrentPage = page;
    FillServerChannels();
    ShowPage(page);
}

void CDlgTourSetting::OnDeletePage()
{
    int row = SelectedPageRow();
    if (row < 0) {
        if (m_pageList.GetItemCount() > 0)
            ConfigMessage(IDS_SELECT_PAGE);
        return;
    }
    if (ConfigMessage(IDS_DELETE_PAGE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CVuskLoopPage* page = reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(row));
    m_pageList.DeleteItem(row);
    m_channelList.DeleteAllItems();
    if (g_pLoopGroup != nullptr)
        g_pLoopGroup->RemovePage(page);
    m_pCurrentPage = nullptr;
    int next = row > 0 ? row - 1 : 0;
    if (next < m_pageList.GetItemCount()) {
        SelectPageRow(next);
        m_pCurrentPage = reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(next));
        ShowPage(m_pCurrentPage);
    }
    FillServerChannels();
}

void CDlgTourSetting::AppendCamera(CVuskLoopPage* page, CTermCamera* camera)
{
    int n = page->UsedEntries();
    page->m_cameras[n] = camera;
    page->m_serverIds[n] = camera->m_pServer->m_id;
    page->m_channels[n] = camera->m_channel;
    page->m_count = n + 1;
}

void CDlgTourSetting::OnAddChannel()
{
    if (m_cameraList.GetCount() == 0) {
        GetDlgItem(IDC_TOUR_ADD_CHANNEL)->EnableWindow(FALSE);
        return;
    }
    int index = m_cameraList.GetCurSel();
    int row = SelectedPageRow();
    if (index < 0 || row < 0)
        return;
    CVuskLoopPage* page = reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(row));
    if (page->UsedEntries() >= page->m_paneCount || page->UsedEntries() >= kLoopEntries)
        return;
    AppendCamera(page, static_cast<CTermCamera*>(m_cameraList.GetItemDataPtr(index)));
    m_cameraList.DeleteString(index);
    ShowPage(page);
    if (m_cameraList.GetCount() == 0)
        GetDlgItem(IDC_TOUR_ADD_CHANNEL)->EnableWindow(FALSE);
}

void CDlgTourSetting::OnRemoveChannel()
{
    int row = SelectedPageRow();
    POSITION pos = m_channelList.GetFirstSelectedItemPosition();
    if (row < 0 || pos == nullptr)
        return;
    int channelRow = m_channelList.GetNextSelectedItem(pos);
    CVuskLoopPage* page = reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(row));
    m_channelList.DeleteItem(channelRow);
    page->RemoveAt(channelRow);
    FillServerChannels();
    ShowPage(page);
}

void CDlgTourSetting::OnChannelDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnRemoveChannel();
    *pResult = 0;
}

void CDlgTourSetting::OnChangeDwell()
{
    int row = SelectedPageRow();
    if (row < 0 || !UpdateData(TRUE))
        return;
    reinterpret_cast<CVuskLoopPage*>(m_pageList.GetItemData(row))->m_dwellSeconds = m_dwellSeconds;
}

void CDlgTourSetting::OnAutoConfigure()
{
    if (g_pLoopGroup == nullptr || !UpdateData(TRUE))
        return;
    const int panes = PanesOfSplitIndex(m_splitIndex);
    CString mode = ModeText(panes);
    mode.Remove(' ');
    CString question;
    question.Format(ConfigString(IDS_AUTO_PAGES), (LPCSTR)mode);
    if (ConfigMessageText(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_pageList.DeleteAllItems();
    m_channelList.DeleteAllItems();
    g_pLoopGroup->RemoveAll();
    m_pCurrentPage = nullptr;
    FillServerChannels();
    while (m_cameraList.GetCount() > 0) {
        CVuskLoopPage* page = g_pLoopGroup->AddPage(panes, m_dwellSeconds);
        for (int n = 0; n < panes && m_cameraList.GetCount() > 0; ++n) {
            AppendCamera(page, static_cast<CTermCamera*>(m_cameraList.GetItemDataPtr(0)));
            m_cameraList.DeleteString(0);
        }
    }
    FillLists();
}

void CDlgTourSetting::ReadValuesQuietly()
{
    for (int i = 0; i < kSplitModes; ++i) {
        if (IsDlgButtonChecked(IDC_TOUR_SPLIT1 + i) == BST_CHECKED)
            m_splitIndex = i;
    }
    CString text;
    GetDlgItemText(IDC_TOUR_DWELL, text);
    char* end = nullptr;
    long value = strtol(text, &end, 10);
    if (!text.IsEmpty() && end != nullptr && *end == '\0' && value >= 5 && value <= 3600)
        m_dwellSeconds = (int)value;
}

void CDlgTourSetting::OnDestroy()
{
    ReadValuesQuietly();
    if (g_pLoopGroup != nullptr) {
        g_pLoopGroup->RemoveEmptyPages();
        g_pLoopGroup->Save();
    }
    CConfigDialog::OnDestroy();
}
