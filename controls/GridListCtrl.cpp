#include "controls/GridListCtrl.h"

#include <algorithm>

#include "controls/GridCellCombo.h"
#include "controls/GridCellEdit.h"

namespace {

const UINT kEditId = 99;
const int kMinEditWidth = 5;
const int kComboRows = 8;
const char kEmptyText[] = "No items to show.";

// Editors that ended are deleted once their own handlers have returned: on this posted message.
const UINT WM_GRIDLIST_DELETE_EDITORS = ::RegisterWindowMessageA("CGridListCtrl::DeleteEditors");

} // namespace

IMPLEMENT_DYNAMIC(CGridListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CGridListCtrl, CListCtrl)
ON_WM_CREATE()
AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnClick)
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_KEYDOWN()
ON_WM_DESTROY()
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
ON_REGISTERED_MESSAGE(WM_GRIDEDIT_KILL_FOCUS, OnEditEnd)
ON_REGISTERED_MESSAGE(WM_GRIDEDIT_VK_ESCAPE, OnEditCancel)
ON_MESSAGE(LVM_DELETEITEM, OnDeleteRow)
ON_MESSAGE(LVM_DELETEALLITEMS, OnDeleteAllRows)
ON_REGISTERED_MESSAGE(WM_GRIDLIST_DELETE_EDITORS, OnDeleteRetired)
END_MESSAGE_MAP()

CGridListCtrl::CGridListCtrl()
{
    ReadColors();
}

CGridListCtrl::~CGridListCtrl()
{
    if (m_edit != nullptr || m_combo != nullptr)
        DropEditors();
    DeleteRetired();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CGridListCtrl::ReadColors()
{
    m_colors.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_colors.highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_colors.buttonFace = ::GetSysColor(COLOR_BTNFACE);
    m_colors.window = ::GetSysColor(COLOR_WINDOW);
    m_colors.windowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

// ---- header ----

void CGridListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SubclassHeader();
}

int CGridListCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CListCtrl::OnCreate(cs) == -1)
        return -1;
    SubclassHeader();
    return 0;
}

void CGridListCtrl::SubclassHeader()
{
    if (m_headerSubclassed)
        return;
    // While the window is still being created the list view has no header yet: OnCreate comes back.
    HWND header = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    if (header == nullptr || !m_header.SubclassWindow(header))
        return;
    m_headerSubclassed = 1;
}

// ---- records ----

GridRowRecords* CGridListCtrl::Records(int row) const
{
    return reinterpret_cast<GridRowRecords*>(GetItemData(row));
}

GridCellRecord* CGridListCtrl::Cell(int row, int column) const
{
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount())
        return nullptr;
    GridRowRecords* records = Records(row);
    // A column inserted after the row has no record in the row's block.
    return records != nullptr ? records->Cell(column) : nullptr;
}

void CGridListCtrl::FreeRow(int row)
{
    GridRowRecords* records = Records(row);
    if (records == nullptr)
        return;
    CListCtrl::SetItemData(row, 0);
    GridRecords::Free(records);
}

int CGridListCtrl::GetColumnCount() const
{
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// ---- rows and cells ----

int CGridListCtrl::InsertItem(int row, LPCSTR text)
{
    return InsertItemWithColors(row, text, ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW));
}

int CGridListCtrl::InsertItemWithColors(int row, LPCSTR text, COLORREF textColor, COLORREF backColor)
{
    if (row < 0)
        return -1;
    int index = CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, row, text, 0, 0, 0, 0);
    if (index < 0)
        return index;
    GridRowRecords* records = GridRecords::Allocate(GetColumnCount(), textColor, backColor);
    if (records == nullptr) {
        // A row without records could be shown but never drawn or used as the others: take it out.
        CListCtrl::DeleteItem(index);
        return -1;
    }
    CListCtrl::SetItemData(index, reinterpret_cast<DWORD_PTR>(records));
    return index;
}

BOOL CGridListCtrl::SetItemText(int row, int column, LPCSTR text)
{
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount() || Records(row) == nullptr)
        return FALSE;
    BOOL result = CListCtrl::SetItemText(row, column, text);
    UpdateSubItem(row, column);
    return result;
}

BOOL CGridListCtrl::SetEdit(int row, int column)
{
    GridCellRecord* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->editable = 1;
    UpdateSubItem(row, column);
    return TRUE;
}

