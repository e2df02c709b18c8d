// The one application object of Clipview.exe; the framework's entry point runs it.
#include "player/PlayerApp.h"

CPlayerApp theApp;
