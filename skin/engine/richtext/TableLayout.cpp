// Tables of the tooltip markup; see TableLayout.h.
#include "skin/engine/richtext/TableLayout.h"

#include <algorithm>

#include "skin/engine/richtext/MarkupLexer.h"
#include "skin/engine/richtext/RichTextLayout.h"
#include "skin/engine/richtext/StyleSheet.h"

namespace {

int64_t Sum(const std::vector<int32_t>& values, int from, int count)
{
    int64_t total = 0;
    for (int i = from; i < from + count && i < int(values.size()); ++i)
        if (i >= 0)
            total += values[size_t(i)];
    return total;
}

int BorderBand(const TextStyle& style)
{
    return style.borderStyle == kBorderDouble ? ClampInt(int64_t(style.borderWidth) * 3, 0, RichTextLimits::kMaxLength)
                                              : style.borderWidth;
}

// The width a cell's frame takes on each side: none, 1, or 3 for a double border.
int CellBorder(const TextStyle& s)
{
    return s.borderWidth != 0 ? (s.borderStyle == kBorderDouble ? 3 : 1) : 0;
}

void Deflate(RECT& r, int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    r.left = SaturateCoord(r.left + left);
    r.top = SaturateCoord(r.top + top);
    r.right = SaturateCoord(r.right - right);
    r.bottom = SaturateCoord(r.bottom - bottom);
}

} // namespace

void TableLayout::Clear()
{
    store_.clear();
    storeCells_ = 0;
}

void TableLayout::ReadSpans(std::string_view tag, CellShape& cell)
{
    MarkupLexer::ForEachTagAttribute(tag, [&](std::string_view name, std::string_view value) {
        if (name == "colspan")
            cell.colSpan =
                ClampInt(StyleSheet::ParseNumber(owner_.Device(), value, 1, false), 1, RichTextLimits::kMaxColumns);
        else if (name == "rowspan")
            cell.rowSpan = ClampInt(StyleSheet::ParseNumber(owner_.Device(), value, 1, false), 1, INT32_MAX);
    });
}

TableLayout::Shape TableLayout::ScanTable(std::string_view text)
{
    Shape shape;
    FoundTag table = MarkupLexer::FindTag(text, 0, {"table"}, false);
    if (!table)
        return shape;
    shape.tableTag = table.text;
    size_t pos = table.end;
    for (;;) {
        FoundTag tr = MarkupLexer::FindTag(text, pos, {"tr", "/table"}, true);
        if (!tr || tr.which == 1)
            break;
        RowShape row;
        row.tag = tr.text;
        pos = tr.end;
        for (;;) {
            FoundTag td = MarkupLexer::FindTag(text, pos, {"td", "/tr", "/table"}, true);
            if (!td || td.which == 2) {
                pos = td ? td.start : text.size();
                break;
            }
            if (td.which == 1) {
                row.closed = true;
                pos = td.end;
                break;
            }
            CellShape cell;
            cell.tag = td.text;
            ReadSpans(td.text, cell);
            pos = cell.contentBegin = td.end;
            // The cell runs to its "/td", nested tables included; without one, to the end of the table.
            for (;;) {
                FoundTag next = MarkupLexer::FindTag(text, pos, {"/td", "table"}, false);
                if (!next) {
                    // A cell left open takes the rest of the table; a "/tr" in there still closes its row.
                    row.closed = row.closed || MarkupLexer::FindTag(text, cell.contentBegin, {"/tr"}, true);
                    cell.contentEnd = pos = text.size();
                    break;
                }
                if (next.which == 1) {
                    pos = MarkupLexer::SkipTable(text, next.start);
                    continue;
                }
                cell.contentEnd = next.start;
                pos = next.end;
                break;
            }
            row.cells.push_back(cell);
        }
        shape.rows.push_back(std::move(row));
    }
    PlaceCells(shape);
    return shape;
}