BOOL CGridListCtrl::SetCombo(int row, int column, const std::vector<std::string>& texts)
{
    GridCellRecord* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    if (cell->comboItems == nullptr)
        cell->comboItems = new std::vector<std::string>(texts);
    else
        *cell->comboItems = texts;
    UpdateSubItem(row, column);
    return TRUE;
}

BOOL CGridListCtrl::SetCheckbox(int row, int column, int state)
{
    GridCellRecord* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->check = state;
    UpdateSubItem(row, column);
    return TRUE;
}

void CGridListCtrl::SetCheckboxNoHeader(int row, int column, int state)
{
    SetCheckbox(row, column, state);
}

int CGridListCtrl::GetCheckbox(int row, int column)
{
    GridCellRecord* cell = Cell(row, column);
    return cell != nullptr ? cell->check : -1;
}

void CGridListCtrl::UpdateSubItem(int row, int column)
{
    CRect rect;
    if (!CellBounds(row, column, LVIR_BOUNDS, rect))
        return;
    rect.InflateRect(2, 2);
    InvalidateRect(&rect, TRUE);
    UpdateWindow();
}

BOOL CGridListCtrl::CellBounds(int row, int column, int area, CRect& rect)
{
    if (!GetSubItemRect(row, column, area, rect))
        return FALSE;
    if (column != 0)
        return TRUE;
    // Column 0's own rectangle spans the row: it ends where the next visible column begins.
    int count = GetColumnCount();
    int next = 1;
    for (int i = 1; i < count; ++i) {
        if (GetColumnWidth(i) > 0) {
            next = i;
            break;
        }
    }
    CRect nextRect;
    if (next < count && GetSubItemRect(row, next, area, nextRect))
        rect.right = nextRect.left;
    return TRUE;
}

BOOL CGridListCtrl::GetCellRect(int row, int column, int area, CRect& rect)
{
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount() || Records(row) == nullptr)
        return FALSE;
    return CellBounds(row, column, area, rect);
}

BOOL CGridListCtrl::SelectRow(int row, BOOL scroll)
{
    BOOL result = SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (scroll)
        EnsureVisible(row, FALSE);
    return result;
}

int CGridListCtrl::GetSelectedRow() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

// ---- notifications ----

CWnd* CGridListCtrl::NotifyWindow() const
{
    HWND parent = ::GetParent(m_hWnd);
    CWnd* object = CWnd::FromHandlePermanent(parent);
    if (object != nullptr)
        return object;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    HWND target = owner != nullptr ? owner : parent;
    return target != nullptr ? CWnd::FromHandle(target) : nullptr;
}

void CGridListCtrl::Notify(UINT message, int row, int column)
{
    CWnd* target = NotifyWindow();
    if (target != nullptr && target->GetSafeHwnd() != nullptr)
        ::SendMessageA(target->m_hWnd, message, static_cast<WPARAM>(row), static_cast<LPARAM>(column));
}

// The cell combo reports to the list as its owner; its notifications are not the parent's business.
BOOL CGridListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && m_combo != nullptr && reinterpret_cast<HWND>(lParam) == m_combo->GetSafeHwnd())
        return TRUE;
    for (CWnd* retired : m_retired) {
        if (reinterpret_cast<HWND>(lParam) == retired->GetSafeHwnd())
            return TRUE;
    }
    return CListCtrl::OnCommand(wParam, lParam);
}

// ---- clicks ----

void CGridListCtrl::OnClick(UINT flags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!(hit.flags & LVHT_ONITEMLABEL) || hit.iItem == -1) {
        CListCtrl::OnLButtonDown(flags, point);
        return;
    }
    int row = hit.iItem;
    if (Records(row) == nullptr)
        return;
    int column = -1;
    int count = GetColumnCount();
    for (int i = 0; i < count; ++i) {
        CRect rect;
        if (GetCellRect(row, i, LVIR_BOUNDS, rect) && rect.PtInRect(point)) {
            column = i;
            break;
        }
    }
    if (column == -1) {
        CListCtrl::OnLButtonDown(flags, point);
        return;
    }
    GridCellRecord* cell = Cell(row, column);
    if (cell != nullptr && cell->check >= 0) {
        cell->check = GridCell::NextCheckState(cell->check);
        UpdateSubItem(row, column);
        Notify(WM_GRIDLIST_CHECKBOX_CLICKED, row, column);
        CListCtrl::OnLButtonDown(flags, point);
        return;
    }
    if (cell != nullptr && (cell->editable || cell->comboItems != nullptr)) {
        // The default click runs once, before the editor opens: run again it would take the focus
        // back from the editor and so end it at once.
        CListCtrl::OnLButtonDown(flags, point);
        if (cell->editable)
            ShowEditCell(row, column);
        else
            ShowComboCell(row, column);
        return;
    }
    Notify(WM_GRIDLIST_SUBITEM_CLICKED, row, column);
    CListCtrl::OnLButtonDown(flags, point);
}

