#include "tests/controls/GridTestSupport.h"

#include "tests/framework/windows/WindowTestSupport.h"

#include <cstdio>

LRESULT GridParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GRIDLIST_CHECKBOX_CLICKED || message == WM_GRIDLIST_EDIT_END ||
        message == WM_GRIDLIST_SUBITEM_CLICKED) {
        GridMessage m = {message, static_cast<int>(wParam), static_cast<int>(lParam)};
        grid.push_back(m);
        if (onMessage)
            onMessage(m);
        return 0;
    }
    return RecordingParent::WindowProc(message, wParam, lParam);
}

void MakeDrivesList(CGridListCtrl& list, CWnd* parent, const CRect& rect, UINT id, int rows)
{
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, rect, parent, id);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, "磁盘", LVCFMT_CENTER, 110);
    list.InsertColumn(1, "大小(M)", LVCFMT_CENTER, 100);
    list.InsertColumn(2, "可用空间(M)", LVCFMT_CENTER, 90);
    list.InsertColumn(3, "预留空间(M)", LVCFMT_CENTER, 90);
    list.InsertColumn(4, "存放目录", LVCFMT_CENTER, 120);
    for (int row = 0; row < rows; ++row) {
        char drive[4];
        std::snprintf(drive, sizeof drive, "%c:", 'C' + row);
        list.InsertItem(row, drive);
        list.SetItemText(row, 1, "40960");
        list.SetItemText(row, 2, "20480");
        list.SetItemText(row, 3, "500");
        list.SetCheckbox(row, 0, row == 0 ? 1 : 0);
        list.SetEdit(row, 3);
    }
}

void ClickAt(CGridListCtrl& list, CPoint point)
{
    LPARAM at = MAKELPARAM(point.x, point.y);
    list.PostMessage(WM_LBUTTONUP, 0, at);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpFrameworkMessages();
}

void ClickCell(CGridListCtrl& list, int row, int column, int dx)
{
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0 && list.GetColumnCount() > 1) {
        CRect next;
        list.GetSubItemRect(row, 1, LVIR_BOUNDS, next);
        cell.right = next.left;
    }
    ClickAt(list, CPoint(cell.left + dx, (cell.top + cell.bottom) / 2));
}
