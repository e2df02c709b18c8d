// CCmdTarget: the base of threads, the application and windows, and the owner of message maps.
// Commands and control notifications are routed through OnCmdMsg (MessageMap.cpp).
#pragma once

#include "afx.h"
#include "framework/MessageMap.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Looks nID and nCode up in the message map and calls the handler; FALSE when none is mapped.
    // nCode's high word is the message (0 for WM_COMMAND), its low word the notification code.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
