// HeaderSkinner: list-view and stand-alone headers drawn from the skin; the control keeps its items,
// tracking and dividers.
#pragma once
#include "skin/skinners/controls/ControlSkinner.h"

// The DrawText format of an item by its HDF_ alignment.
UINT HeaderTextFormat(int itemFormat);

class HeaderSkinner : public ControlSkinner {
public:
    explicit HeaderSkinner(SkinnedWindow* owner);

    void Paint(HDC dc) override;
};
