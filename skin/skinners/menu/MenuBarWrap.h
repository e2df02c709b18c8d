// The one wrapping rule of the skinned menu bar, used both to measure the bar (and so the client area)
// and to lay its items out, so that the last row is never drawn over the client. Free of window calls.
#pragma once
#include <windows.h>

#include <vector>

struct MenuBarWrap {
    std::vector<RECT> items; // one per item, in the bar's coordinates
    int rows;                // 0 without items
    int height;              // rows x (item height + 2), without the background margins
};

// Lays items of the given widths into the area (the bar less its background margins): the first row
// starts `indent` pixels in, every row after at the area's left edge; an item that would pass the right
// edge starts a new row unless it is the first of its row (it then overhangs, never leaving a row
// empty). With MDI buttons, a last row that leaves less than `mdiReserve` pixels for them counts one more.
MenuBarWrap WrapMenuBar(const RECT& area, int indent, const std::vector<int>& widths, int itemHeight, int mdiReserve);
