// CPlaylist: a pane's entries in play order with the current one. Moves and deletes keep the
// current entry current.
#pragma once

#include <memory>
#include <vector>

#include "player/PlaylistEntry.h"

class CPlaylist {
public:
    int GetCount() const { return (int)m_entries.size(); }
    const PlaylistEntry* GetAt(int index) const;
    void Add(const PlaylistEntry& entry);
    void RemoveAll();

    // Puts the entries at the ascending indexes together, in their old order, at insertion
    // position p (an index of the list before the move; the count for the end).
    void MoveItems(const std::vector<int>& ascending, int p);
    // Removes the entries at the ascending indexes; the current one, when deleted, becomes entry 0.
    void DeleteItems(const std::vector<int>& ascending);

    int m_current = 0;

private:
    std::vector<std::unique_ptr<PlaylistEntry>> m_entries;
};

// The text after the path's last backslash: what the playlist window shows for an entry.
const char* PlaylistItemText(const char* path);
