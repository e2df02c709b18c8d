// The tab-page host of the settings dialogs.
#include "station/config/TabPageHost.h"

#include "station/config/ConfigPage.h"

void CTabPageHost::AddPage(LPCSTR caption, CConfigPage* page, UINT templateId)
{
    m_pTab->InsertItem(m_pTab->GetItemCount(), caption);
    m_pages.Add(page);
    m_templates.Add(templateId);
}

BOOL CTabPageHost::CreatePages()
{
    for (int i = 0; i < GetCount(); ++i) {
        if (!m_pages[i]->Create(m_templates[i], m_pTab))
            return FALSE;
    }
    Select(0);
    return TRUE;
}

void CTabPageHost::ShowSelected()
{
    int selected = m_pTab->GetCurSel();
    for (int i = 0; i < GetCount(); ++i) {
        if (i != selected && m_pages[i]->m_hWnd != nullptr)
            m_pages[i]->ShowWindow(SW_HIDE);
    }
    if (selected >= 0 && selected < GetCount() && m_pages[selected]->m_hWnd != nullptr)
        m_pages[selected]->ShowWindow(SW_SHOW);
}

void CTabPageHost::Select(int index)
{
    m_pTab->SetCurSel(index);
    ShowSelected();
}

int CTabPageHost::IndexOf(const CConfigPage* page) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_pages[i] == page)
            return i;
    }
    return -1;
}

void CTabPageHost::PlaceOverDisplayArea(CWnd* page)
{
    HWND tab = ::GetParent(page->m_hWnd);
    if (tab == nullptr)
        return;
    RECT area;
    ::GetClientRect(tab, &area);
    ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
    page->MoveWindow(area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
}
