// AcceleratorTable: lookup by key and modifiers.
#include "skin/skinners/menu/AcceleratorTable.h"

namespace {

bool SystemKeyDown(int virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}

} // namespace

AcceleratorTable::AcceleratorTable() : keyDown_(&SystemKeyDown) {}

void AcceleratorTable::Set(const AcceleratorEntry* entries, size_t count)
{
    entries_.assign(entries, entries + (entries ? count : 0));
}

const AcceleratorEntry* AcceleratorTable::Find(WORD key) const
{
    for (const AcceleratorEntry& entry : entries_) {
        if (entry.key != key)
            continue;
        if ((entry.flags & FSHIFT) && !keyDown_(VK_SHIFT))
            continue;
        if ((entry.flags & FCONTROL) && !keyDown_(VK_CONTROL))
            continue;
        if ((entry.flags & FALT) && !keyDown_(VK_MENU))
            continue;
        return &entry;
    }
    return NULL;
}

void AcceleratorTable::Clear()
{
    entries_.clear();
}
