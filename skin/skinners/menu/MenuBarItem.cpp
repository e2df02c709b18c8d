// MenuBarItem: the item's menu facts and its drawing.
#include "skin/skinners/menu/MenuBarItem.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/menus/MenuItem.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"

MenuBarItem::MenuBarItem(SkinnedWindow* owner, HMENU menu, int position, const char* text)
    : FrameElement(RECT{0, 0, 0, 0}, owner), text_(text ? text : ""), id_(-1), position_(position), submenu_(NULL),
      menu_(menu), state_(StateNormal), mnemonic_(GetMnemonicChar(text_.c_str()))
{
    submenu_ = GetSubMenu(menu, position);
    id_ = submenu_ ? -1 : static_cast<int>(GetMenuItemID(menu, position));
}

const MenuBarSkinObject* MenuBarItem::Bar() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeMenuBar ? static_cast<const MenuBarSkinObject*>(skinObject_)
                                                                 : NULL;
}

BOOL MenuBarItem::IsItemEnabled() const
{
    const UINT state = GetMenuState(menu_, position_, MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void MenuBarItem::Paint(HDC dc)
{
    const MenuBarSkinObject* bar = Bar();
    const BOOL enabled = IsItemEnabled();
    COLORREF color = bar ? bar->ItemTextColor() : GetSysColor(COLOR_MENUTEXT);
    RECT margins = {0, 0, 0, 0};
    if (bar) {
        margins.left = bar->hotImage.margins.left > bar->pressedImage.margins.left ? bar->hotImage.margins.left
                                                                                   : bar->pressedImage.margins.left;
        margins.right = bar->hotImage.margins.right > bar->pressedImage.margins.right ? bar->hotImage.margins.right
                                                                                      : bar->pressedImage.margins.right;
    }
    if (!enabled) {
        color = bar ? bar->disabledTextColor : GetSysColor(COLOR_GRAYTEXT);
    } else if (state_ == StateHot) {
        if (bar && !IsSlicedImageEmpty(bar->hotImage))
            DrawFrameImage(dc, rect_, bar->hotImage, bar->color, TRUE);
        else
            FillRectColor(dc, rect_, GetSysColor(COLOR_HIGHLIGHT));
        color = bar ? bar->hotTextColor : GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (state_ == StateOpen) {
        if (bar && !IsSlicedImageEmpty(bar->pressedImage))
            DrawFrameImage(dc, rect_, bar->pressedImage, bar->color, TRUE);
        else
            FillRectColor(dc, rect_, GetSysColor(COLOR_HIGHLIGHT));
        color = bar ? bar->ItemPressedTextColor() : GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    RECT text = {rect_.left + margins.left, rect_.top, rect_.right - margins.right, rect_.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color & 0xFFFFFF);
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
