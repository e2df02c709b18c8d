#include "controls/GridCellLogic.h"

#include <commctrl.h>

namespace GridCell {

int NextCheckState(int state)
{
    return state == 0 ? 1 : 0;
}

RECT CheckBoxRect(const RECT& cell, bool textEmpty)
{
    int side = (cell.bottom - cell.top) - 1;
    int left = cell.left + 9;
    if (textEmpty)
        left = cell.left + (cell.right - cell.left) / 2 - side / 2 - 1;
    RECT box = {left, cell.top, left + side, cell.top + side};
    return box;
}

void DrawColors(const CellState& state, COLORREF cellText, COLORREF cellBack, const SystemColors& colors,
                COLORREF* text, COLORREF* back)
{
    *text = cellText;
    *back = cellBack;
    if (!state.selected || !(state.fullRowSelect || state.column == 0))
        return;
    if (state.focused) {
        *text = colors.highlightText;
        *back = colors.highlight;
    } else if (state.showSelAlways) {
        *text = colors.windowText;
        *back = colors.buttonFace;
    }
}

UINT Alignment(int format)
{
    if ((format & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
        return DT_CENTER;
    if (format & LVCFMT_RIGHT)
        return DT_RIGHT;
    return DT_LEFT;
}

int ScrollToCell(int x, int clientWidth)
{
    return (x < 0 || x > clientWidth) ? x : 0;
}

RECT EditBoxRect(int cellLeft, int columnWidth, int rowTop, int rowBottom, int clientRight)
{
    RECT rect;
    rect.left = cellLeft + 2;
    rect.right = rect.left + columnWidth - 4;
    if (rect.right > clientRight)
        rect.right = clientRight;
    rect.top = rowTop + 1;
    rect.bottom = rowBottom;
    return rect;
}

} // namespace GridCell
