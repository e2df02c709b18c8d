// The skinner services in force, the built-in stand-ins and the window classification.
#include "skin/engine/toolkit/SkinnerServices.h"

#include <cstring>

#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/skinners/SkinnerFactory.h"

namespace {

bool HasSkinner(int type)
{
    switch (type) {
    case SkinTypeButton:
    case SkinTypeCheckBox:
    case SkinTypeComboBox:
    case SkinTypeEdit:
    case SkinTypeGroupBox:
    case SkinTypeListBox:
    case SkinTypeProgressBar:
    case SkinTypeRadio:
    case SkinTypeScrollBar:
    case SkinTypeSlider:
    case SkinTypeStatic:
    case SkinTypeStatusBar:
    case SkinTypeTab:
    case SkinTypeToolBar:
    case SkinTypeControlBar:
    case SkinTypeScrollControl:
    case SkinTypeSpin:
    case SkinTypeListView:
    case SkinTypeTreeView:
    case SkinTypeRichEdit:
    case SkinTypeDateTime:
    case SkinTypeMonthCalendar:
    case SkinTypeRebar:
    case SkinTypeHeader:
    case SkinTypeAnimate:
    case SkinTypeLinkWnd:
        return true;
    default:
        return false;
    }
}

SkinnedWindow* StandInSkinner(int type, SkinnedWindow*)
{
    return HasSkinner(type) ? new SkinnedWindow : NULL;
}

SkinnedWindow* StandInFrame()
{
    return new SkinnedWindow;
}

SkinnedWindow* StandInDialog(BOOL)
{
    return new SkinnedWindow;
}

int PlatformPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu)
{
    if (!systemMenu)
        return TrackPopupMenuEx(menu, flags, x, y, owner, NULL);
    const int command = TrackPopupMenuEx(menu, flags | TPM_RETURNCMD, x, y, owner, NULL);
    if (command)
        PostMessageA(owner, WM_SYSCOMMAND, command, 0);
    return command;
}

const SkinnerServices kBuiltIn = {StandInSkinner, StandInFrame, StandInDialog, StandInFrame, PlatformPopupMenu};

// NULL: the window skinners' services, in force from the start.
const SkinnerServices* g_services = NULL;

const SkinnerServices& Current()
{
    return g_services ? *g_services : WindowSkinnerServices();
}

// The class name a button's style gives it in the registry.
const char* RefineButtonClass(LONG style)
{
    // A push box is drawn as a push button.
    if ((style & BS_TYPEMASK) == BS_PUSHBOX)
        return "Button";
    if ((style & 7) == 7)
        return "GroupBox";
    if ((style & 2) || (style & 3) == 3 || (style & 5) == 5)
        return "CheckBox";
    if ((style & 4) || (style & 9) == 9)
        return "Radio";
    return "Button";
}

} // namespace

void SetSkinnerServices(const SkinnerServices* services)
{
    g_services = services;
}

const SkinnerServices& GetSkinnerServices()
{
    return Current();
}

const SkinnerServices& BuiltInSkinnerServices()
{
    return kBuiltIn;
}

int GetWindowSkinType(HWND hwnd)
{
    char name[101] = "";
    if (!hwnd || !GetClassNameA(hwnd, name, sizeof name))
        return 0;
    const char* lookup = name;
    if (std::strcmp(name, "Button") == 0) {
        lookup = RefineButtonClass(GetWindowLongA(hwnd, GWL_STYLE));
    } else if (std::strcmp(name, "ComboLBox") == 0) {
        HWND parent = GetParent(hwnd);
        if (!parent)
            return 0;
        const LONG style = GetWindowLongA(parent, GWL_STYLE);
        return (style & CBS_SIMPLE) && (style & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST ? SkinTypeListBox : 0;
    }
    return SkinEngine::Instance().LookupClassType(lookup);
}

SkinnedWindow* CreateSkinner(int type, SkinnedWindow* owner)
{
    return Current().createSkinner ? Current().createSkinner(type, owner) : NULL;
}

SkinnedWindow* CreateFrameWindowSkinner()
{
    return Current().createFrameSkinner ? Current().createFrameSkinner() : NULL;
}

SkinnedWindow* CreateDialogSkinner(BOOL frameless)
{
    return Current().createDialogSkinner ? Current().createDialogSkinner(frameless) : NULL;
}

SkinnedWindow* CreateToolbarSkinner()
{
    return Current().createToolbarSkinner ? Current().createToolbarSkinner() : NULL;
}

int TrackPopupWindowMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu)
{
    return Current().trackPopupMenu ? Current().trackPopupMenu(menu, flags, x, y, owner, systemMenu) : 0;
}
