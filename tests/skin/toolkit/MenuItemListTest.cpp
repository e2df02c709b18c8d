// The menu item list read from menus built here (texts, states, mnemonics, separators, submenus, a menu
// that holds itself), the mnemonic rule, item texts, deep copies and the skinned system menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "skin/engine/menus/MenuItemList.h"
#include "skin/engine/menus/MenuTools.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"

TEST(MenuItemList, MnemonicRule)
{
    struct Case {
        const char* text;
        int mnemonic;
    } cases[] = {
        {"&file", 'F'},    {"Save &As", 'A'}, {"Fish && Chips", 0}, {"A && B &copy", 'C'},
        {"Trailing &", 0}, {"&&&x", 'X'},     {"&1 first", '1'},    {"no mark", 0},
        {"", 0},           {"&&", 0},         {"打开(&O)", 'O'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.mnemonic, GetMnemonicChar(c.text)) << c.text;
    EXPECT_EQ(0, GetMnemonicChar(nullptr));
}

TEST(MenuItemList, ItemsOfABuiltMenu)
{
    HMENU deepest = CreatePopupMenu();
    AppendMenuA(deepest, MF_STRING, 301, "&Deep");
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING | MF_CHECKED, 201, "&Checked\tCtrl+K");
    AppendMenuA(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(deepest), "&More");
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "&Open");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 102, "&Print");
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Sub");
    AppendMenuA(menu, MF_STRING | MF_DISABLED, 103, "E&xit");

    MenuItemList list;
    list.Build(menu);
    ASSERT_EQ(5u, list.Count());
    const MenuItem* open = list.At(0);
    EXPECT_EQ("&Open", open->text);
    EXPECT_EQ(101, open->id);
    EXPECT_EQ('O', open->mnemonic);
    EXPECT_TRUE(open->IsUsable());
    EXPECT_EQ(menu, open->menu);
    EXPECT_EQ(nullptr, open->submenu);
    EXPECT_FALSE(list.At(1)->IsUsable());
    EXPECT_TRUE(list.At(1)->state & MF_GRAYED);
    EXPECT_TRUE(list.At(2)->state & MF_SEPARATOR);
    EXPECT_EQ("", list.At(2)->text);
    EXPECT_FALSE(list.At(4)->IsUsable());
    EXPECT_EQ('X', list.At(4)->mnemonic);

    const MenuItem* subItem = list.At(3);
    EXPECT_EQ(-1, subItem->id);
    EXPECT_TRUE(subItem->state & MF_POPUP);
    ASSERT_NE(nullptr, subItem->submenu);
    ASSERT_EQ(2u, subItem->submenu->Count());
    EXPECT_EQ("&Checked\tCtrl+K", subItem->submenu->At(0)->text);
    EXPECT_TRUE(subItem->submenu->At(0)->state & MF_CHECKED);
    const MenuItem* more = subItem->submenu->At(1);
    ASSERT_NE(nullptr, more->submenu);
    EXPECT_EQ(sub, more->menu);
    ASSERT_EQ(1u, more->submenu->Count());
    EXPECT_EQ(301, more->submenu->At(0)->id);
    EXPECT_EQ(nullptr, more->submenu->At(0)->submenu);

    // Building again replaces the items; an invalid or empty menu gives an empty list.
    list.Build(menu);
    EXPECT_EQ(5u, list.Count());
    HMENU empty = CreatePopupMenu();
    list.Build(empty);
    EXPECT_TRUE(list.Empty());
    list.Build(NULL);
    EXPECT_TRUE(list.Empty());
    DestroyMenu(empty);
    DestroyMenu(menu);
}

namespace {

int Depth(const MenuItemList& list)
{
    int deepest = 0;
    for (const auto& item : list.Items())
        if (item->submenu)
            deepest = std::max(deepest, 1 + Depth(*item->submenu));
    return deepest;
}

} // namespace

