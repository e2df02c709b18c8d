#include "station/ui/emap/EMapSceneTree.h"

#include "resources/warden/resource.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapSceneView.h"

namespace {

void FillScene(CTreeCtrl& tree, CVuskEMapTerm* scene, HTREEITEM item)
{
    for (POSITION pos = scene->m_devices.GetHeadPosition(); pos != nullptr;)
        InsertDeviceItem(tree, scene->m_devices.GetNext(pos), item);
    for (POSITION pos = scene->m_children.GetHeadPosition(); pos != nullptr;) {
        CVuskEMapTerm* child = scene->m_children.GetNext(pos);
        HTREEITEM childItem = InsertSceneItem(tree, child, item);
        FillScene(tree, child, childItem);
        tree.Expand(childItem, TVE_EXPAND);
    }
}

HTREEITEM FindCameraBelow(const CTreeCtrl& tree, HTREEITEM parent, CVuskEMapDev* device)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item != nullptr; item = tree.GetNextSiblingItem(item)) {
        int image = ItemImage(tree, item);
        if (image == emapImageCamera && tree.GetItemData(item) == (DWORD_PTR)device)
            return item;
        if (image == emapImageScene) {
            if (HTREEITEM found = FindCameraBelow(tree, item, device))
                return found;
        }
    }
    return nullptr;
}

} // namespace

int EMapImageOfKind(int kind)
{
    switch (kind) {
    case emapCamera:
        return emapImageCamera;
    case emapAlarmInput:
        return emapImageInput;
    case emapAlarmOutput:
        return emapImageOutput;
    }
    return -1;
}

void SetUpMapTree(CTreeCtrl& tree, CImageList& images)
{
    if (images.m_hImageList == nullptr)
        images.Create(IDB_TREE_IMAGES, 16, 1, kEMapTreeMask);
    tree.SetImageList(&images, TVSIL_NORMAL);
    tree.SetBkColor(kEMapTreeBack);
}

int ItemImage(const CTreeCtrl& tree, HTREEITEM item)
{
    int image = -1, selected = -1;
    if (item == nullptr || !tree.GetItemImage(item, image, selected))
        return -1;
    return image;
}

HTREEITEM InsertSceneItem(CTreeCtrl& tree, CVuskEMapTerm* scene, HTREEITEM parent)
{
    HTREEITEM item = tree.InsertItem(scene->m_name, emapImageScene, emapImageScene, parent ? parent : TVI_ROOT);
    tree.SetItemData(item, (DWORD_PTR)scene);
    scene->m_treeItem = (DWORD_PTR)item;
    return item;
}

HTREEITEM InsertDeviceItem(CTreeCtrl& tree, CVuskEMapDev* device, HTREEITEM parent)
{
    int image = EMapImageOfKind(device->m_kind);
    if (image < 0)
        return nullptr;
    HTREEITEM item = tree.InsertItem(device->m_caption, image, image, parent);
    tree.SetItemData(item, (DWORD_PTR)device);
    return item;
}

void FillSceneTree(CTreeCtrl& tree, CVuskEMapGroup* map)
{
    tree.DeleteAllItems();
    if (map == nullptr)
        return;
    for (POSITION pos = map->m_scenes.GetHeadPosition(); pos != nullptr;) {
        CVuskEMapTerm* scene = map->m_scenes.GetNext(pos);
        HTREEITEM item = InsertSceneItem(tree, scene, nullptr);
        FillScene(tree, scene, item);
        tree.Expand(item, TVE_EXPAND);
    }
}

HTREEITEM FindCameraItem(const CTreeCtrl& tree, CVuskEMapDev* device)
{
    for (HTREEITEM top = tree.GetRootItem(); top != nullptr; top = tree.GetNextSiblingItem(top)) {
        if (ItemImage(tree, top) == emapImageCamera && tree.GetItemData(top) == (DWORD_PTR)device)
            return top;
        if (HTREEITEM found = FindCameraBelow(tree, top, device))
            return found;
    }
    return nullptr;
}

void ShowTreeSelection(CTreeCtrl& tree, HTREEITEM item, CEMapSceneView* view)
{
    if (item == nullptr || view == nullptr)
        return;
    if (ItemImage(tree, item) == emapImageScene) {
        view->ShowScene(reinterpret_cast<CVuskEMapTerm*>(tree.GetItemData(item)));
        return;
    }
    HTREEITEM parent = tree.GetParentItem(item);
    if (parent == nullptr || ItemImage(tree, parent) != emapImageScene)
        return;
    view->ShowScene(reinterpret_cast<CVuskEMapTerm*>(tree.GetItemData(parent)));
    view->m_canvas.ClearSelection();
    view->m_canvas.SelectDevice(reinterpret_cast<CVuskEMapDev*>(tree.GetItemData(item)));
}
