// The tour's split modes.
#include "station/config/servers/TourModes.h"

#include "resources/warden/config.h"

namespace {

const int kPanes[kSplitModes] = {1, 4, 6, 8, 9, 16};

} // namespace

int PanesOfSplitIndex(int index)
{
    return index >= 0 && index < kSplitModes ? kPanes[index] : 16;
}

int SplitIndexOfPanes(int panes)
{
    for (int i = 0; i < kSplitModes; ++i) {
        if (kPanes[i] == panes)
            return i;
    }
    return kSplitModes - 1;
}

unsigned ModeTextId(int panes)
{
    for (int i = 0; i < kSplitModes; ++i) {
        if (kPanes[i] == panes)
            return IDS_SPLIT1 + i;
    }
    return 0;
}
