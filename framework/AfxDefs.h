// Basic types and calling-convention names shared by every framework header.
#pragma once

#include <windows.h>
#include <stddef.h>

#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

// Iterator of the framework's lists and maps; opaque to callers.
struct __POSITION {};
typedef __POSITION* POSITION;

// The start value of list and map iteration, as the platform spells it.
#define BEFORE_START_POSITION ((POSITION)-1L)

class CObject;
class CArchive;
class CString;
