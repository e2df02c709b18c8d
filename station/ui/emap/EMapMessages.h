// Messages between the electronic map's windows and the main dialog.
#pragma once

#include <windows.h>

const UINT WM_EMAP_ACTIVATE = 0x533;       // wParam icon, link or device; lParam 0 icon, 1 link, 2 device
const UINT WM_EMAP_POPUP_CLOSED = 0x534;   // wParam the pop-up video window, lParam 0
const UINT WM_EMAP_LABEL_EDITED = 0x535;   // wParam the editor tree's item, lParam 0
const UINT WM_DEVSELECT_REFILL = 0x464;    // the device chooser fills its tree
const UINT WM_EMAP_DEFERRED_START = 0x532; // the pop-up takes its picture once it is shown

enum EMapActivateKind { emapActivateIcon = 0, emapActivateLink = 1, emapActivateDevice = 2 };

// Images of the scene trees (bitmap 135).
enum EMapTreeImage { emapImageScene = 1, emapImageCamera = 3, emapImageInput = 4, emapImageOutput = 5 };

// Controls and timers of the map windows.
const UINT kEMapChildId = 1000;
const UINT kEMapViewId = 0xE901; // the run view and the editor's view, beside the wall's 0xE900
const UINT_PTR kEMapBlinkTimer = 2;
const UINT kEMapBlinkMs = 1000;
const COLORREF kEMapTreeBack = RGB(192, 192, 192);
const COLORREF kEMapTreeMask = RGB(255, 51, 102);
