#include "station/ui/emap/DlgEMapCanvas.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/ui/emap/EMapIcon.h"
#include "station/ui/emap/EMapLink.h"
#include "station/ui/emap/EMapMessages.h"

#include <algorithm>
#include <vector>

BEGIN_MESSAGE_MAP(CDlgEMapCanvas, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
END_MESSAGE_MAP()

CDlgEMapCanvas::CDlgEMapCanvas(int editMode)
    : CDialog(IDD), m_editMode(editMode), m_blinkTimer(0), m_pictureWidth(0), m_pictureHeight(0), m_mouseDown(0),
      m_picture(nullptr), m_pLoadTimes(nullptr)
{
}

CDlgEMapCanvas::~CDlgEMapCanvas()
{
    if (m_picture != nullptr)
        ::DeleteObject(m_picture);
}

BOOL CDlgEMapCanvas::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetMapLinks(&EMapIconLinks());
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    return TRUE;
}

BOOL CDlgEMapCanvas::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

int CDlgEMapCanvas::LoadScene(CVuskEMapTerm* scene)
{
    Clear();
    if (scene == nullptr || scene->m_mapPath.IsEmpty())
        return 0;
    m_loadClock.Start(m_pLoadTimes);
    m_picture = LoadSkinPicture(scene->m_mapPath, 0, 0);
    m_loadClock.Lap(&EMapLoadTimes::picture);
    if (m_picture == nullptr) {
        m_loadClock.Stop();
        return 0;
    }
    SIZE size = SkinPictureSize(m_picture);
    m_pictureWidth = size.cx;
    m_pictureHeight = size.cy;
    // One repaint for the whole scene rather than one per window placed; a window shown on a hidden
    // canvas is only marked visible.
    SetRedraw(FALSE);
    for (POSITION pos = scene->m_devices.GetHeadPosition(); pos != nullptr;)
        AddIcon(scene->m_devices.GetNext(pos));
    for (POSITION pos = scene->m_children.GetHeadPosition(); pos != nullptr;)
        AddLink(scene->m_children.GetNext(pos));
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (m_blinkTimer != 0)
        KillTimer(m_blinkTimer);
    m_blinkTimer = m_editMode == 0 ? SetTimer(kEMapBlinkTimer, kEMapBlinkMs, nullptr) : 0;
    m_loadClock.Lap(&EMapLoadTimes::finish);
    m_loadClock.Stop();
    return 1;
}

