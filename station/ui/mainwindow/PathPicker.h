// CPathPicker: the platform's open and save dialogs and its folder browser, as the station's
// commands and settings dialogs use them (usually a local variable of the command). Both go through
// the framework's dialog seams, so tests answer them.
#pragma once

#include <afxwin.h>

#include <commdlg.h>
#include <shlobj.h>

class CPathPicker {
public:
    // open 1 = open dialog, 0 = save dialog; initialFile (may be null) presets the chosen file.
    CPathPicker(int open, LPCSTR defaultExt, LPCSTR initialFile, DWORD flags, LPCSTR filter, CWnd* owner);
    // The construction used before a folder choice.
    CPathPicker();
    virtual ~CPathPicker();
    CPathPicker(const CPathPicker&) = delete;
    CPathPicker& operator=(const CPathPicker&) = delete;

    void InitForFolder();
    // 1 when a file was chosen, 2 when the user cancelled or the dialog failed.
    virtual int ChooseFile();
    CString GetFilePath() const { return m_filePath; }
    CString GetFileTitle() const { return m_fileTitle; }
    // 1 when a folder was chosen and its path taken, 2 otherwise (ChooseFolder, the station's one
    // folder chooser).
    int BrowseFolder(LPCSTR title, LPCSTR initialFolder, UINT flags, CWnd* owner, LPCSTR rootPath);
    CString GetFolderPath() const { return m_folderPath; }

    OPENFILENAMEA m_fileDialog;
    int m_open;
    char m_filePath[MAX_PATH];
    char m_fileTitle[MAX_PATH];
    char m_folderPath[MAX_PATH];
};
