// Conversions between playlist entries and a pane's target.
#include "player/PlaylistEntry.h"

#include <afxstr.h>

PlaylistEntry MakePlaylistEntry(const PlayTarget& target)
{
    PlaylistEntry entry = {};
    CopyText(entry.path, target.path);
    entry.local = target.local;
    if (!target.local) {
        CopyText(entry.address, target.address);
        CopyText(entry.user, target.user);
        CopyText(entry.password, target.password);
        entry.port = target.port;
    }
    return entry;
}

void ApplyPlaylistEntry(const PlaylistEntry& entry, PlayTarget& target)
{
    CopyText(target.path, entry.path);
    target.local = entry.local;
    if (!entry.local) {
        CopyText(target.address, entry.address);
        CopyText(target.user, entry.user);
        CopyText(target.password, entry.password);
        target.port = entry.port;
    }
}
