// Test seams of the window half: message boxes, modal loops, popup menus, the common file and
// folder dialogs and the shell's launcher. Each is the platform's behaviour until a test installs
// a replacement; installing null puts the platform's back. Replacements are plain functions (state
// in statics), called on the window thread; each Replace returns the function installed before.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

class CWnd;

namespace Seams {

// Answers a message box instead of showing it: returns IDOK, IDYES, IDCANCEL...
typedef int (*MessageBoxFunc)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Called with the window of a modal loop (a CDialog in DoModal) each time the loop has no message
// waiting, the window shown. It may work the dialog's controls and end it (EndDialog); a loop the
// function never ends waits for messages as usual.
typedef void (*ModalLoopFunc)(CWnd* modalWindow);
// Chooses from a popup menu instead of showing it: the chosen command, or 0 for none. Without
// TPM_RETURNCMD the choice is posted to the owner as WM_COMMAND, as the platform does.
typedef UINT (*PopupMenuFunc)(HMENU menu, UINT flags, int x, int y, HWND owner);
// Answers an open or save dialog: fills ofn->lpstrFile (at most ofn->nMaxFile bytes) and returns
// TRUE, or returns FALSE for Cancel.
typedef BOOL (*FileDialogFunc)(BOOL open, OPENFILENAMEA* ofn);
// Answers a folder chooser: writes the chosen folder to path (MAX_PATH bytes) and returns TRUE, or
// returns FALSE for Cancel. initialFolder is the folder shown selected at first, or null.
typedef BOOL (*FolderDialogFunc)(const BROWSEINFOA* bi, LPCSTR initialFolder, LPSTR path);
// Starts a program or opens a document instead of the shell: as ShellExecuteA, returns a value
// above 32 on success.
typedef HINSTANCE (*LaunchFunc)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show);

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
void ModalLoopIdle(CWnd* modalWindow);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, LPCRECT rect);
BOOL ShowFileDialog(BOOL open, OPENFILENAMEA* ofn);
BOOL ShowFolderDialog(BROWSEINFOA* bi, LPCSTR initialFolder, LPSTR path);
HINSTANCE Launch(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show);

MessageBoxFunc ReplaceMessageBox(MessageBoxFunc f);
ModalLoopFunc ReplaceModalLoop(ModalLoopFunc f);
PopupMenuFunc ReplacePopupMenu(PopupMenuFunc f);
FileDialogFunc ReplaceFileDialog(FileDialogFunc f);
FolderDialogFunc ReplaceFolderDialog(FolderDialogFunc f);
LaunchFunc ReplaceLaunch(LaunchFunc f);

} // namespace Seams
