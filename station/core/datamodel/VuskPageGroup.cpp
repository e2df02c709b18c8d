// The saved pages, "pageview.cfg", and the placing of cameras into panes.
#include "station/core/datamodel/VuskPageGroup.h"

#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskPage.h"

IMPLEMENT_SERIAL(CVuskPageGroup, CObject, 0)

namespace {

const char kPageViewFile[] = "pageview.cfg";

// What a slot holds: a camera reference, bound or not, or nothing (server identifier -1).
struct SlotReference {
    CTermCamera* camera;
    int serverId;
    int channel;
};

const SlotReference kEmptySlot = {nullptr, -1, 0};

BOOL RestorePagesOn()
{
    return g_pSysParam == nullptr || g_pSysParam->m_restorePages != 0;
}

CChannelSession* LiveSession(const CTermCamera* camera)
{
    return camera ? camera->m_pSession : nullptr;
}

SlotReference ReferenceOf(const CVuskPage* page, int slot)
{
    return SlotReference{page->m_cameras[slot], page->m_serverIds[slot], page->m_channels[slot]};
}

SlotReference ReferenceOfCamera(CTermCamera* camera)
{
    return SlotReference{camera, camera->m_pServer ? camera->m_pServer->m_id : -1, camera->m_channel};
}

// The slot's reference when no live session stands behind it (it must not be lost), else nothing.
SlotReference KeptReference(const CVuskPage* page, int slot)
{
    SlotReference ref = ReferenceOf(page, slot);
    return (ref.serverId != -1 && LiveSession(ref.camera) == nullptr) ? ref : kEmptySlot;
}

void Put(CVuskPage* page, int slot, const SlotReference& ref)
{
    page->SetSlot(slot, ref.camera, ref.serverId, ref.channel);
}

BOOL IsSlotIndex(int slot)
{
    return slot >= 0 && slot < kPageSlots;
}

void Detach(CChannelSession* session)
{
    if (session)
        SessionLinks().AttachPane(session, 0, -1, 0);
}

} // namespace

CVuskPageGroup::CVuskPageGroup() : m_magic(kViewListMagic), m_version(kViewListVersion) {}

CVuskPageGroup::~CVuskPageGroup()
{
    RemoveAll();
}

void CVuskPageGroup::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version);
    SerializeOwnedList(ar, m_pages);
}

int CVuskPageGroup::Save(LPCSTR path)
{
    if (!RestorePagesOn())
        return 1;
    return SaveArchiveFile(StationFilePath(kPageViewFile, path), *this) ? 1 : 0;
}

int CVuskPageGroup::Load(LPCSTR path)
{
    RemoveAll();
    if (RestorePagesOn() &&
        LoadArchiveFile(StationFilePath(kPageViewFile, path), kViewListMagic, *this) == archiveLoaded) {
        ResolveAll();
        return 1;
    }
    ResetToOneEmptyPage();
    return 0;
}

void CVuskPageGroup::ResetToOneEmptyPage()
{
    RemoveAll();
    AddPage(16);
}

void CVuskPageGroup::ResolveAll()
{
    RemoveAndDeleteIf(m_pages, [](CVuskPage* page) {
        page->Resolve();
        return !page->HasReferences();
    });
    if (m_pages.IsEmpty())
        AddPage(16);
}

void CVuskPageGroup::RemoveAll()
{
    DeleteAll(m_pages);
}

CVuskPage* CVuskPageGroup::AddPage(int layout)
{
    CVuskPage* page = new CVuskPage;
    page->m_layout = layout;
    m_pages.AddTail(page);
    return page;
}

CVuskPage* CVuskPageGroup::GetPage(int index) const
{
    POSITION pos = m_pages.FindIndex(index);
    return pos ? m_pages.GetAt(pos) : nullptr;
}

int CVuskPageGroup::FindCamera(const CTermCamera* camera, CVuskPage*& page) const
{
    page = nullptr;
    if (camera == nullptr)
        return -1;
    for (POSITION pos = m_pages.GetHeadPosition(); pos;) {
        CVuskPage* candidate = m_pages.GetNext(pos);
        for (int slot = 0; slot < kPageSlots; ++slot) {
            if (candidate->m_cameras[slot] == camera) {
                page = candidate;
                return slot;
            }
        }
    }
    return -1;
}

int CVuskPageGroup::FindFreeSlot(int& pageIndex, int& slot, CVuskPage*& page) const
{
    int index = pageIndex < 0 ? 0 : pageIndex;
    int first = slot < 0 ? 0 : slot;
    for (POSITION pos = m_pages.FindIndex(index); pos; ++index, first = 0) {
        CVuskPage* candidate = m_pages.GetNext(pos);
        for (int i = first; i < kPageSlots; ++i) {
            if (candidate->IsSlotFree(i)) {
                pageIndex = index;
                slot = i;
                page = candidate;
                return 0;
            }
        }
    }
    return -1;
}

