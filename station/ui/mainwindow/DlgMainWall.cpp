// Everything of the main dialog that reaches the video wall, its panes and the panels of the live
// view.
#include "station/ui/mainwindow/DlgMain.h"

#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgMatrixPanel.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/mainwindow/FocusKeeper.h"

namespace {

CDlgVideoWall* Wall(CWnd* window)
{
    return static_cast<CDlgVideoWall*>(window);
}

} // namespace

void CDlgMain::CreateWallWindow(const CRect& rect)
{
    CDlgVideoWall* wall = new CDlgVideoWall;
    if (!wall->CreateWall(this, rect.left, rect.top, rect.Width(), rect.Height())) {
        delete wall;
        return;
    }
    m_videoWall = wall;
    SetViewLinks(wall);
    // The plain grid is laid out when the window is about to show it: a first page shown by the
    // loading lays the panes out again anyway (LayOutPendingGrid).
    m_wallGridPending = 1;
}

void CDlgMain::LayOutPendingGrid()
{
    if (!m_wallGridPending)
        return;
    m_wallGridPending = 0;
    WallLayoutGrid();
}

void CDlgMain::DestroyWall()
{
    // The panels act on the wall's panes: they go first.
    DestroyPanels();
    if (m_videoWall == nullptr)
        return;
    SetViewLinks(nullptr);
    if (m_videoWall->m_hWnd != nullptr)
        m_videoWall->DestroyWindow();
    delete Wall(m_videoWall);
    m_videoWall = nullptr;
}

int CDlgMain::WallCurrentPage()
{
    return m_videoWall != nullptr ? Wall(m_videoWall)->GetCurrentPage() : -1;
}

int CDlgMain::WallSelectedPane()
{
    return m_videoWall != nullptr ? Wall(m_videoWall)->GetSelectedPane() : -1;
}

void CDlgMain::WallShowPage(int page, int pane, int force)
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->ShowPage(page, pane, force);
}

int CDlgMain::WallFindPaneOfCamera(CTermCamera* camera)
{
    return m_videoWall != nullptr ? Wall(m_videoWall)->FindPaneOfCamera(camera) : -1;
}

int CDlgMain::WallFindPageOfCamera(CTermCamera* camera)
{
    return m_videoWall != nullptr ? Wall(m_videoWall)->FindPageOfCamera(camera) : -1;
}

void CDlgMain::WallSelectPane(int pane)
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->SelectPane(pane);
}

void CDlgMain::WallLayoutGrid()
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->LayoutGrid();
}

void CDlgMain::WallStartTour(int on)
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->StartTour(on);
}

int CDlgMain::WallTourPageCount()
{
    return g_pLoopGroup != nullptr ? (int)g_pLoopGroup->m_pages.GetCount() : 0;
}

void CDlgMain::WallClearAllAlarms()
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->ClearAllAlarms();
}

void CDlgMain::WallSetFullScreen(int on, const CRect* rect, int mode)
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->SetFullScreen(on, rect, mode);
}

int CDlgMain::WallIsFullScreen()
{
    return m_videoWall != nullptr && Wall(m_videoWall)->IsFullScreen();
}

void CDlgMain::WallSetSplitMode(int mode)
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->SetSplitMode(mode, -1);
}

int CDlgMain::WallCurrentSplitMode()
{
    return m_videoWall != nullptr ? Wall(m_videoWall)->GetSplitMode() : 0;
}

void CDlgMain::WallPrevPage()
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->PrevPage();
}

void CDlgMain::WallNextPage()
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->NextPage();
}

void CDlgMain::WallSetAudioFollow(int on)
{
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->SetAudioFollow(on);
}

CChannelSession* CDlgMain::WallSelectedSession()
{
    CDlgPreviewPane* pane = SelectedPreviewPane();
    return pane != nullptr ? pane->m_pSession : nullptr;
}

IPreviewPane* CDlgMain::WallPane(int index)
{
    return m_videoWall != nullptr ? Wall(m_videoWall)->GetPane(index) : nullptr;
}

HWND CDlgMain::WallPaneWindow(int index)
{
    CDlgPreviewPane* pane = m_videoWall != nullptr ? Wall(m_videoWall)->GetPane(index) : nullptr;
    return pane != nullptr ? pane->m_hWnd : nullptr;
}

int CDlgMain::GetDisplayPageCount()
{
    return DisplayPageTable().GetCount();
}

void CDlgMain::RebuildPageTable(int attach)
{
    if (g_pPageGroup == nullptr)
        return;
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->RebuildPageTable(attach);
    else
        RebuildDisplayPageTable(*g_pPageGroup, attach, nullptr);
}

void CDlgMain::FreePageTable()
{
    DisplayPageTable().RemoveAll();
}

