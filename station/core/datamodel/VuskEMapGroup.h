// CVuskEMapGroup: the electronic map, a tree of scenes, the root of "emaptree.cfg".
#pragma once

#include <afxtempl.h>

class CVuskEMapTerm;

const DWORD kEMapMagic = 0xCCBBDDEE;
const DWORD kEMapVersion = 2;

class CVuskEMapGroup : public CObject {
    DECLARE_SERIAL(CVuskEMapGroup)
public:
    CVuskEMapGroup();
    ~CVuskEMapGroup() override;

    void Serialize(CArchive& ar) override;

    // 1 when written; 0 on any failure (the old file then stays).
    int Save(LPCSTR path = nullptr);
    // Reads and links: 1. When the file cannot be read the map is emptied and saved at once
    // (the unreadable file kept aside as ".bad"): 0.
    int Load(LPCSTR path = nullptr);

    void LinkAll();
    // Appended to the parent's child scenes, or to the top level without a parent.
    CVuskEMapTerm* AddScene(LPCSTR name, CVuskEMapTerm* parent);
    // Removed from its parent's list (or the top level) and destroyed with everything below it.
    void DeleteScene(CVuskEMapTerm* scene);
    BOOL ContainsDevice(int serverId, int kind, int index) const;

    DWORD m_magic;
    DWORD m_version;
    CTypedPtrList<CObList, CVuskEMapTerm*> m_scenes; // owned, the top-level scenes

private:
    void Reset();
};
