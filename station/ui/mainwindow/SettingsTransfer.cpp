// Export and import of the settings files.
#include "station/ui/mainwindow/SettingsTransfer.h"

#include "resources/warden/resource.h"
#include "station/core/datamodel/StationPaths.h"

const char* const kExportOrder[kSettingsFileCount] = {
    "sysparam.dat", "userlist.dat", "sysrecord.dat", "servertree.cfg",
    "pageview.cfg", "emaptree.cfg", "loopview.cfg",  "broadcast.cfg",
};
const char* const kImportOrder[kSettingsFileCount] = {
    "sysparam.dat", "userlist.dat", "sysrecord.dat", "servertree.cfg",
    "pageview.cfg", "emaptree.cfg", "broadcast.cfg", "loopview.cfg",
};

namespace {

int g_imported = 0;

} // namespace

int ExportSettingsFiles(LPCSTR startDir, LPCSTR folder)
{
    int failed = 0;
    for (const char* name : kExportOrder) {
        if (!::CopyFileA(JoinPath(startDir, name), JoinPath(folder, name), FALSE))
            ++failed;
    }
    return failed;
}

CString ImportSettingsFiles(LPCSTR startDir, LPCSTR folder, int* copied)
{
    CString report;
    int done = 0;
    for (const char* name : kImportOrder) {
        if (::CopyFileA(JoinPath(folder, name), JoinPath(startDir, name), FALSE)) {
            ++done;
            continue;
        }
        CString line;
        line.Format(IDS_IMPORT_FILE_FAILED, name);
        report += line + "\t\r\n";
    }
    CString notice;
    notice.LoadString(IDS_IMPORT_RESTART);
    report += notice;
    if (copied != nullptr)
        *copied = done;
    return report;
}

void MarkSettingsImported()
{
    g_imported = 1;
}
int SettingsImported()
{
    return g_imported;
}
void ResetSettingsImported()
{
    g_imported = 0;
}
