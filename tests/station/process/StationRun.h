// A station started as a whole program for a test: a fresh start directory holding the layout
// and pictures and the demonstration data (written by wardendemo) for a site, Warden.exe started
// in it, and its main window found.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/TestSupport.h"

class StationRun {
public:
    // servers: "NAME=PORT ..." handed to wardendemo (empty: the demonstration site's own ports).
    explicit StationRun(const std::string& servers = std::string());

    const std::string& StartDir() const { return dir_.Path(); }
    std::string StorageDir() const { return dir_.File("recordings"); }
    bool Prepared() const { return prepared_; }

    // Starts Warden.exe with the start directory as its current one, then waits (bounded) for
    // its main window: the one named in "start.ini", visible.
    bool Start(const std::string& arguments = std::string(), DWORD timeoutMs = 60000);
    HWND MainWindow() const { return main_; }
    ChildProcess& Process() { return station_; }

private:
    TempDir dir_;
    ChildProcess station_;
    HWND main_ = nullptr;
    bool prepared_ = false;
};

// Copies a folder with everything in it; false when anything failed.
bool CopyTree(const std::string& from, const std::string& to);
