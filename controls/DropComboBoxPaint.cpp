// CDropComboBox's face: the frame, the drop button (themed or classic) and a drop-list's text, and
// the hover tracking that lights the button.
#include "controls/DropComboBox.h"

#include "controls/DropComboBoxEdit.h"
#include "controls/VisualStyles.h"

namespace {

const UINT_PTR kHoverTimer = 1;

} // namespace

void CDropComboBox::OnPaint()
{
    CPaintDC dc(this);
    if (ValidSel()) {
        m_text = m_items[m_curSel].text;
        if (m_edit != nullptr && m_textToEdit) {
            CString shown;
            m_edit->GetWindowText(shown);
            if (m_text != static_cast<LPCSTR>(shown))
                m_edit->SetWindowText(m_text.c_str());
            m_textToEdit = false;
            m_edit->EnableWindow(IsWindowEnabled());
        }
    }
    CRect client;
    GetClientRect(&client);
    m_buttonRect = client;
    m_buttonRect.left = client.right - ::GetSystemMetrics(SM_CXHSCROLL);
    CRect textRect = client;
    textRect.right = m_buttonRect.left - 1;
    dc.FillSolidRect(&client, ::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    CRect button = m_buttonRect;
    DrawFrameAndButton(dc, button);
    textRect.DeflateRect(4, 3, 2, 3);
    if (IsDropList())
        DrawListFace(dc, textRect);
    else if (m_edit != nullptr && m_font != nullptr)
        m_edit->SetFont(m_font, FALSE);
}

void CDropComboBox::DrawFrameAndButton(CDC& dc, CRect& button)
{
    BOOL enabled = IsWindowEnabled();
    CRect client;
    GetClientRect(&client);
    HTHEME_HANDLE theme = CVisualStyles::IsThemed() ? CVisualStyles::OpenThemeData(m_hWnd, L"COMBOBOX") : nullptr;
    if (theme != nullptr) {
        COLORREF border = RGB(0, 0, 0);
        if (FAILED(CVisualStyles::GetThemeColor(theme, 1, enabled ? 1 : 4, 3801, &border)))
            border = RGB(0, 0, 0);
        CBrush frame(border);
        dc.FrameRect(&client, &frame);
        button.DeflateRect(0, 1);
        button.OffsetRect(-1, 0);
        if (!enabled) {
            COLORREF fill = RGB(255, 255, 255);
            if (FAILED(CVisualStyles::GetThemeColor(theme, 1, 4, 3802, &fill)))
                fill = RGB(255, 255, 255);
            CPen pen(PS_SOLID, 1, fill);
            CBrush face(::GetSysColor(COLOR_BTNFACE));
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(&face);
            dc.Rectangle(client.left + 1, client.top + 1, button.left, client.bottom - 1);
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        }
        int state = m_dropped ? 3 : (m_hot ? 2 : (!enabled ? 4 : 1));
        CVisualStyles::DrawThemeBackground(theme, dc.GetSafeHdc(), 1, state, &button, nullptr);
        CVisualStyles::CloseThemeData(theme);
        return;
    }
    dc.Draw3dRect(&client, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect inner = client;
    inner.DeflateRect(1, 1);
    dc.Draw3dRect(&inner, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
    button.DeflateRect(0, 2);
    button.OffsetRect(-2, 0);
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (m_dropped)
        state |= DFCS_PUSHED | DFCS_FLAT;
    if (!enabled)
        state |= DFCS_INACTIVE;
    dc.DrawFrameControl(&button, DFC_SCROLL, state);
}

void CDropComboBox::DrawListFace(CDC& dc, CRect textRect)
{
    textRect.InflateRect(2, 2, 1, 2);
    BOOL enabled = IsWindowEnabled();
    COLORREF fill = ::GetSysColor(COLOR_WINDOW);
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    if (!enabled) {
        fill = ::GetSysColor(COLOR_BTNFACE);
        text = ::GetSysColor(COLOR_GRAYTEXT);
    } else if (m_faceFocus && !m_dropped) {
        fill = ::GetSysColor(COLOR_HIGHLIGHT);
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    dc.FillSolidRect(&textRect, fill);
    CFont* oldFont = m_font != nullptr ? dc.SelectObject(m_font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    dc.DrawText(m_text.c_str(), static_cast<int>(m_text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}

CRect CDropComboBox::HoverArea() const
{
    if (IsDropDown())
        return m_buttonRect;
    CRect client;
    GetClientRect(&client);
    return client;
}

void CDropComboBox::OnMouseMove(UINT flags, CPoint point)
{
    bool hot = HoverArea().PtInRect(point) != FALSE;
    if (hot != m_hot) {
        m_hot = hot;
        if (!m_hotTimer) {
            SetTimer(kHoverTimer, 50, nullptr);
            m_hotTimer = true;
        }
        InvalidateRect(&m_buttonRect);
    }
    CWnd::OnMouseMove(flags, point);
}

void CDropComboBox::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer) {
        CWnd::OnTimer(id);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (HoverArea().PtInRect(cursor))
        return;
    KillTimer(kHoverTimer);
    bool wasHot = m_hot;
    m_hot = false;
    m_hotTimer = false;
    if (wasHot)
        InvalidateRect(&m_buttonRect);
}
