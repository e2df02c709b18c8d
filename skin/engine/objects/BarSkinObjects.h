// Skin objects of bars: control bars, tool bars, rebars, status bars.
#pragma once
#include "skin/engine/objects/ControlSkinObjects.h"

// ControlBarSkinObject: control bars (type 24): the control part only; lookups by type answer with the ToolBar object.
class ControlBarSkinObject : public ControlSkinObject {
public:
    ControlBarSkinObject();
};

// ToolBarSkinObject: toolbars (type 23): five sliced pictures.
class ToolBarSkinObject : public TableSkinObject<ToolBarSkinObject, ControlSkinObject> {
public:
    ToolBarSkinObject();
    static FieldSpan Fields();

    SlicedImage images[5]{};
};

// RebarSkinObject: rebars (type 36): the band picture and a text effect.
class RebarSkinObject : public TableSkinObject<RebarSkinObject, ControlSkinObject> {
public:
    RebarSkinObject();
    static FieldSpan Fields();

    SlicedImage bandImage{};
    TextEffect textEffect{};
};

// StatusBarSkinObject: status bars (type 15): the pane picture.
class StatusBarSkinObject : public TableSkinObject<StatusBarSkinObject, ControlSkinObject> {
public:
    StatusBarSkinObject();
    static FieldSpan Fields();

    SlicedImage itemImage{};
    ImagePart image2{};
};