TEST(MenuItemList, MenuThatHoldsItselfEnds)
{
    HMENU a = CreatePopupMenu();
    HMENU b = CreatePopupMenu();
    AppendMenuA(a, MF_STRING, 1, "&A");
    AppendMenuA(a, MF_POPUP, reinterpret_cast<UINT_PTR>(b), "&B");
    const bool linked = AppendMenuA(b, MF_POPUP, reinterpret_cast<UINT_PTR>(a), "&Back to A") != FALSE;
    MenuItemList list;
    list.Build(a);
    EXPECT_EQ(2u, list.Count());
    if (linked) {
        EXPECT_EQ(MenuItemList::kMaxDepth - 1, Depth(list));
    }
    HMENU copy = CreatePopupMenu();
    CopyMenu(a, copy); // ends as well
    EXPECT_EQ(2, GetMenuItemCount(copy));
    // The two menus hold each other; take the link out before destroying them.
    RemoveMenu(b, 0, MF_BYPOSITION);
    DestroyMenu(copy);
    DestroyMenu(a);
}

TEST(MenuTools, ItemTextsAndCopies)
{
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING | MF_CHECKED, 21, "&Inner");
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 11, "&First");
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(menu, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(sub), "&Sub");
    const std::string longText(600, 'x');
    AppendMenuA(menu, MF_STRING, 12, longText.c_str());

    EXPECT_STREQ("&First", GetMenuItemText(menu, 11, FALSE));
    EXPECT_STREQ("&Sub", GetMenuItemText(menu, 2, TRUE));
    EXPECT_STREQ("", GetMenuItemText(menu, 1, TRUE));
    EXPECT_STREQ("", GetMenuItemText(menu, 99, FALSE));
    EXPECT_EQ(399u, std::strlen(GetMenuItemText(menu, 12, FALSE)));

    HMENU copy = CreatePopupMenu();
    CopyMenu(menu, copy);
    ASSERT_EQ(4, GetMenuItemCount(copy));
    EXPECT_EQ(11u, GetMenuItemID(copy, 0));
    EXPECT_TRUE(GetMenuState(copy, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(copy, 2, MF_BYPOSITION) & MF_GRAYED);
    HMENU copiedSub = GetSubMenu(copy, 2);
    ASSERT_NE(nullptr, copiedSub);
    EXPECT_NE(sub, copiedSub);
    EXPECT_STREQ("&Inner", GetMenuItemText(copiedSub, 0, TRUE));
    EXPECT_TRUE(GetMenuState(copiedSub, 0, MF_BYPOSITION) & MF_CHECKED);
    DestroyMenu(copy);
    DestroyMenu(menu);
}

TEST(MenuTools, SystemMenuTrackedWithTheWindowsState)
{
    RecordingServices services;
    HWND frame = MakeFrame();
    UINT restore = 0, move = 0, maximize = 0;
    Log().trackAnswer = SC_CLOSE;
    Log().onTrack = [&](const SkinnerLog::Track& track) {
        restore = GetMenuState(track.menu, SC_RESTORE, MF_BYCOMMAND);
        move = GetMenuState(track.menu, SC_MOVE, MF_BYCOMMAND);
        maximize = GetMenuState(track.menu, SC_MAXIMIZE, MF_BYCOMMAND);
    };
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(SC_CLOSE, ShowSystemMenu(frame));
    ASSERT_EQ(1u, Log().tracks.size());
    const SkinnerLog::Track& track = Log().tracks[0];
    EXPECT_TRUE(track.systemMenu);
    EXPECT_EQ(frame, track.owner);
    EXPECT_EQ(cursor.x + 2, track.x);
    EXPECT_NE(GetSystemMenu(frame, FALSE), track.menu); // a copy, destroyed afterwards
    EXPECT_FALSE(IsMenu(track.menu));
    EXPECT_TRUE(restore & MF_DISABLED);
    EXPECT_FALSE(move & MF_DISABLED);
    EXPECT_FALSE(maximize & MF_DISABLED);
    Log().onTrack = nullptr;
    DestroyWindow(frame);
}
