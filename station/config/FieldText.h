// A fixed text field of a flat record as a string, also when a damaged or foreign file left the
// field without its terminator.
#pragma once

#include <afx.h>

template <size_t N> CString FieldText(const char (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return CString(field, (int)length);
}
