// devsim: the simulated site of video servers, DDNS, LAN discovery and the station's serial
// devices, on loopback TCP, driven by a site description and a control port.
//   devsim.exe SITE.ini [--ports FILE] [--free-ports] [--parent PID] [--verbose]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "devices/devsim/Site.h"

int main(int argc, char** argv)
{
    std::string site, portsFile;
    bool freePorts = false, verbose = false;
    DWORD parent = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--ports" && i + 1 < argc)
            portsFile = argv[++i];
        else if (a == "--free-ports")
            freePorts = true;
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--parent" && i + 1 < argc)
            parent = DWORD(std::strtoul(argv[++i], nullptr, 10));
        else if (site.empty() && a.compare(0, 2, "--") != 0)
            site = a;
        else {
            std::fprintf(stderr, "usage: devsim SITE.ini [--ports FILE] [--free-ports] [--parent PID] [--verbose]\n");
            return 2;
        }
    }
    if (site.empty()) {
        std::fprintf(stderr, "usage: devsim SITE.ini [--ports FILE] [--free-ports] [--parent PID] [--verbose]\n");
        return 2;
    }
    // Opened before anything listens, so that a parent that is already gone is noticed.
    HANDLE parentProcess = parent ? OpenProcess(SYNCHRONIZE, FALSE, parent) : nullptr;
    if (parent && !parentProcess)
        return 3;
    auto* s = new devsim::Site; // lives until the process ends; its threads use it to the last
    s->SetVerbose(verbose);
    if (!s->Load(site, freePorts) || !s->StartAll())
        return 1;
    if (!portsFile.empty() && !s->WritePortsFile(portsFile)) {
        std::fprintf(stderr, "devsim: cannot write %s\n", portsFile.c_str());
        return 1;
    }
    std::printf("devsim: site %s is up\n", site.c_str());
    std::fflush(stdout);
    // A test that dies leaves no site behind: devsim ends with the program that started it.
    WaitForSingleObject(parentProcess ? parentProcess : GetCurrentProcess(), INFINITE);
    s->StopAll();
    return 0;
}
