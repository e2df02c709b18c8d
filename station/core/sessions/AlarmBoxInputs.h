// The alarm box's 16 inputs over one serial connection: per input a re-trigger count and the time
// of its last alarm, and the mask of the box outputs the alarms switched on. The poller thread
// feeds it one poll at a time; it makes no calls itself, so the timing rules are tested directly.
#pragma once

#include "station/core/datamodel/AlarmInputConfig.h"

const int kAlarmBoxInputCount = 16;

class AlarmBoxInputs {
public:
    // A fresh connection: no alarms, outputs off, every count at the ceiling (the usual 300, or
    // the alarm interval when that is longer, so that the count can always reach it).
    void Reset(int alarmIntervalSeconds);

    // The start of a poll: an input whose hold ran out switches every output it links off (an
    // output another input still holds goes off too); every count below the ceiling grows by the
    // poll interval. TRUE when the outputs changed.
    BOOL Advance(const AlarmInputConfig (&inputs)[kAlarmBoxInputCount], int pollSeconds, DWORD now, DWORD msPerSecond);

    // The box reported this input mask: each active input that the schedule admits now and whose
    // count reached the alarm interval raises an alarm, switches its linked outputs on and starts
    // counting again. Returns the inputs that raised an alarm (bit i).
    int Trigger(const AlarmInputConfig (&inputs)[kAlarmBoxInputCount], int alarmIntervalSeconds, int mask,
                const SYSTEMTIME& time, DWORD now);

    unsigned int Outputs() const { return m_outputs; }

private:
    int m_ceiling = 300;
    int m_retrigger[kAlarmBoxInputCount] = {};
    DWORD m_alarmTime[kAlarmBoxInputCount] = {}; // 0 = none
    unsigned int m_outputs = 0;
};
