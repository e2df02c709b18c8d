// MenuItem: the usable test and the mnemonic rule, which the menu bar shares.
#include "skin/engine/menus/MenuItem.h"

#include "skin/engine/menus/MenuItemList.h"

MenuItem::MenuItem() : highlighted(0), id(0), mnemonic(0), state(0), menu(NULL) {}

MenuItem::~MenuItem() = default;

bool MenuItem::IsUsable() const
{
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

int GetMnemonicChar(const char* text)
{
    if (!text)
        return 0;
    for (size_t i = 0; text[i]; ++i) {
        if (text[i] != '&')
            continue;
        const char next = text[i + 1];
        if (next == '&') {
            ++i; // a literal ampersand
            continue;
        }
        if (!next)
            return 0;
        return next >= 'a' && next <= 'z' ? next - 'a' + 'A' : static_cast<unsigned char>(next);
    }
    return 0;
}
