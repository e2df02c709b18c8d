// Import-table redirection: walking the modules with a tool-help snapshot, finding the import descriptor
// of the hooked module and its address-table entry, and writing it through the process's own memory.
#include "skin/engine/interception/ImportHook.h"

#include <tlhelp32.h>

#include <cstring>

ImportHook* ImportHook::first_ = NULL;

namespace {

// Addresses above this are the shared system area of the 16-bit-based systems, where a system function
// is reached through a push of its real address.
ULONG_PTR HighestApplicationAddress()
{
    static ULONG_PTR highest = 0;
    if (!highest) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        highest = reinterpret_cast<ULONG_PTR>(info.lpMaximumApplicationAddress);
    }
    return highest;
}

// The address a 0x68 push form above the application area pushes, or NULL.
void* PushedAddress(void* address)
{
    const BYTE* p = static_cast<const BYTE*>(address);
    if (!p || reinterpret_cast<ULONG_PTR>(p) <= HighestApplicationAddress() || p[0] != 0x68)
        return NULL;
    void* pushed;
    std::memcpy(&pushed, p + 1, sizeof pushed);
    return pushed;
}

template <class T> T* At(BYTE* base, DWORD offset)
{
    return reinterpret_cast<T*>(base + offset);
}

bool WriteEntry(void* at, const void* value, size_t size)
{
    return WriteProcessMemory(GetCurrentProcess(), at, value, size, NULL) != 0;
}

struct LoaderFunctions {
    HMODULE(WINAPI* loadLibraryA)(LPCSTR);
    HMODULE(WINAPI* loadLibraryW)(LPCWSTR);
    HMODULE(WINAPI* loadLibraryExA)(LPCSTR, HANDLE, DWORD);
    HMODULE(WINAPI* loadLibraryExW)(LPCWSTR, HANDLE, DWORD);
    FARPROC(WINAPI* getProcAddress)(HMODULE, LPCSTR);
};

LoaderFunctions g_real = {};
ImportHook* g_loaderHooks[5] = {};
HMODULE g_kernel = NULL;

HMODULE WINAPI HookedLoadLibraryA(LPCSTR name)
{
    HMODULE module = g_real.loadLibraryA(name);
    if (module)
        ImportHook::ApplyAll(module);
    return module;
}

HMODULE WINAPI HookedLoadLibraryW(LPCWSTR name)
{
    HMODULE module = g_real.loadLibraryW(name);
    if (module)
        ImportHook::ApplyAll(module);
    return module;
}

HMODULE WINAPI HookedLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags)
{
    HMODULE module = g_real.loadLibraryExA(name, file, flags);
    if (module && !(flags & LOAD_LIBRARY_AS_DATAFILE))
        ImportHook::ApplyAll(module);
    return module;
}

HMODULE WINAPI HookedLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags)
{
    HMODULE module = g_real.loadLibraryExW(name, file, flags);
    if (module && !(flags & LOAD_LIBRARY_AS_DATAFILE))
        ImportHook::ApplyAll(module);
    return module;
}

FARPROC WINAPI HookedGetProcAddress(HMODULE module, LPCSTR name)
{
    FARPROC address = g_real.getProcAddress(module, name);
    return reinterpret_cast<FARPROC>(ImportHook::MapAddress(reinterpret_cast<void*>(address)));
}

} // namespace

FARPROC RealGetProcAddress(HMODULE module, const char* name)
{
    return g_real.getProcAddress ? g_real.getProcAddress(module, name) : GetProcAddress(module, name);
}

ImportHook::ImportHook(const char* module, const char* function, void* replacement)
    : next_(first_), module_(module ? module : ""), function_(function ? function : ""), real_(NULL),
      replacement_(replacement), patched_(0)
{
    first_ = this;
    HMODULE loaded = GetModuleHandleA(module_.c_str());
    void* address = loaded ? reinterpret_cast<void*>(RealGetProcAddress(loaded, function_.c_str())) : NULL;
    if (void* pushed = PushedAddress(address))
        address = pushed;
    real_ = address;
    if (real_ && replacement_)
        patched_ = PatchEveryModule(real_, replacement_);
}

ImportHook::~ImportHook()
{
    if (real_ && replacement_)
        PatchEveryModule(replacement_, real_);
    for (ImportHook** link = &first_; *link; link = &(*link)->next_)
        if (*link == this) {
            *link = next_;
            break;
        }
}

int ImportHook::PatchEveryModule(void* from, void* to) const
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int patched = 0;
    MODULEENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry))
        if (PatchModule(entry.hModule, module_.c_str(), from, to))
            ++patched;
    CloseHandle(snapshot);
    return patched;
}

