// The line settings of the station's serial pages as their combo boxes hold them: baud rate 2400,
// 4800 or 9600, data bits 5 to 8 and stop bits 1 or 2 by index, with every other stored value
// shown as the last choice. Used by the serial devices page and the alarm-box page.
#pragma once

int BaudIndex(int baud);
int BaudOfIndex(int index);
int DataBitsIndex(int bits);
int DataBitsOfIndex(int index);
int StopBitsIndex(int bits);
int StopBitsOfIndex(int index);
