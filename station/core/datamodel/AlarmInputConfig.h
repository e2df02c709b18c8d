// AlarmInputConfig: the settings of one of the 16 inputs of a server's alarm box (103 bytes in
// "servertree.cfg").
#pragma once

#include "station/core/datamodel/ScheduleEntry.h"

struct AlarmInputConfig {
    // NUL-terminated when set here, but a file may fill all 40 bytes; read it with GetName.
    char name[40];
    int holdSeconds;           // seconds until the linked box outputs are switched off again
    int reportToCentre;        // box "上传中心": the station is told of an alarm of this input, through
                               // every camera session of the server as an external alarm
    BYTE outputs[16];          // 1 = switch box output 1..16 on at an alarm
    BYTE connectCameras[4];    // 1 = connect camera 1..4 of the server at an alarm
    ScheduleEntry schedule[7]; // when the input is watched

    // The defaults of input inputNumber (1..16).
    void SetDefaults(int inputNumber);
    // The name up to its terminator or the end of the array.
    CString GetName() const;
    // At most 39 bytes, cut on a character boundary; the rest of the array is cleared.
    void SetName(LPCSTR text);
    void Serialize(CArchive& ar);
};
