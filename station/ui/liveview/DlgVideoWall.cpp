#include "station/ui/liveview/DlgVideoWall.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgMatrixPanel.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/liveview/PaneGeometry.h"

namespace {

CDlgVideoWall* theWall = nullptr;

} // namespace

CDlgVideoWall* VideoWall()
{
    return theWall;
}

CDlgPreviewPane* SelectedPreviewPane()
{
    return VideoWall() != nullptr ? VideoWall()->GetSelectedPaneWnd() : nullptr;
}

BEGIN_MESSAGE_MAP(CDlgVideoWall, CDialog)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

CDlgVideoWall::CDlgVideoWall()
    : CDialog(IDD_VIDEO_WALL), m_savedRect(), m_currentPage(-1), m_tourStepShown(-1), m_audioFollow(0), m_fullScreen(0),
      m_selectedPaneWnd(nullptr), m_panes(), m_tourTimer(0), m_tourPosition(0), m_touring(0), m_redrawHolds(0),
      m_redrawOff(0)
{
}

CDlgVideoWall::~CDlgVideoWall()
{
    if (theWall == this)
        theWall = nullptr;
}

BOOL CDlgVideoWall::CreateWall(CWnd* parent, int x, int y, int w, int h)
{
    m_savedRect[0] = x, m_savedRect[1] = y, m_savedRect[2] = w, m_savedRect[3] = h;
    theWall = this;
    if (!Create(IDD_VIDEO_WALL, parent))
        return FALSE;
    MoveWindow(x, y, w, h);
    ShowWindow(SW_SHOW);
    return TRUE;
}

// A pane is made when it is first laid out or given a session: a pane window with its controls costs a
// dozen windows, and most split modes show few of the sixteen.
BOOL CDlgVideoWall::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CDlgVideoWall::OnOK() {}
void CDlgVideoWall::OnCancel() {}

void CDlgVideoWall::OnDestroy()
{
    if (m_tourTimer != 0)
        KillTimer(TOUR_TIMER);
    m_tourTimer = 0;
    for (CDlgPreviewPane*& pane : m_panes) {
        if (pane == nullptr)
            continue;
        if (pane->m_hWnd != nullptr)
            pane->DestroyWindow();
        delete pane;
        pane = nullptr;
    }
    m_selectedPaneWnd = nullptr;
    CDialog::OnDestroy();
}

void CDlgVideoWall::OnPaint()
{
    CPaintDC dc(this);
    if (!IsWindowVisible())
        return;
    CRect client;
    GetClientRect(&client);
    CBrush black(RGB(0, 0, 0));
    dc.FrameRect(&client, &black);
}

CDlgPreviewPane* CDlgVideoWall::GetPane(int index)
{
    if (index < 0 || index >= PANE_COUNT)
        return nullptr;
    if (m_panes[index] == nullptr && m_hWnd != nullptr) {
        m_panes[index] = new CDlgPreviewPane(index);
        m_panes[index]->Create(IDD_PREVIEW_PANE, this);
    }
    return m_panes[index];
}

CDlgPreviewPane* CDlgVideoWall::ExistingPane(int index) const
{
    return index >= 0 && index < PANE_COUNT ? m_panes[index] : nullptr;
}

DisplayPage* CDlgVideoWall::CurrentPage() const
{
    return DisplayPageTable().GetAt(m_currentPage);
}

