// Values of the camera pages that are not plain copies: the smoothness table of the combos and the
// check boxes of the sixteen external alarm inputs.
#pragma once

const int kSmoothnessChoices = 6;

// The combo index of a smoothness value, or -1 when the value is not in the table.
int SmoothnessIndex(int value);
// The value of a combo index; 0 for an index outside the table.
int SmoothnessValue(int index);

// Check boxes of external inputs 1 to 16 on the alarm recording and snapshot pages.
extern const int kExternalInputBoxes[16];
// Check boxes of alarm-box outputs 1 to 16 on the alarm input page.
extern const int kAlarmOutputBoxes[16];
