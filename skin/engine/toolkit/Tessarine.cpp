// The toolkit's programming interface and its per-thread hooks. Two locks: the toolkit lock serialises the
// process set-up and tear-down, and a map lock guards the hook and status maps, held only while a map is
// read or changed, so that a hook on any thread reaches its entry without waiting on a set-up that sends
// messages. Both live as long as the process.
#include "skin/engine/toolkit/Tessarine.h"

#include <cstring>
#include <map>

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/interception/ButtonClassProc.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/engine/toolkit/TessarineInternal.h"
#include "skin/engine/tooltip/TooltipWindow.h"
#include "skin/engine/toolkit/SkinTrace.h"

const char kPopupMenuClassName[] = "TessarinePopupMenuWnd";

namespace {

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

class Guard {
public:
    explicit Guard(CriticalSection& section) : section_(section) { section_.Enter(); }
    ~Guard() { section_.Leave(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    CriticalSection& section_;
};

struct Toolkit {
    CriticalSection lock;
    CriticalSection mapLock;
    bool initialised = false; // set by the first successful set-up, never cleared
    bool setUp = false;
    HINSTANCE instance = NULL;
    int osKind = 6;
    std::map<DWORD, HHOOK> callHooks;
    std::map<DWORD, HHOOK> keyboardHooks;
    std::map<DWORD, int> status;
};

// Never destroyed: hooks and other threads may still come in while the process exits.
Toolkit& State()
{
    static Toolkit* toolkit = new Toolkit;
    return *toolkit;
}

void SetStatus(int code)
{
    Toolkit& t = State();
    Guard guard(t.mapLock);
    t.status[GetCurrentThreadId()] = code;
}

HHOOK ThreadHook(std::map<DWORD, HHOOK>& hooks)
{
    Toolkit& t = State();
    Guard guard(t.mapLock);
    auto it = hooks.find(GetCurrentThreadId());
    return it == hooks.end() ? NULL : it->second;
}

bool StoreHook(std::map<DWORD, HHOOK>& hooks, HHOOK hook)
{
    Toolkit& t = State();
    Guard guard(t.mapLock);
    return hooks.emplace(GetCurrentThreadId(), hook).second;
}

void Unhook(std::map<DWORD, HHOOK>& hooks)
{
    HHOOK hook = NULL;
    {
        Toolkit& t = State();
        Guard guard(t.mapLock);
        auto it = hooks.find(GetCurrentThreadId());
        if (it == hooks.end())
            return;
        hook = it->second;
        hooks.erase(it);
    }
    UnhookWindowsHookEx(hook);
}

size_t StartedThreads()
{
    Toolkit& t = State();
    Guard guard(t.mapLock);
    return t.callHooks.size();
}

BOOL RegisterPopupMenuClass(HINSTANCE instance)
{
    return SkinnedWindow::RegisterThisClass(instance, kPopupMenuClassName, LoadCursor(NULL, IDC_ARROW));
}

// The tooltip goes with its window. A window that belongs to another thread cannot be destroyed from
// here: it loses its object and is asked to close itself.
void DestroyTooltip()
{
    TooltipWindow* tip = GetTooltipWindow();
    SetTooltipWindow(NULL);
    if (!tip)
        return;
    HWND hwnd = tip->GetHwnd();
    if (hwnd && IsWindow(hwnd) && GetWindowThreadProcessId(hwnd, NULL) != GetCurrentThreadId()) {
        RemovePropA(hwnd, kThisProperty);
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    delete tip;
}

void TearDownProcess(bool resetEngine)
{
    Toolkit& t = State();
    DestroyTooltip();
    UnregisterClassA(kTooltipClassName, t.instance);
    UnregisterClassA(kPopupMenuClassName, t.instance);
    RemoveApiHooks();
    if (resetEngine)
        SkinEngine::Instance().Reset();
    t.setUp = false;
}

BOOL SetUpProcess(HINSTANCE instance)
{
    Toolkit& t = State();
    t.instance = instance;
    if (!RegisterPopupMenuClass(instance) || !RegisterTooltipClass(instance)) {
        SetStatus(TESSARINE_CLASS_FAILED);
        UnregisterClassA(kPopupMenuClassName, instance);
        return FALSE;
    }
    TooltipWindow* tip = new TooltipWindow;
    if (tip->Create(instance))
        SetTooltipWindow(tip);
    else
        delete tip;
    t.osKind = GetOSKind();
    InstallApiHooks();
    if (t.osKind == OSKindWinXP && !CaptureButtonClassProc(instance)) {
        SetStatus(TESSARINE_BUTTON_PROC_FAILED);
        TearDownProcess(false);
        return FALSE;
    }
    t.initialised = true;
    t.setUp = true;
    return TRUE;
}

// Records 19 and answers FALSE when the toolkit has never been set up.
bool Initialised()
{
    if (State().initialised)
        return true;
    SetStatus(TESSARINE_NOT_INITIALISED);
    return false;
}

bool IsPopupMenuWindow(HWND hwnd)
{
    char name[64] = "";
    return hwnd && GetClassNameA(hwnd, name, sizeof name) && lstrcmpiA(name, kPopupMenuClassName) == 0 &&
           GetPropA(hwnd, kThisProperty);
}

// The top-level window above the first popup of a menu cascade: popups are owned by their parent popup,
// the first one by the menu's owner.
HWND CascadeTopLevel(HWND popup)
{
    HWND hwnd = popup;
    for (int step = 0; hwnd && IsPopupMenuWindow(hwnd) && step < 64; ++step)
        hwnd = GetParent(hwnd);
    return hwnd ? GetAncestor(hwnd, GA_ROOT) : NULL;
}

void OnWindowCreated(HWND hwnd)
{
    char name[100] = "";
    if (!GetClassNameA(hwnd, name, sizeof name))
        return;
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    SkinEngine& engine = SkinEngine::Instance();
    if (SkinnedWindow* owner = engine.FindFrameOwner(parent)) {
        // Child dialogs (the pages of settings dialogs) are skinned in their frameless form.
        if (std::strcmp(name, "#32770") == 0 && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
            engine.SkinDialog(hwnd, owner);
        else
            owner->SkinChild(hwnd, NULL);
        return;
    }
    if (std::strcmp(name, "ToolbarWindow32") != 0)
        return;
    char parentName[100] = "";
    GetClassNameA(parent, parentName, sizeof parentName);
    if (std::strcmp(parentName, "ReBarWindow32") != 0 && std::strncmp(parentName, "AfxControlBar", 13) != 0 &&
        GetParent(parent) && (GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        engine.SkinToolbarHost(hwnd);
}

} // namespace

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam)
{
    HHOOK hook = ThreadHook(State().callHooks);
    if (!hook)
        return 0;
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->message == WM_CREATE)
        OnWindowCreated(call->hwnd);
    return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM virtualKey, LPARAM keyData)
{
    HHOOK hook = ThreadHook(State().keyboardHooks);
    if (!hook)
        return 0;
    if (code != HC_ACTION)
        return CallNextHookEx(hook, code, virtualKey, keyData);
    HWND target = GetActiveWindow();
    SkinnedWindow* skinner = FindSkinnedWindow(target);
    const bool popupActive = IsPopupMenuWindow(target);
    if (popupActive) {
        target = CascadeTopLevel(target);
        skinner = FindSkinnedWindow(target);
    }
    HWND receiver = skinner ? skinner->GetHwnd() : (popupActive ? target : NULL);
    const bool alt = (keyData & (1 << 29)) != 0;
    const bool down = (keyData & (1u << 31)) == 0;
    if (virtualKey == VK_F10 || (alt && virtualKey != VK_MENU && down)) {
        if (receiver && SendMessageA(receiver, WM_SKIN_MENUKEY, virtualKey, keyData))
            return 1;
    } else if (virtualKey == VK_MENU && !alt) {
        return 1;
    } else if (virtualKey == VK_MENU) {
        if (receiver && SendMessageA(receiver, WM_SKIN_MENUKEY, static_cast<WPARAM>(-1), keyData))
            return 1;
    }
    return CallNextHookEx(hook, code, virtualKey, keyData);
}

int TessarineOSKind()
{
    return State().osKind;
}

HINSTANCE TessarineInstance()
{
    return State().instance;
}

bool TessarineInitialised()
{
    return State().initialised;
}

bool TessarineProcessSetUp()
{
    return State().setUp;
}

size_t TessarineStartedThreads()
{
    return StartedThreads();
}

bool TessarineThreadStarted()
{
    return ThreadHook(State().callHooks) != NULL;
}

extern "C" {

BOOL WINAPI TessarineInit(HINSTANCE instance)
{
    Toolkit& t = State();
    Guard guard(t.lock);
    const bool setUpNow = !t.setUp;
    if (setUpNow && !SetUpProcess(instance))
        return FALSE;
    // A thread that fails to start leaves no hook behind, and a set-up made for it alone is taken back.
    auto fail = [&](int status) {
        SkinTrace("hooks", "the thread's window hooks failed (status %d, error %lu)", status, GetLastError());
        SetStatus(status);
        Unhook(t.callHooks);
        if (setUpNow && StartedThreads() == 0)
            TearDownProcess(false);
        return FALSE;
    };
    if (!ThreadHook(t.callHooks)) {
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProcHook, instance, GetCurrentThreadId());
        if (!hook)
            return fail(TESSARINE_CALLWNDPROC_FAILED);
        StoreHook(t.callHooks, hook);
    }
    if (!ThreadHook(t.keyboardHooks)) {
        HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &KeyboardHook, instance, GetCurrentThreadId());
        if (!hook)
            return fail(TESSARINE_KEYBOARD_FAILED);
        StoreHook(t.keyboardHooks, hook);
    }
    SetStatus(TESSARINE_OK);
    return TRUE;
}

void WINAPI TessarineShutdown(void)
{
    Toolkit& t = State();
    if (!t.initialised)
        return;
    Guard guard(t.lock);
    Unhook(t.callHooks);
    Unhook(t.keyboardHooks);
    if (StartedThreads() > 0 || !t.setUp)
        return;
    TearDownProcess(true);
}

BOOL WINAPI TessarineLoadSkin(HINSTANCE instance, LPCSTR name, LPCSTR type)
{
    if (!Initialised())
        return FALSE;
    HRSRC resource = FindResourceA(instance, name, type);
    if (!resource) {
        SetStatus(TESSARINE_RESOURCE_NOT_FOUND);
        return FALSE;
    }
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded ? LockResource(loaded) : NULL;
    if (!bytes) {
        SetStatus(TESSARINE_RESOURCE_LOAD_FAILED);
        return FALSE;
    }
    MemoryStream stream(bytes, SizeofResource(instance, resource), 10240);
    SkinStore* store = new SkinStore;
    if (!store->Load(stream)) {
        SetStatus(store->GetStatus());
        delete store;
        // Reading set the format version for the refused file; the current skin's is in force again.
        SkinStore* current = SkinEngine::Instance().GetCurrentSkin();
        SetSkinFormatVersion(current->Major(), current->Minor());
        return FALSE;
    }
    return SkinEngine::Instance().SetCurrentSkin(store);
}

BOOL WINAPI TessarineAttachWindow(HWND hwnd, LPCSTR objectName)
{
    return Initialised() && SkinEngine::Instance().SkinTopLevelWindow(hwnd, objectName);
}

BOOL WINAPI TessarineDetachWindow(HWND hwnd)
{
    return Initialised() && SkinEngine::Instance().RemoveWindow(hwnd, FALSE);
}

int WINAPI TessarinePopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner)
{
    if (!Initialised())
        return 0;
    return TrackPopupWindowMenu(menu, flags, x, y, owner, FALSE);
}

int WINAPI TessarineGetStatus(void)
{
    Toolkit& t = State();
    Guard guard(t.mapLock);
    auto it = t.status.find(GetCurrentThreadId());
    return it == t.status.end() ? TESSARINE_OK : it->second;
}

} // extern "C"
