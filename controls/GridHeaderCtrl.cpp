#include "controls/GridHeaderCtrl.h"

#include "controls/GridCellLogic.h"
#include "controls/MemDC.h"

IMPLEMENT_DYNCREATE(CGridHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CGridHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CGridHeaderCtrl::CGridHeaderCtrl() : m_itemTextColor(::GetSysColor(COLOR_BTNTEXT))
{
    ReadColors();
}

void CGridHeaderCtrl::ReadColors()
{
    m_highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_shadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_face = ::GetSysColor(COLOR_BTNFACE);
    m_text = ::GetSysColor(COLOR_BTNTEXT);
}

void CGridHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_doubleBuffer) {
        CMemDC memory(&dc);
        DrawCtrl(&memory);
    } else {
        DrawCtrl(&dc);
    }
}

BOOL CGridHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CGridHeaderCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    Default();
    // The item text keeps the colour read at construction.
    ReadColors();
    return 0;
}

void CGridHeaderCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    // A double click counts as a second click.
    SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CGridHeaderCtrl::DrawCtrl(CDC* dc)
{
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    dc->FillSolidRect(&clip, m_face);
    CFont* font = GetFont();
    CFont* oldFont = font != nullptr ? dc->SelectObject(font) : nullptr;
    dc->SetBkColor(m_face);
    dc->SetTextColor(m_text);
    CPen shadow(PS_SOLID, 1, m_shadow);
    CPen highlight(PS_SOLID, 1, m_highlight);
    CPen* oldPen = dc->GetCurrentPen();

    int count = GetItemCount();
    int widths = 0;
    for (int order = 0; order < count; ++order) {
        int index = OrderToIndex(order);
        char text[80] = "";
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        if (!GetItem(index, &item))
            continue;
        widths += item.cxy;
        CRect rect;
        GetItemRect(index, &rect);
        CRect inner = rect;
        inner.DeflateRect(m_spacing, 0);
        DrawItem(dc, inner, item);
        if (order < count - 1 && m_dividers) {
            dc->SelectObject(&shadow);
            dc->MoveTo(rect.right - 1, rect.top + 2);
            dc->LineTo(rect.right - 1, rect.bottom - 2);
            dc->SelectObject(&highlight);
            dc->MoveTo(rect.right, rect.top + 2);
            dc->LineTo(rect.right, rect.bottom - 2);
        }
    }
    if (widths > 0) {
        CRect frame;
        GetClientRect(&frame);
        frame.right = frame.left + widths;
        dc->Draw3dRect(&frame, m_highlight, m_shadow);
    }
    if (oldFont != nullptr)
        dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}

void CGridHeaderCtrl::DrawItem(CDC* dc, const CRect& rect, const HDITEMA& item)
{
    DrawItemText(dc, rect, item);
}

void CGridHeaderCtrl::DrawItemText(CDC* dc, const CRect& rect, const HDITEMA& item)
{
    if (rect.Width() <= 0 || !(item.mask & HDI_TEXT) || !(item.fmt & HDF_STRING) || item.pszText == nullptr)
        return;
    dc->SetTextColor(m_itemTextColor);
    CRect textRect = rect;
    dc->DrawText(item.pszText, -1, &textRect,
                 GridCell::Alignment(item.fmt) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
