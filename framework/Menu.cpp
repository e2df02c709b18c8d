// CMenu: ownership of menu handles, loading from the resource module, popup tracking and the search
// for the object that draws an owner-drawn item.
#include "afxwin.h"
#include "framework/WindowSeams.h"
#include "framework/WinThreadState.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

HMENU CMenu::GetSafeHmenu() const
{
    const CMenu* self = AfxNullable(this);
    return self == nullptr ? nullptr : self->m_hMenu;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return AfxGetWinThreadState()->menus.FromHandle<&CMenu::m_hMenu>(hMenu);
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu == nullptr ? nullptr : AfxGetWinThreadState()->menus.LookupPermanent(hMenu);
}

BOOL CMenu::Attach(HMENU hNewMenu)
{
    if (m_hMenu != nullptr || !AfxGetWinThreadState()->menus.Attach(hNewMenu, this))
        return FALSE;
    m_hMenu = hNewMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    AfxGetWinThreadState()->menus.Detach(hMenu, this);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    HWND hOldWindow = state->hTrackingWindow;
    HMENU hOldMenu = state->hTrackingMenu;
    state->hTrackingWindow = CWnd::SafeHandle(pWnd);
    state->hTrackingMenu = m_hMenu;
    BOOL bResult = Seams::TrackPopupMenu(m_hMenu, nFlags, x, y, state->hTrackingWindow, lpRect);
    state->hTrackingWindow = hOldWindow;
    state->hTrackingMenu = hOldMenu;
    return bResult;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

namespace {

CMenu* FindOwnerDrawMenu(HMENU hMenu, CMenu* pEnclosing, HMENU hContaining, UINT nItemID, int depth)
{
    // Menus are shallow; the bound only guards against a menu that contains itself.
    if (hMenu == nullptr || depth > 16)
        return nullptr;
    CMenu* pOwner = CMenu::FromHandlePermanent(hMenu);
    if (pOwner == nullptr)
        pOwner = pEnclosing;
    int nCount = ::GetMenuItemCount(hMenu);
    if (hContaining != nullptr && hMenu == hContaining)
        return pOwner;
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub == nullptr) {
            if (hContaining == nullptr && ::GetMenuItemID(hMenu, i) == nItemID)
                return pOwner;
        } else if (CMenu* pFound = FindOwnerDrawMenu(hSub, pOwner, hContaining, nItemID, depth + 1)) {
            return pFound;
        }
    }
    return nullptr;
}

} // namespace

CMenu* AFXAPI AfxFindOwnerDrawMenu(HMENU hTop, HMENU hContaining, UINT nItemID)
{
    if (CMenu* pMenu = CMenu::FromHandlePermanent(hContaining))
        return pMenu;
    return FindOwnerDrawMenu(hTop, nullptr, hContaining, nItemID, 0);
}
