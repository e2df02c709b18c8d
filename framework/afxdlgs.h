// The common dialogs: open and save file dialogs and the folder chooser.
#pragma once

#include "afxwin.h"

#include "FileDialog.h"
#include "FolderPickerDialog.h"
