// CDlgViewEditMap: the map editor's view, a scene on a canvas whose icons and links are dragged.
#pragma once

#include "station/ui/emap/EMapSceneView.h"

class CDlgViewEditMap : public CEMapSceneView {
public:
    enum { IDD = 203 };
    explicit CDlgViewEditMap(int editMode = 1) : CEMapSceneView(IDD, editMode) {}
};
