// Showing a server tree in a tree control, as the server tree dialog and the camera picker do: the
// project as the single root item, groups (child groups before servers), servers and their cameras.
// The image index of an item tells its kind; the item data points to its object (none for the
// project).
#pragma once

#include <afxcmn.h>

#include <functional>

class CRecGroup;
class CTermCamera;
class CTermData;

enum ServerTreeKind { treeKindProject = 0, treeKindGroup = 1, treeKindServer = 2, treeKindCamera = 3 };

// 16x16 pictures of bitmap 135 on the key RGB(255, 51, 102), and the grey background.
void SetUpServerTreeImages(CTreeCtrl& tree, CImageList& images);

HTREEITEM InsertTreeItem(CTreeCtrl& tree, LPCSTR text, ServerTreeKind kind, void* data, HTREEITEM parent);
// The kind of the item (its image index), -1 for none.
int GetTreeItemKind(const CTreeCtrl& tree, HTREEITEM item);

struct ServerTreeFillOptions {
    std::function<bool(const CTermCamera*)> showCamera; // empty: every camera
    bool expandGroupsAndServers = false;                // the picker opens top-level groups and servers
    bool expandChildGroups = false;                     // each group below a project opens once filled
};

// Inserts the group's child groups, then its servers with their cameras, below parent.
void FillTreeGroup(CTreeCtrl& tree, CTermData* group, HTREEITEM parent, const ServerTreeFillOptions& options);
// Empties the tree; with an empty project name nothing is shown. Otherwise the project item, its
// groups, and finally the root expanded. The root item, or null.
HTREEITEM FillServerTree(CTreeCtrl& tree, const CRecGroup& root, const ServerTreeFillOptions& options);
