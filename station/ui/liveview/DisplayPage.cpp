#include "station/ui/liveview/DisplayPage.h"

#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/ui/liveview/PaneGeometry.h"

CDisplayPageTable::~CDisplayPageTable()
{
    RemoveAll();
}

int CDisplayPageTable::GetCount() const
{
    return static_cast<int>(m_pages.GetSize());
}

DisplayPage* CDisplayPageTable::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_pages[index];
}

DisplayPage* CDisplayPageTable::Append(int splitMode)
{
    DisplayPage* page = new DisplayPage();
    page->splitMode = splitMode;
    page->slotCount = PANE_COUNT;
    for (int i = 0; i < PANE_COUNT; ++i)
        page->paneMarks[i] = -1;
    m_pages.Add(page);
    return page;
}

void CDisplayPageTable::Truncate(int count)
{
    if (count < 0)
        count = 0;
    for (int i = GetCount() - 1; i >= count; --i) {
        delete m_pages[i];
        m_pages.RemoveAt(i);
    }
}

void CDisplayPageTable::RemoveAll()
{
    Truncate(0);
}

int CDisplayPageTable::FindPageOfCamera(const CTermCamera* camera) const
{
    if (!camera)
        return -1;
    for (int p = 0; p < GetCount(); ++p)
        for (int i = 0; i < PANE_COUNT; ++i)
            if (m_pages[p]->cameras[i] == camera)
                return p;
    return -1;
}

CDisplayPageTable& DisplayPageTable()
{
    static CDisplayPageTable table;
    return table;
}

int RebuildDisplayPageTable(CVuskPageGroup& savedPages, int attach, int* currentPage)
{
    CDisplayPageTable& table = DisplayPageTable();
    int count = 0;
    for (POSITION pos = savedPages.m_pages.GetHeadPosition(); pos; ++count) {
        CVuskPage* saved = savedPages.m_pages.GetNext(pos);
        DisplayPage* page = table.GetAt(count);
        if (page)
            saved->m_layout = page->splitMode;
        else
            page = table.Append(saved->m_layout);
        page->slotCount = PANE_COUNT;
        for (int j = 0; j < PANE_COUNT; ++j) {
            CTermCamera* camera = saved->m_cameras[j];
            page->cameras[j] = camera;
            if (attach == 1 && camera && camera->m_pSession)
                SessionLinks().AttachPane(camera->m_pSession, 1, -1, 1);
        }
    }
    table.Truncate(count);
    if (currentPage && *currentPage >= count)
        *currentPage = -1;
    return savedPages.Save();
}
