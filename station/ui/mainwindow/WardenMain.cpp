// The one application object of Warden.exe; the framework's entry point runs it.
#include "station/ui/mainwindow/WardenApp.h"

CWardenApp theApp;
