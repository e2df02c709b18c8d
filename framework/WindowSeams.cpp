// The window seams' current functions and the platform calls behind them.
#include "framework/WindowSeams.h"

#include "afxwin.h"

#include <atomic>

#include <shellapi.h>

namespace Seams {

namespace {

std::atomic<MessageBoxFunc> messageBox{nullptr};
std::atomic<ModalLoopFunc> modalLoop{nullptr};
std::atomic<PopupMenuFunc> popupMenu{nullptr};
std::atomic<FileDialogFunc> fileDialog{nullptr};
std::atomic<FolderDialogFunc> folderDialog{nullptr};
std::atomic<LaunchFunc> launch{nullptr};

int CALLBACK SelectInitialFolder(HWND hWnd, UINT message, LPARAM, LPARAM lpData)
{
    if (message == BFFM_INITIALIZED && lpData != 0)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, lpData);
    return 0;
}

BOOL PlatformFolderDialog(BROWSEINFOA* bi, LPCSTR initialFolder, LPSTR path)
{
    // The caller's own callback wins; otherwise ours selects the initial folder.
    if (bi->lpfn == nullptr && initialFolder != nullptr) {
        bi->lpfn = SelectInitialFolder;
        bi->lParam = (LPARAM)initialFolder;
    }
    // The browser is built of COM objects of the shell.
    HRESULT hrInit = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(bi);
    BOOL ok = pidl != nullptr && ::SHGetPathFromIDListA(pidl, path);
    if (pidl != nullptr)
        ::CoTaskMemFree(pidl);
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return ok;
}

} // namespace

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    AfxSystemModalScope modal;
    MessageBoxFunc f = messageBox.load();
    return f ? f(owner, text, caption, type) : ::MessageBoxA(owner, text, caption, type);
}

void ModalLoopIdle(CWnd* modalWindow)
{
    if (ModalLoopFunc f = modalLoop.load())
        f(modalWindow);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, LPCRECT rect)
{
    AfxSystemModalScope modal;
    PopupMenuFunc f = popupMenu.load();
    if (f == nullptr)
        return ::TrackPopupMenu(menu, flags, x, y, 0, owner, rect);
    UINT chosen = f(menu, flags, x, y, owner);
    if (flags & TPM_RETURNCMD)
        return (BOOL)chosen;
    if (chosen != 0 && !(flags & TPM_NONOTIFY))
        ::PostMessageA(owner, WM_COMMAND, chosen, 0);
    return TRUE;
}

BOOL ShowFileDialog(BOOL open, OPENFILENAMEA* ofn)
{
    AfxSystemModalScope modal;
    if (FileDialogFunc f = fileDialog.load())
        return f(open, ofn);
    return open ? ::GetOpenFileNameA(ofn) : ::GetSaveFileNameA(ofn);
}

BOOL ShowFolderDialog(BROWSEINFOA* bi, LPCSTR initialFolder, LPSTR path)
{
    AfxSystemModalScope modal;
    if (FolderDialogFunc f = folderDialog.load())
        return f(bi, initialFolder, path);
    return PlatformFolderDialog(bi, initialFolder, path);
}

HINSTANCE Launch(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show)
{
    if (LaunchFunc f = launch.load())
        return f(owner, verb, file, parameters, directory, show);
    return ::ShellExecuteA(owner, verb, file, parameters, directory, show);
}

MessageBoxFunc ReplaceMessageBox(MessageBoxFunc f)
{
    return messageBox.exchange(f);
}
ModalLoopFunc ReplaceModalLoop(ModalLoopFunc f)
{
    return modalLoop.exchange(f);
}
PopupMenuFunc ReplacePopupMenu(PopupMenuFunc f)
{
    return popupMenu.exchange(f);
}
FileDialogFunc ReplaceFileDialog(FileDialogFunc f)
{
    return fileDialog.exchange(f);
}
FolderDialogFunc ReplaceFolderDialog(FolderDialogFunc f)
{
    return folderDialog.exchange(f);
}
LaunchFunc ReplaceLaunch(LaunchFunc f)
{
    return launch.exchange(f);
}

} // namespace Seams
