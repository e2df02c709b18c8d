// What saves that were stopped midway (a crash, a power cut, the watchdog) leave in the start
// directory, and its removal at start-up.
#pragma once

// Deletes, from the start directory, the temporary file of each data and INI file the station saves
// ("<name>.tmp", the server tree's can be 16 MB) and the plain "userlist.bak" that older versions
// wrote beside the user list. Exactly these names; nothing else of the folder. The main window
// calls it at start, before anything is loaded.
void RemoveInterruptedSaveLeftovers();
