// The search of message maps and the dispatch of commands and notifications to their handlers.
#include "framework/CmdTarget.h"

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

namespace {

union CmdHandler {
    AFX_PMSG pfn;
    void (CCmdTarget::*pfnCmd_v)();
    BOOL (CCmdTarget::*pfnCmd_b)();
    void (CCmdTarget::*pfnCmd_RANGE)(UINT);
    BOOL (CCmdTarget::*pfnCmd_EX)(UINT);
    void (CCmdTarget::*pfnNotify_v)(NMHDR*, LRESULT*);
    BOOL (CCmdTarget::*pfnNotify_b)(NMHDR*, LRESULT*);
    void (CCmdTarget::*pfnNotify_RANGE)(UINT, NMHDR*, LRESULT*);
    BOOL (CCmdTarget::*pfnNotify_EX)(UINT, NMHDR*, LRESULT*);
};

// Calls the handler; TRUE when the message counts as handled (the _EX and _b forms decide).
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, const AFX_MSGMAP_ENTRY* entry, void* pExtra)
{
    CmdHandler h;
    h.pfn = entry->pfn;
    AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (entry->nSig) {
    case AfxSigCmd_v:
        (pTarget->*h.pfnCmd_v)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*h.pfnCmd_b)();
    case AfxSigCmd_RANGE:
        (pTarget->*h.pfnCmd_RANGE)(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*h.pfnCmd_EX)(nID);
    case AfxSigNotify_v:
        (pTarget->*h.pfnNotify_v)(notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (pTarget->*h.pfnNotify_b)(notify->pNMHDR, notify->pResult);
    case AfxSigNotify_RANGE:
        (pTarget->*h.pfnNotify_RANGE)(nID, notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return (pTarget->*h.pfnNotify_EX)(nID, notify->pNMHDR, notify->pResult);
    default:
        return FALSE;
    }
}

} // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = HIWORD((DWORD)nCode);
    UINT code = LOWORD((DWORD)nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(map->lpEntries, nMsg, code, nID);
        if (entry == nullptr)
            continue;
        if (pHandlerInfo != nullptr) {
            // Asked only whether a handler exists.
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = entry->pfn;
            return TRUE;
        }
        // Notifications carry their NMHDR; a command handler must not be called with one missing.
        if ((entry->nSig >= AfxSigNotify_v && entry->nSig <= AfxSigNotify_EX) && pExtra == nullptr)
            return FALSE;
        return DispatchCmdMsg(this, nID, entry, pExtra);
    }
    return FALSE;
}
