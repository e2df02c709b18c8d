// SkinEngine: the window table, the class registry and the current skin. Walks over the table that send
// messages or detach windows work on a snapshot of the handles and look each one up again, since any of
// those calls may take windows out of the table.
#include "skin/engine/toolkit/SkinEngine.h"

#include "skin/engine/toolkit/SkinTrace.h"

#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/SkinObject.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/engine/tooltip/TooltipWindow.h"

namespace {

bool g_alive = false;

// A chain of parents longer than this is not a window hierarchy the toolkit made.
const int kMaxChain = 256;

struct ClassEntry {
    const char* name;
    int type;
};

const ClassEntry kClasses[] = {
    {"msctls_statusbar32", SkinTypeStatusBar},
    {"ToolbarWindow32", SkinTypeToolBar},
    {"AfxControlBar42", SkinTypeControlBar},
    {"AfxControlBar42d", SkinTypeControlBar},
    {"AfxControlBar42u", SkinTypeControlBar},
    {"AfxControlBar42ud", SkinTypeControlBar},
    {"AfxControlBar42s", SkinTypeControlBar},
    {"AfxControlBar42sd", SkinTypeControlBar},
    {"AfxControlBar42su", SkinTypeControlBar},
    {"AfxControlBar42sud", SkinTypeControlBar},
    {"AfxControlBar70", SkinTypeControlBar},
    {"AfxControlBar70d", SkinTypeControlBar},
    {"AfxControlBar70u", SkinTypeControlBar},
    {"AfxControlBar70ud", SkinTypeControlBar},
    {"AfxControlBar70s", SkinTypeControlBar},
    {"AfxControlBar70sd", SkinTypeControlBar},
    {"AfxControlBar70su", SkinTypeControlBar},
    {"AfxControlBar70sud", SkinTypeControlBar},
    {"Static", SkinTypeStatic},
    {"Button", SkinTypeButton},
    {"GroupBox", SkinTypeGroupBox},
    {"Radio", SkinTypeRadio},
    {"CheckBox", SkinTypeCheckBox},
    {"ScrollBar", SkinTypeScrollBar},
    {"msctls_progress32", SkinTypeProgressBar},
    {"msctls_updown32", SkinTypeSpin},
    {"msctls_trackbar32", SkinTypeSlider},
    {"SysTabControl32", SkinTypeTab},
    {"SysListView32", SkinTypeListView},
    {"ListBox", SkinTypeListBox},
    {"SysTreeView32", SkinTypeTreeView},
    {"RICHEDIT", SkinTypeRichEdit},
    {"SysIPAddress32", SkinTypeScrollControl},
    {"SysHeader32", SkinTypeHeader},
    {"ReBarWindow32", SkinTypeRebar},
    {"SysAnimate32", SkinTypeAnimate},
    {"Link Window", SkinTypeLinkWnd},
    {"SysMonthCal32", SkinTypeMonthCalendar},
    {"SysDateTimePick32", SkinTypeDateTime},
    {"ComboBox", SkinTypeComboBox},
    {"Edit", SkinTypeEdit},
};

} // namespace

SkinEngine::SkinEngine() : current_(new SkinStore)
{
    InitializeCriticalSection(&lock_);
    for (const ClassEntry& entry : kClasses) {
        bool added = classes_.emplace(entry.name, entry.type).second;
        SKIN_CHECK(added); // a class listed twice: the second entry would never be seen
    }
    g_alive = true;
}

SkinEngine::~SkinEngine()
{
    g_alive = false;
    ClearWindows();
    delete current_;
    current_ = NULL;
    DeleteCriticalSection(&lock_);
}

SkinEngine& SkinEngine::Instance()
{
    static SkinEngine engine;
    return engine;
}

bool SkinEngine::Alive()
{
    return g_alive;
}

SkinStore* SkinEngine::GetCurrentSkin()
{
    EngineLock lock;
    return current_;
}

BOOL SkinEngine::AddWindow(SkinnedWindow* skinner, HWND hwnd)
{
    EngineLock lock;
    return windows_.emplace(hwnd, skinner).second;
}

void SkinEngine::InsertWindow(SkinnedWindow* skinner, HWND hwnd)
{
    EngineLock lock;
    bool added = windows_.emplace(hwnd, skinner).second;
    SKIN_CHECK(added); // a window is skinned once; a second skinner would be lost and never detached
}

BOOL SkinEngine::RemoveWindow(HWND hwnd, BOOL unsubclassOnly)
{
    EngineLock lock;
    auto it = windows_.find(hwnd);
    if (it == windows_.end())
        return FALSE;
    SkinnedWindow* skinner = it->second;
    // Out of the table first: detaching sends messages that may come back here for this window.
    windows_.erase(it);
    if (unsubclassOnly)
        skinner->Unsubclass();
    else
        skinner->Detach();
    delete skinner;
    return TRUE;
}

SkinnedWindow* SkinEngine::FindSkinnedWindow(HWND hwnd)
{
    EngineLock lock;
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? NULL : it->second;
}

SkinnedWindow* SkinEngine::FindFrameOwner(HWND hwnd)
{
    EngineLock lock;
    for (int step = 0; hwnd && step < kMaxChain; ++step) {
        auto it = windows_.find(hwnd);
        if (it != windows_.end()) {
            const SkinObject* object = it->second->GetSkinObject();
            if (!object || object->Type() == SkinTypeFrameWnd || object->Type() == SkinTypeShapeWnd)
                return it->second;
        } else if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ||
                   (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            return NULL;
        }
        hwnd = GetParent(hwnd);
    }
    return NULL;
}

