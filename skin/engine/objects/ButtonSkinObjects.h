// Skin objects of buttons and static texts: push buttons, check boxes, radio buttons, group boxes, statics.
#pragma once
#include "skin/engine/objects/ControlSkinObjects.h"

// ButtonSkinObject: push buttons (type 4): six state images with their text effects.
class ButtonSkinObject : public TableSkinObject<ButtonSkinObject, ControlSkinObject> {
public:
    ButtonSkinObject();
    static FieldSpan Fields();
    bool Load(MemoryStream& stream) override;

    enum { Normal, Pressed, Default, Focused, Highlighted, Disabled };
    StateImage states[6]{};
    char buttonText[50]{};
    uint32_t value1{};
    uint32_t value2{};
    uint32_t value3 = 1000; // only in files before 1.7
};

// CheckBoxSkinObject: check boxes (type 5), and radio buttons through RadioSkinObject: seven state records.
class CheckBoxSkinObject : public TableSkinObject<CheckBoxSkinObject, ControlSkinObject> {
public:
    explicit CheckBoxSkinObject(int type = SkinTypeCheckBox);
    static FieldSpan Fields();
    // Mends what older versions left after the fields are read.
    void MendOldVersions();

    enum { Normal, Selected, Disabled, GrayedNormal, GrayedSelected, HighlightedNormal, HighlightedSelected };
    CheckState states[7]{};
    char text[50]{};
    uint32_t transparent{};
};

// RadioSkinObject: radio buttons (type 11): the check box layout under its own type id.
class RadioSkinObject : public CheckBoxSkinObject {
public:
    RadioSkinObject();
};

// GroupBoxSkinObject: group boxes (type 8): caption picture, caption colour and text effect.
class GroupBoxSkinObject : public TableSkinObject<GroupBoxSkinObject, ControlSkinObject> {
public:
    GroupBoxSkinObject();
    static FieldSpan Fields();
    // Mends what older versions left after the fields are read.
    void MendOldVersions();

    SlicedImage captionImage{};
    COLORREF captionColor{};
    TextEffect textEffect{};
    uint32_t transparent{};
};

// StaticSkinObject: static texts (type 14): transparency, text effect and a kept text.
class StaticSkinObject : public TableSkinObject<StaticSkinObject, ControlSkinObject> {
public:
    StaticSkinObject();
    static FieldSpan Fields();
    // Mends what older versions left after the fields are read.
    void MendOldVersions();

    uint32_t transparent{};
    TextEffect textEffect{};
    char text[51]{};
    TextEffect textEffect2{};
};