// The canvas's drawing is held while its windows go: a shaped window destroyed on a shown canvas
// makes the system repaint what it uncovers at once, a hundred times over.
void CDlgEMapCanvas::Clear()
{
    if (m_blinkTimer != 0 && m_hWnd != nullptr)
        KillTimer(m_blinkTimer);
    m_blinkTimer = 0;
    BOOL held = m_hWnd != nullptr && (m_icons.GetSize() > 0 || m_links.GetSize() > 0) && (GetStyle() & WS_VISIBLE);
    if (held)
        SetRedraw(FALSE);
    for (int i = 0; i < m_icons.GetSize(); ++i)
        RemoveIconWindow(m_icons[i]);
    m_icons.RemoveAll();
    for (int i = 0; i < m_links.GetSize(); ++i) {
        CEMapLink* link = m_links[i];
        if (link->m_hWnd != nullptr)
            link->DestroyWindow();
        delete link;
    }
    m_links.RemoveAll();
    if (m_picture != nullptr)
        ::DeleteObject(m_picture);
    m_picture = nullptr;
    m_pictureWidth = m_pictureHeight = 0;
    if (held)
        SetRedraw(TRUE);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CDlgEMapCanvas::AddIcon(CVuskEMapDev* device)
{
    CEMapIcon* icon = new CEMapIcon;
    icon->m_canvasWidth = m_pictureWidth;
    icon->m_canvasHeight = m_pictureHeight;
    icon->m_callback = OnIconEvent;
    const EMapKindPictures* pictures = m_iconPictures.OfKind(device->m_kind);
    if (!icon->Create(this, device, pictures)) {
        delete icon;
        return;
    }
    m_loadClock.Lap(&EMapLoadTimes::windows);
    icon->SetShape(pictures);
    m_loadClock.Lap(&EMapLoadTimes::shapes);
    icon->m_editMode = m_editMode;
    device->m_pIcon = icon;
    m_icons.Add(icon);
    m_toolTip.AddTool(icon, icon->m_caption);
    m_loadClock.Lap(&EMapLoadTimes::tooltips);
}

void CDlgEMapCanvas::RemoveIcon(CVuskEMapDev* device)
{
    for (int i = 0; i < m_icons.GetSize(); ++i) {
        CEMapIcon* icon = m_icons[i];
        if (icon->m_pDevice != device)
            continue;
        RemoveIconWindow(icon);
        m_icons.RemoveAt(i);
        return;
    }
}

// The icon's tooltip goes with it: each scene load would otherwise add to the tooltip's tools.
void CDlgEMapCanvas::RemoveIconWindow(CEMapIcon* icon)
{
    if (icon->m_hWnd != nullptr) {
        if (m_toolTip.m_hWnd != nullptr)
            m_toolTip.DelTool(icon);
        icon->DestroyWindow();
    }
    delete icon;
}

void CDlgEMapCanvas::AddLink(CVuskEMapTerm* scene)
{
    CEMapLink* link = new CEMapLink;
    link->m_canvasWidth = m_pictureWidth;
    link->m_canvasHeight = m_pictureHeight;
    link->m_editMode = m_editMode;
    link->m_callback = OnLinkEvent;
    if (!link->Create(this, scene)) {
        delete link;
        return;
    }
    link->Place(scene->m_x, scene->m_y);
    link->ShowWindow(SW_SHOW);
    m_links.Add(link);
    m_loadClock.Lap(&EMapLoadTimes::windows);
}

void CDlgEMapCanvas::ClearSelection()
{
    for (int i = 0; i < m_icons.GetSize(); ++i)
        m_icons[i]->SetSelected(0);
    for (int i = 0; i < m_links.GetSize(); ++i)
        m_links[i]->SetSelected(0);
}

void CDlgEMapCanvas::SelectDevice(CVuskEMapDev* device)
{
    for (int i = 0; i < m_icons.GetSize(); ++i) {
        if (m_icons[i]->m_pDevice == device)
            m_icons[i]->SetSelected(1);
    }
}

void CDlgEMapCanvas::BlinkIcons()
{
    for (int i = 0; i < m_icons.GetSize(); ++i)
        m_icons[i]->Blink();
}

BOOL CDlgEMapCanvas::HasIcon(const void* window) const
{
    for (int i = 0; i < m_icons.GetSize(); ++i) {
        if (static_cast<const void*>(m_icons[i]) == window)
            return TRUE;
    }
    return FALSE;
}

BOOL CDlgEMapCanvas::HasLink(const void* window) const
{
    for (int i = 0; i < m_links.GetSize(); ++i) {
        if (static_cast<const void*>(m_links[i]) == window)
            return TRUE;
    }
    return FALSE;
}

// The main window in the run view, the editor in the editor.
void CDlgEMapCanvas::PostActivate(WPARAM item, LPARAM kind)
{
    CWnd* view = GetParent();
    CWnd* target = view != nullptr ? view->GetParent() : nullptr;
    if (target != nullptr)
        target->PostMessage(WM_EMAP_ACTIVATE, item, kind);
}

void CDlgEMapCanvas::OnIconEvent(CEMapItemWnd* icon, int event, CDlgEMapCanvas* canvas)
{
    if (event == emapEventButtonDown) {
        if (!icon->m_selected)
            canvas->ClearSelection();
    } else if (event == emapEventDoubleClick) {
        canvas->ClearSelection();
        canvas->PostActivate((WPARAM) static_cast<CEMapIcon*>(icon), emapActivateIcon);
    }
}

void CDlgEMapCanvas::OnLinkEvent(CEMapItemWnd* link, int event, CDlgEMapCanvas* canvas)
{
    if (event == emapEventButtonDown) {
        if (!link->m_selected)
            canvas->ClearSelection();
    } else if (event == emapEventDoubleClick) {
        canvas->PostActivate((WPARAM) static_cast<CEMapLink*>(link), emapActivateLink);
    }
}

BOOL CDlgEMapCanvas::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    // The paint that follows draws into the same DC: its clipping must come back.
    int saved = pDC->SaveDC();
    if (m_picture != nullptr)
        pDC->ExcludeClipRect(0, 0, m_pictureWidth, m_pictureHeight);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    pDC->RestoreDC(saved);
    return TRUE;
}

