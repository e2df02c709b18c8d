// The toolkit's trace channels and checks. The toolkit does not use the framework, so it has its own
// small writer that reads the same variables: a channel ("hooks", "engine") is silent unless
// WARDEN_TRACE names it (a comma-separated list, or "all"); its lines then go to OutputDebugStringA and
// are appended to the file WARDEN_TRACE_FILE names, if any.
#pragma once
#include <windows.h>

void SkinTrace(const char* channel, const char* format, ...);
bool SkinTraceOn(const char* channel);
// Reads the variables again (they are read once, at the first trace); for tests.
void SkinTraceReload();

// A failed check writes its place and expression as the framework's ASSERT does (debugger output,
// standard error, the trace file), then breaks only under a debugger.
void SkinCheckFailed(const char* file, int line, const char* expression);
long SkinCheckFailures();
#define SKIN_CHECK(f) ((f) ? (void)0 : SkinCheckFailed(__FILE__, __LINE__, #f))