// The panes that leave the layout are hidden and the others moved and shown in one batch; a pane
// that keeps its place and shows already is not touched. Each placed pane then lays out its own
// controls (only a pane whose size changed has work to do).
void CDlgVideoWall::PlacePanes(const int* panes, const RECT* rects, int count, int hideOthers)
{
    int placed[PANE_COUNT] = {};
    for (int k = 0; k < count; ++k) {
        if (GetPane(panes[k]) != nullptr)
            placed[panes[k]] = 1;
    }
    HDWP batch = ::BeginDeferWindowPos(PANE_COUNT);
    for (int i = 0; i < PANE_COUNT && hideOthers; ++i) {
        CDlgPreviewPane* window = m_panes[i];
        if (!placed[i] && window != nullptr && window->m_hWnd != nullptr && (window->GetStyle() & WS_VISIBLE))
            DeferPanePos(batch, window, nullptr, SWP_HIDEWINDOW);
    }
    for (int k = 0; k < count; ++k) {
        CDlgPreviewPane* window = GetPane(panes[k]);
        if (window == nullptr || window->m_hWnd == nullptr)
            continue;
        CRect now;
        window->GetWindowRect(&now);
        ScreenToClient(&now);
        UINT flags = now == CRect(rects[k]) ? SWP_NOMOVE | SWP_NOSIZE : 0;
        flags |= window->GetStyle() & WS_VISIBLE ? 0 : SWP_SHOWWINDOW;
        if ((flags & (SWP_NOMOVE | SWP_SHOWWINDOW)) != SWP_NOMOVE) {
            DeferPanePos(batch, window, &rects[k], flags);
            window->m_lookChanged = 1;
        }
    }
    if (batch != nullptr)
        ::EndDeferWindowPos(batch);
    for (int k = 0; k < count; ++k) {
        if (CDlgPreviewPane* window = ExistingPane(panes[k]))
            window->ArrangeControls(1);
    }
}

// A moved pane is repainted whole, never copied. Without a batch (no memory for it) each pane is
// placed at once.
void CDlgVideoWall::DeferPanePos(HDWP& batch, CDlgPreviewPane* window, const RECT* rect, UINT flags)
{
    flags |= SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | (rect == nullptr ? SWP_NOMOVE | SWP_NOSIZE : 0);
    int x = rect != nullptr ? rect->left : 0, y = rect != nullptr ? rect->top : 0;
    int w = rect != nullptr ? rect->right - rect->left : 0, h = rect != nullptr ? rect->bottom - rect->top : 0;
    if (batch != nullptr)
        batch = ::DeferWindowPos(batch, window->m_hWnd, nullptr, x, y, w, h, flags);
    if (batch == nullptr)
        window->SetWindowPos(nullptr, x, y, w, h, flags);
}

// Places the first `shown` panes in the split mode's positions.
void CDlgVideoWall::PlaceFirstPanes(int mode, int shown)
{
    CRect client;
    GetClientRect(&client);
    int panes[PANE_COUNT];
    RECT rects[PANE_COUNT];
    for (int k = 0; k < shown && k < PANE_COUNT; ++k) {
        panes[k] = k;
        rects[k] = SplitPositionRect(mode, k, client.Width(), client.Height());
    }
    PlacePanes(panes, rects, shown < PANE_COUNT ? shown : PANE_COUNT, 0);
}

void CDlgVideoWall::HideAllPanes()
{
    for (CDlgPreviewPane* pane : m_panes) {
        if (pane != nullptr && pane->m_hWnd != nullptr)
            pane->ShowWindow(SW_HIDE);
    }
}

void CDlgVideoWall::LayoutGrid()
{
    m_currentPage = -1;
    PlaceFirstPanes(16, PANE_COUNT);
}

// Hides the panes outside the group that holds the selected pane, places the group and selects it.
void CDlgVideoWall::LayoutPanes(DisplayPage* page)
{
    for (int i = 0; i < PANE_COUNT; ++i) {
        CDlgPreviewPane* window = m_panes[i];
        // A pane that stays in place is not repainted by the layout: its old frame must go.
        if (window != nullptr && window->m_selected) {
            window->m_selected = 0;
            if (window->m_hWnd != nullptr)
                window->InvalidateRect(nullptr, TRUE);
        }
        page->paneMarks[i] = -1;
    }
    CRect client;
    GetClientRect(&client);
    int panes[PANE_COUNT];
    RECT rects[PANE_COUNT];
    int count = SplitGroupPanes(page->splitMode, page->group, page->selectedPane, panes);
    for (int position = 0; position < count; ++position) {
        rects[position] = SplitPositionRect(page->splitMode, position, client.Width(), client.Height());
        page->paneMarks[position] = panes[position];
    }
    PlacePanes(panes, rects, count, 1);
    if (CDlgPreviewPane* selected = GetPane(page->selectedPane))
        selected->SetSelected(1);
}

void CDlgVideoWall::SetPaneAudio(int on)
{
    if (m_selectedPaneWnd != nullptr)
        m_selectedPaneWnd->SetAudio(on);
}

