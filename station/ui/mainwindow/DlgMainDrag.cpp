// Dragging a camera or a server from the server tree onto a pane of the video wall.
#include "station/ui/mainwindow/DlgMain.h"

#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/mainwindow/MainRights.h"

// The picture is drawn over the main window (which covers the screen) rather than on the desktop
// window: where top-level windows are windows of their own on the display (Wine), what is drawn on
// the desktop stays behind them. Drag positions are relative to the window's top-left corner.
CPoint CDlgMain::DragPoint(CPoint screen)
{
    CRect window;
    GetWindowRect(&window);
    return screen - window.TopLeft();
}

void CDlgMain::OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEWA* view = (const NMTREEVIEWA*)pNMHDR;
    HTREEITEM item = view->itemNew.hItem;
    int image = -1, selectedImage = -1;
    if (item != nullptr)
        m_serverTree.GetItemImage(item, image, selectedImage);
    // Only cameras and servers go onto panes.
    m_dragItem = image == TREE_CAMERA || image == TREE_SERVER ? item : nullptr;
    if (m_dragItem == nullptr || m_serverTree.GetItemData(m_dragItem) == 0)
        return;
    delete m_dragImage;
    CPoint hotSpot;
    m_dragImage = MakeTreeDragImage(m_dragItem, image, view->ptDrag, hotSpot);
    m_dragging = 1;
    if (m_dragImage != nullptr) {
        m_dragImage->BeginDrag(0, hotSpot);
        CPoint screen = view->ptDrag;
        m_serverTree.ClientToScreen(&screen);
        m_dragImage->DragEnter(this, DragPoint(screen));
    }
    SetCapture();
}

// The item as the tree shows it, its icon and its name, with the hot spot where the pointer took
// it. Drawn here rather than asked of the tree: Wine's tree answers with an empty picture.
CImageList* CDlgMain::MakeTreeDragImage(HTREEITEM item, int image, CPoint grabbed, CPoint& hotSpot)
{
    const int kIcon = 16, kGap = 3;
    CRect text;
    m_serverTree.GetItemRect(item, &text, TRUE);
    CString name = m_serverTree.GetItemText(item);
    CClientDC screen(&m_serverTree);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CFont* font = m_serverTree.GetFont();
    CFont* oldFont = font != nullptr ? memory.SelectObject(font) : nullptr;
    CSize extent = memory.GetTextExtent(name);
    int width = kIcon + kGap + extent.cx + 2, height = text.Height() > kIcon ? text.Height() : kIcon;
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, width, height);
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, width, height, ::GetSysColor(COLOR_WINDOW));
    m_treeImages.Draw(&memory, image, CPoint(0, (height - kIcon) / 2), ILD_NORMAL);
    memory.SetBkMode(TRANSPARENT);
    memory.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    memory.TextOut(kIcon + kGap + 1, (height - extent.cy) / 2, name);
    if (oldFont != nullptr)
        memory.SelectObject(oldFont);
    memory.SelectObject(oldBitmap);
    CImageList* list = new CImageList;
    if (!list->Create(width, height, ILC_COLOR24, 0, 1) || list->Add(&bitmap, (CBitmap*)nullptr) < 0) {
        delete list;
        return nullptr;
    }
    hotSpot = CPoint(grabbed.x - (text.left - kIcon - kGap), grabbed.y - text.top);
    return list;
}

void CDlgMain::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CDialog::OnMouseMove(nFlags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_dragImage != nullptr) {
        CImageList::DragMove(DragPoint(screen));
        CImageList::DragShowNolock(FALSE);
    }
    m_serverTree.SelectDropTarget(m_dragItem);
    if (m_dragImage != nullptr)
        CImageList::DragShowNolock(TRUE);
}

void CDlgMain::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CDialog::OnLButtonUp(nFlags, point);
        return;
    }
    EndTreeDrag();
    HTREEITEM item = m_dragItem;
    m_dragItem = nullptr;
    CDlgVideoWall* wall = static_cast<CDlgVideoWall*>(m_videoWall);
    if (item == nullptr || wall == nullptr)
        return;
    int image = -1, selectedImage = -1;
    m_serverTree.GetItemImage(item, image, selectedImage);
    void* record = (void*)m_serverTree.GetItemData(item);
    CTermCamera* camera = image == TREE_CAMERA ? (CTermCamera*)record : nullptr;
    CTermServer* server = image == TREE_SERVER ? (CTermServer*)record : nullptr;
    if (wall->DropTreeItem(camera, server, point.x, point.y))
        m_serverTree.SelectItem(item);
}

void CDlgMain::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse (a message box, a menu): the drag ends without a drop.
    if (m_dragging && pWnd != this) {
        EndTreeDrag();
        m_dragItem = nullptr;
    }
    CDialog::OnCaptureChanged(pWnd);
}

void CDlgMain::EndTreeDrag()
{
    if (!m_dragging)
        return;
    m_dragging = 0;
    if (m_dragImage != nullptr) {
        CImageList::DragLeave(this);
        CImageList::EndDrag();
    }
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    delete m_dragImage;
    m_dragImage = nullptr;
    if (m_serverTree.m_hWnd != nullptr)
        m_serverTree.SelectDropTarget(nullptr);
}
