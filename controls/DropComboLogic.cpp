#include "controls/DropComboLogic.h"

#include <algorithm>

namespace DropCombo {

namespace {

bool Unlimited(const DropHeightInput& in)
{
    return in.maxVisibleItems == -1 || in.itemCount < in.maxVisibleItems;
}

Span OpenUpwards(const DropHeightInput& in)
{
    int full = in.rowHeight * in.itemCount + 2;
    int top = Unlimited(in) ? in.comboTop - full : in.comboTop - in.rowHeight * in.maxVisibleItems - 2;
    top = std::max(0, top);
    return {top, in.comboTop - top};
}

Span OpenDownwards(const DropHeightInput& in)
{
    int room = in.screenHeight - in.comboBottom;
    if (Unlimited(in)) {
        int height = std::min(in.rowHeight * in.itemCount + 2, room);
        return {in.comboBottom, std::max(height, in.arrowHeight)};
    }
    int rows = in.rowHeight * in.maxVisibleItems;
    return {in.comboBottom, rows > room ? room + 2 : rows + 2};
}

bool Inside(int index, int count)
{
    return index >= 0 && index < count;
}

bool StartsWith(const std::string& text, const std::string& typed)
{
    return text.size() >= typed.size() && text.compare(0, typed.size(), typed) == 0;
}

} // namespace

Span DropVertical(const DropHeightInput& in)
{
    int rowHeight = std::max(1, in.rowHeight);
    if ((in.screenHeight - in.comboBottom) / rowHeight < in.minItemsBelow)
        return OpenUpwards(in);
    return OpenDownwards(in);
}

Span DropHorizontal(const DropWidthInput& in)
{
    int width = in.widestText + in.scrollWidth + 8;
    if (width < in.createWidth - in.scrollWidth)
        width = in.createWidth;
    width = std::max(width, in.comboWidth);
    int x = in.createX;
    if (x + width > in.screenWidth)
        x = in.screenWidth - width;
    if (width > in.screenWidth || x <= 0) {
        x = 0;
        width = std::min(width, in.screenWidth);
    }
    return {x, width};
}

Size2 GripSize(const GripInput& in)
{
    int cx = std::min(std::max(in.x + in.dragDx, in.comboWidth), in.maxWidth);
    int dy = in.y + in.dragDy;
    int cy = dy + 2;
    if (dy > in.maxHeight)
        cy = in.maxHeight;
    else if (dy < in.arrowHeight)
        cy = in.scrollWidth + 1;
    return {cx, cy};
}

int ListPageDown(int selected, int top, int visible, int count)
{
    if (count <= 0)
        return -1;
    if (selected < 0)
        return 0;
    if (selected >= count - 1)
        return -1;
    int lastVisible = std::min(top + visible - 1, count - 1);
    if (selected != lastVisible)
        return lastVisible;
    return std::min(top + 2 * visible - 2, count - 1);
}

int ListPageUp(int selected, int top, int visible)
{
    if (selected <= 0)
        return -1;
    if (selected != top)
        return top;
    return std::max(0, top + 1 - visible);
}

int ClosedPageDown(int curSel, int count)
{
    if (count <= 0)
        return curSel;
    int start = Inside(curSel, count) ? curSel : 0;
    return std::min(start + 10, count - 1);
}

int ClosedPageUp(int curSel, int count)
{
    if (count <= 0)
        return curSel;
    int start = Inside(curSel, count) ? curSel : 0;
    return std::max(start - 10, 0);
}

int NextEnabled(const std::vector<bool>& disabled, int from, int step)
{
    int count = static_cast<int>(disabled.size());
    // With no selection a forward walk starts before the first item; a backward one finds nothing,
    // so Up without a selection leaves it as it is.
    int index = from;
    if (!Inside(from, count)) {
        if (step < 0)
            return -1;
        index = -1;
    }
    for (index += step; Inside(index, count); index += step) {
        if (!disabled[index])
            return index;
    }
    return -1;
}

int SkipDisabledRow(const std::vector<bool>& disabled, int current, int row)
{
    int count = static_cast<int>(disabled.size());
    if (!Inside(row, count))
        return row;
    int step = row < current ? -1 : 1;
    for (int index = row; Inside(index, count); index += step) {
        if (!disabled[index])
            return index;
    }
    return row;
}

int WheelStep(int& accumulated, int delta)
{
    accumulated += delta;
    if (accumulated >= 120) {
        accumulated = 0;
        return -1;
    }
    if (accumulated <= -120) {
        accumulated = 0;
        return 1;
    }
    return 0;
}

int WheelTopRow(int top, int step, int rowCount)
{
    if (step < 0)
        return std::max(0, top - 3);
    if (step > 0)
        return std::min(rowCount, top + 3);
    return top;
}

int FindStringExact(const std::vector<std::string>& items, int start, const std::string& text)
{
    int count = static_cast<int>(items.size());
    int from = start == -1 ? 0 : start;
    if (from < 0 || from > count)
        return -1;
    for (int index = from; index < count; ++index) {
        if (items[index] == text)
            return index;
    }
    return -1;
}

int AppendMatch(const std::vector<std::string>& items, const std::string& typed)
{
    if (typed.empty())
        return -1;
    for (size_t index = 0; index < items.size(); ++index) {
        if (StartsWith(items[index], typed))
            return static_cast<int>(index);
    }
    return -1;
}

std::vector<int> SuggestMatches(const std::vector<std::string>& items, const std::string& typed)
{
    std::vector<int> matches;
    if (typed.empty())
        return matches;
    for (size_t index = 0; index < items.size(); ++index) {
        if (StartsWith(items[index], typed) && items[index] != typed)
            matches.push_back(static_cast<int>(index));
    }
    return matches;
}

} // namespace DropCombo
