// MenuItemList: reading a menu into items, recursing into submenus to a fixed depth.
#include "skin/engine/menus/MenuItemList.h"

#include "skin/engine/menus/MenuTools.h"

void MenuItemList::Build(HMENU menu)
{
    items_.clear();
    Build(menu, 0);
}

void MenuItemList::Build(HMENU menu, int depth)
{
    const int count = menu ? GetMenuItemCount(menu) : -1;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<MenuItem> item(new MenuItem);
        item->id = static_cast<int>(GetMenuItemID(menu, i));
        item->text = GetMenuItemText(menu, i, TRUE);
        item->mnemonic = GetMnemonicChar(item->text.c_str());
        item->state = GetMenuState(menu, i, MF_BYPOSITION);
        item->menu = menu;
        HMENU sub = GetSubMenu(menu, i);
        if (sub) {
            item->submenu.reset(new MenuItemList);
            if (depth + 1 < kMaxDepth)
                item->submenu->Build(sub, depth + 1);
        }
        items_.push_back(std::move(item));
    }
}

MenuItem* MenuItemList::At(size_t index) const
{
    for (const auto& item : items_)
        if (index-- == 0)
            return item.get();
    return NULL;
}