LRESULT CGridListCtrl::OnNcLButtonDown(WPARAM, LPARAM)
{
    if (m_edit != nullptr)
        OnEditEnd(0, 0);
    else if (m_combo != nullptr)
        m_combo->Accept();
    return Default();
}

// ---- in-cell editors ----

bool CGridListCtrl::PrepareCell(int row, int column, CRect& editRect)
{
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount())
        return false;
    int width = GetColumnWidth(column);
    if (width < kMinEditWidth || Cell(row, column) == nullptr || !EnsureVisible(row, TRUE))
        return false;
    CRect rowRect;
    GetItemRect(row, &rowRect, LVIR_BOUNDS);
    int x = rowRect.left;
    for (int i = 0; i < column; ++i)
        x += GetColumnWidth(i);
    CRect client;
    GetClientRect(&client);
    int dx = GridCell::ScrollToCell(x, client.Width());
    if (dx != 0) {
        Scroll(CSize(dx, 0));
        GetItemRect(row, &rowRect, LVIR_BOUNDS);
        x = rowRect.left;
        for (int i = 0; i < column; ++i)
            x += GetColumnWidth(i);
    }
    editRect = GridCell::EditBoxRect(x, width, rowRect.top, rowRect.bottom, client.right);
    return true;
}

void CGridListCtrl::ShowEditCell(int row, int column)
{
    // One editor at a time; a second call must not touch the saved text, row or column of the first.
    if (EditorOpen())
        return;
    CRect rect;
    if (!PrepareCell(row, column, rect))
        return;
    m_savedText = static_cast<LPCSTR>(GetItemText(row, column));
    LVCOLUMNA format = {};
    format.mask = LVCF_FMT;
    GetColumn(column, &format);
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    UINT alignment = GridCell::Alignment(format.fmt);
    if (alignment == DT_CENTER)
        style |= ES_CENTER;
    else if (alignment == DT_RIGHT)
        style |= ES_RIGHT;
    m_editRow = row;
    m_editColumn = column;
    m_edit = new CGridCellEdit(this, m_savedText.c_str(), m_numeric);
    if (!m_edit->Create(style, rect, this, kEditId)) {
        delete m_edit;
        m_edit = nullptr;
        return;
    }
    m_edit->SetFocus();
}

void CGridListCtrl::ShowComboCell(int row, int column)
{
    if (EditorOpen())
        return;
    GridCellRecord* cell = Cell(row, column);
    CRect rect;
    if (cell == nullptr || cell->comboItems == nullptr || !PrepareCell(row, column, rect))
        return;
    // Over the whole cell, not inset as the edit box.
    rect.InflateRect(2, 1, 2, 0);
    ClientToScreen(&rect);
    m_savedText = static_cast<LPCSTR>(GetItemText(row, column));
    m_editRow = row;
    m_editColumn = column;
    m_combo = new CGridCellCombo(this);
    if (!m_combo->Open(rect, *cell->comboItems, m_savedText.c_str(), kComboRows)) {
        delete m_combo;
        m_combo = nullptr;
    }
}

LRESULT CGridListCtrl::OnEditEnd(WPARAM, LPARAM)
{
    if (m_edit == nullptr)
        return 0;
    CString text;
    m_edit->GetWindowText(text);
    if (text.IsEmpty())
        text = m_savedText.c_str();
    RetireEditBox();
    SetItemText(m_editRow, m_editColumn, text);
    Notify(WM_GRIDLIST_EDIT_END, m_editRow, m_editColumn);
    return 0;
}

