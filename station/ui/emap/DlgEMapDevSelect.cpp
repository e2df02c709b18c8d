#include "station/ui/emap/DlgEMapDevSelect.h"

#include "resources/warden/resource.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/ui/emap/DlgEditEMap.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapSceneTree.h"

namespace {

const UINT kTreeId = 1006;
enum { chooserRoot = 0, chooserGroup = 1, chooserServer = 2, chooserDevice = 3 };

UINT CaptionOfKind(int kind)
{
    switch (kind) {
    case emapAlarmInput:
        return IDS_EMAP_CHOOSE_INPUT;
    case emapAlarmOutput:
        return IDS_EMAP_CHOOSE_OUTPUT;
    }
    return IDS_EMAP_CHOOSE_CAMERA;
}

BOOL IsOnMap(int serverId, int kind, int index)
{
    return g_pEMapGroup != nullptr && g_pEMapGroup->ContainsDevice(serverId, kind, index);
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgEMapDevSelect, CDialog)
ON_MESSAGE(WM_DEVSELECT_REFILL, OnRefill)
ON_NOTIFY(NM_CLICK, kTreeId, OnTreeClick)
END_MESSAGE_MAP()

CDlgEMapDevSelect::CDlgEMapDevSelect(CDlgEditEMap* editor, int kind, HTREEITEM sceneItem)
    : CDialog(IDD, editor), m_kind(kind), m_sceneItem(sceneItem), m_pEditor(editor)
{
}

void CDlgEMapDevSelect::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kTreeId, m_tree);
}

BOOL CDlgEMapDevSelect::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString caption;
    caption.LoadString(CaptionOfKind(m_kind));
    SetWindowText(caption);
    SetUpMapTree(m_tree, m_images);
    PostMessage(WM_DEVSELECT_REFILL, 0, 0);
    return TRUE;
}

LRESULT CDlgEMapDevSelect::OnRefill(WPARAM, LPARAM)
{
    FillTree();
    return 0;
}

void CDlgEMapDevSelect::FillTree()
{
    m_tree.DeleteAllItems();
    if (g_pRecGroup == nullptr || g_pRecGroup->m_rootCaption.IsEmpty())
        return;
    HTREEITEM root = m_tree.InsertItem(g_pRecGroup->m_rootCaption, chooserRoot, chooserRoot);
    for (POSITION pos = g_pRecGroup->m_projects.GetHeadPosition(); pos != nullptr;)
        FillGroup(g_pRecGroup->m_projects.GetNext(pos), root);
    m_tree.Expand(root, TVE_EXPAND);
}

void CDlgEMapDevSelect::FillGroup(CTermData* group, HTREEITEM parent)
{
    HTREEITEM item = m_tree.InsertItem(group->m_name, chooserGroup, chooserGroup, parent);
    m_tree.SetItemData(item, (DWORD_PTR)group);
    for (POSITION pos = group->m_childGroups.GetHeadPosition(); pos != nullptr;)
        FillGroup(group->m_childGroups.GetNext(pos), item);
    for (POSITION pos = group->m_servers.GetHeadPosition(); pos != nullptr;)
        AddServer(group->m_servers.GetNext(pos), item);
    m_tree.Expand(item, TVE_EXPAND);
}

void CDlgEMapDevSelect::AddServer(CTermServer* server, HTREEITEM parent)
{
    HTREEITEM item = m_tree.InsertItem(server->m_name, chooserServer, chooserServer, parent);
    m_tree.SetItemData(item, (DWORD_PTR)server);
    if (AddFreeDevices(server, item) == 0)
        m_tree.DeleteItem(item);
    else
        m_tree.Expand(item, TVE_EXPAND);
}

// A camera's leaf holds its channel: the device index that binding and the pop-up look up.
int CDlgEMapDevSelect::AddFreeDevices(CTermServer* server, HTREEITEM serverItem)
{
    int added = 0;
    if (m_kind == emapCamera) {
        for (POSITION pos = server->m_cameras.GetHeadPosition(); pos != nullptr;) {
            CTermCamera* camera = server->m_cameras.GetNext(pos);
            if (camera->m_disabled || camera->m_pSession == nullptr || IsOnMap(server->m_id, m_kind, camera->m_channel))
                continue;
            HTREEITEM leaf = m_tree.InsertItem(camera->m_name, chooserDevice, chooserDevice, serverItem);
            m_tree.SetItemData(leaf, (DWORD_PTR)camera->m_channel);
            ++added;
        }
        return added;
    }
    UINT format = m_kind == emapAlarmInput ? IDS_EMAP_INPUT_NAME : IDS_EMAP_OUTPUT_NAME;
    for (int index = 0; index < 4; ++index) {
        if (IsOnMap(server->m_id, m_kind, index))
            continue;
        CString name;
        name.Format(format, index + 1);
        HTREEITEM leaf = m_tree.InsertItem(name, chooserDevice, chooserDevice, serverItem);
        m_tree.SetItemData(leaf, (DWORD_PTR)index);
        ++added;
    }
    return added;
}

void CDlgEMapDevSelect::CheckDescendants(HTREEITEM item, BOOL check)
{
    for (HTREEITEM child = m_tree.GetChildItem(item); child != nullptr; child = m_tree.GetNextSiblingItem(child)) {
        m_tree.SetCheck(child, check);
        CheckDescendants(child, check);
    }
}

// A click in the check-box band of an item with children gives all its descendants the state its
// own box takes.
void CDlgEMapDevSelect::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    HTREEITEM item = m_tree.HitTest(point);
    if (item == nullptr || !m_tree.ItemHasChildren(item))
        return;
    CRect text;
    m_tree.GetItemRect(item, &text, TRUE);
    int height = text.Height();
    CRect band(text.left - height - 16, text.top, text.left, text.bottom);
    if (!band.PtInRect(point))
        return;
    CheckDescendants(item, !m_tree.GetCheck(item));
}

void CDlgEMapDevSelect::OnOK()
{
    HTREEITEM root = m_tree.GetRootItem();
    if (root != nullptr && m_tree.ItemHasChildren(root) && m_pEditor != nullptr)
        m_pEditor->AddCheckedDevices(m_sceneItem, m_tree, m_kind, root);
    EndDialog(IDOK);
}
