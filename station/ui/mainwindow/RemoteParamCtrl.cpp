// The remote-configuration control's wrapper.
#include "station/ui/mainwindow/RemoteParamCtrl.h"

IMPLEMENT_DYNCREATE(CRemoteParamCtrl, CWnd)

CRemoteParamCtrl::~CRemoteParamCtrl()
{
    if (m_window.m_hWnd != nullptr)
        m_window.DestroyWindow();
}

long CRemoteParamCtrl::ShowParams(LPCSTR serverName, LPCSTR address, short port, LPCSTR user, LPCSTR password)
{
    // Owned by the dialog that hosts the control, as the control's own windows would be.
    CWnd* owner = m_hWnd != nullptr ? GetParent() : nullptr;
    RemoteServerReport report = QueryRemoteServer(serverName, address, (unsigned short)port, user, password);
    return m_window.Show(owner, report) ? 1 : 0;
}

CRemoteParamWindow* CRemoteParamCtrl::GetParamWindow() const
{
    return m_window.m_hWnd != nullptr ? const_cast<CRemoteParamWindow*>(&m_window) : nullptr;
}
