// Resource identifiers of Warden.exe.
#pragma once

// Each area keeps its identifiers in a header of its own.
#include "resources/warden/liveview.h"
#include "resources/warden/panels.h"
#include "resources/warden/mainwindow.h"
#include "resources/warden/config.h"
#include "resources/warden/emap.h"
#include "resources/warden/records.h"
#include "resources/warden/servers.h"
#include "resources/warden/settings.h"

#define IDD_LOGIN 130
#define IDD_BROADCAST 234

#define IDC_LOGIN_AUTO 1014
#define IDC_LOGIN_NAME 1036
#define IDC_LOGIN_PASSWORD 1037
#define IDC_LOGIN_UNLOCK_TEXT 1146
#define IDC_LOGIN_PASSWORD_LABEL 1147
#define IDC_LOGIN_NAME_LABEL 1148

#define IDC_BROADCAST_ADD 5
#define IDC_BROADCAST_DELETE 1044
#define IDC_BROADCAST_LIST 1163
#define IDC_BROADCAST_START 1166
#define IDC_BROADCAST_STOP 1167

#define IDS_LOGIN_CAPTION 104
#define IDS_CONFIRM_CAPTION 105
#define IDS_OK 196
#define IDS_UNLOCK_PROMPT 310
#define IDS_UNLOCK_CAPTION 311
#define IDS_NO_PERMISSION 319
