// ImportHook: one redirection of an imported function through the import address tables of every loaded
// module (the toolkit's own included). The records form a list; once the loader functions are hooked,
// modules loaded later get every record applied, and GetProcAddress answers a hooked function with its
// replacement. Destroying a record restores the tables and unlinks it.
#pragma once
#include <windows.h>

#include <string>

class ImportHook {
public:
    ImportHook(const char* module, const char* function, void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    // NULL when the function could not be found (nothing was patched).
    void* Real() const { return real_; }
    void* Replacement() const { return replacement_; }
    const std::string& Module() const { return module_; }
    // How many modules had an entry changed when the record was made.
    int PatchedModules() const { return patched_; }

    // Applies this record to one module; TRUE when an entry was changed.
    BOOL ApplyTo(HMODULE module) const;
    // Applies every record of the list to one module (a module loaded after the records were made).
    static void ApplyAll(HMODULE module);
    // The replacement of the record whose real function is that address, or the address itself.
    static void* MapAddress(void* address);
    static ImportHook* First() { return first_; }
    ImportHook* Next() const { return next_; }

    // In one module's import tables, the first entry of that module's imports that holds from gets to.
    static BOOL PatchModule(HMODULE module, const char* importedModule, void* from, void* to);

private:
    int PatchEveryModule(void* from, void* to) const;

    static ImportHook* first_;
    ImportHook* next_;
    std::string module_;
    std::string function_;
    void* real_;
    void* replacement_;
    int patched_;
};

// The five loader functions (LoadLibraryA/W, LoadLibraryExA/W, GetProcAddress) hooked once per process,
// so that later modules and late look-ups see the records; and their removal.
void HookLoaderFunctions();
void UnhookAllImports();
// The platform's own GetProcAddress, whether or not the loader functions are hooked.
FARPROC RealGetProcAddress(HMODULE module, const char* name);
