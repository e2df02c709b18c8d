// The camera picker of the linked recording page.
#include "station/config/servers/DlgCameraSelect.h"

#include "station/config/servers/ServerTreeView.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

BEGIN_MESSAGE_MAP(CDlgCameraSelect, CConfigDialog)
ON_NOTIFY(NM_CLICK, IDC_PICKER_TREE, OnTreeClick)
END_MESSAGE_MAP()

CDlgCameraSelect::CDlgCameraSelect(CRecGroup* tree, CArray<CameraLink>* list, CWnd* pParent)
    : CConfigDialog(IDD, pParent), m_added(0), m_pTree(tree), m_pList(list)
{
}

void CDlgCameraSelect::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICKER_TREE, m_tree);
}

bool CDlgCameraSelect::IsListed(const CTermCamera* camera) const
{
    for (int i = 0; i < m_pList->GetSize(); ++i) {
        if ((*m_pList)[i].camera == camera)
            return true;
    }
    return false;
}

BOOL CDlgCameraSelect::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    SetUpServerTreeImages(m_tree, m_images);
    if (m_pTree != nullptr) {
        ServerTreeFillOptions options;
        options.showCamera = [this](const CTermCamera* camera) { return !IsListed(camera); };
        options.expandGroupsAndServers = true;
        FillServerTree(m_tree, *m_pTree, options);
    }
    return TRUE;
}

void CDlgCameraSelect::SetCheckBelow(HTREEITEM item, BOOL check)
{
    for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child)) {
        m_tree.SetCheck(child, check);
        SetCheckBelow(child, check);
    }
}

void CDlgCameraSelect::ClickAt(CPoint client)
{
    HTREEITEM item = m_tree.HitTest(client);
    if (item == nullptr)
        return;
    CRect text;
    if (!m_tree.GetItemRect(item, &text, TRUE) || client.y < text.top || client.y >= text.bottom)
        return;
    int height = (int)m_tree.SendMessage(TVM_GETITEMHEIGHT);
    if (client.x < text.left - 2 * height || client.x > text.right)
        return;
    m_tree.SelectItem(item);
    if (m_tree.ItemHasChildren(item))
        SetCheckBelow(item, !m_tree.GetCheck(item));
}

void CDlgCameraSelect::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    CPoint point;
    ::GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    ClickAt(point);
    *pResult = 0;
}

void CDlgCameraSelect::AddTicked(HTREEITEM item)
{
    if (GetTreeItemKind(m_tree, item) == treeKindCamera && m_tree.GetCheck(item)) {
        CTermCamera* camera = reinterpret_cast<CTermCamera*>(m_tree.GetItemData(item));
        CameraLink link = {camera->m_pServer != nullptr ? camera->m_pServer->m_id : 0, camera->m_channel, camera};
        m_pList->Add(link);
        ++m_added;
    }
    for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child))
        AddTicked(child);
}

void CDlgCameraSelect::OnOK()
{
    for (HTREEITEM item = m_tree.GetRootItem(); item; item = m_tree.GetNextSiblingItem(item))
        AddTicked(item);
    EndDialog(IDOK);
}
