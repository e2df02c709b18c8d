// DisplayPage: what the video wall shows of one saved page, and the table of them. Slot i of a
// display page is always shown in pane i.
#pragma once

#include <afxtempl.h>

class CTermCamera;

struct DisplayPage {
    CTermCamera* cameras[16]; // camera of slot i, null = empty slot
    int paneMarks[16];        // the panes laid out for this page, other entries -1
    int slotCount;            // always 16
    int selectedPane;         // 0..15
    int splitMode;            // 1, 4, 6, 8, 9 or 16 (others count as 16)
    int group;                // which group of panes the split mode shows
};

// Index = page number, in the order of the saved pages; owned by the table.
class CDisplayPageTable {
public:
    ~CDisplayPageTable();

    int GetCount() const;
    // The page at the index, or null outside the table.
    DisplayPage* GetAt(int index) const;
    // Appends a zero-filled page with the split mode and all marks -1.
    DisplayPage* Append(int splitMode);
    // Frees the pages from count on.
    void Truncate(int count);
    void RemoveAll();
    // The first page (lowest index) holding the (non-null) camera, or -1.
    int FindPageOfCamera(const CTermCamera* camera) const;

private:
    CArray<DisplayPage*, DisplayPage*> m_pages;
};

// The one table of the station.
CDisplayPageTable& DisplayPageTable();

class CVuskPageGroup;

// CDlgMain::RebuildPageTable: rebuilds the table from the saved pages (the display pages' split
// modes are authoritative; selection, group and marks of existing pages survive; surplus pages are
// freed), asks each camera with a session to connect when attach is 1, clears a current page that
// no longer exists (currentPage is set to -1 then) and returns the result of saving the pages.
int RebuildDisplayPageTable(CVuskPageGroup& savedPages, int attach, int* currentPage);
