// The linked recording page.
#include "station/config/servers/DlgCamLinkRecord.h"

#include "station/config/ConfigText.h"
#include "station/config/servers/DlgCameraSelect.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

BEGIN_MESSAGE_MAP(CDlgCamLinkRecord, CCameraPage)
ON_CBN_SELCHANGE(IDC_LINK_TYPE, OnTypeChange)
ON_BN_CLICKED(IDC_LINK_ADD, OnAdd)
ON_BN_CLICKED(IDC_LINK_DELETE, OnDelete)
ON_BN_CLICKED(IDC_LINK_DELETE_ALL, OnDeleteAll)
ON_BN_CLICKED(IDC_LINK_ALL_TYPES, OnApplyToAllTypes)
ON_BN_CLICKED(IDC_LINK_DELETE_TYPES, OnDeleteAllTypes)
END_MESSAGE_MAP()

CDlgCamLinkRecord::CDlgCamLinkRecord() : CCameraPage(IDD), m_enabled(0), m_type(0) {}

void CDlgCamLinkRecord::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK_LIST, m_list);
    DDX_Check(pDX, IDC_LINK_ENABLE, m_enabled);
}

BOOL CDlgCamLinkRecord::OnInitDialog()
{
    for (const char* name : {"探头报警1", "探头报警2", "探头报警3", "探头报警4", "视频移动", "视频丢失"})
        SendDlgItemMessage(IDC_LINK_TYPE, CB_ADDSTRING, 0, (LPARAM)name);
    SendDlgItemMessage(IDC_LINK_TYPE, CB_SETCURSEL, 0, 0);
    m_enabled = m_pCamera->m_linkRecordEnabled;
    CCameraPage::OnInitDialog();
    const struct {
        UINT text;
        int width;
    } columns[] = {{IDS_COLUMN_CAMERA, 100},
                   {IDS_COLUMN_CHANNEL_NO, 70},
                   {IDS_COLUMN_SERVER, 120},
                   {IDS_COLUMN_GROUP, 120},
                   {IDS_COLUMN_ADDRESS, 120}};
    for (int i = 0; i < 5; ++i)
        m_list.InsertColumn(i, ConfigString(columns[i].text), LVCFMT_LEFT, columns[i].width);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    FillList();
    return TRUE;
}

CArray<CameraLink>& CDlgCamLinkRecord::ShownList()
{
    return m_pCamera->m_links[m_type];
}

void CDlgCamLinkRecord::AddRow(const CameraLink& link, INT_PTR index)
{
    const CTermCamera* camera = link.camera;
    const CTermServer* server = camera->m_pServer;
    CString channel;
    channel.Format("%d", camera->m_channel + 1);
    int row = m_list.InsertItem(m_list.GetItemCount(), camera->m_name);
    m_list.SetItemData(row, (DWORD_PTR)index);
    m_list.SetItemText(row, 1, channel);
    if (server != nullptr) {
        m_list.SetItemText(row, 2, server->m_name);
        m_list.SetItemText(row, 3, server->m_pParent != nullptr ? (LPCSTR)server->m_pParent->m_name : "");
        m_list.SetItemText(row, 4, server->m_address);
    }
}

void CDlgCamLinkRecord::FillList()
{
    m_list.DeleteAllItems();
    CArray<CameraLink>& links = ShownList();
    for (INT_PTR i = 0; i < links.GetSize(); ++i) {
        if (links[i].camera != nullptr)
            AddRow(links[i], i);
    }
}

void CDlgCamLinkRecord::OnTypeChange()
{
    int type = (int)SendDlgItemMessage(IDC_LINK_TYPE, CB_GETCURSEL, 0, 0);
    if (type >= 0 && type < cameraLinkLists)
        m_type = type;
    FillList();
}

void CDlgCamLinkRecord::OnAdd()
{
    CDlgCameraSelect picker(g_pRecGroup, &ShownList(), this);
    picker.DoModal();
    FillList();
}

void CDlgCamLinkRecord::OnDelete()
{
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return;
    CArray<CameraLink>& links = ShownList();
    INT_PTR index = (INT_PTR)m_list.GetItemData(m_list.GetNextSelectedItem(pos));
    if (index < 0 || index >= links.GetSize())
        return;
    const CameraLink key = links[index];
    for (INT_PTR i = 0; i < links.GetSize(); ++i) {
        if (links[i].serverId == key.serverId && links[i].channel == key.channel) {
            links.RemoveAt(i);
            break;
        }
    }
    FillList();
}

void CDlgCamLinkRecord::OnDeleteAll()
{
    ShownList().RemoveAll();
    m_list.DeleteAllItems();
}

void CDlgCamLinkRecord::OnApplyToAllTypes()
{
    for (int type = 0; type < cameraLinkLists; ++type) {
        if (type != m_type)
            m_pCamera->m_links[type].Copy(ShownList());
    }
}

void CDlgCamLinkRecord::OnDeleteAllTypes()
{
    for (CArray<CameraLink>& links : m_pCamera->m_links)
        links.RemoveAll();
    m_list.DeleteAllItems();
}

void CDlgCamLinkRecord::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_linkRecordEnabled = m_enabled;
}
