// The settings pages' file and folder choosers.
#include "station/config/PathChoice.h"

#include <afxdlgs.h>

#include "station/core/datamodel/StationPaths.h"

BOOL ChooseExistingFile(CWnd* owner, LPCSTR extension, LPCSTR filter, CString& path)
{
    CFileDialog dialog(TRUE, extension, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, owner);
    BOOL chosen = dialog.DoModal() == IDOK;
    if (chosen)
        path = dialog.GetPathName();
    ::SetCurrentDirectoryA(GetStartDirectory());
    return chosen;
}

BOOL ChooseFolder(CWnd* owner, LPCSTR title, LPCSTR root, LPCSTR initial, CString& folder)
{
    CFolderPickerDialog dialog(initial != nullptr && *initial != '\0' ? initial : nullptr, BIF_RETURNONLYFSDIRS, owner);
    dialog.SetTitle(title);
    if (root != nullptr)
        dialog.SetRootFolder(root);
    BOOL chosen = dialog.DoModal() == IDOK;
    if (chosen)
        folder = dialog.GetFolderPath();
    ::SetCurrentDirectoryA(GetStartDirectory());
    return chosen;
}
