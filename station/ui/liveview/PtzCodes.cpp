#include "station/ui/liveview/PtzCodes.h"

#include <cstdlib>
#include <cstring>

int IsPtzStartCode(int code)
{
    return code >= ptzPanLeft && code <= ptzZoomOut;
}

int PtzStopCode(int code)
{
    return IsPtzStartCode(code) ? code + PTZ_STOP_OFFSET : -1;
}

int IsPtzRepeatCode(int code)
{
    return code >= ptzPanLeft && code <= ptzTiltDown;
}

int ClampPtzNumber(int number)
{
    if (number < 0)
        return 0;
    return number > 255 ? 255 : number;
}

CString TrimMatrixCameraText(LPCSTR text)
{
    if (!text)
        return CString();
    size_t length = strlen(text);
    int value = atoi(text);
    if (value <= 255 && length <= 3)
        return CString();
    if (length > 3) {
        LPCSTR lastThree = text + length - 3;
        return atoi(lastThree) > 255 ? CString(lastThree + 1) : CString(lastThree);
    }
    return CString(text + length - 2);
}
