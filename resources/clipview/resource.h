// Resource identifiers of Clipview.exe.
#pragma once

#define IDD_PLAYER 102
#define IDC_PLAYER_STATUS 1013

#define IDS_PLAYER_CAPTION 101
