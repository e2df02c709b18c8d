// The window procedure of the system "BUTTON" class, captured once per process on Windows XP. There a
// button's saved procedure may be a call handle (its high 16 bits all ones) rather than an address; the
// button skinners call the captured procedure instead.
#pragma once
#include <windows.h>

// Makes a hidden helper window and a button inside it and reads the button's class procedure; FALSE when
// the helper class or window cannot be made.
BOOL CaptureButtonClassProc(HINSTANCE instance);
WNDPROC GetButtonClassProc();
// FALSE for a procedure that is a call handle, not an address.
BOOL HasCallableProc(WNDPROC proc);