// The PTZ and matrix panels: children of the main window in the server tree's place, created
// hidden; the left-hand tab shows one of them. Nothing shows them at first, so the layout only asks
// for them: they are made after the first paint, or when the window's thread wants one sooner.
// What happened meanwhile (enabled or not, the selected pane, the local relays) is given to them then.
void CDlgMain::CreatePanels()
{
    m_panelsWanted = 1;
}

void CDlgMain::MakePanels()
{
    if (!m_panelsWanted)
        return;
    m_panelsWanted = 0;
    CFocusKeeper focus;
    m_ptzPanel = new CDlgPtzPanel;
    if (!m_ptzPanel->Create(CDlgPtzPanel::IDD, this)) {
        delete m_ptzPanel;
        m_ptzPanel = nullptr;
    }
    m_matrixPanel = new CDlgMatrixPanel;
    if (!m_matrixPanel->Create(CDlgMatrixPanel::IDD, this)) {
        delete m_matrixPanel;
        m_matrixPanel = nullptr;
    }
    ShowPanels(-1);
    if (m_panelsEnabled >= 0)
        EnablePanels(m_panelsEnabled);
    for (int output = 0; output < (int)(sizeof m_localRelays / sizeof m_localRelays[0]); ++output) {
        if (m_localRelays[output] != 0 && m_ptzPanel != nullptr && m_ptzPanel->m_hWnd != nullptr)
            m_ptzPanel->SetLocalRelayState(m_localRelays[output], output, 1);
    }
    if (m_videoWall != nullptr)
        Wall(m_videoWall)->RefreshPanels();
}

void CDlgMain::DestroyPanels()
{
    m_panelsWanted = 0;
    delete m_ptzPanel;
    m_ptzPanel = nullptr;
    delete m_matrixPanel;
    m_matrixPanel = nullptr;
}

void CDlgMain::EnablePanels(int enable)
{
    m_panelsEnabled = enable;
    if (CDlgPtzPanel* ptz = m_panelsWanted ? nullptr : GetPtzPanel())
        ptz->EnableControls(enable);
    if (CDlgMatrixPanel* matrix = m_panelsWanted ? nullptr : GetMatrixPanel())
        matrix->EnableControls(enable);
}

void CDlgMain::ShowPanels(int tab)
{
    if (CDlgPtzPanel* ptz = tab == 1 || !m_panelsWanted ? GetPtzPanel() : nullptr)
        ptz->ShowWindow(tab == 1 ? SW_SHOW : SW_HIDE);
    if (CDlgMatrixPanel* matrix = tab == 2 || !m_panelsWanted ? GetMatrixPanel() : nullptr)
        matrix->ShowWindow(tab == 2 ? SW_SHOW : SW_HIDE);
}

// Before the first paint the panels wait for it; after it, the window's thread makes them when it
// first wants one.
void CDlgMain::MakePanelsIfWanted()
{
    if (m_panelsWanted && !m_firstPaintPending && ::GetCurrentThreadId() == m_windowThread)
        MakePanels();
}

CDlgPtzPanel* CDlgMain::GetPtzPanel()
{
    MakePanelsIfWanted();
    return m_ptzPanel != nullptr && m_ptzPanel->m_hWnd != nullptr ? m_ptzPanel : nullptr;
}

CDlgMatrixPanel* CDlgMain::GetMatrixPanel()
{
    MakePanelsIfWanted();
    return m_matrixPanel != nullptr && m_matrixPanel->m_hWnd != nullptr ? m_matrixPanel : nullptr;
}

// Sessions mark outputs from library threads; only the panel's own thread redraws the buttons. The
// mark is kept first, for a panel that is not made yet.
void CDlgMain::SetLocalRelayState(int output, int on)
{
    if (output >= 0 && output < (int)(sizeof m_localRelays / sizeof m_localRelays[0]))
        ::InterlockedExchange(&m_localRelays[output], on);
    CDlgPtzPanel* ptz = GetPtzPanel();
    if (ptz == nullptr)
        return;
    int redraw = ::GetWindowThreadProcessId(ptz->m_hWnd, nullptr) == ::GetCurrentThreadId();
    ptz->SetLocalRelayState(on, output, redraw);
}

void CDlgMain::RefreshLocalRelays()
{
    if (CDlgPtzPanel* ptz = GetPtzPanel())
        ptz->RefreshLocalRelays();
}

void CDlgMain::StartServices()
{
    if (g_pSysParam == nullptr)
        return;
    m_services.StartRelayService(*g_pSysParam, m_systemLog);
    RestartFileService();
}

void CDlgMain::RestartFileService()
{
    if (g_pSysParam != nullptr)
        m_services.RestartFileService(*g_pSysParam, m_systemLog);
}

void CDlgMain::OpenSerialDevices()
{
    if (g_pSysParam != nullptr)
        m_services.OpenSerialDevices(*g_pSysParam, m_hWnd);
}

void CDlgMain::Talk(int stopOnly)
{
    m_services.Talk(stopOnly);
}
