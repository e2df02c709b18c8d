// Resource identifiers of the live view: video wall, preview panes, PTZ and matrix panels.
#pragma once

#define IDD_PREVIEW_PANE_TEMPLATE 131
#define IDD_VIDEO_WALL_TEMPLATE 132

#define IDC_PANE_SURFACE 1000
#define IDC_PANE_INPUT0 1106
#define IDC_PANE_INPUT1 1107
#define IDC_PANE_INPUT2 1108
#define IDC_PANE_INPUT3 1109
#define IDC_PANE_RECORD 1110
#define IDC_PANE_SERVER_RECORD 1111
#define IDC_PANE_MIC 1112
#define IDC_PANE_AUDIO 1113
#define IDC_PANE_ALARM 1114
#define IDC_PANE_CAPTION 1151
