#include "station/ui/PathPicker.h"

#include "framework/WindowSeams.h"

#include <cstring>

CPathPicker::CPathPicker(int open, LPCSTR defaultExt, LPCSTR initialFile, DWORD flags, LPCSTR filter, CWnd* owner)
{
    InitForFolder();
    m_open = open;
    if (initialFile != nullptr)
        CopyText(m_filePath, initialFile);
    m_fileDialog.lpstrFilter = filter;
    m_fileDialog.lpstrDefExt = defaultExt;
    m_fileDialog.lpstrFile = m_filePath;
    m_fileDialog.nMaxFile = sizeof m_filePath;
    m_fileDialog.lpstrFileTitle = m_fileTitle;
    m_fileDialog.nMaxFileTitle = sizeof m_fileTitle;
    m_fileDialog.Flags = flags | OFN_EXPLORER;
    if (owner != nullptr)
        m_fileDialog.hwndOwner = owner->GetSafeHwnd();
}

CPathPicker::CPathPicker()
{
    InitForFolder();
}

CPathPicker::~CPathPicker() = default;

void CPathPicker::InitForFolder()
{
    memset(&m_fileDialog, 0, sizeof m_fileDialog);
    memset(m_filePath, 0, sizeof m_filePath);
    memset(m_fileTitle, 0, sizeof m_fileTitle);
    memset(m_folderPath, 0, sizeof m_folderPath);
    m_open = 1;
}

int CPathPicker::ChooseFile()
{
    // The full record (88 bytes in a 32-bit program).
    m_fileDialog.lStructSize = sizeof m_fileDialog;
    return Seams::ShowFileDialog(m_open == 1, &m_fileDialog) ? 1 : 2;
}

int CALLBACK FolderBrowseCallback(HWND window, UINT message, LPARAM, LPARAM initialFolder)
{
    if (message == BFFM_INITIALIZED && initialFolder != 0)
        ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, initialFolder);
    return 0;
}

namespace {

// The shell's item of a folder path, or null; freed by the caller with the shell allocator.
LPITEMIDLIST ParseFolder(LPCSTR path)
{
    WCHAR wide[MAX_PATH];
    if (!::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, wide, MAX_PATH))
        return nullptr;
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    LPITEMIDLIST item = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &item, nullptr)))
        item = nullptr;
    desktop->Release();
    return item;
}

} // namespace

int CPathPicker::BrowseFolder(LPCSTR title, LPCSTR initialFolder, UINT flags, CWnd* owner, LPCSTR rootPath)
{
    IMalloc* allocator = nullptr;
    if (FAILED(::SHGetMalloc(&allocator)) || allocator == nullptr)
        return 2;
    BROWSEINFOA info = {};
    info.hwndOwner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    info.pidlRoot = rootPath != nullptr ? ParseFolder(rootPath) : nullptr;
    info.pszDisplayName = m_folderPath;
    info.lpszTitle = title;
    info.ulFlags = flags;
    info.lpfn = FolderBrowseCallback;
    info.lParam = (LPARAM)initialFolder;
    // The browser may write a display name into the buffer before it fails: a refusal keeps nothing.
    char chosen[MAX_PATH] = "";
    int result = Seams::ShowFolderDialog(&info, initialFolder, chosen) ? 1 : 2;
    if (result == 1)
        CopyText(m_folderPath, chosen);
    if (info.pidlRoot != nullptr)
        allocator->Free((void*)info.pidlRoot);
    allocator->Release();
    return result;
}
