#include "station/ui/mainwindow/PathPicker.h"

#include "framework/WindowSeams.h"
#include "station/config/PathChoice.h"

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

int CPathPicker::BrowseFolder(LPCSTR title, LPCSTR initialFolder, UINT flags, CWnd* owner, LPCSTR rootPath)
{
    // The station has one folder chooser; a refusal keeps nothing of what the browser showed.
    CString chosen;
    if (!ChooseFolder(owner, title, rootPath, initialFolder, chosen, flags))
        return 2;
    CopyText(m_folderPath, chosen);
    return 1;
}
