// The station's open-file and folder choosers (the settings pages, the main window's export and
// import through CPathPicker). The platform's dialogs may leave the
// process's current directory wherever the user browsed; both put it back to the start directory
// afterwards, chosen or not, since the station makes its scratch files there.
#pragma once

#include <afxwin.h>

#include <shlobj.h>

// An existing file: extension such as "exe", filter such as "exe Files(*.exe)|*.exe||". TRUE with
// the chosen path.
BOOL ChooseExistingFile(CWnd* owner, LPCSTR extension, LPCSTR filter, CString& path);
// The filter of the PTZ control files the matrix and the serial keyboard load.
extern const char kPtzFileFilter[];
// A folder, titled, under root (none = the whole shell), showing initial first (none or empty =
// nothing chosen); flags are the browser's (BIF_...). TRUE with the chosen folder.
BOOL ChooseFolder(CWnd* owner, LPCSTR title, LPCSTR root, LPCSTR initial, CString& folder,
                  UINT flags = BIF_RETURNONLYFSDIRS);