LRESULT CGridListCtrl::OnEditCancel(WPARAM, LPARAM)
{
    if (m_edit == nullptr)
        return 0;
    RetireEditBox();
    SetItemText(m_editRow, m_editColumn, m_savedText.c_str());
    return 0;
}

void CGridListCtrl::EndCellCombo(CGridCellCombo* combo, BOOL commit)
{
    if (combo == nullptr || combo != m_combo)
        return;
    CString text;
    combo->GetWindowText(text);
    RetireCombo();
    if (!commit)
        return;
    if (text.IsEmpty())
        text = m_savedText.c_str();
    SetItemText(m_editRow, m_editColumn, text);
    Notify(WM_GRIDLIST_EDIT_END, m_editRow, m_editColumn);
}

void CGridListCtrl::RetireEditBox()
{
    CGridCellEdit* edit = m_edit;
    m_edit = nullptr;
    edit->MarkEndSent();
    HWND hWnd = edit->GetSafeHwnd();
    if (hWnd != nullptr) {
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
        if (::GetFocus() == hWnd)
            SetFocus();
        edit->ShowWindow(SW_HIDE);
    }
    m_retired.push_back(edit);
    PostMessage(WM_GRIDLIST_DELETE_EDITORS);
}

void CGridListCtrl::RetireCombo()
{
    CGridCellCombo* combo = m_combo;
    m_combo = nullptr;
    HWND hWnd = combo->GetSafeHwnd();
    if (hWnd != nullptr) {
        HWND focus = ::GetFocus();
        if (focus == nullptr || focus == hWnd)
            SetFocus();
        combo->ShowWindow(SW_HIDE);
    }
    m_retired.push_back(combo);
    PostMessage(WM_GRIDLIST_DELETE_EDITORS);
}

void CGridListCtrl::DropEditors()
{
    if (m_edit != nullptr) {
        m_edit->MarkEndSent();
        m_retired.push_back(m_edit);
        m_edit = nullptr;
    }
    if (m_combo != nullptr) {
        CGridCellCombo* combo = m_combo;
        m_retired.push_back(combo);
        m_combo = nullptr;
        if (combo->IsDropped())
            combo->CloseDropDown();
    }
    for (CWnd* retired : m_retired) {
        if (retired->GetSafeHwnd() != nullptr && ::IsWindow(retired->m_hWnd))
            retired->ShowWindow(SW_HIDE);
    }
}

void CGridListCtrl::DeleteRetired()
{
    std::vector<CWnd*> retired;
    retired.swap(m_retired);
    for (CWnd* editor : retired) {
        if (editor->GetSafeHwnd() != nullptr && ::IsWindow(editor->m_hWnd))
            editor->DestroyWindow();
        delete editor;
    }
}

LRESULT CGridListCtrl::OnDeleteRetired(WPARAM, LPARAM)
{
    DeleteRetired();
    return 0;
}

// ---- drawing ----

void CGridListCtrl::OnCustomDraw(NMHDR* nmhdr, LRESULT* result)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(nmhdr);
    int row = static_cast<int>(draw->nmcd.dwItemSpec);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        m_paint = ReadPaintState();
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        m_paintRecords = row >= 0 && row < m_paint.rows ? Records(row) : nullptr;
        m_paintSelected = row >= 0 && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        *result = CDRF_DODEFAULT;
        return;
    }
    int column = draw->iSubItem;
    const GridCellRecord* cell =
        m_paintRecords != nullptr && column < m_paint.columns ? m_paintRecords->Cell(column) : nullptr;
    draw->clrText = cell != nullptr ? cell->textColor : m_colors.windowText;
    draw->clrTextBk = cell != nullptr ? cell->backColor : m_colors.window;
    CRect rect;
    if (!CellRect(row, column, m_paint, rect))
        rect = draw->nmcd.rc;
    DrawCell(CDC::FromHandle(draw->nmcd.hdc), row, column, cell, m_paintSelected, rect, m_paint);
    *result = CDRF_SKIPDEFAULT;
}

