// Inline patches: resolving import jumps, measuring and moving the first instructions, the jumps in and
// out, and putting everything back. The trampoline's original bytes are kept aside so that a patch can
// be removed and installed again.
#include "skin/engine/interception/InlineHook.h"

#include <cstdint>
#include <cstring>

#include "skin/engine/interception/InstructionDecoder.h"

#ifndef _WIN64
namespace {

const int kTrampolineSize = 32;
const int kJumpSize = 5;
const int kMaxMoved = 26;

struct SavedTrampoline {
    BYTE* address;
    BYTE bytes[kTrampolineSize];
};

// Every trampoline ever patched in this process; there are a dozen at most.
SavedTrampoline g_saved[32];
int g_savedCount = 0;

SavedTrampoline* FindSaved(BYTE* trampoline)
{
    for (int i = 0; i < g_savedCount; ++i)
        if (g_saved[i].address == trampoline)
            return &g_saved[i];
    return NULL;
}

int32_t Rel32(const BYTE* at)
{
    int32_t v;
    std::memcpy(&v, at, 4);
    return v;
}

void WriteJump(BYTE* at, const BYTE* to)
{
    at[0] = 0xE9;
    const int32_t rel = static_cast<int32_t>(reinterpret_cast<intptr_t>(to) - reinterpret_cast<intptr_t>(at + 5));
    std::memcpy(at + 1, &rel, 4);
}

// An address whose bytes are a jump through a pointer (an import jump) stands for the address stored
// there; for trampolines an initial relative jump is followed too.
BYTE* Resolve(void* address, bool followRelative)
{
    BYTE* p = static_cast<BYTE*>(address);
    if (!p)
        return NULL;
    if (p[0] == 0xFF && p[1] == 0x25) {
        BYTE** pointer;
        std::memcpy(&pointer, p + 2, sizeof pointer);
        p = *pointer;
    } else if (followRelative && p[0] == 0xE9) {
        p = p + 5 + Rel32(p + 1);
    }
    return p;
}

bool IsTrampoline(const BYTE* t)
{
    return t[0] == 0x90 && t[1] == 0x90 && t[2] == 0xE8 && t[7] == 0xFF && t[8] == 0xE0;
}

bool IsSegmentPrefix(BYTE b)
{
    return b == 0x26 || b == 0x2E || b == 0x36 || b == 0x3E || b == 0x64 || b == 0x65;
}

// A return, a relative jump, 0xE0 or a jump through a pointer ends what is moved.
bool EndsMove(const BYTE* p)
{
    if (p[0] == 0xC2 || p[0] == 0xC3 || p[0] == 0xE9 || p[0] == 0xE0)
        return true;
    if (IsSegmentPrefix(p[0]))
        ++p;
    return p[0] == 0xFF && p[1] == 0x25;
}

// How many bytes of whole instructions cover the 5-byte jump; 0 when that cannot be done.
int MeasureMove(const BYTE* target)
{
    int moved = 0;
    const BYTE* p = target;
    while (moved < kJumpSize) {
        const BYTE* next = CopyInstruction(NULL, p);
        if (!next)
            return 0;
        const bool last = EndsMove(p);
        moved += static_cast<int>(next - p);
        p = next;
        if (last)
            break;
    }
    return moved >= kJumpSize && moved <= kMaxMoved ? moved : 0;
}

// Copies length bytes of whole instructions, re-targeting branches; the bytes copied.
int CopyInstructions(BYTE* dest, const BYTE* source, int length)
{
    int copied = 0;
    while (copied < length) {
        const BYTE* next = CopyInstruction(dest + copied, source + copied);
        if (!next)
            break;
        copied = static_cast<int>(next - source);
    }
    return copied;
}

class Writable {
public:
    Writable(void* address, SIZE_T size, bool keep) : address_(address), size_(size), keep_(keep), old_(0)
    {
        FlushInstructionCache(GetCurrentProcess(), address, size);
        ok_ = VirtualProtect(address, size, PAGE_EXECUTE_READWRITE, &old_) != 0;
    }
    ~Writable()
    {
        FlushInstructionCache(GetCurrentProcess(), address_, size_);
        if (ok_ && !keep_) {
            DWORD ignored;
            VirtualProtect(address_, size_, old_, &ignored);
        }
    }
    Writable(const Writable&) = delete;
    Writable& operator=(const Writable&) = delete;
    bool Ok() const { return ok_; }

private:
    void* address_;
    SIZE_T size_;
    bool keep_;
    bool ok_;
    DWORD old_;
};

} // namespace

