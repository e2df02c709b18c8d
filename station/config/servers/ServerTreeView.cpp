// The server tree shown in tree controls.
#include "station/config/servers/ServerTreeView.h"

#include "resources/warden/config.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

void SetUpServerTreeImages(CTreeCtrl& tree, CImageList& images)
{
    if (images.m_hImageList == nullptr) {
        images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        CBitmap strip;
        if (strip.LoadBitmap(MAKEINTRESOURCEA(IDB_SERVER_TREE)))
            images.Add(&strip, RGB(255, 51, 102));
    }
    tree.SetImageList(&images, TVSIL_NORMAL);
    tree.SetBkColor(RGB(192, 192, 192));
}

HTREEITEM InsertTreeItem(CTreeCtrl& tree, LPCSTR text, ServerTreeKind kind, void* data, HTREEITEM parent)
{
    return tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, text, kind, kind, 0, 0,
                           (LPARAM)data, parent, TVI_LAST);
}

int GetTreeItemKind(const CTreeCtrl& tree, HTREEITEM item)
{
    int image = -1, selected = -1;
    if (item == nullptr || !tree.GetItemImage(item, image, selected))
        return -1;
    return image;
}

void FillTreeGroup(CTreeCtrl& tree, CTermData* group, HTREEITEM parent, const ServerTreeFillOptions& options)
{
    for (POSITION pos = group->m_childGroups.GetHeadPosition(); pos;) {
        CTermData* child = group->m_childGroups.GetNext(pos);
        HTREEITEM item = InsertTreeItem(tree, child->m_name, treeKindGroup, child, parent);
        FillTreeGroup(tree, child, item, options);
        if (options.expandChildGroups)
            tree.Expand(item, TVE_EXPAND);
    }
    for (POSITION pos = group->m_servers.GetHeadPosition(); pos;) {
        CTermServer* server = group->m_servers.GetNext(pos);
        HTREEITEM serverItem = InsertTreeItem(tree, server->m_name, treeKindServer, server, parent);
        for (POSITION c = server->m_cameras.GetHeadPosition(); c;) {
            CTermCamera* camera = server->m_cameras.GetNext(c);
            if (!options.showCamera || options.showCamera(camera))
                InsertTreeItem(tree, camera->m_name, treeKindCamera, camera, serverItem);
        }
        if (options.expandGroupsAndServers)
            tree.Expand(serverItem, TVE_EXPAND);
    }
}

HTREEITEM FillServerTree(CTreeCtrl& tree, const CRecGroup& root, const ServerTreeFillOptions& options)
{
    tree.DeleteAllItems();
    if (root.m_rootCaption.IsEmpty())
        return nullptr;
    HTREEITEM rootItem = InsertTreeItem(tree, root.m_rootCaption, treeKindProject, nullptr, TVI_ROOT);
    for (POSITION pos = root.m_projects.GetHeadPosition(); pos;) {
        CTermData* group = root.m_projects.GetNext(pos);
        HTREEITEM item = InsertTreeItem(tree, group->m_name, treeKindGroup, group, rootItem);
        FillTreeGroup(tree, group, item, options);
        if (options.expandGroupsAndServers)
            tree.Expand(item, TVE_EXPAND);
    }
    tree.Expand(rootItem, TVE_EXPAND);
    return rootItem;
}
