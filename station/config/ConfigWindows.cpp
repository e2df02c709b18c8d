// The installed main-window services of the configuration dialogs.
#include "station/config/ConfigWindows.h"

namespace {

CNullConfigWindows nullWindows;
IConfigWindows* installed = &nullWindows;

} // namespace

IConfigWindows& ConfigWindows()
{
    return *installed;
}

IConfigWindows* InstallConfigWindows(IConfigWindows* windows)
{
    IConfigWindows* previous = installed;
    installed = windows != nullptr ? windows : &nullWindows;
    return previous;
}

void IConfigWindows::TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen)
{
    if (popup != nullptr)
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}
