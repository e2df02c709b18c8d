// The query range as the date and time pickers give it, in the forms the searches take.
#pragma once

#include <afxcmn.h>

#include "devices/framewell/Framewell.h"

FramewellTime ToFramewellTime(const SYSTEMTIME& t);
// The date of one picker with the time of the other, to the whole second.
SYSTEMTIME CombinePickers(CDateTimeCtrl& date, CDateTimeCtrl& time);
