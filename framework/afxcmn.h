// The common controls: list view, header, tree view, tab, trackbar, progress bar, up-down, date-time
// picker, IP address, tooltip and image lists.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

#include "ImageList.h"
#include "ListCtrl.h"
#include "HeaderCtrl.h"
#include "TreeCtrl.h"
#include "TabCtrl.h"
#include "SliderCtrl.h"
#include "ProgressCtrl.h"
#include "SpinButtonCtrl.h"
#include "DateTimeCtrl.h"
#include "IPAddressCtrl.h"
#include "ToolTipCtrl.h"
