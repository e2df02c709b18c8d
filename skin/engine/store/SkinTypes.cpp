// The type table and the factory that makes an object of the class serving each type id.
#include "skin/engine/store/SkinTypes.h"

#include <cstring>

#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/objects/BarSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"

namespace {

const char* const kTypeNames[] = {
    "NONE",          "FrameWnd",      "ShapeWnd",      "CaptionButton", "Button",      "CheckBox",      "ComboBox",
    "Edit",          "GroupBox",      "ListBox",       "ProgressBar",   "Radio",       "ScrollBar",     "Slider",
    "Static",        "StatusBar",     "Tab",           "PopupMenu",     "Image",       "Voice",         "MenuBar",
    "MenuItem",      "Area",          "ToolBar",       "ControlBar",    "Application", "ScrollControl", "Spin",
    "ListView",      "TreeView",      "RichEdit",      "DateTime",      "IPAddress",   "ComboBoxEx",    "HotKey",
    "MonthCalendar", "Rebar",         "Header",        "CaptionStatic", "ImageList",   "Animate",       "LinkWnd",
    "Tooltip",       "TooltipAnchor", "SysColorTable",
};
static_assert(sizeof(kTypeNames) / sizeof(kTypeNames[0]) == 45, "names for ids 0 to 44");

} // namespace

const char* GetSkinTypeName(int type)
{
    return type >= 0 && type <= 44 ? kTypeNames[type] : NULL;
}

int FindSkinTypeByName(const char* name)
{
    if (!name)
        return -1;
    for (int i = 1; i <= 44; ++i)
        if (std::strcmp(kTypeNames[i], name) == 0)
            return i;
    return std::strcmp(name, "PropertySet") == 0 ? SkinTypePropertySet : -1;
}

SkinObject* CreateSkinObject(int type)
{
    switch (type) {
    case SkinTypeFrameWnd:
        return new FrameWndSkinObject;
    case SkinTypeShapeWnd:
        return new ShapeWndSkinObject;
    case SkinTypeCaptionButton:
        return new CaptionButtonSkinObject;
    case SkinTypeButton:
        return new ButtonSkinObject;
    case SkinTypeCheckBox:
        return new CheckBoxSkinObject;
    case SkinTypeComboBox:
    case SkinTypeComboBoxEx:
        return new ComboBoxSkinObject(type);
    case SkinTypeEdit:
    case SkinTypeListBox:
    case SkinTypeScrollControl:
    case SkinTypeListView:
    case SkinTypeRichEdit:
        return new ScrollControlSkinObject(type);
    case SkinTypeGroupBox:
        return new GroupBoxSkinObject;
    case SkinTypeProgressBar:
        return new ProgressSkinObject;
    case SkinTypeRadio:
        return new RadioSkinObject;
    case SkinTypeScrollBar:
        return new ScrollBarSkinObject;
    case SkinTypeSlider:
        return new SliderSkinObject;
    case SkinTypeStatic:
        return new StaticSkinObject;
    case SkinTypeStatusBar:
        return new StatusBarSkinObject;
    case SkinTypeTab:
        return new TabSkinObject;
    case SkinTypePopupMenu:
        return new PopupMenuSkinObject;
    case SkinTypeImage:
        return new ImageSkinObject;
    case SkinTypeVoice:
        return new SkinObject(SkinTypeVoice);
    case SkinTypeMenuBar:
        return new MenuBarSkinObject;
    case SkinTypeArea:
        return new AreaSkinObject;
    case SkinTypeToolBar:
        return new ToolBarSkinObject;
    case SkinTypeControlBar:
        return new ControlBarSkinObject;
    case SkinTypeApplication:
        return new ApplicationSkinObject;
    case SkinTypeSpin:
        return new SpinSkinObject;
    case SkinTypeTreeView:
        return new TreeViewSkinObject;
    case SkinTypeDateTime:
        return new DateTimeSkinObject;
    case SkinTypeMonthCalendar:
        return new MonthCalendarSkinObject;
    case SkinTypeRebar:
        return new RebarSkinObject;
    case SkinTypeHeader:
        return new HeaderSkinObject;
    case SkinTypeCaptionStatic:
        return new CaptionStaticSkinObject;
    case SkinTypeImageList:
        return new ImageListSkinObject;
    case SkinTypeAnimate:
        return new AnimateSkinObject;
    case SkinTypeTooltip:
        return new TooltipSkinObject;
    case SkinTypeSysColorTable:
        return new SysColorTableSkinObject;
    case SkinTypePropertySet:
        return new PropertySetSkinObject;
    default:
        return NULL;
    }
}

bool IsTopLevelSkinType(int type)
{
    return type == 1 || type == 2 || (type >= 4 && type <= 17) || (type >= 23 && type <= 31) || type == 33 ||
           (type >= 35 && type <= 40) || type == 42 || type == 44 || type == 100;
}

// Areas (22) stand beside caption buttons and caption texts inside frame objects.
bool IsChildSkinType(int type)
{
    return (type >= 3 && type <= 17) || type == 22 || (type >= 23 && type <= 31) || type == 33 ||
           (type >= 35 && type <= 38) || type == 40 || type == 42 || type == 44 || type == 100;
}

// Only a frame window draws Areas; under any other object an Area is a type that cannot stand there.
bool CanStandAsChild(int parentType, int childType)
{
    if (childType == SkinTypeArea)
        return parentType == SkinTypeFrameWnd;
    return IsChildSkinType(childType);
}
