// The scene tree of the run view and of the editor: every scene with its devices and then its child
// scenes, each item's data its scene or device, each scene remembering its item.
#pragma once

#include <afxcmn.h>

class CEMapSceneView;
class CVuskEMapDev;
class CVuskEMapGroup;
class CVuskEMapTerm;

// The tree's image for a device kind (3 camera, 4 input, 5 output), -1 for other kinds.
int EMapImageOfKind(int kind);
// Image list of bitmap 135 and the grey background of the map trees.
void SetUpMapTree(CTreeCtrl& tree, CImageList& images);
int ItemImage(const CTreeCtrl& tree, HTREEITEM item);

void FillSceneTree(CTreeCtrl& tree, CVuskEMapGroup* map);
HTREEITEM InsertSceneItem(CTreeCtrl& tree, CVuskEMapTerm* scene, HTREEITEM parent);
// Devices of other kinds get no item (null).
HTREEITEM InsertDeviceItem(CTreeCtrl& tree, CVuskEMapDev* device, HTREEITEM parent);
// The camera item of the device: scenes searched depth first, in tree order.
HTREEITEM FindCameraItem(const CTreeCtrl& tree, CVuskEMapDev* device);

// What selecting an item shows: a scene in the view; a device's scene with its icon selected.
void ShowTreeSelection(CTreeCtrl& tree, HTREEITEM item, CEMapSceneView* view);
