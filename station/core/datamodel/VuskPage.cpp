// A saved page and the binding of its slots.
#include "station/core/datamodel/VuskPage.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"

IMPLEMENT_SERIAL(CVuskPage, CObject, 0)

CVuskPage::CVuskPage() : m_layout(16)
{
    for (int i = 0; i < kPageSlots; ++i)
        EmptySlot(i);
}

void CVuskPage::Serialize(CArchive& ar)
{
    // The layout goes with every slot; on reading the last one wins.
    for (int i = 0; i < kPageSlots; ++i)
        SerializeValues(ar, m_serverIds[i], m_channels[i], m_layout);
    if (ar.IsLoading()) {
        for (CTermCamera*& camera : m_cameras)
            camera = nullptr;
    }
}

void CVuskPage::SetSlot(int slot, CTermCamera* camera, int serverId, int channel)
{
    m_cameras[slot] = camera;
    m_serverIds[slot] = serverId;
    m_channels[slot] = channel;
}

void CVuskPage::EmptySlot(int slot)
{
    SetSlot(slot, nullptr, -1, 0);
}

BOOL CVuskPage::IsSlotFree(int slot) const
{
    return m_cameras[slot] == nullptr && m_serverIds[slot] == -1;
}

BOOL CVuskPage::HasReferences() const
{
    for (int i = 0; i < kPageSlots; ++i) {
        if (!IsSlotFree(i))
            return TRUE;
    }
    return FALSE;
}

int CVuskPage::Resolve()
{
    int bound = 0;
    // Without a server tree nothing can be told gone: the references stay as they are.
    if (g_pRecGroup == nullptr) {
        for (CTermCamera*& camera : m_cameras)
            camera = nullptr;
        return 0;
    }
    for (int i = 0; i < kPageSlots; ++i) {
        CTermCamera* camera = m_serverIds[i] != -1 ? g_pRecGroup->FindCamera(m_serverIds[i], m_channels[i]) : nullptr;
        if (camera == nullptr) {
            EmptySlot(i);
            continue;
        }
        m_cameras[i] = camera->m_pSession ? camera : nullptr;
        if (m_cameras[i])
            ++bound;
    }
    return bound;
}
