// CVuskEMapTerm: a scene of the electronic map: its map picture, the devices placed on it and its
// child scenes, which appear as links on its map.
#pragma once

#include <afxtempl.h>

class CVuskEMapDev;

class CVuskEMapTerm : public CObject {
    DECLARE_SERIAL(CVuskEMapTerm)
public:
    CVuskEMapTerm();
    // Child scenes first, then the devices.
    ~CVuskEMapTerm() override;

    void Serialize(CArchive& ar) override;

    // Removes the device from the scene and destroys it.
    void RemoveDevice(CVuskEMapDev* device);
    // Binds the devices and then the child scenes. A device whose server or camera no longer
    // exists is dropped; one whose camera is disabled stays, unbound.
    void Link();
    // 1 when this scene or one below holds a device with the three values.
    BOOL ContainsDevice(int serverId, int kind, int index) const;

    DWORD_PTR m_treeItem;     // not stored: the scene tree's item of this scene
    CVuskEMapTerm* m_pParent; // not stored; null at the top
    CString m_name;
    CString m_mapPath; // the map picture
    int m_x;           // the rectangle of its link on the parent's map
    int m_y;
    int m_width;
    int m_height;
    CTypedPtrList<CObList, CVuskEMapDev*> m_devices;   // owned
    CTypedPtrList<CObList, CVuskEMapTerm*> m_children; // owned
};
