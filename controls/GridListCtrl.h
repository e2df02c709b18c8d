// A report-style list view whose cells can hold a check box, be edited in place or offer a combo.
// It keeps a record per cell beside the list view's items, draws every cell itself through custom
// draw, paints its own header, and reports check-box clicks, finished edits and other cell clicks to
// its parent with the registered WM_GRIDLIST messages (wParam = row, lParam = column).
#pragma once

#include <afxcmn.h>

#include <string>
#include <vector>

#include "controls/GridCellLogic.h"
#include "controls/GridCellRecords.h"
#include "controls/GridHeaderCtrl.h"
#include "controls/GridMessages.h"

class CGridCellEdit;
class CGridCellCombo;

class CGridListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CGridListCtrl)
public:
    CGridListCtrl();
    ~CGridListCtrl() override;

    using CListCtrl::InsertItem;
    // The new row's index; -1 for a negative row or when its cell records cannot be had (the row is
    // removed again); the list view's negative result when the insertion fails.
    int InsertItem(int row, LPCSTR text);
    int InsertItemWithColors(int row, LPCSTR text, COLORREF textColor, COLORREF backColor);
    BOOL SetItemText(int row, int column, LPCSTR text);
    BOOL SetEdit(int row, int column);
    // Makes the cell a combo cell: a click opens a drop-list of these texts over it.
    BOOL SetCombo(int row, int column, const std::vector<std::string>& texts);
    BOOL SetCheckbox(int row, int column, int state);
    // There is no header check box to keep in step: the same as SetCheckbox, without a result.
    void SetCheckboxNoHeader(int row, int column, int state);
    int GetCheckbox(int row, int column);
    int GetColumnCount() const;
    void UpdateSubItem(int row, int column);
    BOOL GetCellRect(int row, int column, int area, CRect& rect);
    BOOL SelectRow(int row, BOOL scroll);
    int GetSelectedRow() const;

    void ShowEditCell(int row, int column);
    void ShowComboCell(int row, int column);
    // Called by the cell combo when it ends (once); commit sets the cell's text and notifies.
    void EndCellCombo(CGridCellCombo* combo, BOOL commit);

    // The open in-cell editors, null when none.
    CGridCellEdit* GetEditBox() const { return m_edit; }
    CGridCellCombo* GetCellCombo() const { return m_combo; }
    int GetEditRow() const { return m_editRow; }
    int GetEditColumn() const { return m_editColumn; }

    // Drawing, public so that a cell can be drawn onto any device context.
    void GetDrawColors(int row, int column, COLORREF& text, COLORREF& back);
    void DrawCheckbox(CDC* dc, int row, int column, const CRect& cell);
    void DrawText(CDC* dc, int row, int column, const CRect& cell);
    void DrawEmptyMessage(CDC* dc);

    CGridHeaderCtrl& Header() { return m_header; }

protected:
    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnClick(UINT flags, CPoint point);
    afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustomDraw(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSysColorChange(WPARAM, LPARAM);
    afx_msg LRESULT OnEditEnd(WPARAM, LPARAM);
    afx_msg LRESULT OnEditCancel(WPARAM, LPARAM);
    afx_msg LRESULT OnDeleteRow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteAllRows(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteRetired(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void SubclassHeader();
    void ReadColors();
    GridRowRecords* Records(int row) const;
    // The record of a cell, or null for a bad row or column or a row without records.
    GridCellRecord* Cell(int row, int column) const;
    BOOL CellBounds(int row, int column, int area, CRect& rect);
    CWnd* NotifyWindow() const;
    void Notify(UINT message, int row, int column);
    // Steps 1 to 3 of opening an editor: false when nothing may open; else the editor's rectangle.
    bool PrepareCell(int row, int column, CRect& editRect);
    bool EditorOpen() const { return m_edit != nullptr || m_combo != nullptr; }
    // Detaches the open edit box, hides it and deletes it once its own handler has returned.
    void RetireEditBox();
    void RetireCombo();
    // Ends whatever editor is open without a word: rows are going away.
    void DropEditors();
    void DeleteRetired();
    void FreeRow(int row);

    // What every cell of one paint needs of the list, read once when the paint begins.
    struct PaintState {
        int rows = 0;
        int columns = 0;
        bool fullRowSelect = false;
        bool showSelAlways = false;
        bool focused = false;
        std::vector<int> formats; // each column's format
        int nextColumn = 1;       // where column 0's cell ends: the first later column wider than 0
    };
    PaintState ReadPaintState() const;
    bool CellRect(int row, int column, const PaintState& paint, CRect& rect);
    void Colors(const GridCellRecord* cell, bool selected, int column, const PaintState& paint, COLORREF& text,
                COLORREF& back) const;
    void DrawCell(CDC* dc, int row, int column, const GridCellRecord* cell, bool selected, const CRect& rect,
                  const PaintState& paint);

    CGridHeaderCtrl m_header;
    int m_headerSubclassed = 0;
    int m_ellipsis = 1;
    int m_textMargin = 5;
    std::string m_savedText;
    CGridCellEdit* m_edit = nullptr;
    CGridCellCombo* m_combo = nullptr;
    int m_editRow = 0;
    int m_editColumn = 0;
    int m_numeric = 1;
    GridCell::SystemColors m_colors = {};
    std::vector<CWnd*> m_retired;
    PaintState m_paint;
    GridRowRecords* m_paintRecords = nullptr; // of the row being painted
    bool m_paintSelected = false;
};
