// The PTZ operation codes as the station sends them: one table for the PTZ panel, the hot-keys,
// the control keyboard, the matrix panel and the map's pop-up video. Window-free.
#pragma once

#include <afx.h>

enum PtzCode {
    ptzPanLeft = 0,
    ptzPanRight = 1,
    ptzTiltUp = 2,
    ptzTiltDown = 3,
    ptzIrisOpen = 4,
    ptzIrisClose = 5,
    ptzFocusFar = 6,
    ptzFocusNear = 7,
    ptzZoomIn = 8,
    ptzZoomOut = 9,
    ptzGotoPreset = 10,
    ptzSetPreset = 11,
    ptzAutoScanOn = 12,
    ptzAuxOn = 30,
    ptzAuxOff = 31,
    ptzAutoScanOff = 32,
    ptzMatrixFirst = 35,
    ptzMatrixLast = 60,
};

// A start code 0..9 is stopped by code + 14.
const int PTZ_STOP_OFFSET = 14;

// Nonzero for the start codes 0..9 that are sent on press and stopped on release.
int IsPtzStartCode(int code);
// The stop code of a start code, or -1 when the code has none.
int PtzStopCode(int code);
// Only the four movements repeat while held; lens actions and presets never do.
int IsPtzRepeatCode(int code);
// A preset or auxiliary number typed into an edit, kept to the 0..255 the protocols carry.
int ClampPtzNumber(int number);

// The matrix panel's camera edit: at most three digits and at most 255. Returns the text to set
// back, or an empty string when the text stays (typing 2, 5, 6 leaves "56").
CString TrimMatrixCameraText(LPCSTR text);
