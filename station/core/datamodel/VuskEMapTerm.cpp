// A map scene, its record and the linking of its devices.
#include "station/core/datamodel/VuskEMapTerm.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/VuskEMapDev.h"

IMPLEMENT_SERIAL(CVuskEMapTerm, CObject, 0)

CVuskEMapTerm::CVuskEMapTerm() : m_treeItem(0), m_pParent(nullptr), m_x(10), m_y(10), m_width(100), m_height(60) {}

CVuskEMapTerm::~CVuskEMapTerm()
{
    DeleteAll(m_children);
    DeleteAll(m_devices);
}

void CVuskEMapTerm::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_name, m_mapPath, m_x, m_y, m_width, m_height);
    SerializeOwnedList(ar, m_devices);
    SerializeOwnedList(ar, m_children);
}

void CVuskEMapTerm::RemoveDevice(CVuskEMapDev* device)
{
    RemoveAndDelete(m_devices, device);
}

void CVuskEMapTerm::Link()
{
    RemoveAndDeleteIf(m_devices, [this](CVuskEMapDev* device) {
        device->m_pScene = this;
        device->Link();
        return !device->IsBound() && !device->TargetExists();
    });
    for (POSITION pos = m_children.GetHeadPosition(); pos;) {
        CVuskEMapTerm* child = m_children.GetNext(pos);
        child->m_pParent = this;
        child->Link();
    }
}

BOOL CVuskEMapTerm::ContainsDevice(int serverId, int kind, int index) const
{
    for (POSITION pos = m_devices.GetHeadPosition(); pos;) {
        const CVuskEMapDev* device = m_devices.GetNext(pos);
        if (device->m_serverId == serverId && device->m_kind == kind && device->m_index == index)
            return TRUE;
    }
    for (POSITION pos = m_children.GetHeadPosition(); pos;) {
        if (m_children.GetNext(pos)->ContainsDevice(serverId, kind, index))
            return TRUE;
    }
    return FALSE;
}
