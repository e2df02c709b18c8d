// The main window's rules that depend only on the user's rights and the window's state: which menu
// items a log-in enables, which message refuses a command, and the states of the server tree's
// context menus. Kept apart from the window so that the tables are tested on their own.
#pragma once

#include <windows.h>

// A menu item that follows one right of the current user.
struct MenuRight {
    UINT id;
    int right;
};

// The items a log-in (at start, again, or after an unlock) enables by right; greyed otherwise.
extern const MenuRight kLoginMenuRights[7];

// The menu flags (MF_ENABLED or MF_GRAYED) of each item of kLoginMenuRights for a user whose rights
// are read through hasRight (index 1..12). Fills flags[7].
void LoginMenuStates(int (*hasRight)(int), UINT flags[7]);

// What refuses a command, as the string to show; 0 when the command may run. The right is tested
// first, then the window's state.
UINT ServerAssignRefusal(int hasRight, int touring, int emapShown); // 319, 242, 243
UINT TourStartRefusal(int tourPageCount);                           // 244 (none), 245 (only one)
UINT TourSettingsRefusal(int hasRight, int touring);                // 319, 247

// The kinds of server tree items, told by their image index.
enum TreeItemKind { TREE_ROOT = 0, TREE_GROUP = 1, TREE_SERVER = 2, TREE_CAMERA = 3 };

// What a tree item's menu states depend on.
struct TreeMenuInput {
    int kind;       // TreeItemKind
    int hasServers; // root and group: a server lies below
    int rights[13]; // the current user's
    // camera items only
    int hasSession; // the camera's channel session exists
    int state;      // its state: 1 connected, 3 idle
    int attached;   // attached to a pane
    int previewWanted;
    int armed;
    int recording;       // any local recording reason on
    int serverRecording; // server recording on
    int jpegStream;      // a JPEG stream is open
};

// One item whose state a context menu sets: MF_ENABLED or MF_GRAYED.
struct MenuItemState {
    UINT id;
    UINT flags;
};

// The items a tree item's context menu changes from their resource state, in order; returns how
// many (at most max). Returns -1 when no menu is shown for the item.
int TreeMenuStates(const TreeMenuInput& input, MenuItemState* items, int max);
// The menu resource of a tree item kind (136 to 139), 0 for none.
UINT TreeMenuResource(int kind);
