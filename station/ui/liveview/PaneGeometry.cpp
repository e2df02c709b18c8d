#include "station/ui/liveview/PaneGeometry.h"

namespace {

// A position of a split mode on a grid of `cells` x `cells`: its first column and row and how
// many cells it spans. The last column and row take the remainder pixels.
struct GridCell {
    int column;
    int row;
    int span;
};

const GridCell grid6[6] = {{0, 0, 2}, {2, 0, 1}, {2, 1, 1}, {0, 2, 1}, {1, 2, 1}, {2, 2, 1}};
const GridCell grid8[8] = {{0, 0, 3}, {3, 0, 1}, {3, 1, 1}, {3, 2, 1}, {0, 3, 1}, {1, 3, 1}, {2, 3, 1}, {3, 3, 1}};

// Start and extent of cells first..first+span-1 of `cells` along a length.
void CellExtent(int first, int span, int cells, int length, int* start, int* extent)
{
    int cell = length / cells;
    *start = first * cell;
    int end = first + span >= cells ? length : (first + span) * cell;
    *extent = end - *start;
}

RECT GridRect(const GridCell& c, int cells, int width, int height)
{
    int x, w, y, h;
    CellExtent(c.column, c.span, cells, width, &x, &w);
    CellExtent(c.row, c.span, cells, height, &y, &h);
    RECT r = {x, y, x + w, y + h};
    return r;
}

// Group 1 of the 6-split and of the 9-split wrap round to the first panes.
const int group6Wrap[6] = {12, 13, 14, 15, 0, 1};
const int group9Second[9] = {0, 1, 9, 10, 11, 12, 13, 14, 15};

} // namespace

int IsValidSplitMode(int mode)
{
    return mode == 1 || mode == 4 || mode == 6 || mode == 8 || mode == 9 || mode == 16;
}

int NormaliseSplitMode(int mode)
{
    return IsValidSplitMode(mode) ? mode : 16;
}

int SplitPositionCount(int mode)
{
    return NormaliseSplitMode(mode);
}

RECT SplitPositionRect(int mode, int position, int width, int height)
{
    mode = NormaliseSplitMode(mode);
    RECT empty = {0, 0, 0, 0};
    if (position < 0 || position >= mode)
        return empty;
    switch (mode) {
    case 1: {
        RECT whole = {0, 0, width, height};
        return whole;
    }
    case 6:
        return GridRect(grid6[position], 3, width, height);
    case 8:
        return GridRect(grid8[position], 4, width, height);
    default: {
        int cells = mode == 4 ? 2 : mode == 9 ? 3 : 4;
        GridCell c = {position % cells, position / cells, 1};
        return GridRect(c, cells, width, height);
    }
    }
}

int SplitGroupOf(int mode, int selectedPane)
{
    mode = NormaliseSplitMode(mode);
    if (selectedPane < 0 || selectedPane >= PANE_COUNT || mode == 1 || mode == 16)
        return 0;
    return selectedPane / mode;
}

int SplitGroupPanes(int mode, int group, int selectedPane, int* panes)
{
    mode = NormaliseSplitMode(mode);
    if (mode == 1) {
        panes[0] = selectedPane >= 0 && selectedPane < PANE_COUNT ? selectedPane : 0;
        return 1;
    }
    for (int k = 0; k < mode; ++k) {
        if (mode == 6 && group == 2)
            panes[k] = group6Wrap[k];
        else if (mode == 9 && group == 1)
            panes[k] = group9Second[k];
        else
            panes[k] = (mode * group + k) % PANE_COUNT;
    }
    return mode;
}

int ScaleToScreen(int n, int screen, int design)
{
    long long product = (long long)n * screen;
    int scaled = (int)(product / design);
    return product % design > design / 2 ? scaled + 1 : scaled;
}
