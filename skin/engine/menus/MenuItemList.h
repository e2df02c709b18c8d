// MenuItemList: the items of a menu in menu order, read once into a tree of their own (each entry that
// opens a submenu carries that submenu's list).
#pragma once
#include <windows.h>

#include <list>
#include <memory>

#include "skin/engine/menus/MenuItem.h"

class MenuItemList {
public:
    // Menus nested deeper than this (a menu that holds itself, directly or not) are read no further.
    static const int kMaxDepth = 16;

    MenuItemList() = default;
    MenuItemList(const MenuItemList&) = delete;
    MenuItemList& operator=(const MenuItemList&) = delete;

    // Reads every item of the menu, submenus depth first; an invalid or empty menu gives an empty list.
    void Build(HMENU menu);

    const std::list<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    MenuItem* At(size_t index) const;

private:
    void Build(HMENU menu, int depth);

    std::list<std::unique_ptr<MenuItem>> items_;
};