void CDlgVideoWall::SetSplitMode(int mode, int pane)
{
    DisplayPage* page = CurrentPage();
    if (DisplayPageTable().GetCount() == 0 || page == nullptr)
        return;
    if (pane != -1)
        page->selectedPane = pane;
    page->splitMode = NormaliseSplitMode(mode);
    page->group = SplitGroupOf(page->splitMode, page->selectedPane);
    HoldRedraw(1);
    LayoutPanes(page);
    HoldRedraw(0);
    if (m_audioFollow)
        SetPaneAudio(1);
    RefreshPanels();
}

void CDlgVideoWall::SelectPane(int pane)
{
    if (DisplayPageTable().GetCount() == 0 || pane < 0 || pane >= PANE_COUNT)
        return;
    if (m_touring) {
        if (m_audioFollow)
            SetPaneAudio(0);
        for (int i = 0; i < PANE_COUNT; ++i) {
            if (m_panes[i] != nullptr)
                m_panes[i]->SetSelected(i == pane);
        }
    } else {
        DisplayPage* page = CurrentPage();
        if (page == nullptr || pane == page->selectedPane)
            return;
        if (m_audioFollow)
            SetPaneAudio(0);
        if (!IsPaneVisible(pane)) {
            SetSplitMode(page->splitMode, pane);
            return;
        }
        page->selectedPane = pane;
        for (int i = 0; i < PANE_COUNT; ++i) {
            if (m_panes[i] != nullptr)
                m_panes[i]->SetSelected(i == pane);
        }
    }
    if (m_audioFollow)
        SetPaneAudio(1);
    RefreshPanels();
}

// The PTZ and matrix panels follow the selected pane's session.
void CDlgVideoWall::RefreshPanels()
{
    CChannelSession* session = m_selectedPaneWnd != nullptr ? m_selectedPaneWnd->m_pSession : nullptr;
    CTermCamera* camera = session != nullptr ? session->m_pCamera : nullptr;
    if (CDlgPtzPanel* ptz = LiveViewHost().GetPtzPanel()) {
        ptz->ShowServerRelays(session != nullptr ? session->m_relayStates : nullptr);
        ptz->SetCameraDescription(camera != nullptr ? (LPCSTR)camera->m_description : nullptr);
        ptz->SetCycleButton(session != nullptr ? session->m_presetCycleRunning : 0);
    }
    if (CDlgMatrixPanel* matrix = LiveViewHost().GetMatrixPanel())
        matrix->ShowCamera(camera);
}

void CDlgVideoWall::ShowPage(int page, int pane, int force)
{
    CDisplayPageTable& table = DisplayPageTable();
    if (table.GetCount() == 0)
        return;
    if (!force && page == m_currentPage) {
        if (pane != -1)
            SelectPane(pane);
        return;
    }
    // Sessions leave their panes and the next page's come: each pane is refreshed once, at the end.
    HoldRedraw(1);
    HoldPaneRefreshes(1);
    DisplayPage* previous = CurrentPage();
    DisplayPage* shown = table.GetAt(page);
    // A camera the next page shows in the pane it is in stays attached: detaching it would stop its
    // stream and drop the picture the pane holds, only to start both again.
    int stays[PANE_COUNT] = {};
    for (int i = 0; i < PANE_COUNT && shown != nullptr; ++i)
        stays[i] = SessionStaysInPane(shown->cameras[i], i);
    if (previous != nullptr) {
        for (CTermCamera* camera : previous->cameras) {
            CChannelSession* session = camera != nullptr ? camera->m_pSession : nullptr;
            if (session == nullptr)
                continue;
            int pane = PaneOfSession(session);
            if (pane != -1 && stays[pane])
                session->SetAudio(0); // as a detach would leave it; the audio follows the selection below
            else
                session->AttachPane(0, nullptr, 0);
        }
    }
    m_currentPage = page;
    for (CDlgPreviewPane* window : m_panes) {
        if (window != nullptr)
            window->SetSelected(0);
    }
    if (shown == nullptr) {
        HideAllPanes();
        if (previous != nullptr) {
            for (int& mark : previous->paneMarks)
                mark = -1;
        }
        HoldPaneRefreshes(0);
        HoldRedraw(0);
        return;
    }
    for (int i = 0; i < PANE_COUNT; ++i) {
        CTermCamera* camera = shown->cameras[i];
        if (stays[i])
            continue;
        if (camera != nullptr && camera->m_pSession != nullptr) {
            camera->m_pSession->AttachPane(1, GetPane(i), 0);
        } else if (m_panes[i] != nullptr) {
            m_panes[i]->SetSession(nullptr);
            m_panes[i]->RefreshView(0);
        }
    }
    SetSplitMode(shown->splitMode, pane);
    HoldPaneRefreshes(0);
    HoldRedraw(0);
}

