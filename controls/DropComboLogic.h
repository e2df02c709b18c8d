// Arithmetic of the drop-down combo box, free of windows so that it is tested on its own:
// where the drop window opens and how large, how far the grip may drag it, page and wheel
// moves, and the text matching of auto-append and auto-suggest.
#pragma once

#include <string>
#include <vector>

namespace DropCombo {

struct Span {
    int pos;
    int size;
};

// Vertical placement of the drop window. comboTop/comboBottom are the combo box's screen edges.
struct DropHeightInput {
    int rowHeight;
    int itemCount;
    int comboTop;
    int comboBottom;
    int screenHeight;
    int maxVisibleItems; // -1 = no limit
    int minItemsBelow;
    int arrowHeight; // height of a vertical scroll bar's arrow
};
Span DropVertical(const DropHeightInput& in);

// Horizontal placement: the widest item text (already widened where the flags say so).
struct DropWidthInput {
    int widestText;
    int scrollWidth;
    int createX;
    int createWidth; // the combo box's width, as the drop window is created with it
    int comboWidth;
    int screenWidth;
};
Span DropHorizontal(const DropWidthInput& in);

// Size the grip gives while dragging, (x, y) the cursor in client coordinates.
struct GripInput {
    int x, y;
    int dragDx, dragDy;
    int comboWidth;
    int maxWidth, maxHeight;
    int scrollWidth, arrowHeight;
};
struct Size2 {
    int cx, cy;
};
Size2 GripSize(const GripInput& in);

// Page moves in the open drop list; -1 = no change.
int ListPageDown(int selected, int top, int visible, int count);
int ListPageUp(int selected, int top, int visible);

// Page moves with the drop-down closed, over curSel: the new index (equal to curSel when nothing moves).
int ClosedPageDown(int curSel, int count);
int ClosedPageUp(int curSel, int count);

// Next item from `from` in direction step (+1/-1) that is not disabled; -1 when none.
int NextEnabled(const std::vector<bool>& disabled, int from, int step);

// The row the drop list lands on when asked for `row` coming from `current`, stepping over disabled
// rows in the direction of the move; the row as asked when the steps run out.
int SkipDisabledRow(const std::vector<bool>& disabled, int current, int row);

// Mouse wheel: accumulates delta, reports -1 (a notch up: previous item), +1 (down: next) or 0.
int WheelStep(int& accumulated, int delta);

// The drop list's new top row after a wheel step while open.
int WheelTopRow(int top, int step, int rowCount);

// First item from start (0 when -1) equal to text byte for byte; -1 when none or start beyond count.
int FindStringExact(const std::vector<std::string>& items, int start, const std::string& text);

// Auto-append: the first item beginning with typed, -1 when none or typed is empty.
int AppendMatch(const std::vector<std::string>& items, const std::string& typed);

// Auto-suggest: the items beginning with typed but not equal to it, in order.
std::vector<int> SuggestMatches(const std::vector<std::string>& items, const std::string& typed);

} // namespace DropCombo
