// screenshot.exe --screen <file.png> | --window <caption> <file.png>
// Saves what a user sees to PNG; used by scripts/run when there is no display to look at.
#include <cstdio>
#include <cstring>

#include "tools/screenshot/Screenshot.h"

int main(int argc, char** argv)
{
    Capture cap;
    const char* out = nullptr;
    if (argc == 3 && std::strcmp(argv[1], "--screen") == 0) {
        cap = CaptureScreen();
        out = argv[2];
    } else if (argc == 4 && std::strcmp(argv[1], "--window") == 0) {
        HWND window = FindWindowA(nullptr, argv[2]);
        if (!window) {
            std::fprintf(stderr, "screenshot: no window titled \"%s\"\n", argv[2]);
            return 2;
        }
        SetForegroundWindow(window);
        cap = CaptureWindow(window);
        out = argv[3];
    } else {
        std::fprintf(stderr, "usage: screenshot --screen <file.png> | --window <caption> <file.png>\n");
        return 2;
    }
    if (!SavePng(cap, out)) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
