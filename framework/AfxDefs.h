// Basic types and calling-convention names shared by every framework header.
#pragma once

#include <windows.h>
#include <assert.h>
#include <stddef.h>
#include <tchar.h>

#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

// Checks of the platform's kind: ASSERT only in debug builds, VERIFY's expression always runs,
// TRACE output is not kept.
#ifdef _DEBUG
#define ASSERT(f) assert(f)
#else
#define ASSERT(f) ((void)0)
#endif
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)

// Iterator of the framework's lists and maps; opaque to callers.
struct __POSITION {};
typedef __POSITION* POSITION;

// The start value of list and map iteration, as the platform spells it.
#define BEFORE_START_POSITION ((POSITION)-1L)

class CObject;
class CArchive;
class CString;