void CVuskPageGroup::PlaceCamera(CTermCamera* camera, int& pageIndex, int& slot, int force)
{
    if (!force && !HasRight(rightAssignPanes))
        return;
    CVuskPage* page = GetPage(pageIndex);
    if (camera == nullptr || camera->m_pServer == nullptr || page == nullptr || !IsSlotIndex(slot))
        return;
    CSessionLinks& sessions = SessionLinks();
    CViewLinks& view = ViewLinks();
    if (page->m_cameras[slot] == camera) {
        if (camera->m_pSession)
            sessions.AttachPane(camera->m_pSession, 1, slot, 1);
        return;
    }

    CVuskPage* foundPage = nullptr;
    int foundSlot = FindCamera(camera, foundPage);
    SlotReference occupant = ReferenceOf(page, slot);
    if (foundSlot < 0) {
        Detach(LiveSession(occupant.camera));
    } else {
        if (foundPage == page)
            view.ClearPane(foundSlot);
        else
            Detach(camera->m_pSession);
        // What the target slot held moves to where the camera came from; a reference to a camera
        // without a session moves along rather than being lost.
        if (CChannelSession* session = LiveSession(occupant.camera)) {
            if (view.FindPaneOfCamera(camera) >= 0)
                sessions.AttachPane(session, 1, foundSlot, 0);
            else
                Detach(session);
        }
        Put(foundPage, foundSlot, occupant);
    }

    Put(page, slot, ReferenceOfCamera(camera));
    view.RebuildPageTable(0);
    view.ShowPage(pageIndex, slot, 0);
    if (camera->m_pSession)
        sessions.AttachPane(camera->m_pSession, 1, slot, 1);
}

void CVuskPageGroup::AddCamera(CTermCamera* camera, int& pageIndex, int& slot, int force)
{
    if (!force && !HasRight(rightAssignPanes))
        return;
    CVuskPage* found = nullptr;
    if (camera == nullptr || camera->m_pServer == nullptr || GetPage(pageIndex) == nullptr || !IsSlotIndex(slot) ||
        FindCamera(camera, found) >= 0)
        return;
    CVuskPage* page = nullptr;
    if (FindFreeSlot(pageIndex, slot, page) < 0) {
        page = AddPage(16);
        pageIndex = (int)m_pages.GetCount() - 1;
        slot = 0;
    }
    Put(page, slot, ReferenceOfCamera(camera));
    ViewLinks().RebuildPageTable(0);
    ViewLinks().ShowPage(pageIndex, slot, 0);
    if (camera->m_pSession)
        SessionLinks().AttachPane(camera->m_pSession, 1, slot, 1);
}

void CVuskPageGroup::AddServerCameras(CTermServer* server, int& pageIndex, int& slot)
{
    if (!HasRight(rightAssignPanes) || server == nullptr)
        return;
    int entrySlot = slot;
    --slot;
    for (POSITION pos = server->m_cameras.GetHeadPosition(); pos;) {
        CTermCamera* camera = server->m_cameras.GetNext(pos);
        if (camera->m_pSession == nullptr)
            continue;
        if (++slot >= kPageSlots) {
            ++pageIndex;
            slot = 0;
            if (pageIndex >= m_pages.GetCount()) {
                AddPage(16);
                ViewLinks().RebuildPageTable(0);
            }
            ViewLinks().ShowPage(pageIndex, -1, 0);
        }
        PlaceCamera(camera, pageIndex, slot, 0);
    }
    if (server->m_cameras.IsEmpty())
        slot = entrySlot;
}

void CVuskPageGroup::ClearSlot(int pageIndex, int slot)
{
    POSITION at = m_pages.FindIndex(pageIndex);
    if (at == nullptr || !IsSlotIndex(slot))
        return;
    CVuskPage* page = m_pages.GetAt(at);
    Detach(LiveSession(page->m_cameras[slot]));
    page->EmptySlot(slot);
    page->Resolve();
    if (page->HasReferences() || m_pages.GetCount() < 2) {
        ViewLinks().RebuildPageTable(0);
        return;
    }
    m_pages.RemoveAt(at);
    delete page;
    ViewLinks().RebuildPageTable(0);
    ViewLinks().ShowPage(pageIndex > 0 ? pageIndex - 1 : 0, -1, 1);
}

void CVuskPageGroup::SwapPanes(int paneA, int paneB)
{
    CViewLinks& view = ViewLinks();
    CSessionLinks& sessions = SessionLinks();
    CVuskPage* page = GetPage(view.GetCurrentPage());
    if (!IsSlotIndex(paneA) || !IsSlotIndex(paneB) || page == nullptr)
        return;
    CChannelSession* sessionA = view.GetPaneSession(paneA);
    CChannelSession* sessionB = view.GetPaneSession(paneB);
    CTermCamera* cameraA = sessionA ? sessions.GetSessionCamera(sessionA) : nullptr;
    CTermCamera* cameraB = sessionB ? sessions.GetSessionCamera(sessionB) : nullptr;
    if ((cameraA && view.FindPaneOfCamera(cameraA) < 0) || (cameraB && view.FindPaneOfCamera(cameraB) < 0))
        return;
    SlotReference refA = cameraA ? ReferenceOfCamera(cameraA) : KeptReference(page, paneA);
    SlotReference refB = cameraB ? ReferenceOfCamera(cameraB) : KeptReference(page, paneB);

    if (cameraA)
        sessions.AttachPane(sessionA, 1, paneB, 0);
    else
        view.ClearPane(paneB);
    Put(page, paneB, refA);
    if (cameraB)
        sessions.AttachPane(sessionB, 1, paneA, 0);
    else
        view.ClearPane(paneA);
    Put(page, paneA, refB);
    view.RebuildPageTable(0);
}
