#include "station/ui/emap/DlgViewEMap.h"

#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/ui/emap/DlgEMapVideo.h"

BEGIN_MESSAGE_MAP(CDlgViewEMap, CEMapSceneView)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgViewEMap::CDlgViewEMap() : CEMapSceneView(IDD, 0) {}

CDlgEMapVideo* CDlgViewEMap::FindPopup(CVuskEMapDev* device) const
{
    for (int i = 0; i < m_popups.GetSize(); ++i) {
        if (m_popups[i]->m_pDevice == device)
            return m_popups[i];
    }
    return nullptr;
}

void CDlgViewEMap::OpenPopup(CVuskEMapDev* device)
{
    if (device == nullptr || device->m_pServer == nullptr)
        return;
    CTermCamera* camera = device->m_pServer->FindCamera(device->m_index);
    if (camera == nullptr)
        return;
    if (CDlgEMapVideo* open = FindPopup(device)) {
        open->SetFocus();
        return;
    }
    CDlgEMapVideo* popup = new CDlgEMapVideo(device, camera);
    if (!popup->Create(CDlgEMapVideo::IDD, GetParent())) {
        delete popup;
        return;
    }
    popup->ShowWindow(SW_SHOW);
    m_popups.Add(popup);
}

void CDlgViewEMap::CloseAllPopups()
{
    for (int i = 0; i < m_popups.GetSize(); ++i) {
        m_popups[i]->DestroyWindow();
        delete m_popups[i];
    }
    m_popups.RemoveAll();
}

void CDlgViewEMap::RemovePopup(CDlgEMapVideo* popup)
{
    for (int i = 0; i < m_popups.GetSize(); ++i) {
        if (m_popups[i] != popup)
            continue;
        popup->DestroyWindow();
        delete popup;
        m_popups.RemoveAt(i);
        return;
    }
}

void CDlgViewEMap::OnDestroy()
{
    CloseAllPopups();
    CEMapSceneView::OnDestroy();
}