BOOL SkinEngine::Enter(HWND hwnd, SkinnedWindow* skinner, SkinObject* object)
{
    if (!skinner)
        return FALSE;
    if (!AddWindow(skinner, hwnd)) {
        delete skinner;
        return FALSE;
    }
    skinner->SetSkinObject(object);
    if (skinner->Attach(hwnd))
        return TRUE;
    // A skinner that could not hook its window must not stay in the table pretending to draw it.
    SkinTrace("engine", "window %p could not be skinned; it keeps its own drawing", static_cast<void*>(hwnd));
    Abandon(hwnd, skinner);
    return FALSE;
}

BOOL SkinEngine::Abandon(HWND hwnd, SkinnedWindow* skinner)
{
    EngineLock lock;
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || it->second != skinner)
        return FALSE;
    return RemoveWindow(hwnd, FALSE);
}

BOOL SkinEngine::SkinTopLevelWindow(HWND hwnd, const char* objectName)
{
    EngineLock lock;
    if (!hwnd || windows_.count(hwnd))
        return FALSE;
    SkinObject* object =
        objectName ? current_->FindObjectByName(objectName) : current_->FindObjectByType(SkinTypeFrameWnd);
    if (!object || object->Type() != SkinTypeFrameWnd)
        return FALSE;
    return Enter(hwnd, CreateFrameWindowSkinner(), object);
}

BOOL SkinEngine::SkinToolbarHost(HWND hwnd)
{
    EngineLock lock;
    if (!hwnd || windows_.count(hwnd))
        return FALSE;
    SkinObject* object = current_->FindObjectByType(SkinTypeToolBar);
    if (!object)
        return FALSE;
    return Enter(hwnd, CreateToolbarSkinner(), object);
}

BOOL SkinEngine::SkinDialog(HWND hwnd, SkinnedWindow* frameOwner)
{
    EngineLock lock;
    if (!hwnd || !frameOwner || windows_.count(hwnd))
        return FALSE;
    return Enter(hwnd, CreateDialogSkinner(TRUE), frameOwner->GetSkinObject());
}

BOOL SkinEngine::SetCurrentSkin(SkinStore* store)
{
    if (!store)
        return FALSE;
    EngineLock lock;
    const BOOL locked = LockWindowUpdate(GetDesktopWindow());
    SkinStore* old = current_;
    current_ = store;
    // The cut pieces belong to the old skin's pictures.
    ClearImagePartCache();

    std::vector<HWND> drop;
    for (HWND hwnd : Windows()) {
        if (!FindSkinnedWindow(hwnd))
            continue;
        SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
        SkinnedWindow* skinner = FindSkinnedWindow(hwnd);
        if (!skinner)
            continue;
        const int type = skinner->GetSkinType();
        SkinObject* object = NULL;
        // An object of the same name stands in only when it is of the kind this skinner draws.
        if (const char* name = skinner->GetSkinObjectName()) {
            SkinObject* named = store->FindObjectByName(name);
            if (named && named->Type() == type)
                object = named;
        }
        if (!object && type)
            object = store->FindObjectByType(type);
        if (object)
            skinner->SetSkinObject(object);
        else if (skinner->CanStayUnskinned())
            skinner->SetSkinObject(NULL); // its old object goes with the old skin
        else
            drop.push_back(hwnd);
    }
    for (HWND hwnd : drop)
        RemoveWindow(hwnd, FALSE);
    for (HWND hwnd : Windows()) {
        auto it = windows_.find(hwnd);
        if (it != windows_.end() && it->second->GetHwnd() != hwnd) {
            SkinnedWindow* stray = it->second;
            windows_.erase(it);
            delete stray;
        }
    }
    // The tooltip is no window of the table, but it too holds an object of the old skin.
    if (TooltipWindow* tip = GetTooltipWindow())
        tip->SetSkinObject(store->FindObjectByType(SkinTypeTooltip));
    delete old;
    SetSkinFormatVersion(store->Major(), store->Minor());
    if (locked)
        LockWindowUpdate(NULL);
    return TRUE;
}

void SkinEngine::Reset()
{
    EngineLock lock;
    for (HWND hwnd : Windows())
        if (SkinnedWindow* skinner = FindSkinnedWindow(hwnd))
            skinner->Detach();
    ClearWindows();
    ClearImagePartCache();
    SkinStore* old = current_;
    current_ = new SkinStore;
    if (TooltipWindow* tip = GetTooltipWindow())
        tip->SetSkinObject(NULL);
    delete old;
}

void SkinEngine::ClearWindows()
{
    EngineLock lock;
    std::map<HWND, SkinnedWindow*> windows;
    windows.swap(windows_);
    for (auto& entry : windows)
        delete entry.second;
}

int SkinEngine::LookupClassType(const char* className) const
{
    if (!className)
        return 0;
    auto it = classes_.find(className);
    return it == classes_.end() ? 0 : it->second;
}

size_t SkinEngine::WindowCount()
{
    EngineLock lock;
    return windows_.size();
}

std::vector<HWND> SkinEngine::Windows()
{
    EngineLock lock;
    std::vector<HWND> handles;
    handles.reserve(windows_.size());
    for (auto& entry : windows_)
        handles.push_back(entry.first);
    return handles;
}

SkinnedWindow* FindSkinnedWindow(HWND hwnd)
{
    return SkinEngine::Instance().FindSkinnedWindow(hwnd);
}
