// CPlaylist: a pane's entries in play order with the current one. Moves and deletes keep the
// current entry current. It also counts the entries in a row that ended without starting, which
// stops the advance after a whole pass of them; any change of the entries starts the count again.
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

    // The advance at the end of a file: an entry that ended without starting counts, one that started
    // (or was started by the user) clears the count.
    void NoteDeadEnd() { ++m_deadEnds; }
    void ClearDeadEnds() { m_deadEnds = 0; }
    bool WholePassDead() const { return m_deadEnds >= GetCount(); }

    int m_current = 0;

private:
    std::vector<std::unique_ptr<PlaylistEntry>> m_entries;
    int m_deadEnds = 0;
};

// The text after the path's last backslash: what the playlist window shows for an entry.
const char* PlaylistItemText(const char* path);
