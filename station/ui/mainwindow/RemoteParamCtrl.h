// CRemoteParamCtrl: the window wrapper of the outside remote-configuration control (control 1152 of
// the main dialog). The control itself is not hosted: the framework puts an inert placeholder in
// its place. Our stand-in for it is CRemoteParamWindow: method 1 opens that window, which shows
// what the server reports of itself, until the user closes it.
#pragma once

#include <afxwin.h>

#include "station/ui/mainwindow/RemoteParamWindow.h"

class CRemoteParamCtrl : public CWnd {
    DECLARE_DYNCREATE(CRemoteParamCtrl)
public:
    CRemoteParamCtrl() = default;
    ~CRemoteParamCtrl() override;

    // Method 1 of the control: shows the server's parameters. 1 when the window shows them, 0 when
    // it could not be opened.
    long ShowParams(LPCSTR serverName, LPCSTR address, short port, LPCSTR user, LPCSTR password);
    // The open window, or null (the user closed it or none was opened).
    CRemoteParamWindow* GetParamWindow() const;

private:
    CRemoteParamWindow m_window;
};