// The pane the session is attached to, -1 when none of the wall's.
int CDlgVideoWall::PaneOfSession(CChannelSession* session) const
{
    for (int i = 0; i < PANE_COUNT && session != nullptr; ++i) {
        CDlgPreviewPane* window = m_panes[i];
        if (window != nullptr && window->m_pSession == session && session->m_pPane == window)
            return i;
    }
    return -1;
}

int CDlgVideoWall::SessionStaysInPane(CTermCamera* camera, int pane) const
{
    CChannelSession* session = camera != nullptr ? camera->m_pSession : nullptr;
    return session != nullptr && PaneOfSession(session) == pane;
}

void CDlgVideoWall::HoldPaneRefreshes(int hold)
{
    for (CDlgPreviewPane* pane : m_panes) {
        if (pane != nullptr)
            pane->HoldRefresh(hold);
    }
}

// A switch moves, hides and refreshes up to 16 panes of 12 windows each: with the wall's drawing
// off meanwhile, none of it is copied, clipped or painted on the way, and at the end only the
// panes that moved, showed or changed are repainted, each once. What waited to be painted before
// is painted first (turning the drawing off drops it). None of the wall's windows has a frame,
// and each pane and control paints all of its client area: only the wall's own background (where
// no pane covers it) is erased first. A hidden wall is left as it is (turning its drawing back on
// would show it).
void CDlgVideoWall::HoldRedraw(int hold)
{
    if (hold) {
        if (m_redrawHolds++ == 0 && m_hWnd != nullptr && (GetStyle() & WS_VISIBLE)) {
            RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            for (CDlgPreviewPane* pane : m_panes) {
                if (pane != nullptr)
                    pane->m_lookChanged = 0;
            }
            SetRedraw(FALSE);
            m_redrawOff = 1;
        }
        return;
    }
    if (m_redrawHolds == 0 || --m_redrawHolds > 0 || !m_redrawOff)
        return;
    m_redrawOff = 0;
    if (m_hWnd == nullptr)
        return;
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
    for (CDlgPreviewPane* pane : m_panes) {
        if (pane != nullptr && pane->m_hWnd != nullptr && pane->m_lookChanged && (pane->GetStyle() & WS_VISIBLE))
            pane->InvalidateWhole();
    }
}

void CDlgVideoWall::PrevPage()
{
    if (m_touring) {
        StepTour(-1);
        return;
    }
    int count = DisplayPageTable().GetCount();
    if (count == 0)
        return;
    ShowPage(m_currentPage <= 0 ? count - 1 : m_currentPage - 1, -1, 0);
}

void CDlgVideoWall::NextPage()
{
    if (m_touring) {
        StepTour(1);
        return;
    }
    int count = DisplayPageTable().GetCount();
    if (count == 0)
        return;
    ShowPage(m_currentPage + 1 >= count ? 0 : m_currentPage + 1, -1, 0);
}

int CDlgVideoWall::GetSplitMode() const
{
    if (DisplayPageTable().GetCount() == 0)
        return -1;
    DisplayPage* page = CurrentPage();
    return page != nullptr ? page->splitMode : -1;
}

int CDlgVideoWall::GetSelectedPane() const
{
    DisplayPage* page = CurrentPage();
    if (page == nullptr)
        return 0;
    return page->selectedPane < 0 ? 0 : page->selectedPane > 15 ? 15 : page->selectedPane;
}

int CDlgVideoWall::IsPaneVisible(int pane) const
{
    DisplayPage* page = CurrentPage();
    if (page == nullptr)
        return 0;
    for (int mark : page->paneMarks) {
        if (mark == pane)
            return 1;
    }
    return 0;
}

int CDlgVideoWall::FindPaneOfCamera(CTermCamera* camera)
{
    DisplayPage* page = CurrentPage();
    if (page == nullptr || camera == nullptr)
        return -1;
    for (int i = 0; i < PANE_COUNT; ++i) {
        if (page->cameras[i] == camera)
            return i;
    }
    return -1;
}

