// A fixed text field of a flat record as a string, also when a damaged or foreign file left the
// field without its terminator; and a text into such a field.
#pragma once

#include <afx.h>

#include <string.h>

template <size_t N> CString FieldText(const char (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return CString(field, (int)length);
}

// The text, cut on a character boundary to leave room for its terminator, and nothing after it:
// the whole field is written to the file, so a longer old text must not stay behind the new one.
template <size_t N> void SetFieldText(char (&field)[N], const char* text)
{
    memset(field, 0, N);
    CopyText(field, text);
}
