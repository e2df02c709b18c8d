// The station's file and folder choosers.
#include "station/config/PathChoice.h"

#include <afxdlgs.h>

#include "station/core/datamodel/StationPaths.h"

const char kPtzFileFilter[] = "PTZ File(*.ptz)|*.ptz||";

BOOL ChooseExistingFile(CWnd* owner, LPCSTR extension, LPCSTR filter, CString& path)
{
    CFileDialog dialog(TRUE, extension, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, owner);
    BOOL chosen = dialog.DoModal() == IDOK;
    if (chosen)
        path = dialog.GetPathName();
    ::SetCurrentDirectoryA(GetStartDirectory());
    return chosen;
}

BOOL ChooseFolder(CWnd* owner, LPCSTR title, LPCSTR root, LPCSTR initial, CString& folder, UINT flags)
{
    CFolderPickerDialog dialog(initial != nullptr && *initial != '\0' ? initial : nullptr, flags, owner);
    dialog.SetTitle(title);
    if (root != nullptr)
        dialog.SetRootFolder(root);
    BOOL chosen = dialog.DoModal() == IDOK;
    if (chosen)
        folder = dialog.GetFolderPath();
    ::SetCurrentDirectoryA(GetStartDirectory());
    return chosen;
}
