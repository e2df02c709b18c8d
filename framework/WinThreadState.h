// Per-thread state of the window half of the framework: the handle maps (which object wraps which
// window, menu, device context...), the window being created, the message being dispatched and
// the notifications locked out during data exchange. Internal to the framework.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>
#include <vector>

class CWnd;
class CMenu;
class CDC;
class CGdiObject;
class CImageList;

// Handle to object. Permanent entries are objects that own their handle (a CWnd after Create or
// Attach); temporary ones are wrappers made by FromHandle for handles nobody wraps, deleted when
// the thread goes idle outside any message handler (AfxUnlockTempMaps).
template <class H, class T> class CHandleMap {
public:
    T* LookupPermanent(H h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    // p owns h from now on; FALSE when h is null or another object owns it.
    bool Attach(H h, T* p)
    {
        if (h == nullptr || LookupPermanent(h) != nullptr)
            return false;
        m_permanent[h] = p;
        return true;
    }
    // p no longer owns h (nothing happens when it never did).
    void Detach(H h, const T* p)
    {
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == p)
            m_permanent.erase(it);
    }

    // The owner of h, else a temporary wrapper: makeTemp(h) builds one that does not own h.
    template <class MakeTemp> T* FromHandle(H h, MakeTemp makeTemp)
    {
        if (h == nullptr)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        T*& temp = m_temporary[h];
        if (temp == nullptr)
            temp = makeTemp(h);
        return temp;
    }
    // The same for wrappers whose handle is the one member Handle.
    template <H T::*Handle> T* FromHandle(H h)
    {
        return FromHandle(h, [](H handle) {
            T* p = new T;
            p->*Handle = handle;
            return p;
        });
    }

    // dropTemp(p) lets go of the handle and deletes the wrapper.
    template <class DropTemp> void DeleteTemporaries(DropTemp dropTemp)
    {
        std::unordered_map<H, T*> temps;
        temps.swap(m_temporary);
        for (auto& entry : temps)
            dropTemp(entry.second);
    }
    template <H T::*Handle> void DeleteTemporaries()
    {
        DeleteTemporaries([](T* p) {
            p->*Handle = nullptr;
            delete p;
        });
    }

private:
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};

struct AfxWinThreadState {
    CHandleMap<HWND, CWnd> windows;
    CHandleMap<HMENU, CMenu> menus;
    CHandleMap<HDC, CDC> dcs;
    CHandleMap<HGDIOBJ, CGdiObject> gdiObjects;
    CHandleMap<HIMAGELIST, CImageList> imageLists;

    // Window creation: the object that the next created window belongs to, and the hook that
    // attaches it before the window's first message.
    CWnd* pWndInit = nullptr;
    HHOOK hHookCbt = nullptr;
    int nHookUsers = 0;

    MSG lastSentMsg = {};                // the message being dispatched (CWnd::Default, GetCurrentMessage)
    MSG msgCur = {};                     // the last message taken from the queue by the framework's loops
    HWND hLockoutNotifyWindow = nullptr; // control notifications to it are ignored (UpdateData)
    HWND hTrackingWindow = nullptr;      // owner and menu of the popup menu being tracked
    HMENU hTrackingMenu = nullptr;
    int nDispatchDepth = 0; // window procedures of ours running on this thread
    int nTempMapLock = 0;

    // The framework's modal loops running on this thread, outermost first; the system's modal
    // windows shown meanwhile (message boxes, common dialogs, popup menus); messages held until the
    // loops inside their window's have returned (ModalLoops.cpp).
    struct HeldMessage {
        HWND hWnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<CWnd*> modalLoops;
    int nSystemModal = 0;
    std::vector<HeldMessage> heldMessages;

    ~AfxWinThreadState();
};

AfxWinThreadState* AfxGetWinThreadState();
// RunModalLoop's bookkeeping: pWnd's loop starts, and ends (held messages may go out then).
void AfxModalLoopStarted(CWnd* pWnd);
void AfxModalLoopEnded(CWnd* pWnd);
// Deletes the temporary wrappers of every map (they let go of their handles first).
void AfxDeleteTemporaryObjects(AfxWinThreadState* state);

// Attach and Detach of the wrappers that own one handle and are not in a map of permanent objects.
template <class H> BOOL AfxAttachHandle(H& member, H handle)
{
    if (handle == nullptr || member != nullptr)
        return FALSE;
    member = handle;
    return TRUE;
}
template <class H> H AfxDetachHandle(H& member)
{
    H handle = member;
    member = nullptr;
    return handle;
}

// The platform's GetSafeHwnd idiom is called on null pointers; this keeps the compiler from
// assuming that this is never null.
template <class T> const T* AfxNullable(const T* p)
{
    asm("" : "+r"(p));
    return p;
}
