// The remote-configuration control's wrapper.
#include "station/ui/RemoteParamCtrl.h"

IMPLEMENT_DYNCREATE(CRemoteParamCtrl, CWnd)

long CRemoteParamCtrl::ShowParams(LPCSTR, LPCSTR, short, LPCSTR, LPCSTR)
{
    return 0;
}
