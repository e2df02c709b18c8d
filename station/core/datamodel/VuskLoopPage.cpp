// A tour step, its entries and their binding.
#include "station/core/datamodel/VuskLoopPage.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"

IMPLEMENT_SERIAL(CVuskLoopPage, CObject, 0)

CVuskLoopPage::CVuskLoopPage() : m_paneCount(16), m_dwellSeconds(30), m_count(0)
{
    for (int i = 0; i < kLoopEntries; ++i) {
        m_cameras[i] = nullptr;
        m_serverIds[i] = 0;
        m_channels[i] = 0;
    }
}

void CVuskLoopPage::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_paneCount, m_dwellSeconds, m_count);
    if (ar.IsLoading())
        CheckLoadedRange(ar, m_count, 0, kLoopEntries);
    for (int i = 0; i < kLoopEntries; ++i)
        SerializeValues(ar, m_serverIds[i], m_channels[i]);
    if (ar.IsLoading()) {
        for (CTermCamera*& camera : m_cameras)
            camera = nullptr;
    }
}

int CVuskLoopPage::UsedEntries() const
{
    return m_count < 0 ? 0 : m_count > kLoopEntries ? kLoopEntries : m_count;
}

int CVuskLoopPage::RemoveAt(int index)
{
    int used = UsedEntries();
    if (index < 0 || index >= used)
        return 0;
    for (int i = index; i + 1 < used; ++i) {
        m_serverIds[i] = m_serverIds[i + 1];
        m_channels[i] = m_channels[i + 1];
        m_cameras[i] = m_cameras[i + 1];
    }
    m_count = used - 1;
    return 1;
}

void CVuskLoopPage::Resolve()
{
    // Without a server tree nothing can be told gone.
    if (g_pRecGroup == nullptr)
        return;
    for (int i = 0; i < UsedEntries();) {
        CTermCamera* camera = g_pRecGroup->FindCamera(m_serverIds[i], m_channels[i]);
        if (camera == nullptr) {
            RemoveAt(i);
            continue;
        }
        m_cameras[i] = camera->m_pSession ? camera : nullptr;
        ++i;
    }
}

int CVuskLoopPage::Contains(int serverId, int channel) const
{
    for (int i = 0; i < UsedEntries(); ++i) {
        if (m_serverIds[i] == serverId && m_channels[i] == channel)
            return 1;
    }
    return 0;
}
