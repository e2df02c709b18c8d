// Re-trigger counts, hold times and the output mask of the alarm box's inputs.
#include "station/core/sessions/AlarmBoxInputs.h"

namespace {

const int kRetriggerCeiling = 300;

unsigned int LinkedOutputs(const AlarmInputConfig& input)
{
    unsigned int mask = 0;
    for (int k = 0; k < 16; ++k) {
        if (input.outputs[k])
            mask |= 1u << k;
    }
    return mask;
}

} // namespace

void AlarmBoxInputs::Reset(int alarmIntervalSeconds)
{
    m_ceiling = alarmIntervalSeconds > kRetriggerCeiling ? alarmIntervalSeconds : kRetriggerCeiling;
    for (int i = 0; i < kAlarmBoxInputCount; ++i) {
        m_retrigger[i] = m_ceiling;
        m_alarmTime[i] = 0;
    }
    m_outputs = 0;
}

BOOL AlarmBoxInputs::Advance(const AlarmInputConfig (&inputs)[kAlarmBoxInputCount], int pollSeconds, DWORD now,
                             DWORD msPerSecond)
{
    BOOL changed = FALSE;
    for (int i = 0; i < kAlarmBoxInputCount; ++i) {
        if (m_alarmTime[i] != 0 && now - m_alarmTime[i] > (DWORD)inputs[i].holdSeconds * msPerSecond) {
            m_outputs &= ~LinkedOutputs(inputs[i]);
            changed = TRUE;
            m_alarmTime[i] = 0;
        }
        m_retrigger[i] = m_retrigger[i] >= m_ceiling ? m_ceiling : m_retrigger[i] + pollSeconds;
    }
    return changed;
}

int AlarmBoxInputs::Trigger(const AlarmInputConfig (&inputs)[kAlarmBoxInputCount], int alarmIntervalSeconds, int mask,
                            const SYSTEMTIME& time, DWORD now)
{
    int alarms = 0;
    for (int i = 0; i < kAlarmBoxInputCount; ++i) {
        if ((mask & (1 << i)) == 0 || m_retrigger[i] < alarmIntervalSeconds ||
            !ScheduleMatches(inputs[i].schedule, 7, time))
            continue;
        alarms |= 1 << i;
        m_outputs |= LinkedOutputs(inputs[i]);
        m_alarmTime[i] = now != 0 ? now : 1; // 0 means no alarm
        m_retrigger[i] = 0;
    }
    return alarms;
}
