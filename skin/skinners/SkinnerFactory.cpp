// The skinner factory: type id -> creation function. Every control kind the engine classifies has its own
// skinner; a type without an entry gets none and the window stays native.
#include "skin/skinners/SkinnerFactory.h"

#include <new>

#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/controls/AnimateSkinner.h"
#include "skin/skinners/controls/ButtonSkinner.h"
#include "skin/skinners/controls/ComboBoxSkinner.h"
#include "skin/skinners/controls/ControlBarSkinner.h"
#include "skin/skinners/controls/DateTimeSkinner.h"
#include "skin/skinners/controls/EditSkinner.h"
#include "skin/skinners/controls/GroupBoxSkinner.h"
#include "skin/skinners/controls/HeaderSkinner.h"
#include "skin/skinners/controls/ListBoxSkinner.h"
#include "skin/skinners/controls/LinkSkinner.h"
#include "skin/skinners/controls/ListViewSkinner.h"
#include "skin/skinners/controls/MonthCalSkinner.h"
#include "skin/skinners/controls/ProgressSkinner.h"
#include "skin/skinners/controls/RadioSkinner.h"
#include "skin/skinners/controls/RebarSkinner.h"
#include "skin/skinners/controls/ScrollBarSkinner.h"
#include "skin/skinners/controls/SliderSkinner.h"
#include "skin/skinners/controls/SpinSkinner.h"
#include "skin/skinners/controls/StaticSkinner.h"
#include "skin/skinners/controls/StatusBarSkinner.h"
#include "skin/skinners/controls/TabSkinner.h"
#include "skin/skinners/controls/ToolbarSkinner.h"
#include "skin/skinners/controls/TreeViewSkinner.h"
#include "skin/skinners/menu/PopupMenuTracking.h"
#include "skin/skinners/window/DialogSkinner.h"
#include "skin/skinners/window/FrameWindowSkinner.h"

namespace {

template <class Skinner> SkinnedWindow* Make(int, SkinnedWindow* owner)
{
    return new (std::nothrow) Skinner(owner);
}

SkinnedWindow* MakeScrollControl(int type, SkinnedWindow* owner)
{
    return new (std::nothrow) ScrollControlSkinner(owner, type);
}

struct MakerEntry {
    int type;
    SkinnerMaker make;
};

const MakerEntry kMakers[] = {
    {SkinTypeButton, Make<ButtonSkinner>},
    {SkinTypeCheckBox, Make<CheckBoxSkinner>},
    {SkinTypeComboBox, Make<ComboBoxSkinner>},
    {SkinTypeEdit, Make<EditSkinner>},
    {SkinTypeGroupBox, Make<GroupBoxSkinner>},
    {SkinTypeListBox, Make<ListBoxSkinner>},
    {SkinTypeProgressBar, Make<ProgressSkinner>},
    {SkinTypeRadio, Make<RadioSkinner>},
    {SkinTypeScrollBar, Make<ScrollBarSkinner>},
    {SkinTypeSlider, Make<SliderSkinner>},
    {SkinTypeStatic, Make<StaticSkinner>},
    {SkinTypeStatusBar, Make<StatusBarSkinner>},
    {SkinTypeTab, Make<TabSkinner>},
    {SkinTypeToolBar, Make<ToolbarSkinner>},
    {SkinTypeControlBar, Make<ControlBarSkinner>},
    {SkinTypeScrollControl, MakeScrollControl},
    {SkinTypeSpin, Make<SpinSkinner>},
    {SkinTypeListView, Make<ListViewSkinner>},
    {SkinTypeTreeView, Make<TreeViewSkinner>},
    {SkinTypeRichEdit, Make<EditSkinner>},
    {SkinTypeDateTime, Make<DateTimeSkinner>},
    {SkinTypeMonthCalendar, Make<MonthCalSkinner>},
    {SkinTypeRebar, Make<RebarSkinner>},
    {SkinTypeHeader, Make<HeaderSkinner>},
    {SkinTypeAnimate, Make<AnimateSkinner>},
    {SkinTypeLinkWnd, Make<LinkSkinner>},
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
    return new (std::nothrow) ToolbarSkinner(NULL);
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
