// The leftovers of interrupted saves: each archive file's temporary file and the old plain user list.
#include "station/core/datamodel/SaveLeftovers.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"

namespace {

// Every file the station saves through a temporary file beside it.
const char* const kSavedFiles[] = {"sysparam.dat",   "servertree.cfg", "userlist.dat",  "pageview.cfg",
                                   "loopview.cfg",   "emaptree.cfg",   "broadcast.cfg", "sysrecord.dat",
                                   "serverinfo.dat", "start.ini",      "exit.ini",      "PlayUsrParam.ini"};
// Written plain beside the enciphered user list by older versions of the station.
const char kOldPlainUserList[] = "userlist.bak";

} // namespace

void RemoveInterruptedSaveLeftovers()
{
    for (const char* name : kSavedFiles)
        DeleteFileA(TempPathBeside(StationFilePath(name)));
    DeleteFileA(StationFilePath(kOldPlainUserList));
}
