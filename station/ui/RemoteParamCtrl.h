// CRemoteParamCtrl: the window wrapper of the outside remote-configuration control (control 1152 of
// the main dialog). The control itself is not hosted: the framework puts an inert placeholder in
// its place, so the station only keeps the call it would make.
#pragma once

#include <afxwin.h>

class CRemoteParamCtrl : public CWnd {
    DECLARE_DYNCREATE(CRemoteParamCtrl)
public:
    // Method 1 of the control: shows the server's parameters. The placeholder shows nothing; 0.
    long ShowParams(LPCSTR serverName, LPCSTR address, short port, LPCSTR user, LPCSTR password);
};