void TableLayout::PlaceCells(Shape& shape) const
{
    // The grid is counted by placing the cells exactly as the layout draws them: positions covered by
    // the spans of earlier cells are skipped, and a row counts its columns only when it is closed.
    const int rows = int(std::min<size_t>(shape.rows.size(), RichTextLimits::kMaxTableCells));
    const int maxColumns =
        rows > 0 ? ClampInt(RichTextLimits::kMaxTableCells / rows, 1, RichTextLimits::kMaxColumns) : 0;
    std::vector<unsigned char> taken(size_t(rows) * maxColumns, 0);
    int columns = 0;
    for (int r = 0; r < int(shape.rows.size()); ++r) {
        RowShape& row = shape.rows[size_t(r)];
        int column = 0;
        for (CellShape& cell : row.cells) {
            cell.row = r;
            cell.column = -1;
            if (r >= rows)
                continue;
            while (column < maxColumns && taken[size_t(r) * maxColumns + column])
                ++column;
            if (column >= maxColumns)
                continue;
            cell.column = column;
            cell.colSpan = std::min(cell.colSpan, maxColumns - column);
            cell.rowSpan = std::min(cell.rowSpan, rows - r);
            for (int rr = r; rr < r + cell.rowSpan; ++rr)
                std::fill_n(taken.begin() + ptrdiff_t(size_t(rr) * maxColumns + column), cell.colSpan, 1);
            column += cell.colSpan;
        }
        if (row.closed && r < rows)
            columns = std::max(columns, column);
    }
    // Cells of rows that were never closed may reach past the counted columns: they are cut or dropped.
    for (RowShape& row : shape.rows)
        for (CellShape& cell : row.cells) {
            if (cell.column >= columns)
                cell.column = -1;
            else if (cell.column >= 0)
                cell.colSpan = std::min(cell.colSpan, columns - cell.column);
        }
    shape.columns = columns;
    shape.rowCount = columns > 0 ? rows : 0;
}

TableRecord* TableLayout::MakeRecord(const Shape& shape)
{
    store_.emplace_back();
    TableRecord& table = store_.back();
    const int64_t cells = int64_t(shape.columns) * shape.rowCount;
    // All the tables of one text share one budget of grid positions; a table past it has no grid.
    if (cells == 0 || storeCells_ + cells > RichTextLimits::kMaxStoreCells)
        return &table;
    storeCells_ += cells;
    table.columns = shape.columns;
    table.rows = shape.rowCount;
    table.cells.assign(size_t(cells), TableCell{1, 1, 0, 0, 0, 0});
    table.columnWidths.assign(size_t(shape.columns), 0);
    table.rowHeights.assign(size_t(shape.rowCount), 0);
    for (const RowShape& row : shape.rows)
        for (const CellShape& cell : row.cells) {
            if (cell.column < 0)
                continue;
            for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
                for (int c = cell.column; c < cell.column + cell.colSpan; ++c)
                    if (TableCell* covered = table.At(r, c); covered && (r != cell.row || c != cell.column))
                        *covered = TableCell{-1, -1, 0, 0, 0, 0};
        }
    return &table;
}

