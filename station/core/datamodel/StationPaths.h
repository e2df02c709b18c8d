// The start directory: the process's current directory when the station started. Every data and
// INI file of the station lies in it, so paths are built from this one string, not from whatever
// the current directory has become since.
#pragma once

#include <afx.h>

// The recorded start directory, without a trailing backslash. Until SetStartDirectory is called it
// is the current directory at the first call.
CString GetStartDirectory();
// The application records it at start; tests point it at their own folder.
void SetStartDirectory(LPCSTR directory);

// The given path when there is one, else the start directory, "\" and the file name.
CString StationFilePath(LPCSTR fileName, LPCSTR path = nullptr);
// "%s\%s": a folder and a name in it.
CString JoinPath(LPCSTR dir, LPCSTR name);