BOOL ImportHook::PatchModule(HMODULE module, const char* importedModule, void* from, void* to)
{
    BYTE* base = reinterpret_cast<BYTE*>(module);
    if (!base || !importedModule || !from)
        return FALSE;
    const IMAGE_DOS_HEADER* dos = At<IMAGE_DOS_HEADER>(base, 0);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return FALSE;
    const IMAGE_NT_HEADERS* nt = At<IMAGE_NT_HEADERS>(base, dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return FALSE;
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress || !directory.Size)
        return FALSE;
    for (const IMAGE_IMPORT_DESCRIPTOR* d = At<IMAGE_IMPORT_DESCRIPTOR>(base, directory.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(At<char>(base, d->Name), importedModule) != 0 || !d->FirstThunk)
            continue;
        for (IMAGE_THUNK_DATA* thunk = At<IMAGE_THUNK_DATA>(base, d->FirstThunk); thunk->u1.Function; ++thunk) {
            void* current = reinterpret_cast<void*>(thunk->u1.Function);
            if (current == from)
                return WriteEntry(&thunk->u1.Function, &to, sizeof to);
            BYTE* push = static_cast<BYTE*>(current);
            if (PushedAddress(current) == from)
                return WriteEntry(push + 1, &to, sizeof to);
        }
    }
    return FALSE;
}

BOOL ImportHook::ApplyTo(HMODULE module) const
{
    return real_ && replacement_ && PatchModule(module, module_.c_str(), real_, replacement_);
}

void ImportHook::ApplyAll(HMODULE module)
{
    for (ImportHook* hook = first_; hook; hook = hook->next_)
        hook->ApplyTo(module);
}

void* ImportHook::MapAddress(void* address)
{
    if (!address)
        return address;
    for (ImportHook* hook = first_; hook; hook = hook->next_)
        if (hook->real_ == address)
            return hook->replacement_;
    return address;
}

void HookLoaderFunctions()
{
    if (g_kernel)
        return;
    g_kernel = LoadLibraryA("Kernel32");
    if (!g_kernel)
        return;
    g_real.getProcAddress = reinterpret_cast<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(
        reinterpret_cast<void*>(GetProcAddress(g_kernel, "GetProcAddress")));
    g_real.loadLibraryA =
        reinterpret_cast<HMODULE(WINAPI*)(LPCSTR)>(reinterpret_cast<void*>(GetProcAddress(g_kernel, "LoadLibraryA")));
    g_real.loadLibraryW =
        reinterpret_cast<HMODULE(WINAPI*)(LPCWSTR)>(reinterpret_cast<void*>(GetProcAddress(g_kernel, "LoadLibraryW")));
    g_real.loadLibraryExA = reinterpret_cast<HMODULE(WINAPI*)(LPCSTR, HANDLE, DWORD)>(
        reinterpret_cast<void*>(GetProcAddress(g_kernel, "LoadLibraryExA")));
    g_real.loadLibraryExW = reinterpret_cast<HMODULE(WINAPI*)(LPCWSTR, HANDLE, DWORD)>(
        reinterpret_cast<void*>(GetProcAddress(g_kernel, "LoadLibraryExW")));
    if (!g_real.getProcAddress || !g_real.loadLibraryA || !g_real.loadLibraryW || !g_real.loadLibraryExA ||
        !g_real.loadLibraryExW) {
        UnhookAllImports();
        return;
    }
    g_loaderHooks[0] = new ImportHook("Kernel32.dll", "LoadLibraryA", reinterpret_cast<void*>(&HookedLoadLibraryA));
    g_loaderHooks[1] = new ImportHook("Kernel32.dll", "LoadLibraryW", reinterpret_cast<void*>(&HookedLoadLibraryW));
    g_loaderHooks[2] = new ImportHook("Kernel32.dll", "LoadLibraryExA", reinterpret_cast<void*>(&HookedLoadLibraryExA));
    g_loaderHooks[3] = new ImportHook("Kernel32.dll", "LoadLibraryExW", reinterpret_cast<void*>(&HookedLoadLibraryExW));
    g_loaderHooks[4] = new ImportHook("Kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&HookedGetProcAddress));
}

void UnhookAllImports()
{
    for (ImportHook*& hook : g_loaderHooks) {
        delete hook;
        hook = NULL;
    }
    std::memset(&g_real, 0, sizeof g_real);
    if (g_kernel)
        FreeLibrary(g_kernel);
    g_kernel = NULL;
}
