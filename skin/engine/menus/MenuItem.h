// MenuItem: one entry of a menu as the skinned popup menu reads it once: text, command, mnemonic, state
// and, for an entry that opens a submenu, the items of the submenu.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

class MenuItemList;

class MenuItem {
public:
    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // Neither MF_GRAYED nor MF_DISABLED.
    bool IsUsable() const;

    int highlighted;  // set by the popup window for its active item
    std::string text; // as the menu holds it, "&" marks included
    int id;           // -1 for an entry that opens a submenu
    int mnemonic;     // upper-cased, 0 when none
    UINT state;       // MF_ bits as GetMenuState gives them
    std::unique_ptr<MenuItemList> submenu;
    HMENU menu; // the menu the entry was read from
};

// The character after the first single "&" ("&&" stands for a literal ampersand), upper-cased (a to z
// only); 0 when there is none.
int GetMnemonicChar(const char* text);
