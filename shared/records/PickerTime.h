// The query range as the date and time pickers give it, in the forms the searches take.
#pragma once

#include <afxcmn.h>

#include "devices/framewell/Framewell.h"

FramewellTime ToFramewellTime(const SYSTEMTIME& t);
// The date of one picker with the time of the other, to the whole second.
SYSTEMTIME CombinePickers(CDateTimeCtrl& date, CDateTimeCtrl& time);
// The range pickers set to the whole of a day, 00:00:00 to 23:59:59.
void SetDayRange(const SYSTEMTIME& day, CDateTimeCtrl& fromDate, CDateTimeCtrl& fromTime, CDateTimeCtrl& toDate,
                 CDateTimeCtrl& toTime);
