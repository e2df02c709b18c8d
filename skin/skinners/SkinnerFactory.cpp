// The skinner factory: type id -> creation function. The control kinds still get the engine's stand-in
// (subclassed and bound, drawn by the control itself) until their skinners take those entries.
#include "skin/skinners/SkinnerFactory.h"

#include <new>

#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/menu/PopupMenuTracking.h"
#include "skin/skinners/window/DialogSkinner.h"
#include "skin/skinners/window/FrameWindowSkinner.h"

namespace {

SkinnedWindow* StandInControl(int type, SkinnedWindow* owner)
{
    return BuiltInSkinnerServices().createSkinner(type, owner);
}

struct MakerEntry {
    int type;
    SkinnerMaker make;
};

const MakerEntry kMakers[] = {
    {SkinTypeButton, StandInControl},        {SkinTypeCheckBox, StandInControl}, {SkinTypeComboBox, StandInControl},
    {SkinTypeEdit, StandInControl},          {SkinTypeGroupBox, StandInControl}, {SkinTypeListBox, StandInControl},
    {SkinTypeProgressBar, StandInControl},   {SkinTypeRadio, StandInControl},    {SkinTypeScrollBar, StandInControl},
    {SkinTypeSlider, StandInControl},        {SkinTypeStatic, StandInControl},   {SkinTypeStatusBar, StandInControl},
    {SkinTypeTab, StandInControl},           {SkinTypeToolBar, StandInControl},  {SkinTypeControlBar, StandInControl},
    {SkinTypeScrollControl, StandInControl}, {SkinTypeSpin, StandInControl},     {SkinTypeListView, StandInControl},
    {SkinTypeTreeView, StandInControl},      {SkinTypeRichEdit, StandInControl}, {SkinTypeDateTime, StandInControl},
    {SkinTypeMonthCalendar, StandInControl}, {SkinTypeRebar, StandInControl},    {SkinTypeHeader, StandInControl},
    {SkinTypeAnimate, StandInControl},       {SkinTypeLinkWnd, StandInControl},
};

SkinnedWindow* MakeSkinner(int type, SkinnedWindow* owner)
{
    SkinnerMaker make = FindSkinnerMaker(type);
    return make ? make(type, owner) : NULL;
}

SkinnedWindow* MakeFrame()
{
    return new (std::nothrow) FrameWindowSkinner;
}

SkinnedWindow* MakeDialog(BOOL frameless)
{
    return new (std::nothrow) DialogSkinner(frameless);
}

SkinnedWindow* MakeToolbarHost()
{
    return BuiltInSkinnerServices().createToolbarSkinner();
}

const SkinnerServices kWindowServices = {MakeSkinner, MakeFrame, MakeDialog, MakeToolbarHost, TrackSkinnedPopupMenu};

} // namespace

SkinnerMaker FindSkinnerMaker(int type)
{
    for (const MakerEntry& entry : kMakers)
        if (entry.type == type)
            return entry.make;
    return NULL;
}

const SkinnerServices& WindowSkinnerServices()
{
    return kWindowServices;
}
