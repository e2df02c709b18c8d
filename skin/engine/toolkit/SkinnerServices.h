// What the engine asks of the skinners: the type id of a window, the skinner that draws each kind of
// window, and the skinned popup menu. The window skinners' services are in force from the start; tests
// that want to watch the engine put their own in force or the built-in stand-ins.
#pragma once
#include <windows.h>

class SkinnedWindow;

struct SkinnerServices {
    // The skinner of a control kind (type id), NULL for a kind without one; owned by the caller.
    SkinnedWindow* (*createSkinner)(int type, SkinnedWindow* owner);
    SkinnedWindow* (*createFrameSkinner)();
    // frameless: the form for child dialogs, which keep their own frame.
    SkinnedWindow* (*createDialogSkinner)(BOOL frameless);
    SkinnedWindow* (*createToolbarSkinner)();
    // Tracks a popup menu; the command chosen (with TPM_RETURNCMD or for a system menu) or a success flag.
    int (*trackPopupMenu)(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu);
};

// Tests put their own services in force; NULL puts the window skinners' services back.
void SetSkinnerServices(const SkinnerServices* services);
const SkinnerServices& GetSkinnerServices();
// The stand-ins: skinners that subclass and bind but leave the drawing to the window, and the platform's
// popup menu.
const SkinnerServices& BuiltInSkinnerServices();

// The toolkit type id of a window: its class name (a "Button" refined by its style into "GroupBox",
// "CheckBox" or "Radio"; a simple combo box's list as a list box) looked up in the engine's registry.
int GetWindowSkinType(HWND hwnd);

SkinnedWindow* CreateSkinner(int type, SkinnedWindow* owner);
SkinnedWindow* CreateFrameWindowSkinner();
SkinnedWindow* CreateDialogSkinner(BOOL frameless);
SkinnedWindow* CreateToolbarSkinner();
int TrackPopupWindowMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu);
