// SkinEngine: the one process-wide object that ties windows to skins. It owns the current skin, the table
// of skinned windows (each with the skinner that draws it) and the registry that turns a window class
// name into a toolkit type id; it skins top-level windows on request, hands a new skin to every skinned
// window when the skin changes and resets everything when the toolkit stops.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class SkinStore;
class SkinnedWindow;

class SkinEngine {
public:
    SkinEngine();
    ~SkinEngine();
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;

    static SkinEngine& Instance();
    // False once the engine has been destroyed at process exit (the intercepted system functions ask).
    static bool Alive();

    // The engine lock: re-entrant on its thread; guards the window table and the current skin.
    void Lock() { EnterCriticalSection(&lock_); }
    void Unlock() { LeaveCriticalSection(&lock_); }

    // Never NULL: an empty store when no skin is loaded.
    SkinStore* GetCurrentSkin();

    BOOL AddWindow(SkinnedWindow* skinner, HWND hwnd);
    // For a window known to be new to the table; a second entry for it is a mistake the check reports.
    void InsertWindow(SkinnedWindow* skinner, HWND hwnd);
    // Takes the window out of the table, unhooks its skinner (only its procedure and property when
    // unsubclassOnly, else a full detach) and deletes it; FALSE when the window was not in the table.
    BOOL RemoveWindow(HWND hwnd, BOOL unsubclassOnly);
    SkinnedWindow* FindSkinnedWindow(HWND hwnd);
    // The nearest skinned window up the chain bound to a FrameWnd or ShapeWnd object, or to none.
    SkinnedWindow* FindFrameOwner(HWND hwnd);

    BOOL SkinTopLevelWindow(HWND hwnd, const char* objectName);
    BOOL SkinToolbarHost(HWND hwnd);
    // A child dialog ("#32770" with WS_CHILD) created below a skinned frame: a frameless dialog skinner
    // bound to its frame owner's object.
    BOOL SkinDialog(HWND hwnd, SkinnedWindow* frameOwner);

    // Makes the store current (ownership passes) and re-binds every skinned window; FALSE for NULL.
    BOOL SetCurrentSkin(SkinStore* store);
    // Detaches every window, deletes the skin and starts again with an empty one.
    void Reset();
    void ClearWindows();

    // The type id registered for a window class name (exact case), 0 when none.
    int LookupClassType(const char* className) const;
    size_t WindowCount();
    std::vector<HWND> Windows();

private:
    // Erases the entry and deletes the skinner when the window is no longer what it was skinned for.
    BOOL Abandon(HWND hwnd, SkinnedWindow* skinner);
    BOOL Enter(HWND hwnd, SkinnedWindow* skinner, class SkinObject* object);

    CRITICAL_SECTION lock_;
    std::map<HWND, SkinnedWindow*> windows_;
    std::map<std::string, int> classes_;
    SkinStore* current_;
};

// Holds the engine lock for a scope.
class EngineLock {
public:
    EngineLock() { SkinEngine::Instance().Lock(); }
    ~EngineLock() { SkinEngine::Instance().Unlock(); }
    EngineLock(const EngineLock&) = delete;
    EngineLock& operator=(const EngineLock&) = delete;
};

// The skinner of a window, or NULL.
SkinnedWindow* FindSkinnedWindow(HWND hwnd);
