// Interception: the OS kind, the trampolines of the inline patches, the import-table records and the
// table of real functions the replacements call. Each group (the eight scroll-bar functions, the two
// colour functions) is redirected whole or not at all, so that no window ever sees a mix of the skin's
// and the platform's bookkeeping.
#include "skin/engine/interception/ApiHooks.h"

#include <cstring>

#include "skin/engine/interception/ApiReplacements.h"
#include "skin/engine/interception/ImportHook.h"
#include "skin/engine/interception/InlineHook.h"
#include "skin/engine/toolkit/SkinTrace.h"

// The getters return the function the trampoline stands for, as the program's import table holds it.
extern "C" {
void* RealEnableScrollBarAddress()
{
    return reinterpret_cast<void*>(&::EnableScrollBar);
}
void* RealGetScrollInfoAddress()
{
    return reinterpret_cast<void*>(&::GetScrollInfo);
}
void* RealGetScrollPosAddress()
{
    return reinterpret_cast<void*>(&::GetScrollPos);
}
void* RealGetScrollRangeAddress()
{
    return reinterpret_cast<void*>(&::GetScrollRange);
}
void* RealSetScrollInfoAddress()
{
    return reinterpret_cast<void*>(&::SetScrollInfo);
}
void* RealSetScrollPosAddress()
{
    return reinterpret_cast<void*>(&::SetScrollPos);
}
void* RealSetScrollRangeAddress()
{
    return reinterpret_cast<void*>(&::SetScrollRange);
}
void* RealShowScrollBarAddress()
{
    return reinterpret_cast<void*>(&::ShowScrollBar);
}
void* RealGetSysColorAddress()
{
    return reinterpret_cast<void*>(&::GetSysColor);
}
void* RealGetSysColorBrushAddress()
{
    return reinterpret_cast<void*>(&::GetSysColorBrush);
}
}

INLINE_TRAMPOLINE(TrampolineEnableScrollBar, RealEnableScrollBarAddress);
INLINE_TRAMPOLINE(TrampolineGetScrollInfo, RealGetScrollInfoAddress);
INLINE_TRAMPOLINE(TrampolineGetScrollPos, RealGetScrollPosAddress);
INLINE_TRAMPOLINE(TrampolineGetScrollRange, RealGetScrollRangeAddress);
INLINE_TRAMPOLINE(TrampolineSetScrollInfo, RealSetScrollInfoAddress);
INLINE_TRAMPOLINE(TrampolineSetScrollPos, RealSetScrollPosAddress);
INLINE_TRAMPOLINE(TrampolineSetScrollRange, RealSetScrollRangeAddress);
INLINE_TRAMPOLINE(TrampolineShowScrollBar, RealShowScrollBarAddress);
INLINE_TRAMPOLINE(TrampolineGetSysColor, RealGetSysColorAddress);
INLINE_TRAMPOLINE(TrampolineGetSysColorBrush, RealGetSysColorBrushAddress);