int CDlgVideoWall::FindPageOfCamera(CTermCamera* camera) const
{
    return DisplayPageTable().FindPageOfCamera(camera);
}

int CDlgVideoWall::HitTestPane(int x, int y) const
{
    // The panes' rectangles are on the screen; the point is in the main window's client area.
    POINT point = {x, y};
    if (CWnd* main = GetParent())
        main->ClientToScreen(&point);
    for (int i = 0; i < PANE_COUNT; ++i) {
        CDlgPreviewPane* pane = m_panes[i];
        if (pane == nullptr || pane->m_hWnd == nullptr || !pane->IsWindowVisible())
            continue;
        CRect rect;
        pane->GetWindowRect(&rect);
        if (rect.PtInRect(point))
            return i;
    }
    return -1;
}

void CDlgVideoWall::SetAudioFollow(int on)
{
    m_audioFollow = 0;
    if (g_pRecGroup != nullptr)
        g_pRecGroup->AudioOffAll();
    if (on && m_selectedPaneWnd != nullptr) {
        m_selectedPaneWnd->SetAudio(1);
        m_audioFollow = 1;
    }
}

void CDlgVideoWall::ClearAllAlarms()
{
    if (g_pRecGroup != nullptr)
        g_pRecGroup->ClearAlarmsAll();
}

void CDlgVideoWall::ShowCamera(CTermCamera* camera)
{
    int page = FindPageOfCamera(camera);
    if (page == -1)
        return;
    if (page != m_currentPage)
        ShowPage(page, -1, 0);
    int pane = FindPaneOfCamera(camera);
    if (pane != -1)
        SelectPane(pane);
}

int CDlgVideoWall::DropTreeItem(CTermCamera* camera, CTermServer* server, int x, int y)
{
    int pane = HitTestPane(x, y);
    if (pane == -1 || g_pPageGroup == nullptr)
        return 0;
    int page = m_currentPage;
    if (camera != nullptr)
        g_pPageGroup->PlaceCamera(camera, page, pane, 0); // the operator's drop needs the right
    else if (server != nullptr)
        g_pPageGroup->AddServerCameras(server, page, pane);
    else
        return 0;
    return 1;
}

void CDlgVideoWall::SetFullScreen(int on, LPCRECT rect, int mode)
{
    if (CWnd* main = LiveViewHost().GetMainWindow())
        main->SetFocus();
    if (DisplayPageTable().GetCount() == 0)
        return;
    if (on && rect != nullptr)
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    else
        MoveWindow(m_savedRect[0], m_savedRect[1], m_savedRect[2], m_savedRect[3]);
    ShowWindow(SW_SHOW);
    if (m_touring) {
        CVuskLoopPage* step = TourStep(m_tourPosition);
        LayoutTourPage(step != nullptr ? step->m_paneCount : 16, 0);
    } else {
        DisplayPage* page = CurrentPage();
        SetSplitMode(mode == -1 && page != nullptr ? page->splitMode : mode, -1);
    }
    m_fullScreen = on;
}

// ---- tour ----

int CDlgVideoWall::TourStepCount() const
{
    return g_pLoopGroup != nullptr ? (int)g_pLoopGroup->m_pages.GetCount() : 0;
}

CVuskLoopPage* CDlgVideoWall::TourStep(int step) const
{
    if (g_pLoopGroup == nullptr || step < 0)
        return nullptr;
    POSITION pos = g_pLoopGroup->m_pages.FindIndex(step);
    return pos != nullptr ? g_pLoopGroup->m_pages.GetAt(pos) : nullptr;
}

void CDlgVideoWall::StartTourTimer(int step)
{
    CVuskLoopPage* page = TourStep(step);
    int seconds = page != nullptr && page->m_dwellSeconds > 0 ? page->m_dwellSeconds : 1;
    m_tourTimer = SetTimer(TOUR_TIMER, (UINT)seconds * 1000, nullptr);
}

