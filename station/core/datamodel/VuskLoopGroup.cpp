// The tour steps and "loopview.cfg".
#include "station/core/datamodel/VuskLoopGroup.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/VuskLoopPage.h"

IMPLEMENT_SERIAL(CVuskLoopGroup, CObject, 0)

namespace {

const char kLoopViewFile[] = "loopview.cfg";

} // namespace

CVuskLoopGroup::CVuskLoopGroup() : m_magic(kViewListMagic), m_version(kViewListVersion) {}

CVuskLoopGroup::~CVuskLoopGroup()
{
    RemoveAll();
}

void CVuskLoopGroup::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version);
    SerializeOwnedList(ar, m_pages);
}

int CVuskLoopGroup::Save(LPCSTR path)
{
    return SaveArchiveFile(StationFilePath(kLoopViewFile, path), *this) ? 1 : 0;
}

int CVuskLoopGroup::Load(LPCSTR path)
{
    RemoveAll();
    if (LoadArchiveFile(StationFilePath(kLoopViewFile, path), kViewListMagic, *this) != archiveLoaded) {
        RemoveAll();
        return 0;
    }
    ResolveAll();
    return 1;
}

void CVuskLoopGroup::ResolveAll()
{
    RemoveAndDeleteIf(m_pages, [](CVuskLoopPage* step) {
        step->Resolve();
        return step->UsedEntries() == 0;
    });
}

void CVuskLoopGroup::RemovePage(CVuskLoopPage* step)
{
    RemoveAndDelete(m_pages, step);
}

CVuskLoopPage* CVuskLoopGroup::AddPage(int paneCount, int dwellSeconds)
{
    CVuskLoopPage* step = new CVuskLoopPage;
    step->m_paneCount = paneCount;
    step->m_dwellSeconds = dwellSeconds;
    m_pages.AddTail(step);
    return step;
}

void CVuskLoopGroup::RemoveEmptyPages()
{
    RemoveAndDeleteIf(m_pages, [](CVuskLoopPage* step) { return step->m_count <= 0; });
}

void CVuskLoopGroup::RemoveAll()
{
    DeleteAll(m_pages);
}
