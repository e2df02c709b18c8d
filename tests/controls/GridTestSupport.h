// The extended list's test fixtures: a parent that records the WM_GRIDLIST messages (and may answer
// them from its handler, as the recording-drives page does), a list laid out like that page, and a
// click as the list view takes it.
#pragma once

#include "controls/GridListCtrl.h"
#include "tests/controls/ControlsTestSupport.h"

#include <functional>
#include <vector>

struct GridMessage {
    UINT message;
    int row;
    int column;
    bool operator==(const GridMessage& other) const
    {
        return message == other.message && row == other.row && column == other.column;
    }
};

class GridParent : public RecordingParent {
public:
    std::vector<GridMessage> grid;
    // Runs inside the sent message, before the list goes on.
    std::function<void(const GridMessage&)> onMessage;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Five centred columns as on the recording-drives page (disk with its check box, size, free space,
// reserve editable in place, folder), full-row selection, rows C: to F:.
void MakeDrivesList(CGridListCtrl& list, CWnd* parent, const CRect& rect, UINT id, int rows = 4);

// A left click at the point (list client coordinates): the button-up is queued first, as the list
// view's default handling of the button-down waits for it. Then the queue is served.
void ClickAt(CGridListCtrl& list, CPoint point);
// A click a few pixels into the cell, vertically centred.
void ClickCell(CGridListCtrl& list, int row, int column, int dx = 6);
