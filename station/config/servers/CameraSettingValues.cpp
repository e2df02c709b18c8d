// The smoothness table and the external-input box ids.
#include "station/config/servers/CameraSettingValues.h"

namespace {

const int kSmoothness[kSmoothnessChoices] = {0, 5, 10, 20, 50, 100};

} // namespace

const int kExternalInputBoxes[16] = {1214, 1215, 1217, 1218, 1219, 1220, 1221, 1222,
                                     1223, 1224, 1225, 1226, 1227, 1228, 1229, 1230};
const int kAlarmOutputBoxes[16] = {1142, 1143, 1144, 1145, 4008, 4009, 4010, 4011,
                                   4048, 4049, 4050, 4051, 4052, 4053, 4054, 4055};

int SmoothnessIndex(int value)
{
    for (int i = 0; i < kSmoothnessChoices; ++i) {
        if (kSmoothness[i] == value)
            return i;
    }
    return -1;
}

int SmoothnessValue(int index)
{
    return index >= 0 && index < kSmoothnessChoices ? kSmoothness[index] : 0;
}
