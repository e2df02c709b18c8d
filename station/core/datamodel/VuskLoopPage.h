// CVuskLoopPage: one step of the automatic tour: up to 16 cameras packed at the front, the split
// mode and how long the step is shown.
#pragma once

#include <afx.h>

class CTermCamera;

const int kLoopEntries = 16;

class CVuskLoopPage : public CObject {
    DECLARE_SERIAL(CVuskLoopPage)
public:
    // No entries, 16 panes, 30 seconds.
    CVuskLoopPage();

    // All 16 pairs are stored whatever the count; a count outside 0..16 fails the load.
    void Serialize(CArchive& ar) override;

    // Index outside 0..count-1: 0. Else the later entries move one place forward and the count
    // falls by one: 1. The vacated last entry keeps its old pair (and is written so).
    int RemoveAt(int index);
    // Binds entries 0..count-1: one whose server or camera no longer exists is removed; one whose
    // camera has no channel session stays, unbound (null camera), and comes back with the session.
    void Resolve();
    // 1 when one of the first count entries holds the pair.
    int Contains(int serverId, int channel) const;
    // The count, kept within 0..16 whatever an editor stored.
    int UsedEntries() const;

    CTermCamera* m_cameras[kLoopEntries]; // not stored; null while unbound
    int m_paneCount;
    int m_dwellSeconds;
    int m_count;
    int m_serverIds[kLoopEntries];
    int m_channels[kLoopEntries];
};
