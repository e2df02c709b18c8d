// CTabPageHost: the pages of a settings dialog over its tab control: one tab per page, every page a
// child of the tab control over the tab's display area, only the selected page shown.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>

class CConfigPage;

class CTabPageHost {
public:
    void Attach(CTabCtrl* tab) { m_pTab = tab; }
    // Appends a tab with the caption for the page, which is created from its template later.
    void AddPage(LPCSTR caption, CConfigPage* page, UINT templateId);
    // Creates every page: the first shown, the others hidden; FALSE when one cannot be created.
    BOOL CreatePages();
    // Shows the page of the selected tab and hides the others (on TCN_SELCHANGE).
    void ShowSelected();
    // Selects the tab and shows its page.
    void Select(int index);

    int GetCount() const { return (int)m_pages.GetSize(); }
    CConfigPage* GetPage(int index) const { return m_pages[index]; }
    int IndexOf(const CConfigPage* page) const;

    // Moves the page over the display area of its parent, the tab control: the tab's client rectangle
    // adjusted by TCM_ADJUSTRECT.
    static void PlaceOverDisplayArea(CWnd* page);

private:
    CTabCtrl* m_pTab = nullptr;
    CArray<CConfigPage*> m_pages;
    CArray<UINT> m_templates;
};
