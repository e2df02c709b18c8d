// CVuskLoopGroup: the tour, a list of steps, the root of "loopview.cfg".
#pragma once

#include <afxtempl.h>

class CVuskLoopPage;

const DWORD kViewListMagic = 0xCABBDDEE; // "pageview.cfg" and "loopview.cfg" alike
const DWORD kViewListVersion = 1;

class CVuskLoopGroup : public CObject {
    DECLARE_SERIAL(CVuskLoopGroup)
public:
    CVuskLoopGroup();
    ~CVuskLoopGroup() override;

    void Serialize(CArchive& ar) override;

    // 1 when the file was written, 0 when writing failed (the old file then stays).
    int Save(LPCSTR path = nullptr);
    // Reads and binds: 1. On failure every step is destroyed: 0; no file is written (an
    // unreadable one is kept aside as ".bad").
    int Load(LPCSTR path = nullptr);

    // Binds every step; a step left without entries is destroyed.
    void ResolveAll();
    // Removes the step from the list and destroys it; nothing when it is not in the list.
    void RemovePage(CVuskLoopPage* step);
    CVuskLoopPage* AddPage(int paneCount, int dwellSeconds);
    void RemoveEmptyPages();
    void RemoveAll();

    CTypedPtrList<CObList, CVuskLoopPage*> m_pages; // owned, in display order
    DWORD m_magic;
    DWORD m_version;
};