SIZE TableLayout::LayoutTable(std::string_view text, const RECT& rect, int depth)
{
    // Tables nested deeper than the limit are read as text, their tags being unknown there.
    if (depth > RichTextLimits::kMaxTableDepth)
        return owner_.LayoutBlock(text, rect);
    const bool measuring = owner_.Measuring();
    ++tableIndex_;
    Shape shape = ScanTable(text);
    TableRecord* table = nullptr;
    if (measuring) {
        table = MakeRecord(shape);
    } else {
        // Drawing replays the measured record; without one that fits this text there is nothing to draw.
        if (tableIndex_ < 0 || size_t(tableIndex_) >= store_.size())
            return SIZE{0, 0};
        table = &store_[size_t(tableIndex_)];
        if (table->columns != shape.columns || table->rows != shape.rowCount)
            return SIZE{0, 0};
    }
    if (table->columns == 0 || table->rows == 0)
        return SIZE{0, 0};

    TextStyle& style = owner_.Style();
    const bool tablePushed = owner_.PushStyle("table");
    owner_.ResetStyle();
    owner_.ApplyRule("table");
    ParseTableAttributes(shape.tableTag, style);
    owner_.SelectStyleFont();
    const int band = BorderBand(style);

    std::vector<int32_t> widths = table->columnWidths;
    RECT inner = rect;
    int64_t tableHeight = Sum(table->rowHeights, 0, table->rows) + 2 * int64_t(band);
    if (!measuring) {
        const int available = SaturateCoord(int64_t(rect.right) - rect.left);
        const int64_t content = Sum(widths, 0, table->columns);
        const int width = TableWidth(shape.tableTag, available, content, false);
        RECT box = {rect.left, rect.top, SaturateCoord(int64_t(rect.left) + width),
                    SaturateCoord(rect.top + tableHeight)};
        if (width < available) {
            int shift = style.textAlign == kAlignCenter ? (available - width) / 2
                                                        : (style.textAlign == kAlignRight ? available - width : 0);
            OffsetRect(&box, shift, 0);
        }
        if (style.fillEffect >= 0)
            owner_.Device().FillEffect(box, style.fillEffect, style.backColor, style.backMiddle, style.backEnd);
        else if (style.backImage[0])
            DrawBackgroundImage(box, style.backImage);
        owner_.Device().DrawFrame(box, style.borderLight, style.borderDark, style.borderStyle, style.borderWidth);
        inner = box;
        Deflate(inner, band, band, band, band);
        const int64_t extra = int64_t(inner.right) - inner.left - content;
        if (extra > 0) {
            for (int32_t& w : widths)
                w = SaturateCoord(w + extra / table->columns);
            widths[0] = SaturateCoord(widths[0] + extra % table->columns);
        }
    }

    for (const RowShape& row : shape.rows) {
        const bool rowPushed = owner_.PushStyle("tr");
        owner_.ApplyRule("tr");
        ParseTableAttributes(row.tag, style);
        for (const CellShape& cell : row.cells) {
            TableCell* grid = table->At(cell.row, cell.column);
            if (!grid)
                continue;
            const bool cellPushed = owner_.PushStyle("td");
            owner_.ApplyRule("td");
            ParseTableAttributes(cell.tag, style);
            // The cell's box is taken as its tag left it, before its content can change the style.
            const TextStyle box = style;
            const int border = CellBorder(box);
            RECT cellRect = rect;
            if (measuring) {
                grid->colSpan = cell.colSpan;
                grid->rowSpan = cell.rowSpan;
            } else {
                cellRect.left = SaturateCoord(inner.left + Sum(widths, 0, cell.column));
                cellRect.right = SaturateCoord(cellRect.left + Sum(widths, cell.column, cell.colSpan));
                cellRect.top = SaturateCoord(inner.top + Sum(table->rowHeights, 0, cell.row));
                cellRect.bottom = SaturateCoord(cellRect.top + Sum(table->rowHeights, cell.row, cell.rowSpan));
                Deflate(cellRect, box.paddingLeft, box.paddingTop, box.paddingRight, box.paddingBottom);
                if (box.fillEffect >= 0)
                    owner_.Device().FillEffect(cellRect, box.fillEffect, box.backColor, box.backMiddle, box.backEnd);
                owner_.Device().DrawFrame(cellRect, box.borderLight, box.borderDark, box.borderStyle, 1);
                Deflate(cellRect, border, border, border, border);
                Deflate(cellRect, box.marginLeft, box.marginTop, box.marginRight, box.marginBottom);
                const int64_t spare = int64_t(cellRect.bottom) - cellRect.top - grid->contentHeight;
                if (box.verticalAlign == kVAlignMiddle)
                    cellRect.top = SaturateCoord(cellRect.top + spare / 2);
                else if (box.verticalAlign == kVAlignBottom)
                    cellRect.top = SaturateCoord(int64_t(cellRect.bottom) - grid->contentHeight);
            }
            SIZE content = LayoutCellContent(text, cell, cellRect, depth);
            if (measuring) {
                grid->contentWidth = content.cx;
                grid->contentHeight = content.cy;
                grid->fullWidth = SaturateCoord(int64_t(content.cx) + box.paddingLeft + box.paddingRight +
                                                box.marginLeft + box.marginRight + 2 * border);
                grid->fullHeight = SaturateCoord(int64_t(content.cy) + box.paddingTop + box.paddingBottom +
                                                 box.marginTop + box.marginBottom + 2 * border);
            }
            if (cellPushed)
                owner_.PopStyle("td");
            owner_.SelectStyleFont();
        }
        if (rowPushed)
            owner_.PopStyle("tr");
    }

    SIZE result;
    if (measuring) {
        ShareOut(*table, true);
        ShareOut(*table, false);
        const int64_t content = Sum(table->columnWidths, 0, table->columns) + 2 * int64_t(band);
        result.cx = TableWidth(shape.tableTag, SaturateCoord(int64_t(rect.right) - rect.left), content, true);
        result.cy = SaturateCoord(Sum(table->rowHeights, 0, table->rows) + 2 * int64_t(band));
    } else {
        result.cx = SaturateCoord(int64_t(rect.right) - rect.left);
        result.cy = SaturateCoord(tableHeight);
    }
    if (tablePushed)
        owner_.PopStyle("table");
    owner_.SelectStyleFont();
    return result;
}

