// The common controls: list view, header, tree view, tab, trackbar, progress bar, up-down, date-time
// picker, IP address, tooltip and image lists.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/HeaderCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/SliderCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/SpinButtonCtrl.h"
#include "framework/DateTimeCtrl.h"
#include "framework/IPAddressCtrl.h"
#include "framework/ToolTipCtrl.h"
