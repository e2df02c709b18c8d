// Fixtures of the system settings tests: system parameters and a user list saved in the temporary
// start directory, the administrator logged in, a machine's drives answered by the drive seam, and
// steps that work the system settings dialog.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "station/config/system/DlgSysSetting.h"
#include "station/config/system/RecordDrives.h"
#include "tests/station/config/ConfigTestSupport.h"

// The machine the drive seam describes: type and size per letter (type 0 = no such drive).
struct FakeDrive {
    UINT type;
    int totalMB;
    int freeMB;
};
// C and D fixed, E a CD, F a network drive, G a RAM disk, Z fixed (Z is never offered).
void SetStandardDrives();
void SetFakeDrive(char letter, FakeDrive drive);
extern const DriveQueries kFakeDriveQueries;

// The page of the given tab, the tab selected first.
enum SysTab { tabRecord, tabUsers, tabFileService, tabForward, tabDrives, tabSoftware, tabSerial, tabProgram };

class SysSettingTest : public ConfigTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Logs in as the user of the list with that name (his rights become the current ones).
    void LogInAs(const char* name);
    // The four files the dialog may write, as they are now.
    std::string SettingsFiles() const;

    // Answers the boxes no test looks at: OK also opens the keyboard and alarm-input ports, which
    // fail without a site.
    std::unique_ptr<MessageBoxRecorder> quietBoxes_;
};

// A step on the system settings dialog, with the tab shown first.
typedef std::function<void(CDlgSysSetting*)> SettingsAction;
ModalStep OnSettings(SettingsAction action);
ModalStep OnTab(int tab, std::function<void(CDlgSysSetting*, CWnd* page)> action);
ModalStep PressOk();
ModalStep PressCancel();
