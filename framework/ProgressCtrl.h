// CProgressCtrl: the progress bar control.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos); }
    int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, nPos); }
    int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, nStep); }
    int StepIt() { return (int)SendMessage(PBM_STEPIT); }
    COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)SendMessage(PBM_SETBARCOLOR, 0, clrBar); }
    COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)SendMessage(PBM_SETBKCOLOR, 0, clrNew); }
};
