// The electronic map's root and "emaptree.cfg".
#include "station/core/datamodel/VuskEMapGroup.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/VuskEMapTerm.h"

IMPLEMENT_SERIAL(CVuskEMapGroup, CObject, 0)

namespace {

const char kEMapFile[] = "emaptree.cfg";

} // namespace

CVuskEMapGroup::CVuskEMapGroup() : m_magic(kEMapMagic), m_version(kEMapVersion) {}

CVuskEMapGroup::~CVuskEMapGroup()
{
    DeleteAll(m_scenes);
}

void CVuskEMapGroup::Reset()
{
    DeleteAll(m_scenes);
    m_magic = kEMapMagic;
    m_version = kEMapVersion;
}

void CVuskEMapGroup::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version);
    SerializeOwnedList(ar, m_scenes);
}

int CVuskEMapGroup::Save(LPCSTR path)
{
    return SaveArchiveFile(StationFilePath(kEMapFile, path), *this) ? 1 : 0;
}

int CVuskEMapGroup::Load(LPCSTR path)
{
    CString file = StationFilePath(kEMapFile, path);
    Reset();
    if (LoadArchiveFile(file, kEMapMagic, *this) == archiveLoaded) {
        LinkAll();
        return 1;
    }
    Reset();
    Save(file);
    return 0;
}

void CVuskEMapGroup::LinkAll()
{
    for (POSITION pos = m_scenes.GetHeadPosition(); pos;) {
        CVuskEMapTerm* scene = m_scenes.GetNext(pos);
        scene->m_pParent = nullptr;
        scene->Link();
    }
}

CVuskEMapTerm* CVuskEMapGroup::AddScene(LPCSTR name, CVuskEMapTerm* parent)
{
    CVuskEMapTerm* scene = new CVuskEMapTerm;
    scene->m_name = name;
    scene->m_pParent = parent;
    (parent ? parent->m_children : m_scenes).AddTail(scene);
    return scene;
}

void CVuskEMapGroup::DeleteScene(CVuskEMapTerm* scene)
{
    if (scene != nullptr)
        RemoveAndDelete(scene->m_pParent ? scene->m_pParent->m_children : m_scenes, scene);
}

BOOL CVuskEMapGroup::ContainsDevice(int serverId, int kind, int index) const
{
    for (POSITION pos = m_scenes.GetHeadPosition(); pos;) {
        if (m_scenes.GetNext(pos)->ContainsDevice(serverId, kind, index))
            return TRUE;
    }
    return FALSE;
}
