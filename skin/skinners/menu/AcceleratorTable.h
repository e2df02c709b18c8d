// AcceleratorTable: the keyboard accelerators of a skinned window, in the platform's ACCEL layout. Find
// answers the first entry for a key whose required modifiers are all down.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct AcceleratorEntry {
    uint8_t flags; // FSHIFT 0x04, FCONTROL 0x08, FALT 0x10
    uint8_t pad;
    uint16_t key;
    uint16_t command;
};
#pragma pack(pop)
static_assert(sizeof(AcceleratorEntry) == 6, "an accelerator entry is 6 bytes");

class AcceleratorTable {
public:
    // Whether a modifier (VK_SHIFT, VK_CONTROL, VK_MENU) is down; GetKeyState unless a test sets another.
    using KeyDown = bool (*)(int virtualKey);

    AcceleratorTable();
    void Set(const AcceleratorEntry* entries, size_t count);
    // NULL when no entry matches.
    const AcceleratorEntry* Find(WORD key) const;
    void Clear();
    size_t Count() const { return entries_.size(); }
    void SetKeyDown(KeyDown keyDown) { keyDown_ = keyDown; }

private:
    std::vector<AcceleratorEntry> entries_;
    KeyDown keyDown_;
};