SIZE TableLayout::LayoutCellContent(std::string_view text, const CellShape& cell, RECT rect, int depth)
{
    const bool measuring = owner_.Measuring();
    const std::string_view content = text.substr(0, std::min(cell.contentEnd, text.size()));
    int64_t width = 0, height = 0;
    auto account = [&](SIZE size) {
        width = std::max<int64_t>(width, size.cx);
        height += size.cy;
        if (!measuring)
            rect.top = SaturateCoord(int64_t(rect.top) + size.cy);
    };
    size_t pos = cell.contentBegin;
    while (pos < content.size()) {
        FoundTag nested = MarkupLexer::FindTag(content, pos, {"table"}, false);
        size_t blockEnd = nested ? nested.start : content.size();
        if (blockEnd > pos)
            account(owner_.LayoutBlock(content.substr(pos, blockEnd - pos), rect));
        if (!nested)
            break;
        size_t nestedEnd = MarkupLexer::SkipTable(content, nested.start);
        account(LayoutTable(content.substr(nested.start, nestedEnd - nested.start), rect, depth + 1));
        pos = nestedEnd;
    }
    return SIZE{SaturateCoord(width), SaturateCoord(height)};
}

void TableLayout::ShareOut(TableRecord& table, bool columns)
{
    struct Spanned {
        int span, first;
        int64_t size;
    };
    std::vector<Spanned> cells;
    for (int r = 0; r < table.rows; ++r)
        for (int c = 0; c < table.columns; ++c) {
            const TableCell* cell = table.At(r, c);
            int span = columns ? cell->colSpan : cell->rowSpan;
            if (span >= 1)
                cells.push_back({span, columns ? c : r, columns ? cell->fullWidth : cell->fullHeight});
        }
    // Narrow spans first, each in grid order, as the widths of wider spans build on them.
    std::stable_sort(cells.begin(), cells.end(), [](const Spanned& a, const Spanned& b) { return a.span < b.span; });
    std::vector<int32_t>& sizes = columns ? table.columnWidths : table.rowHeights;
    for (const Spanned& s : cells) {
        const int last = std::min<int>(s.first + s.span, int(sizes.size()));
        const int span = last - s.first;
        if (span <= 0)
            continue;
        if (span == 1) {
            sizes[size_t(s.first)] = std::max<int32_t>(sizes[size_t(s.first)], SaturateCoord(s.size));
            continue;
        }
        int64_t sum = Sum(sizes, s.first, span);
        if (sum >= s.size)
            continue;
        const int64_t missing = s.size - sum;
        for (int i = s.first; i < last; ++i)
            sizes[size_t(i)] = SaturateCoord(sizes[size_t(i)] + missing / span);
        // Columns give the odd pixels to the last spanned column, rows to the first spanned row.
        const size_t odd = size_t(columns ? last - 1 : s.first);
        sizes[odd] = SaturateCoord(sizes[odd] + missing % span);
    }
}

