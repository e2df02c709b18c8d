// The open-file and folder choosers of the settings pages. The platform's dialogs may leave the
// process's current directory wherever the user browsed; both put it back to the start directory
// afterwards, chosen or not, since the station makes its scratch files there.
#pragma once

#include <afxwin.h>

// An existing file: extension such as "exe", filter such as "exe Files(*.exe)|*.exe||". TRUE with
// the chosen path.
BOOL ChooseExistingFile(CWnd* owner, LPCSTR extension, LPCSTR filter, CString& path);
// A file-system folder, titled, under root (none = the whole shell), showing initial first (none or
// empty = nothing chosen). TRUE with the chosen folder.
BOOL ChooseFolder(CWnd* owner, LPCSTR title, LPCSTR root, LPCSTR initial, CString& folder);
