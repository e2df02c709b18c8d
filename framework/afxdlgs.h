// The common dialogs: open and save file dialogs and the folder chooser.
#pragma once

#include "afxwin.h"

#include "framework/FileDialog.h"
#include "framework/FolderPickerDialog.h"
