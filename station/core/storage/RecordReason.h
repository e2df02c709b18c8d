// Why a channel records. The bits are stored as the type bits of each recording's index entry, and the
// search filters on them, so the sessions and the storage share this one definition.
#pragma once

enum RecordReason { recordManual = 1, recordAlarm = 2, recordSchedule = 4, recordMotion = 8 };
