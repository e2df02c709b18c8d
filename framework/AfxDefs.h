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

// Checks of the platform's kind, active in every build the tests run: a failed ASSERT or VERIFY writes
// the place and the expression to the debugger's output, to standard error and to the trace file when
// one is named, then breaks only when a debugger is attached; without one the program goes on. VERIFY's
// expression runs in any case.
void AFXAPI AfxAssertFailed(LPCSTR file, int line, LPCSTR expression);
// How many checks have failed in this process; a test reads it before and after the misuse it makes.
LONG AFXAPI AfxAssertFailures();
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)

// Trace channels, one per area. A channel is silent unless the environment variable WARDEN_TRACE names
// it (a comma-separated list, or "all"); its lines then go to OutputDebugStringA and are appended to the
// file WARDEN_TRACE_FILE names, if any. The skin toolkit reads the same variables on its own.
#define traceHooks "hooks"
#define traceEngine "engine"
#define traceSessions "sessions"
#define traceDevices "devices"
#define traceArchive "archive"
BOOL AFXAPI AfxTraceEnabled(LPCSTR channel);
void AFX_CDECL AfxTrace(LPCSTR channel, LPCSTR format, ...);
// Reads the two variables again (they are read once, at the first trace); for tests.
void AFXAPI AfxTraceReload();
// TRACE(channel, format, ...): one line on that channel.
#define TRACE(channel, ...) AfxTrace(channel, __VA_ARGS__)

// Iterator of the framework's lists and maps; opaque to callers.
struct __POSITION {};
typedef __POSITION* POSITION;

// The start value of list and map iteration, as the platform spells it.
#define BEFORE_START_POSITION ((POSITION)-1L)

class CObject;
class CArchive;
class CString;
