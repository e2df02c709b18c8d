// The main dialog's view commands, the screen lock and the settings' export and import.
#include "station/ui/mainwindow/DlgMain.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/ui/mainwindow/PathPicker.h"
#include "station/ui/mainwindow/SettingsTransfer.h"
#include "station/ui/liveview/SkinButton.h"

namespace {

// The controls the lock freezes, by bit: the tree (bit 0), then the buttons.
const UINT kLockedButtons[] = {400, 401, 402, 404, 403, 405, 406, 407, 408, 409, 410,
                               411, 412, 413, 414, 415, 416, 417, 441, 442, 443};
const UINT kLockedMenuItems[17] = {ID_SAVE_STATE,
                                   ID_LOGIN,
                                   ID_EXIT,
                                   ID_VIDEO_FILES,
                                   ID_SYSTEM_LOG,
                                   ID_EMAP,
                                   ID_TOUR,
                                   ID_SYSTEM_SETTINGS,
                                   ID_SERVER_ASSIGN,
                                   ID_TOUR_SETTINGS,
                                   ID_EDIT_EMAP,
                                   ID_REMOTE_SETTINGS,
                                   ID_ABOUT,
                                   ID_BROADCAST,
                                   ID_SERVER_LOCAL_SETTINGS,
                                   ID_IMPORT_SETTINGS,
                                   ID_EXPORT_SETTINGS};
// Shown with the controls around the video wall.
const UINT kViewButtons[] = {400, 401, 402, 405, 406, 407, 408, 409, 410, 411,
                             412, 413, 414, 415, 416, 417, 442, 443, 441, 403};

} // namespace

void CDlgMain::ShowControls(int show)
{
    for (UINT id : kViewButtons)
        ShowButton(id, show);
    int command = show ? SW_SHOW : SW_HIDE;
    m_tabCtrl.ShowWindow(command);
    m_clockLabel.ShowWindow(command);
    m_dateLabel.ShowWindow(command);
    m_logoPicture.ShowWindow(command);
    int tab = show ? m_tabCtrl.GetCurSel() : -1;
    if (!show || tab == 0 || tab == 1 || tab == 2)
        m_serverTree.ShowWindow(tab == 0 ? SW_SHOW : SW_HIDE);
    if (!show || tab == 0 || tab == 1 || tab == 2)
        ShowPanels(tab);
}

void CDlgMain::LockControls(int unlock)
{
    HMENU menu = m_ownerMenu != nullptr ? m_ownerMenu->m_hMenu : nullptr;
    if (!unlock) {
        m_lockedStates = m_serverTree.IsWindowEnabled() ? 1u : 0u;
        m_serverTree.EnableWindow(FALSE);
        for (int bit = 0; bit < (int)(sizeof kLockedButtons / sizeof kLockedButtons[0]); ++bit) {
            CWnd* button = SkinButton(kLockedButtons[bit]);
            if (button != nullptr && button->m_hWnd != nullptr && button->IsWindowEnabled())
                m_lockedStates |= 1u << (bit + 1);
            EnableButton(kLockedButtons[bit], FALSE);
        }
        for (int i = 0; i < 17; ++i) {
            m_lockedMenuStates[i] = menu != nullptr ? (int)::GetMenuState(menu, kLockedMenuItems[i], MF_BYCOMMAND) : 0;
            SetMenuState(kLockedMenuItems[i], MF_GRAYED);
        }
        EnablePanels(0);
    } else {
        m_serverTree.EnableWindow((m_lockedStates & 1u) != 0);
        for (int bit = 0; bit < (int)(sizeof kLockedButtons / sizeof kLockedButtons[0]); ++bit)
            EnableButton(kLockedButtons[bit], (m_lockedStates & (1u << (bit + 1))) != 0);
        for (int i = 0; i < 17; ++i)
            SetMenuState(kLockedMenuItems[i], (UINT)m_lockedMenuStates[i] & (MF_GRAYED | MF_DISABLED));
        EnablePanels(1);
    }
    DrawMenuBar();
}

namespace {

int ChooseFolder(CWnd* owner, UINT titleId, CString& folder)
{
    CString title;
    title.LoadString(titleId);
    CPathPicker picker;
    if (picker.BrowseFolder(title, "c:\\", BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS, owner, nullptr) != 1)
        return 0;
    folder = picker.GetFolderPath();
    return 1;
}

} // namespace

void CDlgMain::OnExportSettings()
{
    ExportSettings();
}
void CDlgMain::OnImportSettings()
{
    ImportSettings();
}

void CDlgMain::ExportSettings()
{
    CString folder;
    if (!ChooseFolder(this, IDS_EXPORT_TITLE, folder))
        return;
    CString text;
    text.LoadString(ExportSettingsFiles(GetStartDirectory(), folder) == 0 ? IDS_EXPORT_OK : IDS_EXPORT_FAILED);
    AfxMessageBox(text);
}

void CDlgMain::ImportSettings()
{
    CString folder;
    if (!ChooseFolder(this, IDS_IMPORT_TITLE, folder))
        return;
    int copied = 0;
    CString report = ImportSettingsFiles(GetStartDirectory(), folder, &copied);
    if (copied > 0)
        MarkSettingsImported();
    AfxMessageBox(report);
    OnExit();
}

void CDlgMain::LoadStorageRoots()
{
    m_storagePathCount = ::LoadStorageRoots(GetStartDirectory(), m_storagePaths);
}
