// ActiveX support as far as the programs use it: enabling control hosting, and the parameter
// descriptions of CWnd::InvokeHelper. Controls themselves are not hosted (ControlPlaceholder.h).
#pragma once

#include "afxwin.h"
#include "framework/ControlPlaceholder.h"

// Kept for the programs' start-up; placeholders need no set-up.
void AFXAPI AfxEnableControlContainer();

// 8-bit strings are passed as VT_BSTRA and converted by the control's host.
#define VT_BSTRA 14

#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_WBSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_BSTR "\x0E"
#define VTS_I1 "\x10"
#define VTS_UI1 "\x11"
#define VTS_UI2 "\x12"
#define VTS_UI4 "\x13"
#define VTS_NONE ""
