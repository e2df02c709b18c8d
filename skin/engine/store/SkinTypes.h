// The toolkit's type ids: one per window kind, tying a window class, a skinner and a skin object class
// together; their default object names and where objects of each type may stand in a skin file.
#pragma once

class SkinObject;

enum SkinType {
    SkinTypeNone = 0,
    SkinTypeFrameWnd = 1,
    SkinTypeShapeWnd = 2,
    SkinTypeCaptionButton = 3,
    SkinTypeButton = 4,
    SkinTypeCheckBox = 5,
    SkinTypeComboBox = 6,
    SkinTypeEdit = 7,
    SkinTypeGroupBox = 8,
    SkinTypeListBox = 9,
    SkinTypeProgressBar = 10,
    SkinTypeRadio = 11,
    SkinTypeScrollBar = 12,
    SkinTypeSlider = 13,
    SkinTypeStatic = 14,
    SkinTypeStatusBar = 15,
    SkinTypeTab = 16,
    SkinTypePopupMenu = 17,
    SkinTypeImage = 18,
    SkinTypeVoice = 19,
    SkinTypeMenuBar = 20,
    SkinTypeMenuItem = 21,
    SkinTypeArea = 22,
    SkinTypeToolBar = 23,
    SkinTypeControlBar = 24,
    SkinTypeApplication = 25,
    SkinTypeScrollControl = 26,
    SkinTypeSpin = 27,
    SkinTypeListView = 28,
    SkinTypeTreeView = 29,
    SkinTypeRichEdit = 30,
    SkinTypeDateTime = 31,
    SkinTypeIPAddress = 32,
    SkinTypeComboBoxEx = 33,
    SkinTypeHotKey = 34,
    SkinTypeMonthCalendar = 35,
    SkinTypeRebar = 36,
    SkinTypeHeader = 37,
    SkinTypeCaptionStatic = 38,
    SkinTypeImageList = 39,
    SkinTypeAnimate = 40,
    SkinTypeLinkWnd = 41,
    SkinTypeTooltip = 42,
    SkinTypeTooltipAnchor = 43,
    SkinTypeSysColorTable = 44,
    SkinTypePropertySet = 100,
};

// Default object name of a type ("NONE" for 0), or NULL for ids without one.
const char* GetSkinTypeName(int type);
// The type whose default name (or, for 100, "PropertySet") is the given text; -1 when none.
int FindSkinTypeByName(const char* name);
// A new object of the class that serves the type, or NULL when no class does.
SkinObject* CreateSkinObject(int type);
bool IsTopLevelSkinType(int type);
// May stand as a child of some object.
bool IsChildSkinType(int type);
// May stand as a child of an object of parentType (Areas only under frame windows).
bool CanStandAsChild(int parentType, int childType);
