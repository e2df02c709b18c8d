// CVuskPage: one saved preview page: up to 16 cameras, slot i shown in pane i, and its split mode.
#pragma once

#include <afx.h>

class CTermCamera;

const int kPageSlots = 16;

class CVuskPage : public CObject {
    DECLARE_SERIAL(CVuskPage)
public:
    // Every slot empty, layout 16.
    CVuskPage();

    void Serialize(CArchive& ar) override;

    // Binds the 16 slots: a slot whose server or camera no longer exists is emptied; one whose
    // camera has no channel session keeps its stored pair, unbound, so that it comes back with the
    // session. Returns the number of slots bound to a camera.
    int Resolve();
    // 1 when some slot holds a stored camera reference, bound or not.
    BOOL HasReferences() const;
    // A slot without any camera reference.
    BOOL IsSlotFree(int slot) const;

    void SetSlot(int slot, CTermCamera* camera, int serverId, int channel);
    void EmptySlot(int slot);

    CTermCamera* m_cameras[kPageSlots]; // not stored; null for an empty or unbound slot
    int m_serverIds[kPageSlots];        // -1 = empty slot
    int m_channels[kPageSlots];
    int m_layout; // pane count of the split mode: 1, 4, 6, 8, 9 or 16
};