namespace {

const char kUser32[] = "USER32.dll";

struct Redirection {
    const char* function;
    void* replacement;
    char* trampoline;
    void** real; // the entry of the real-function table it feeds
};

RealApiFunctions PlatformFunctions()
{
    return {&::EnableScrollBar, &::GetScrollInfo,  &::GetScrollPos,  &::GetScrollRange, &::SetScrollInfo,
            &::SetScrollPos,    &::SetScrollRange, &::ShowScrollBar, &::GetSysColor,    &::GetSysColorBrush};
}

// Valid from program start-up, before and without any interception.
RealApiFunctions g_real = PlatformFunctions();

template <class F> void** Slot(F& field)
{
    return reinterpret_cast<void**>(&field);
}

const Redirection kScrollBars[8] = {
    {"EnableScrollBar", reinterpret_cast<void*>(&SkinEnableScrollBar), TrampolineEnableScrollBar,
     Slot(g_real.enableScrollBar)},
    {"GetScrollInfo", reinterpret_cast<void*>(&SkinGetScrollInfo), TrampolineGetScrollInfo, Slot(g_real.getScrollInfo)},
    {"GetScrollPos", reinterpret_cast<void*>(&SkinGetScrollPos), TrampolineGetScrollPos, Slot(g_real.getScrollPos)},
    {"GetScrollRange", reinterpret_cast<void*>(&SkinGetScrollRange), TrampolineGetScrollRange,
     Slot(g_real.getScrollRange)},
    {"SetScrollInfo", reinterpret_cast<void*>(&SkinSetScrollInfo), TrampolineSetScrollInfo, Slot(g_real.setScrollInfo)},
    {"SetScrollPos", reinterpret_cast<void*>(&SkinSetScrollPos), TrampolineSetScrollPos, Slot(g_real.setScrollPos)},
    {"SetScrollRange", reinterpret_cast<void*>(&SkinSetScrollRange), TrampolineSetScrollRange,
     Slot(g_real.setScrollRange)},
    {"ShowScrollBar", reinterpret_cast<void*>(&SkinShowScrollBar), TrampolineShowScrollBar, Slot(g_real.showScrollBar)},
};

const Redirection kColors[2] = {
    {"GetSysColor", reinterpret_cast<void*>(&SkinGetSysColor), TrampolineGetSysColor, Slot(g_real.getSysColor)},
    {"GetSysColorBrush", reinterpret_cast<void*>(&SkinGetSysColorBrush), TrampolineGetSysColorBrush,
     Slot(g_real.getSysColorBrush)},
};

// What is in force now.
int g_installedKind = -1;
bool g_scrollBars = false;
bool g_colors = false;
HMODULE g_user32 = NULL;
ImportHook* g_importHooks[8] = {};

void RestorePlatform(const Redirection* group, int count)
{
    const RealApiFunctions platform = PlatformFunctions();
    for (int i = 0; i < count; ++i) {
        const size_t offset = reinterpret_cast<BYTE*>(group[i].real) - reinterpret_cast<BYTE*>(&g_real);
        std::memcpy(group[i].real, reinterpret_cast<const BYTE*>(&platform) + offset, sizeof(void*));
    }
}

// Inline patches for a whole group, or none. The replacements reach the real functions through the
// trampolines from the start: before its patch a trampoline simply calls the real function.
bool PatchGroup(const Redirection* group, int count)
{
    InlineHookPair pairs[8];
    for (int i = 0; i < count; ++i) {
        pairs[i] = {group[i].trampoline, group[i].replacement};
        *group[i].real = group[i].trampoline;
    }
    if (InstallInlineHooks(pairs, count))
        return true;
    SkinTrace("hooks", "inline patches of %s and its %d companions failed; the platform's functions stay",
              group[0].function, count - 1);
    RestorePlatform(group, count);
    return false;
}

void UnpatchGroup(const Redirection* group, int count)
{
    InlineHookPair pairs[8];
    for (int i = 0; i < count; ++i)
        pairs[i] = {group[i].trampoline, group[i].replacement};
    RemoveInlineHooks(pairs, count);
    RestorePlatform(group, count);
}

void DeleteImportHooks()
{
    for (ImportHook*& hook : g_importHooks) {
        delete hook;
        hook = NULL;
    }
}

// Kinds 3 and 4: the real functions from "User32.dll", the loader hooked, one import record each.
bool HookImports()
{
    g_user32 = LoadLibraryA("User32.dll");
    if (!g_user32)
        return false;
    for (const Redirection& r : kScrollBars)
        *r.real = reinterpret_cast<void*>(GetProcAddress(g_user32, r.function));
    HookLoaderFunctions();
    bool complete = true;
    for (int i = 0; i < 8 && complete; ++i) {
        complete = *kScrollBars[i].real != NULL;
        if (complete) {
            g_importHooks[i] = new ImportHook(kUser32, kScrollBars[i].function, kScrollBars[i].replacement);
            complete = g_importHooks[i]->Real() != NULL;
        }
    }
    if (complete)
        return true;
    DeleteImportHooks();
    RestorePlatform(kScrollBars, 8);
    UnhookAllImports();
    FreeLibrary(g_user32);
    g_user32 = NULL;
    return false;
}

} // namespace

int OSKindFromVersion(DWORD version, const OSVERSIONINFOA* info)
{
    const int major = LOBYTE(LOWORD(version));
    if (version & 0x80000000) {
        if (major < 4)
            return OSKindOld;
        if (!info)
            return OSKindWin95;
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 10)
            return OSKindWin98;
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 90)
            return OSKindWinMe;
        return OSKindWin95;
    }
    if (!info)
        return OSKindOther;
    if (info->dwMajorVersion == 4)
        return OSKindNT4;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 0)
        return OSKindWin2000;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 1)
        return OSKindWinXP;
    return OSKindOther;
}

int GetOSKind()
{
    const DWORD version = GetVersion();
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record GetVersionEx fills");
    return OSKindFromVersion(version, GetVersionExA(&info) ? &info : NULL);
}

int InstallApiHooks()
{
    const int kind = GetOSKind();
    if (kind < OSKindWin98)
        return 0;
    if (g_installedKind >= 0)
        return 1;
    g_installedKind = kind;
    if (kind <= OSKindWinMe) {
        g_scrollBars = HookImports();
        return 1;
    }
    g_scrollBars = PatchGroup(kScrollBars, 8);
    g_colors = PatchGroup(kColors, 2);
    return 1;
}

int RemoveApiHooks()
{
    if (g_installedKind < OSKindWin98)
        return 0;
    // Both groups refused (as the 64-bit build always is): nothing was installed.
    const int removed = (g_scrollBars || g_colors) ? 1 : 0;
    if (g_installedKind >= OSKindNT4) {
        if (g_scrollBars)
            UnpatchGroup(kScrollBars, 8);
        if (g_colors)
            UnpatchGroup(kColors, 2);
    } else if (g_scrollBars) {
        DeleteImportHooks();
        RestorePlatform(kScrollBars, 8);
        UnhookAllImports();
        FreeLibrary(g_user32);
        g_user32 = NULL;
    }
    g_scrollBars = g_colors = false;
    g_installedKind = -1;
    ReleaseSysColorBrushes();
    return removed;
}

bool ScrollBarFunctionsIntercepted()
{
    return g_scrollBars;
}

bool ColorFunctionsIntercepted()
{
    return g_colors;
}

const RealApiFunctions& RealApi()
{
    return g_real;
}
