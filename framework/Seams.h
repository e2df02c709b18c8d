// Test seams of the framework: the clock (tick count and local time) and the free space of a
// volume. Each is the platform's call until a test installs a replacement; installing null puts
// the platform's call back. Replacements are plain functions, so a test keeps its state in statics.
#pragma once

#include <windows.h>

namespace Seams {

typedef DWORD (*TickCountFunc)();
typedef void (*LocalTimeFunc)(SYSTEMTIME* now);
// Total free bytes of the volume of root (such as "D:" or "D:\\"), not only the caller's quota.
typedef BOOL (*FreeDiskSpaceFunc)(LPCSTR root, ULONGLONG* freeBytes);

DWORD TickCount();
void LocalTime(SYSTEMTIME* now);
BOOL FreeDiskSpace(LPCSTR root, ULONGLONG* freeBytes);

// Each returns the function installed before.
TickCountFunc ReplaceTickCount(TickCountFunc f);
LocalTimeFunc ReplaceLocalTime(LocalTimeFunc f);
FreeDiskSpaceFunc ReplaceFreeDiskSpace(FreeDiskSpaceFunc f);

} // namespace Seams
