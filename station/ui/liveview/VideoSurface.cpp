#include "station/ui/liveview/VideoSurface.h"

#include "devices/conduit/Conduit.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DlgPreviewPane.h"

BEGIN_MESSAGE_MAP(CVideoSurface, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CVideoSurface::OnPaint()
{
    CPaintDC dc(this);
    CChannelSession* session = m_pOwner != nullptr ? m_pOwner->m_pSession : nullptr;
    if (session != nullptr && session->m_liveHandle != -1 && session->m_state == sessionConnected &&
        session->m_previewOn) {
        Conduit_RefreshDisplay(session->m_liveHandle, 0);
        return;
    }
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(0, 0, 0));
}

// The library paints the picture; erasing would only make it flicker.
BOOL CVideoSurface::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