void TableLayout::ParseTableAttributes(std::string_view tag, TextStyle& style)
{
    const StyleSheet& sheet = owner_.Sheet();
    RichTextDevice& device = owner_.Device();
    MarkupLexer::ForEachTagAttribute(tag, [&](std::string_view name, std::string_view value) {
        if (name == "border") {
            style.borderWidth = StyleSheet::ParseLength(device, value, style.borderWidth, false);
            if (style.borderWidth == 0)
                style.borderStyle = kBorderNone;
            else if (style.borderStyle == kBorderNone)
                style.borderStyle = kBorderSolid;
        } else if (name == "borderstyle") {
            style.borderStyle = StyleSheet::ParseBorderStyle(value, style.borderStyle);
        } else if (name == "bordercolor") {
            style.borderLight = style.borderDark = sheet.ParseColor(value, style.borderLight);
        } else if (name == "bordercolorlight") {
            style.borderLight = sheet.ParseColor(value, style.borderLight);
        } else if (name == "bordercolordark") {
            style.borderDark = sheet.ParseColor(value, style.borderDark);
        } else if (name == "bgcolor") {
            style.backColor = sheet.ParseColor(value, style.backColor);
            if (style.fillEffect == -1)
                style.fillEffect = 0;
        } else if (name == "bgmidcolor") {
            style.backMiddle = sheet.ParseColor(value, style.backMiddle);
        } else if (name == "bgendcolor") {
            style.backEnd = sheet.ParseColor(value, style.backEnd);
        } else if (name == "bgeffect") {
            static const char* const kEffects[] = {"transparent", "solid",      "hgradient",  "vgradient",
                                                   "hcgradient",  "vcgradient", "3hgradient", "3vgradient"};
            bool named = false;
            for (int i = 0; i < 8; ++i)
                if (value == kEffects[i]) {
                    style.fillEffect = i - 1;
                    named = true;
                }
            if (!named && !value.empty())
                style.fillEffect =
                    StyleSheet::ParseLength(device, value, style.fillEffect < 0 ? 0 : style.fillEffect, false);
        } else if (name == "align") {
            style.textAlign = StyleSheet::ParseTextAlign(value, style.textAlign);
        } else if (name == "valign") {
            style.verticalAlign = StyleSheet::ParseVerticalAlign(value, style.verticalAlign);
        } else if (name == "cellpadding") {
            int margin = StyleSheet::ParseLength(device, value, style.marginLeft, false);
            style.marginLeft = style.marginRight = style.marginTop = style.marginBottom = margin;
        } else if (name == "cellspacing") {
            int padding = StyleSheet::ParseLength(device, value, style.paddingLeft, false);
            style.paddingLeft = style.paddingRight = style.paddingTop = style.paddingBottom = padding;
        } else if (name == "background") {
            MarkupLexer::CopyBounded(style.backImage, value);
        }
    });
}

int TableLayout::TableWidth(std::string_view tableTag, int available, int64_t content, bool measuring)
{
    int64_t width = measuring ? content : available;
    bool decided = false; // the first "width" attribute decides
    MarkupLexer::ForEachTagAttribute(tableTag, [&](std::string_view name, std::string_view value) {
        if (decided || !MarkupLexer::EqualsNoCase(name, "width"))
            return;
        decided = true;
        if (!value.empty() && value.back() == '%') {
            const int64_t p = MarkupLexer::ReadDecimal(value.substr(0, value.size() - 1));
            if (measuring)
                width = p <= 0 ? content : (p <= 100 ? MulDiv64(content, 100, p) : MulDiv64(content, p, 100));
            else
                width = p < 100 ? MulDiv64(available, p, 100) : available;
        } else {
            width = StyleSheet::ParseNumber(owner_.Device(), value, content, false);
        }
    });
    return SaturateCoord(std::max(width, content));
}

void TableLayout::DrawBackgroundImage(const RECT& rect, std::string_view reference)
{
    if (reference.size() <= 5)
        return;
    size_t colon = reference.find(':');
    if (colon == std::string_view::npos)
        return;
    std::string_view name = reference.substr(0, colon);
    size_t pos = colon;
    std::string_view value = MarkupLexer::AttributeValue(reference, pos, ':', ';');
    ImageSource source;
    source.module = owner_.Settings().instance;
    if (name == "idres") {
        int64_t id = MarkupLexer::ReadCNumber(value);
        if (id < 1 || id > 65535)
            return;
        source.resourceId = int(id);
    } else if (name == "file") {
        if (value.empty())
            return;
        source.file = std::string(value);
    } else {
        return;
    }
    DeviceImage image = owner_.Device().LoadBitmapImage(source);
    if (!image)
        return;
    owner_.Device().TileImage(image, rect);
    owner_.Device().FreeImage(image);
}