void CDlgEMapCanvas::OnPaint()
{
    // What this paint covers, read before BeginPaint takes it (the canvas does not clip its
    // children, so it reaches the icons' windows).
    HRGN painted = m_icons.GetSize() > 0 ? ::CreateRectRgn(0, 0, 0, 0) : nullptr;
    if (painted != nullptr && ::GetUpdateRgn(m_hWnd, painted, FALSE) <= NULLREGION) {
        ::DeleteObject(painted);
        painted = nullptr;
    }
    CPaintDC dc(this);
    if (m_picture != nullptr) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        HGDIOBJ old = ::SelectObject(memory.m_hDC, m_picture);
        dc.BitBlt(0, 0, m_pictureWidth, m_pictureHeight, &memory, 0, 0, SRCCOPY);
        ::SelectObject(memory.m_hDC, old);
    }
    if (painted != nullptr) {
        PaintIcons(dc, painted);
        ::DeleteObject(painted);
    }
}

// The icons are drawn with the picture, each through its shape, the lowest first (a new window
// goes under its siblings, so the array runs from the top down), and their windows are then
// validated wherever this paint reached them, in one call: a scene's hundred icons would otherwise
// each take a paint of their own, a window DC and its round trips to the window server. An icon
// that a link overlaps paints itself, as does an icon repainted alone (blink, selection, drag).
void CDlgEMapCanvas::PaintIcons(CDC& dc, HRGN painted)
{
    std::vector<CRect> links((size_t)m_links.GetSize());
    for (size_t i = 0; i < links.size(); ++i) {
        m_links[(int)i]->GetClientRect(&links[i]);
        links[i].OffsetRect(m_links[(int)i]->m_x, m_links[(int)i]->m_y);
    }
    HRGN drawn = ::CreateRectRgn(0, 0, 0, 0);
    HRGN left = ::CreateRectRgn(0, 0, 0, 0);
    HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
    HRGN area = ::CreateRectRgn(0, 0, 0, 0);
    for (int i = (int)m_icons.GetSize() - 1; i >= 0; --i) {
        CEMapIcon* icon = m_icons[i];
        CRect rect;
        icon->GetClientRect(&rect);
        rect.OffsetRect(icon->m_x, icon->m_y);
        ::SetRectRgn(area, rect.left, rect.top, rect.right, rect.bottom);
        CRect overlap;
        bool underLink = std::any_of(links.begin(), links.end(),
                                     [&](const CRect& link) { return overlap.IntersectRect(&rect, &link) != FALSE; });
        if (underLink || !::RectInRegion(painted, &rect)) {
            ::CombineRgn(left, left, area, RGN_OR);
            continue;
        }
        if (icon->m_shape != nullptr) {
            ::CombineRgn(clip, icon->m_shape, nullptr, RGN_COPY);
            ::OffsetRgn(clip, rect.left, rect.top);
            ::CombineRgn(clip, clip, area, RGN_AND);
        } else {
            ::CombineRgn(clip, area, nullptr, RGN_COPY);
        }
        ::ExtSelectClipRgn(dc.m_hDC, clip, RGN_COPY);
        icon->Draw(dc, rect.TopLeft());
        ::CombineRgn(drawn, drawn, area, RGN_OR);
    }
    ::SelectClipRgn(dc.m_hDC, nullptr);
    // An icon left to paint itself keeps all of its window to paint.
    ::CombineRgn(drawn, drawn, left, RGN_DIFF);
    if (::CombineRgn(drawn, drawn, painted, RGN_AND) > NULLREGION)
        ::RedrawWindow(m_hWnd, nullptr, drawn, RDW_VALIDATE | RDW_ALLCHILDREN);
    ::DeleteObject(area);
    ::DeleteObject(clip);
    ::DeleteObject(left);
    ::DeleteObject(drawn);
}

void CDlgEMapCanvas::OnDestroy()
{
    Clear();
    CDialog::OnDestroy();
}

void CDlgEMapCanvas::OnLButtonDown(UINT, CPoint point)
{
    m_lastMouseDown = point;
    m_mouseDown = 1;
    ClearSelection();
}

void CDlgEMapCanvas::OnLButtonUp(UINT, CPoint)
{
    m_mouseDown = 0;
}

void CDlgEMapCanvas::OnTimer(UINT_PTR id)
{
    if (id == kEMapBlinkTimer)
        BlinkIcons();
    else
        CDialog::OnTimer(id);
}
