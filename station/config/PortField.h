// A network port typed into a dialog field. The services and the media library take a 16-bit
// port: a larger number would be cut short and start the service on another port or not at all,
// so the field refuses it with the framework's range message, the focus on the field.
#pragma once

#include <afxwin.h>

const UINT kLowestPort = 1;
const UINT kHighestPort = 65535;

inline void DDV_Port(CDataExchange* pDX, UINT port)
{
    DDV_MinMaxUInt(pDX, port, kLowestPort, kHighestPort);
}
