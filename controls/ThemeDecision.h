// Whether the controls draw with the platform's visual styles, decided from what the platform
// reports; window-free so that every combination is tested.
#pragma once

#include <string>

struct ThemeProbes {
    bool versionKnown;     // the common controls answered their version
    unsigned major, minor; // that version
    bool themeNameRead;    // the current theme's file and colour names could be read
    std::string colorName; // the colour scheme, in the program's 8-bit text
    bool appThemed;        // the application is themed
    bool libraryLoaded;    // the theme library is present
};

// 1 = themed, 0 = classic 3-D drawing.
int DecideThemed(const ThemeProbes& probes);
