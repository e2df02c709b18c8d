// Everything of the main dialog that reaches the video wall, its panes and the panels of the live
// view. Until the live view's windows are joined here, the wall is an empty child window and
// these calls answer "nothing shown".
#include "station/ui/DlgMain.h"

#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/VuskPageGroup.h"

void CDlgMain::CreateWallWindow(const CRect& rect)
{
    CWnd* wall = new CWnd;
    wall->CreateEx(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, rect, this, 0xE900);
    m_videoWall = wall;
    WallLayoutGrid();
}

void CDlgMain::DestroyWall()
{
    if (m_videoWall == nullptr)
        return;
    if (m_videoWall->m_hWnd != nullptr)
        m_videoWall->DestroyWindow();
    delete m_videoWall;
    m_videoWall = nullptr;
}

int CDlgMain::WallCurrentPage()
{
    return -1;
}
int CDlgMain::WallSelectedPane()
{
    return -1;
}
void CDlgMain::WallShowPage(int, int, int) {}
int CDlgMain::WallFindPaneOfCamera(CTermCamera*)
{
    return -1;
}
int CDlgMain::WallFindPageOfCamera(CTermCamera*)
{
    return -1;
}
void CDlgMain::WallSelectPane(int) {}
void CDlgMain::WallLayoutGrid() {}
void CDlgMain::WallStartTour(int) {}
int CDlgMain::WallTourPageCount()
{
    return 0;
}
void CDlgMain::WallClearAllAlarms() {}
void CDlgMain::WallSetFullScreen(int, const CRect*, int) {}
void CDlgMain::WallSetSplitMode(int) {}
int CDlgMain::WallCurrentSplitMode()
{
    return 0;
}
void CDlgMain::WallPrevPage() {}
void CDlgMain::WallNextPage() {}
void CDlgMain::WallSetAudioFollow(int) {}
CChannelSession* CDlgMain::WallSelectedSession()
{
    return nullptr;
}
IPreviewPane* CDlgMain::WallPane(int)
{
    return nullptr;
}
HWND CDlgMain::WallPaneWindow(int)
{
    return nullptr;
}
int CDlgMain::GetDisplayPageCount()
{
    return 0;
}
void CDlgMain::RebuildPageTable(int) {}
void CDlgMain::FreePageTable() {}
void CDlgMain::EnablePanels(int) {}
void CDlgMain::CreatePanels() {}
void CDlgMain::StartServices() {}
void CDlgMain::OpenSerialDevices() {}
