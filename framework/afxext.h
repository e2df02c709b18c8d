// Views: a scrolling view, and a form view (a dialog template that scrolls) to be placed in a dialog.
#pragma once

#include "afxwin.h"

#include "framework/View.h"
#include "framework/ScrollView.h"
#include "framework/FormView.h"
