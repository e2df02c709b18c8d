// The core of the framework layer: objects with run-time class information, exceptions, strings,
// files, archives, time and geometry. Station code includes this (or a header that includes it).
#pragma once

#include "framework/AfxDefs.h"
#include "framework/Object.h"
#include "framework/Exception.h"
#include "afxstr.h"
#include "atltime.h"
#include "atltypes.h"
#include "framework/File.h"
#include "framework/StdioFile.h"
#include "framework/FileFind.h"
#include "framework/Archive.h"

// The module that LoadString and the resource loaders read from. It is the program itself until
// the optional language library is loaded and installed with AfxSetResourceHandle.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxGetInstanceHandle();
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
