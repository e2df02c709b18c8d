// Placeholders for ActiveX controls. A dialog template names an ActiveX control by its class
// identifier ("{6A1D3C52-...}") as the control's window class; the platform's dialog manager
// refuses the whole dialog when a control's class does not exist. The framework does not host
// ActiveX controls, so before a dialog is created every such class is registered as a plain,
// inert placeholder window: the dialog opens, and the placeholder sits where the control would,
// with its identifier, position and size.
#pragma once

#include "framework/AfxDefs.h"

// Registers a placeholder class under lpszClassName (the class identifier as text) unless the class
// exists; returns the class name, or null when it cannot be registered.
LPCSTR AFXAPI AfxRegisterControlPlaceholder(LPCSTR lpszClassName);
// Registers a placeholder for each control of the template whose class is a class identifier.
// cbTemplate bounds the reading of the template; 0 when the size is not known.
void AFXAPI AfxRegisterTemplatePlaceholders(LPCDLGTEMPLATE lpTemplate, DWORD cbTemplate = 0);
BOOL AFXAPI AfxIsControlPlaceholder(HWND hWnd);