CGridListCtrl::PaintState CGridListCtrl::ReadPaintState() const
{
    PaintState paint;
    paint.rows = GetItemCount();
    paint.columns = GetColumnCount();
    paint.fullRowSelect = (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    paint.showSelAlways = (GetStyle() & LVS_SHOWSELALWAYS) != 0;
    paint.focused = ::GetFocus() == m_hWnd;
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    bool found = false;
    for (int column = 0; column < paint.columns; ++column) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT | HDI_WIDTH;
        ::SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        paint.formats.push_back(item.fmt);
        if (column > 0 && !found && item.cxy > 0) {
            paint.nextColumn = column;
            found = true;
        }
    }
    return paint;
}

bool CGridListCtrl::CellRect(int row, int column, const PaintState& paint, CRect& rect)
{
    if (!GetSubItemRect(row, column, LVIR_BOUNDS, rect))
        return false;
    CRect next;
    if (column == 0 && paint.nextColumn < paint.columns && GetSubItemRect(row, paint.nextColumn, LVIR_BOUNDS, next))
        rect.right = next.left;
    return true;
}

void CGridListCtrl::Colors(const GridCellRecord* cell, bool selected, int column, const PaintState& paint,
                           COLORREF& text, COLORREF& back) const
{
    GridCell::CellState state;
    state.selected = selected;
    state.fullRowSelect = paint.fullRowSelect;
    state.column = column;
    state.focused = paint.focused;
    state.showSelAlways = paint.showSelAlways;
    GridCell::DrawColors(state, cell != nullptr ? cell->textColor : m_colors.windowText,
                         cell != nullptr ? cell->backColor : m_colors.window, m_colors, &text, &back);
}

void CGridListCtrl::DrawCell(CDC* dc, int row, int column, const GridCellRecord* cell, bool selected, const CRect& rect,
                             const PaintState& paint)
{
    COLORREF text, back;
    Colors(cell, selected, column, paint, text, back);
    dc->FillSolidRect(&rect, back);
    // Enough for any path; a longer text would end in an ellipsis anyway.
    char itemText[1024] = "";
    CListCtrl::GetItemText(row, column, itemText, sizeof itemText);
    UINT ellipsis = m_ellipsis ? DT_END_ELLIPSIS : 0;
    if (cell == nullptr || cell->check < 0) {
        if (itemText[0] == '\0')
            return;
        CRect textRect = rect;
        textRect.DeflateRect(m_textMargin, 0);
        int format = column < static_cast<int>(paint.formats.size()) ? paint.formats[column] : 0;
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(text);
        dc->DrawText(itemText, -1, &textRect, GridCell::Alignment(format) | DT_SINGLELINE | DT_VCENTER | ellipsis);
        return;
    }
    CRect box = GridCell::CheckBoxRect(rect, itemText[0] == '\0');
    dc->FillSolidRect(&box, m_colors.window);
    CBrush frame(GridCell::kBoxFrameColor);
    dc->FrameRect(&box, &frame);
    if (cell->check == 1) {
        CPen pen(PS_SOLID, 1, GridCell::kTickColor);
        CPen* oldPen = dc->SelectObject(&pen);
        for (int i = 0; i < GridCell::kTickStrokes; ++i) {
            int x = box.left + 3 + i;
            int top = box.top + GridCell::kTickTops[i];
            dc->MoveTo(x, top);
            dc->LineTo(x, top + GridCell::kTickLength);
        }
        dc->SelectObject(oldPen);
    }
    if (itemText[0] == '\0')
        return;
    CRect textRect(box.right + 4, rect.top, rect.right, rect.bottom);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(text);
    dc->DrawText(itemText, -1, &textRect, DT_SINGLELINE | DT_VCENTER | ellipsis);
}

void CGridListCtrl::GetDrawColors(int row, int column, COLORREF& text, COLORREF& back)
{
    bool selected = row >= 0 && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    Colors(Cell(row, column), selected, column, ReadPaintState(), text, back);
}

void CGridListCtrl::DrawText(CDC* dc, int row, int column, const CRect& cell)
{
    // The text face of any cell, also of a check-box cell.
    GridCellRecord* record = Cell(row, column);
    GridCellRecord plain = {};
    if (record != nullptr) {
        plain = *record;
        plain.check = -1;
    }
    bool selected = row >= 0 && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    DrawCell(dc, row, column, record != nullptr ? &plain : nullptr, selected, cell, ReadPaintState());
}