int CDlgVideoWall::StartTour(int on)
{
    if (on) {
        if (m_tourTimer != 0)
            KillTimer(TOUR_TIMER);
        m_tourTimer = 0;
        if (TourStepCount() < 2)
            return 0;
        m_touring = 1;
        m_tourStepShown = -1;
        m_tourPosition = 0;
        ShowTourPage(0);
        StartTourTimer(0);
        return 1;
    }
    if (m_tourTimer != 0)
        KillTimer(TOUR_TIMER);
    m_tourTimer = 0;
    HoldRedraw(1);
    HoldPaneRefreshes(1);
    DetachAllPanes();
    m_touring = 0;
    m_tourStepShown = -1;
    m_currentPage = -1;
    ShowPage(0, -1, 0);
    HoldPaneRefreshes(0);
    HoldRedraw(0);
    return 1;
}

void CDlgVideoWall::DetachAllPanes()
{
    for (CDlgPreviewPane* pane : m_panes) {
        if (pane != nullptr && pane->m_pSession != nullptr)
            pane->m_pSession->AttachPane(0, nullptr, 0);
    }
}

void CDlgVideoWall::StepTour(int delta)
{
    int count = TourStepCount();
    if (count < 2) {
        StartTour(0);
        return;
    }
    if (m_tourTimer != 0)
        KillTimer(TOUR_TIMER);
    m_tourPosition = (m_tourPosition + delta + count) % count;
    ShowTourPage(m_tourPosition);
    StartTourTimer(m_tourPosition);
}

void CDlgVideoWall::OnTimer(UINT_PTR id)
{
    if (id != TOUR_TIMER) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(TOUR_TIMER);
    m_tourTimer = 0;
    StepTour(1);
}

void CDlgVideoWall::ShowTourPage(int step)
{
    int count = TourStepCount();
    if (step == m_tourStepShown || count < 2)
        return;
    step = step < 0 ? 0 : step >= count ? count - 1 : step;
    CVuskLoopPage* page = TourStep(step);
    if (page == nullptr)
        return;
    int used = page->UsedEntries();
    HoldRedraw(1);
    HoldPaneRefreshes(1);
    for (CDlgPreviewPane* pane : m_panes) {
        if (pane == nullptr)
            continue;
        pane->SetSelected(0);
        pane->ShowWindow(SW_HIDE);
        CChannelSession* session = pane->m_pSession;
        if (session == nullptr)
            continue;
        BOOL stays = FALSE;
        for (int i = 0; i < used; ++i)
            stays = stays || page->m_cameras[i] == session->m_pCamera;
        if (stays)
            session->SetAudio(0);
        else
            session->AttachPane(0, nullptr, 0);
    }
    m_tourStepShown = step;
    for (int i = 0; i < PANE_COUNT; ++i) {
        CTermCamera* camera = i < used ? page->m_cameras[i] : nullptr;
        if (camera != nullptr && camera->m_pSession != nullptr) {
            camera->m_pSession->AttachPane(1, GetPane(i), 0);
        } else if (m_panes[i] != nullptr) {
            m_panes[i]->SetSession(nullptr);
            m_panes[i]->RefreshView(0);
        }
    }
    LayoutTourPage(page->m_paneCount, 1);
    HoldPaneRefreshes(0);
    HoldRedraw(0);
}

void CDlgVideoWall::LayoutTourPage(int mode, int selectFirst)
{
    int shown = IsValidSplitMode(mode) ? mode : 16;
    HoldRedraw(1);
    PlaceFirstPanes(shown, shown);
    HoldRedraw(0);
    if (CDlgPreviewPane* first = selectFirst ? GetPane(0) : nullptr)
        first->SetSelected(1);
    if (m_audioFollow)
        SetPaneAudio(1);
}

// ---- what the data model asks ----

void CDlgVideoWall::RebuildPageTable(int attach)
{
    if (g_pPageGroup != nullptr)
        RebuildDisplayPageTable(*g_pPageGroup, attach, &m_currentPage);
}

int CDlgVideoWall::GetCurrentPage()
{
    return m_currentPage;
}

CChannelSession* CDlgVideoWall::GetPaneSession(int pane)
{
    CDlgPreviewPane* window = GetPane(pane);
    return window != nullptr ? window->m_pSession : nullptr;
}

void CDlgVideoWall::ClearPane(int pane)
{
    if (CDlgPreviewPane* window = GetPane(pane)) {
        window->SetSession(nullptr);
        window->RefreshView(0);
    }
}
