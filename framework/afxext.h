// Views: a scrolling view, and a form view (a dialog template that scrolls) to be placed in a dialog.
#pragma once

#include "afxwin.h"

#include "View.h"
#include "ScrollView.h"
#include "FormView.h"
