// The pane's playlist, without windows.
#include "player/Playlist.h"

#include <algorithm>

#include <afxstr.h>

const PlaylistEntry* CPlaylist::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_entries[index].get();
}

void CPlaylist::Add(const PlaylistEntry& entry)
{
    m_entries.push_back(std::make_unique<PlaylistEntry>(entry));
    m_deadEnds = 0;
}

void CPlaylist::RemoveAll()
{
    m_entries.clear();
    m_current = 0;
    m_deadEnds = 0;
}

void CPlaylist::MoveItems(const std::vector<int>& ascending, int p)
{
    const PlaylistEntry* current = GetAt(m_current);
    const int count = GetCount();
    m_deadEnds = 0;
    if (p < 0 || p > count)
        p = count;
    int shift = 0;
    bool first = true;
    for (int i : ascending) {
        if (i < 0 || i >= count)
            continue;
        // Entries already moved from before p have closed their gaps.
        shift = (first || i >= p) ? 0 : shift + 1;
        first = false;
        const int b = i - shift;
        std::unique_ptr<PlaylistEntry> entry = std::move(m_entries[b]);
        if (b < p) {
            m_entries.insert(m_entries.begin() + p, std::move(entry));
            m_entries.erase(m_entries.begin() + b);
        } else {
            m_entries.erase(m_entries.begin() + b);
            m_entries.insert(m_entries.begin() + p, std::move(entry));
            ++p;
        }
    }
    for (int k = 0; k < GetCount(); ++k) {
        if (m_entries[k].get() == current)
            m_current = k;
    }
}

void CPlaylist::DeleteItems(const std::vector<int>& ascending)
{
    const PlaylistEntry* current = GetAt(m_current);
    m_deadEnds = 0;
    for (auto it = ascending.rbegin(); it != ascending.rend(); ++it) {
        if (*it >= 0 && *it < GetCount())
            m_entries.erase(m_entries.begin() + *it);
    }
    m_current = 0;
    for (int k = 0; k < GetCount(); ++k) {
        if (m_entries[k].get() == current)
            m_current = k;
    }
}

const char* PlaylistItemText(const char* path)
{
    const char* last = path;
    for (const char* p = path; *p != '\0'; p += GbkCharLength(p)) {
        if (*p == '\\')
            last = p + 1;
    }
    return last;
}
