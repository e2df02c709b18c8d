#include "controls/GridCellRecords.h"

#include <cstdlib>
#include <new>

namespace {

GridRecords::AllocFunc s_alloc = nullptr;

} // namespace

namespace GridRecords {

GridRowRecords* Allocate(int count, COLORREF firstText, COLORREF firstBack)
{
    if (count < 0)
        return nullptr;
    size_t bytes = sizeof(GridRowRecords) + sizeof(GridCellRecord) * static_cast<size_t>(count);
    void* memory = s_alloc != nullptr ? s_alloc(bytes) : std::malloc(bytes);
    if (memory == nullptr)
        return nullptr;
    GridRowRecords* row = new (memory) GridRowRecords;
    row->count = count;
    for (int i = 0; i < count; ++i) {
        GridCellRecord& cell = row->Cells()[i];
        cell.editable = 0;
        cell.textColor = i == 0 ? firstText : ::GetSysColor(COLOR_WINDOWTEXT);
        cell.backColor = i == 0 ? firstBack : ::GetSysColor(COLOR_WINDOW);
        cell.check = -1;
        cell.comboItems = nullptr;
    }
    return row;
}

void Free(GridRowRecords* row)
{
    if (row == nullptr)
        return;
    for (int i = 0; i < row->count; ++i)
        delete row->Cells()[i].comboItems;
    std::free(row);
}

AllocFunc ReplaceAllocator(AllocFunc f)
{
    AllocFunc previous = s_alloc;
    s_alloc = f;
    return previous;
}

} // namespace GridRecords
