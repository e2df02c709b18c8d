// CVuskPageGroup: the saved preview pages, the root of "pageview.cfg", with the operations by
// which the device tree, double-clicks, drag and drop and the alarm action put cameras into panes.
// They keep the page list, the video pane container and the channel sessions consistent; the
// container and the sessions are reached through the view and session links.
#pragma once

#include <afxtempl.h>

class CTermCamera;
class CTermServer;
class CVuskPage;

class CVuskPageGroup : public CObject {
    DECLARE_SERIAL(CVuskPageGroup)
public:
    CVuskPageGroup();
    ~CVuskPageGroup() override;

    void Serialize(CArchive& ar) override;

    // With the restore-pages option off writes nothing: 1. Else 1 when the file was written, 0
    // when writing failed (the old file then stays).
    int Save(LPCSTR path = nullptr);
    // With the option on and a readable file: binds (ResolveAll), 1. With the option off or an
    // unreadable file (kept aside as ".bad"): one empty 16-pane page, 0; nothing is written.
    int Load(LPCSTR path = nullptr);

    // Binds every page; a page left without any camera reference is destroyed, and an empty list
    // gets one empty 16-pane page.
    void ResolveAll();
    void RemoveAll();
    CVuskPage* AddPage(int layout);
    // The page at the index, or null.
    CVuskPage* GetPage(int index) const;

    // The first page and slot bound to the camera; -1 (and a null page) when none.
    int FindCamera(const CTermCamera* camera, CVuskPage*& page) const;
    // The first free slot at or after (pageIndex, slot), then from slot 0 in the pages after it:
    // 0 with pageIndex, slot and page set; -1 when there is none. A slot that keeps a reference to
    // a camera without a session is not free.
    int FindFreeSlot(int& pageIndex, int& slot, CVuskPage*& page) const;
    void PlaceCamera(CTermCamera* camera, int& pageIndex, int& slot, int force);
    void AddCamera(CTermCamera* camera, int& pageIndex, int& slot, int force);
    void AddServerCameras(CTermServer* server, int& pageIndex, int& slot);
    void ClearSlot(int pageIndex, int slot);
    // Swaps the cameras of two panes of the display page shown.
    void SwapPanes(int paneA, int paneB);

    CTypedPtrList<CObList, CVuskPage*> m_pages; // owned, in display order
    DWORD m_magic;
    DWORD m_version;

private:
    void ResetToOneEmptyPage();
};
