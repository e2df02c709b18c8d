#include "station/ui/emap/EMapLink.h"

#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/emap/EMapRules.h"

BEGIN_MESSAGE_MAP(CEMapLink, CEMapItemWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CEMapLink::CEMapLink() : m_pScene(nullptr) {}

BOOL CEMapLink::Create(CDlgEMapCanvas* canvas, CVuskEMapTerm* scene)
{
    m_pScene = scene;
    if (!CreateItem(canvas, CRect(10, 10, 10 + LinkWidthForName(scene->m_name), 10 + kLinkHeight), ""))
        return FALSE;
    SetCaption(scene->m_name);
    return TRUE;
}

void CEMapLink::SetCaption(LPCSTR caption)
{
    m_caption = caption;
    SetWindowText(caption);
    SetWindowPos(nullptr, 0, 0, LinkWidthForName(caption), kLinkHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEMapLink::OnPaint()
{
    CPaintDC dc(this);
    CFont* font = GetParent() != nullptr ? GetParent()->GetFont() : nullptr;
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(2, 2, m_caption);
    if (old != nullptr)
        dc.SelectObject(old);
    CRect client;
    GetClientRect(&client);
    DrawFrame(dc, client, RGB(156, 117, 35));
}

void CEMapLink::OnDestroy()
{
    if (m_editMode && m_pScene != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        m_pScene->m_x = m_x;
        m_pScene->m_y = m_y;
        m_pScene->m_width = rect.Width();
        m_pScene->m_height = rect.Height();
    }
    CEMapItemWnd::OnDestroy();
}
