// The server select dialog over the live server tree.
#include "station/config/servers/DlgServerSelect.h"

#include "station/config/ConfigText.h"
#include "station/config/servers/ServerTreeView.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermServer.h"

BEGIN_MESSAGE_MAP(CDlgServerSelect, CConfigDialog)
ON_NOTIFY(NM_DBLCLK, IDC_SRVSEL_TREE, OnTreeDoubleClick)
END_MESSAGE_MAP()

CDlgServerSelect::CDlgServerSelect(CWnd* pParent) : CConfigDialog(IDD, pParent), m_pServer(nullptr), m_pTree(nullptr) {}

void CDlgServerSelect::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SRVSEL_TREE, m_tree);
}

BOOL CDlgServerSelect::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    SetUpServerTreeImages(m_tree, m_images);
    if (m_pTree == nullptr)
        m_pTree = g_pRecGroup;
    if (m_pTree != nullptr) {
        ServerTreeFillOptions options;
        options.showCamera = [](const CTermCamera*) { return false; };
        options.expandChildGroups = true;
        FillServerTree(m_tree, *m_pTree, options);
    }
    return TRUE;
}

BOOL CDlgServerSelect::TakeSelectedServer()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (item == nullptr || GetTreeItemKind(m_tree, item) != treeKindServer || m_tree.GetItemData(item) == 0)
        return FALSE;
    m_pServer = reinterpret_cast<CTermServer*>(m_tree.GetItemData(item));
    m_serverName = m_tree.GetItemText(item);
    return TRUE;
}

void CDlgServerSelect::OnOK()
{
    if (!TakeSelectedServer()) {
        ConfigMessage(IDS_SRVSEL_CHOOSE_SERVER);
        return;
    }
    EndDialog(IDOK);
}

void CDlgServerSelect::OnTreeDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (TakeSelectedServer())
        EndDialog(IDOK);
    *pResult = 0;
}
