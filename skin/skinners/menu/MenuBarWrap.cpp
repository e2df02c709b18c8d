// Menu-bar wrapping: one rule for the height and for the item rectangles.
#include "skin/skinners/menu/MenuBarWrap.h"

MenuBarWrap WrapMenuBar(const RECT& area, int indent, const std::vector<int>& widths, int itemHeight, int mdiReserve)
{
    MenuBarWrap wrap;
    wrap.rows = 0;
    wrap.height = 0;
    if (widths.empty())
        return wrap;
    const int rowHeight = (itemHeight > 0 ? itemHeight : 0) + 2;
    int x = area.left + indent;
    bool rowEmpty = true;
    wrap.rows = 1;
    for (int width : widths) {
        const int w = width > 0 ? width : 0;
        if (!rowEmpty && x + w > area.right) {
            ++wrap.rows;
            x = area.left;
            rowEmpty = true;
        }
        const int top = area.top + (wrap.rows - 1) * rowHeight;
        wrap.items.push_back(RECT{x, top, x + w, top + itemHeight});
        x += w;
        rowEmpty = false;
    }
    if (mdiReserve > 0 && x + mdiReserve > area.right)
        ++wrap.rows;
    wrap.height = wrap.rows * rowHeight;
    return wrap;
}
