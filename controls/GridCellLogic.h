// The arithmetic of the extended list's cells, window-free: check-box geometry and tick, the colours
// a cell is drawn in, text alignment from a column format, and where the in-cell edit box goes.
#pragma once

#include <windows.h>

namespace GridCell {

// The state after a click: 1 from 0, 0 from anything else (2 and other odd states included).
int NextCheckState(int state);

// The check box of a cell: a square of side cell height - 1 at the cell's top, 9 pixels in from the
// left, or centred when the cell's text is empty.
RECT CheckBoxRect(const RECT& cell, bool textEmpty);

// The tick: seven vertical strokes of 3 pixels at x = box left + 3 + i, tops at box top + kTickTops[i].
const int kTickStrokes = 7;
const int kTickTops[kTickStrokes] = {5, 6, 7, 6, 5, 4, 3};
const int kTickLength = 3;

const COLORREF kBoxFrameColor = RGB(0x33, 0x66, 0x99);
const COLORREF kTickColor = RGB(0x33, 0x99, 0x33);

struct SystemColors {
    COLORREF highlight, highlightText, buttonFace, window, windowText;
};

struct CellState {
    bool selected;      // the row is selected
    bool fullRowSelect; // the list has full-row selection
    int column;
    bool focused;       // the list has the focus
    bool showSelAlways; // the list shows its selection without the focus
};

// The text and background colour a cell is drawn in.
void DrawColors(const CellState& state, COLORREF cellText, COLORREF cellBack, const SystemColors& colors,
                COLORREF* text, COLORREF* back);

// DT_CENTER, DT_RIGHT or DT_LEFT for a column or header format.
UINT Alignment(int format);

// How far the list scrolls so that a cell starting at x (client coordinates) can be edited: x itself
// when the cell starts left of the client area or right of it, else 0.
int ScrollToCell(int x, int clientWidth);

// The edit box over a cell: 2 pixels in from the cell's left, the column's width less 4 (ending at
// the client's right edge at most), from 1 below the row's top to its bottom.
RECT EditBoxRect(int cellLeft, int columnWidth, int rowTop, int rowBottom, int clientRight);

} // namespace GridCell
