// Tables of the tooltip markup: the grid found in a table's text, its measuring into the table store, and
// its drawing from the store. Cells hold text blocks and nested tables, laid out by RichTextLayout.
#pragma once
#include <windows.h>

#include <deque>
#include <string_view>
#include <vector>

#include "skin/engine/richtext/RichTextRecords.h"

class RichTextLayout;

// One table of the store: its grid, column widths and row heights, as the measuring pass left them.
struct TableRecord {
    int columns = 0;
    int rows = 0;
    std::vector<TableCell> cells;
    std::vector<int32_t> columnWidths;
    std::vector<int32_t> rowHeights;

    // Every grid access goes through here: outside the grid there is no cell.
    TableCell* At(int row, int column)
    {
        if (row < 0 || column < 0 || row >= rows || column >= columns)
            return nullptr;
        return &cells[size_t(row) * columns + column];
    }
};

class TableLayout {
public:
    struct CellShape {
        std::string_view tag; // the td tag's text
        size_t contentBegin = 0, contentEnd = 0;
        int row = 0;
        int column = -1; // -1: outside the grid, dropped with its text
        int colSpan = 1, rowSpan = 1;
    };
    struct RowShape {
        std::string_view tag;
        bool closed = false; // ended by its "/tr"
        std::vector<CellShape> cells;
    };
    // Rows and cells found in a table's text, placed on the grid the same way for measuring and drawing.
    struct Shape {
        std::string_view tableTag;
        std::vector<RowShape> rows;
        int columns = 0;
        int rowCount = 0;
    };

    explicit TableLayout(RichTextLayout& owner) : owner_(owner) {}

    void Clear();
    void BeginPass() { tableIndex_ = -1; }
    // tableText runs from "<table" through its matching "/table"; depth 1 for a table of the text itself.
    SIZE LayoutTable(std::string_view tableText, const RECT& rect, int depth);
    // The grid of a table (what the table's cells need, spans clamped, placement as drawn).
    Shape ScanTable(std::string_view tableText);

    const std::deque<TableRecord>& Store() const { return store_; }

private:
    void PlaceCells(Shape& shape) const;
    void ReadSpans(std::string_view tag, CellShape& cell);
    void ParseTableAttributes(std::string_view tag, TextStyle& style);
    int TableWidth(std::string_view tableTag, int available, int64_t content, bool measuring);
    void DrawBackgroundImage(const RECT& rect, std::string_view reference);
    TableRecord* MakeRecord(const Shape& shape);
    SIZE LayoutCellContent(std::string_view text, const CellShape& cell, RECT rect, int depth);
    static void ShareOut(TableRecord& table, bool columns);

    RichTextLayout& owner_;
    std::deque<TableRecord> store_; // a deque keeps records in place while nested tables add theirs
    int64_t storeCells_ = 0;
    int tableIndex_ = -1;
};
