// Conversions between playlist entries and a pane's target.
#include "player/PlaylistEntry.h"

#include <afxstr.h>

namespace {

// Entries and targets name their fields alike; a local file has no connection.
template <class From, class To> void CopyTarget(const From& from, To& to)
{
    CopyText(to.path, from.path);
    to.local = from.local;
    if (!from.local) {
        CopyText(to.address, from.address);
        CopyText(to.user, from.user);
        CopyText(to.password, from.password);
        to.port = from.port;
    }
}

} // namespace

PlaylistEntry MakePlaylistEntry(const PlayTarget& target)
{
    PlaylistEntry entry = {};
    CopyTarget(target, entry);
    return entry;
}

void ApplyPlaylistEntry(const PlaylistEntry& entry, PlayTarget& target)
{
    CopyTarget(entry, target);
}