void CGridListCtrl::DrawCheckbox(CDC* dc, int row, int column, const CRect& cell)
{
    GridCellRecord* record = Cell(row, column);
    if (record == nullptr || record->check < 0) {
        DrawText(dc, row, column, cell);
        return;
    }
    bool selected = row >= 0 && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    DrawCell(dc, row, column, record, selected, cell, ReadPaintState());
}

void CGridListCtrl::DrawEmptyMessage(CDC* dc)
{
    CRect rect;
    GetWindowRect(&rect);
    ScreenToClient(&rect);
    CRect headerItem;
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (header != nullptr && ::SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&headerItem)))
        rect.top += headerItem.bottom;
    rect.top += 10;
    dc->FillSolidRect(&rect, m_colors.window);
    CGdiObject* oldFont = dc->SelectStockObject(ANSI_VAR_FONT);
    dc->SetTextColor(m_colors.windowText);
    dc->SetBkColor(m_colors.window);
    dc->DrawText(kEmptyText, -1, &rect, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    dc->SelectObject(oldFont);
}

void CGridListCtrl::OnPaint()
{
    Default();
    if (GetItemCount() != 0)
        return;
    CClientDC dc(this);
    DrawEmptyMessage(&dc);
}

BOOL CGridListCtrl::OnEraseBkgnd(CDC* dc)
{
    CRect clip;
    int region = dc->GetClipBox(&clip);
    int count = GetItemCount();
    if (count == 0 || region == NULLREGION || region == ERROR || clip.IsRectEmpty())
        return CListCtrl::OnEraseBkgnd(dc);
    // Only what no row covers: the cells are drawn whole by custom draw.
    int top = GetTopIndex();
    int last = std::min(top + GetCountPerPage(), count - 1);
    CRect first, lastRow;
    GetItemRect(top, &first, LVIR_BOUNDS);
    GetItemRect(last, &lastRow, LVIR_BOUNDS);
    COLORREF window = m_colors.window;
    if (first.top > clip.top)
        dc->FillSolidRect(clip.left, clip.top, clip.Width(), first.top - clip.top, window);
    if (lastRow.bottom < clip.bottom)
        dc->FillSolidRect(clip.left, lastRow.bottom, clip.Width(), clip.bottom - lastRow.bottom, window);
    if (first.right < clip.right)
        dc->FillSolidRect(first.right, first.top, clip.right - first.right, lastRow.bottom - first.top, window);
    return TRUE;
}

// ---- other messages ----

void CGridListCtrl::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    CListCtrl::OnKeyDown(ch, repeat, flags);
    int row = GetSelectedRow();
    if (row != -1)
        SelectRow(row, TRUE);
}

void CGridListCtrl::OnDestroy()
{
    // The editors' objects are deleted with the list object, as this may run inside one of their
    // handlers. The edit box goes with the list as its child; the cell combo is a pop-up owned by the
    // dialog, so its window goes now.
    DropEditors();
    for (CWnd* editor : m_retired) {
        if (dynamic_cast<CGridCellCombo*>(editor) != nullptr && ::IsWindow(editor->GetSafeHwnd()))
            editor->DestroyWindow();
    }
    int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        FreeRow(row);
    m_headerSubclassed = 0;
    CListCtrl::OnDestroy();
}

LRESULT CGridListCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    LRESULT result = Default();
    ReadColors();
    // The list view keeps its header to itself: pass the change on.
    if (m_headerSubclassed && m_header.GetSafeHwnd() != nullptr)
        m_header.SendMessage(WM_SYSCOLORCHANGE);
    return result;
}

LRESULT CGridListCtrl::OnDeleteRow(WPARAM wParam, LPARAM lParam)
{
    int row = static_cast<int>(wParam);
    if (row >= 0 && row < GetItemCount()) {
        // Row numbers move: an open editor would end on another row.
        if (EditorOpen()) {
            DropEditors();
            PostMessage(WM_GRIDLIST_DELETE_EDITORS);
        }
        FreeRow(row);
    }
    return DefWindowProc(LVM_DELETEITEM, wParam, lParam);
}

LRESULT CGridListCtrl::OnDeleteAllRows(WPARAM wParam, LPARAM lParam)
{
    if (EditorOpen()) {
        DropEditors();
        PostMessage(WM_GRIDLIST_DELETE_EDITORS);
    }
    int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        FreeRow(row);
    return DefWindowProc(LVM_DELETEALLITEMS, wParam, lParam);
}