BOOL InstallInlineHook(void* trampoline, void* replacement)
{
    BYTE* tramp = Resolve(trampoline, true);
    BYTE* repl = Resolve(replacement, false);
    if (!tramp || !repl || !IsTrampoline(tramp))
        return FALSE;
    void* (*getter)() = reinterpret_cast<void* (*)()>(tramp + 7 + Rel32(tramp + 3));
    BYTE* target = Resolve(getter(), false);
    const int moved = target ? MeasureMove(target) : 0;
    if (!moved)
        return FALSE;
    SavedTrampoline* saved = FindSaved(tramp);
    if (!saved) {
        if (g_savedCount == static_cast<int>(sizeof g_saved / sizeof g_saved[0]))
            return FALSE;
        saved = &g_saved[g_savedCount++];
        saved->address = tramp;
    }
    std::memcpy(saved->bytes, tramp, kTrampolineSize);

    Writable trampolineCode(tramp, kTrampolineSize, true);
    Writable targetCode(target, moved, false);
    if (!trampolineCode.Ok() || !targetCode.Ok())
        return FALSE;
    // The trampoline is written whole before the function is touched; a copy that fails leaves both as
    // they were.
    if (CopyInstructions(tramp, target, moved) != moved) {
        std::memcpy(tramp, saved->bytes, kTrampolineSize);
        return FALSE;
    }
    WriteJump(tramp + moved, target + moved);
    tramp[kTrampolineSize - 1] = static_cast<BYTE>(moved);
    WriteJump(target, repl);
    std::memset(target + kJumpSize, 0xCC, moved - kJumpSize);
    return TRUE;
}

BOOL RemoveInlineHook(void* trampoline, void* replacement)
{
    BYTE* tramp = Resolve(trampoline, true);
    BYTE* repl = Resolve(replacement, false);
    if (!tramp || !repl) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const int moved = tramp[kTrampolineSize - 1];
    if (moved < 1 || moved > 30 || tramp[moved] != 0xE9) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    BYTE* target = tramp + moved + 5 + Rel32(tramp + moved + 1) - moved;
    if (target[0] != 0xE9) {
        SetLastError(ERROR_INVALID_BLOCK);
        return FALSE;
    }
    if (target + 5 + Rel32(target + 1) != repl) {
        SetLastError(ERROR_INVALID_ACCESS);
        return FALSE;
    }
    BOOL result = TRUE;
    {
        Writable targetCode(target, moved, false);
        if (!targetCode.Ok() || CopyInstructions(target, tramp, moved) != moved) {
            SetLastError(ERROR_INVALID_DATA);
            result = FALSE;
        }
    }
    if (result) {
        if (SavedTrampoline* saved = FindSaved(tramp)) {
            Writable trampolineCode(tramp, kTrampolineSize, true);
            std::memcpy(tramp, saved->bytes, kTrampolineSize);
        }
    }
    return result;
}

#else // _WIN64

// The instruction mover knows 32-bit code only: the 64-bit build runs as if the system refused every
// patch, and none is ever in place to remove.
BOOL InstallInlineHook(void*, void*)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

BOOL RemoveInlineHook(void*, void*)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

#endif // _WIN64

BOOL InstallInlineHooks(const InlineHookPair* pairs, int count)
{
    for (int i = 0; i < count; ++i) {
        if (InstallInlineHook(pairs[i].trampoline, pairs[i].replacement))
            continue;
        RemoveInlineHooks(pairs, i);
        return FALSE;
    }
    return TRUE;
}

void RemoveInlineHooks(const InlineHookPair* pairs, int count)
{
    for (int i = 0; i < count; ++i)
        RemoveInlineHook(pairs[i].trampoline, pairs[i].replacement);
}
