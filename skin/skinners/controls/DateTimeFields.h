// DateTimeFields: the fields of a date-time picker's text (runs of digits and letters between the
// separators) and which of them lies nearest a point, for the field the picker is editing.
#pragma once
#include <vector>

struct DateTimeField {
    int first; // byte index of the field's first character; -1: none
    int last;  // byte index of its last byte
};

// Digits and ASCII letters make fields; anything else (punctuation, spaces, double-byte characters such
// as the year, month and day marks) separates them.
std::vector<DateTimeField> SplitDateTimeFields(const char* text, int length);
// ends[i]: the x just after byte i, from the text's start. The field whose middle is nearest x.
DateTimeField NearestDateTimeField(const std::vector<DateTimeField>& fields, const std::vector<int>& ends, int x);
