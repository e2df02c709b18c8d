// The camera pages' shared store and apply-to-all.
#include "station/config/servers/CameraPage.h"

#include "resources/warden/config.h"
#include "station/config/CameraWalker.h"
#include "station/core/datamodel/StationGlobals.h"

BEGIN_MESSAGE_MAP(CCameraPage, CConfigPage)
ON_BN_CLICKED(IDC_APPLY_ALL_CAMERAS, OnApplyToAll)
END_MESSAGE_MAP()

CCameraPage::CCameraPage(UINT nIDTemplate) : CConfigPage(nIDTemplate), m_pCamera(nullptr) {}

void CCameraPage::WriteValues()
{
    if (m_pCamera != nullptr)
        WriteTo(m_pCamera, TRUE);
}

void CCameraPage::OnApplyToAll()
{
    if (!ReadControls())
        return;
    ForEachCamera(g_pRecGroup, [this](CTermCamera* camera) { WriteTo(camera, camera == m_pCamera); });
}
