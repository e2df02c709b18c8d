// CDateTimeCtrl: the date and time picker. Times are local (CTime or SYSTEMTIME).
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

class CTime;

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // GDT_VALID, or GDT_NONE when the picker shows no date (timeDest is then left as it is).
    DWORD GetTime(CTime& timeDest) const;
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const { return (DWORD)SendMessage(DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest); }
    // A null time clears the picker (with DTS_SHOWNONE).
    BOOL SetTime(const CTime* pTimeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = nullptr)
    {
        return (BOOL)SendMessage(DTM_SETSYSTEMTIME, pTimeNew == nullptr ? GDT_NONE : GDT_VALID, (LPARAM)pTimeNew);
    }
    BOOL SetFormat(LPCSTR pstrFormat) { return (BOOL)SendMessage(DTM_SETFORMATA, 0, (LPARAM)pstrFormat); }
    DWORD GetRange(LPSYSTEMTIME pMinRange, LPSYSTEMTIME pMaxRange) const;
    BOOL SetRange(LPSYSTEMTIME pMinRange, LPSYSTEMTIME pMaxRange);
    COLORREF SetMonthCalColor(int iColor, COLORREF ref) { return (COLORREF)SendMessage(DTM_SETMCCOLOR, iColor, ref); }
    void SetMonthCalFont(HFONT hFont, BOOL bRedraw = TRUE) { SendMessage(DTM_SETMCFONT, (WPARAM)hFont, bRedraw); }
};
