// CIPAddressCtrl: the four-field IP address control. An address as a DWORD has the first field in
// its high byte, as MAKEIPADDRESS builds it.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

class CIPAddressCtrl : public CWnd {
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL IsBlank() const { return (BOOL)SendMessage(IPM_ISBLANK); }
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    // The number of fields that are not blank.
    int GetAddress(DWORD& dwAddress) const { return (int)SendMessage(IPM_GETADDRESS, 0, (LPARAM)&dwAddress); }
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    void SetAddress(DWORD dwAddress) { SendMessage(IPM_SETADDRESS, 0, dwAddress); }
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
    {
        SetAddress(MAKEIPADDRESS(nField0, nField1, nField2, nField3));
    }
    void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper)
    {
        SendMessage(IPM_SETRANGE, nField, MAKEIPRANGE(nLower, nUpper));
    }
};
