// Line settings to combo indexes and back.
#include "station/config/SerialSettings.h"

int BaudIndex(int baud)
{
    return baud == 2400 ? 0 : baud == 4800 ? 1 : 2;
}

int BaudOfIndex(int index)
{
    return index == 0 ? 2400 : index == 1 ? 4800 : 9600;
}

int DataBitsIndex(int bits)
{
    return bits >= 5 && bits <= 7 ? bits - 5 : 3;
}

int DataBitsOfIndex(int index)
{
    return index >= 0 && index <= 2 ? index + 5 : 8;
}

int StopBitsIndex(int bits)
{
    return bits == 1 ? 0 : 1;
}

int StopBitsOfIndex(int index)
{
    return index == 0 ? 1 : 2;
}
