// The cell records of the extended list: one block per row, allocated when the row is inserted, a
// count followed by one record per column that existed then. The list view item's data points at it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GridCellRecord {
    int32_t editable;   // 1 = a click opens the in-cell edit box
    COLORREF textColor; // cell text
    COLORREF backColor; // cell background
    int32_t check;      // -1 no check box; 0 unchecked; 1 checked; anything else shows an empty box
    // A combo cell's item texts (a click opens the cell combo); null for every other cell. Owned.
    std::vector<std::string>* comboItems;
};

struct alignas(8) GridRowRecords {
    int32_t count;
    GridCellRecord* Cells() { return reinterpret_cast<GridCellRecord*>(this + 1); }
    // Null when column is not one of this row's records.
    GridCellRecord* Cell(int column) { return column >= 0 && column < count ? &Cells()[column] : nullptr; }
};

namespace GridRecords {

// A block of count records with their defaults; the first cell takes the colours given, the others
// the window-text and window colours. Null when the memory cannot be had.
GridRowRecords* Allocate(int count, COLORREF firstText, COLORREF firstBack);
void Free(GridRowRecords* row);

// Seam: the block allocator, which returns memory that free releases, or null (null puts malloc
// back); returns the one installed before.
typedef void* (*AllocFunc)(size_t bytes);
AllocFunc ReplaceAllocator(AllocFunc f);

} // namespace GridRecords
