// Telling the operator that a settings file the dialogs save was not replaced.
#pragma once

#include <afx.h>

// A message box (string IDS_SAVE_FAILED with the file's name) and a system-log record naming the
// file. The file itself stays as it was: the saves replace it whole or not at all.
void ReportSaveFailure(LPCSTR fileName);
