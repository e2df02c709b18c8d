// A small dialog with every control wrapper and a canvas painted with the GDI wrappers: the
// wrappers set and read back their controls, and a screenshot shows what a user would see.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include "tools/screenshot/Screenshot.h"
#include "tests/support/TestSupport.h"
#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

const COLORREF kMask = RGB(255, 51, 102);
const COLORREF kCanvas = RGB(255, 255, 224);
const COLORREF kRegion = RGB(0, 64, 255);
const COLORREF kMemoryBitmap = RGB(0, 160, 64);

// Paints itself with the GDI wrappers; where things are is kept for the pixel checks.
class CCanvas : public CStatic {
public:
    CImageList* m_pImages = nullptr;
    CRect m_region = CRect(70, 8, 120, 44);
    CPoint m_bitmapAt = CPoint(130, 14);
    CPoint m_imageAt = CPoint(162, 18);

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, kCanvas);
        dc.Draw3dRect(&rc, RGB(255, 255, 255), RGB(128, 128, 128));

        CPen pen(PS_SOLID, 2, RGB(200, 0, 0));
        CBrush hatch(HS_DIAGCROSS, RGB(200, 0, 0));
        CPen* pOldPen = dc.SelectObject(&pen);
        CBrush* pOldBrush = dc.SelectObject(&hatch);
        dc.Rectangle(8, 8, 60, 44);
        dc.SelectObject(pOldBrush);

        CRgn region;
        region.CreateEllipticRgnIndirect(&m_region);
        CBrush blue(kRegion);
        dc.FillRgn(&region, &blue);

        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, 24, 24);
        CBitmap* pOldBitmap = memory.SelectObject(&bitmap);
        memory.FillSolidRect(0, 0, 24, 24, kMemoryBitmap);
        CPen white(PS_SOLID, 1, RGB(255, 255, 255));
        CPen* pOldMemoryPen = memory.SelectObject(&white);
        memory.MoveTo(0, 0);
        memory.LineTo(24, 24);
        memory.SelectObject(pOldMemoryPen);
        dc.BitBlt(m_bitmapAt.x, m_bitmapAt.y, 24, 24, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOldBitmap);

        m_pImages->Draw(&dc, 2, m_imageAt, ILD_TRANSPARENT);

        CFont font;
        font.CreatePointFont(110, "宋体");
        CFont* pOldFont = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 100, 0));
        CRect textRect(rc.left + 190, rc.top + 8, rc.right - 4, rc.bottom - 4);
        dc.DrawText("画布 GDI", &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
        dc.SelectObject(pOldFont);

        CPen grey(PS_DOT, 1, RGB(96, 96, 96));
        dc.SelectObject(&grey);
        POINT zigzag[] = {{8, rc.bottom - 8}, {40, rc.bottom - 20}, {72, rc.bottom - 8}, {104, rc.bottom - 20}};
        dc.Polyline(zigzag, 4);
        dc.SelectObject(pOldPen);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCanvas, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

class CBlueLabel : public CStatic {
protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(68, 162, 226));
        pDC->SetBkMode(TRANSPARENT);
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBlueLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CGalleryDlg : public CDialog {
public:
    CGalleryDlg() : CDialog(IDD_GALLERY) {}

    CImageList m_images;
    CButton m_check, m_radio;
    CEdit m_edit;
    CComboBox m_combo;
    CListBox m_listBox;
    CListCtrl m_list;
    CTreeCtrl m_tree;
    CTabCtrl m_tab;
    CSliderCtrl m_slider;
    CProgressCtrl m_progress;
    CSpinButtonCtrl m_spin;
    CDateTimeCtrl m_date;
    CIPAddressCtrl m_address;
    CBlueLabel m_label;
    CCanvas m_canvas;
    CFont m_labelFont;
    HTREEITEM m_camera = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_G_CHECK, m_check);
        DDX_Control(pDX, IDC_G_RADIO, m_radio);
        DDX_Control(pDX, IDC_G_EDIT, m_edit);
        DDX_Control(pDX, IDC_G_COMBO, m_combo);
        DDX_Control(pDX, IDC_G_LISTBOX, m_listBox);
        DDX_Control(pDX, IDC_G_LISTCTRL, m_list);
        DDX_Control(pDX, IDC_G_TREE, m_tree);
        DDX_Control(pDX, IDC_G_TAB, m_tab);
        DDX_Control(pDX, IDC_G_SLIDER, m_slider);
        DDX_Control(pDX, IDC_G_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_G_SPIN, m_spin);
        DDX_Control(pDX, IDC_G_DATETIME, m_date);
        DDX_Control(pDX, IDC_G_IPADDRESS, m_address);
        DDX_Control(pDX, IDC_G_LABEL, m_label);
        DDX_Control(pDX, IDC_G_CANVAS, m_canvas);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        // As the station builds its image lists: 32-bit colour, the strip added with its mask colour.
        m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        CBitmap strip;
        strip.LoadBitmap(IDB_STRIP);
        m_images.Add(&strip, kMask);
        m_canvas.m_pImages = &m_images;

        m_check.SetCheck(BST_CHECKED);
        m_radio.SetCheck(BST_CHECKED);
        m_edit.SetWindowText("编辑框");
        for (const char* mode : {"单画面", "四画面", "九画面"})
            m_combo.AddString(mode);
        m_combo.SetCurSel(1);
        for (const char* day : {"2026-12-08", "2026-12-09", "2026-12-10"})
            m_listBox.AddString(day);
        m_listBox.SetCurSel(2);

        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, "名称", LVCFMT_LEFT, 70);
        m_list.InsertColumn(1, "地址", LVCFMT_LEFT, 90);
        m_list.InsertItem(0, "服务器一");
        m_list.SetItemText(0, 1, "192.168.1.10");
        m_list.InsertItem(1, "服务器二");
        m_list.SetItemText(1, 1, "192.168.1.11");
        m_list.SetItemData(1, 0xBEEF);
        m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);

        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
        m_tree.SetBkColor(RGB(192, 192, 192));
        HTREEITEM root = m_tree.InsertItem("工程", 0, 0);
        HTREEITEM server = m_tree.InsertItem("服务器", 1, 1, root);
        m_camera = m_tree.InsertItem("摄像机", 2, 2, server);
        m_tree.SetItemData(m_camera, 42);
        m_tree.Expand(root, TVE_EXPAND);
        m_tree.Expand(server, TVE_EXPAND);
        m_tree.SelectItem(m_camera);

        m_tab.SetImageList(&m_images);
        m_tab.InsertItem(0, "管理", 0);
        m_tab.InsertItem(1, "控制", 1);
        m_tab.InsertItem(2, "矩阵", 3);
        m_tab.SetCurSel(1);

        m_slider.SetRange(0, 10, TRUE);
        m_slider.SetTicFreq(1);
        m_slider.SetPos(4);
        m_progress.SetRange(0, 100);
        m_progress.SetPos(60);
        m_spin.SetRange(1, 255);
        m_spin.SetPos(16);
        CTime when(2026, 12, 10, 8, 30, 0);
        m_date.SetTime(&when);
        m_address.SetAddress(192, 168, 1, 64);

        m_labelFont.CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
        m_label.SetFont(&m_labelFont);
        m_label.SetWindowText("12:30:45");
        return TRUE;
    }
};

TEST(Gallery, WrappersSetAndReadTheirControls)
{
    CGalleryDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_GALLERY));

    CString text;
    dlg.m_combo.GetLBText(dlg.m_combo.GetCurSel(), text);
    EXPECT_STREQ(text, "四画面");
    dlg.m_listBox.GetText(dlg.m_listBox.GetCurSel(), text);
    EXPECT_STREQ(text, "2026-12-10");
    EXPECT_STREQ(dlg.m_list.GetItemText(1, 1), "192.168.1.11");
    EXPECT_EQ(dlg.m_list.GetItemData(1), 0xBEEFu);
    POSITION pos = dlg.m_list.GetFirstSelectedItemPosition();
    EXPECT_EQ(dlg.m_list.GetNextSelectedItem(pos), 1);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(dlg.m_list.GetHeaderCtrl()->GetItemCount(), 2);

    HTREEITEM root = dlg.m_tree.GetRootItem();
    HTREEITEM server = dlg.m_tree.GetChildItem(root);
    EXPECT_STREQ(dlg.m_tree.GetItemText(root), "工程");
    EXPECT_EQ(dlg.m_tree.GetChildItem(server), dlg.m_camera);
    EXPECT_EQ(dlg.m_tree.GetParentItem(dlg.m_camera), server);
    EXPECT_EQ(dlg.m_tree.GetSelectedItem(), dlg.m_camera);
    EXPECT_EQ(dlg.m_tree.GetItemData(dlg.m_camera), 42u);
    int image = -1, selected = -1;
    ASSERT_TRUE(dlg.m_tree.GetItemImage(dlg.m_camera, image, selected));
    EXPECT_EQ(image, 2);
    EXPECT_TRUE(dlg.m_tree.ItemHasChildren(server));
    EXPECT_EQ(dlg.m_tree.GetCount(), 3u);
    EXPECT_EQ(dlg.m_images.GetImageCount(), 4);

    EXPECT_EQ(dlg.m_tab.GetItemCount(), 3);
    EXPECT_EQ(dlg.m_tab.GetCurSel(), 1);
    EXPECT_EQ(dlg.m_slider.GetPos(), 4);
    EXPECT_EQ(dlg.m_slider.GetRangeMax(), 10);
    EXPECT_EQ(dlg.m_progress.GetPos(), 60);
    EXPECT_EQ(dlg.m_spin.GetPos32(), 16);
    EXPECT_EQ(WindowText(::GetDlgItem(dlg.m_hWnd, IDC_G_SPIN_EDIT)), "16");
    CTime when;
    ASSERT_EQ(dlg.m_date.GetTime(when), (DWORD)GDT_VALID);
    EXPECT_EQ(when.GetYear(), 2026);
    EXPECT_EQ(when.GetDay(), 10);
    BYTE a = 0, b = 0, c = 0, d = 0;
    EXPECT_EQ(dlg.m_address.GetAddress(a, b, c, d), 4);
    EXPECT_EQ(a, 192);
    EXPECT_EQ(d, 64);
    EXPECT_EQ(dlg.m_check.GetCheck(), BST_CHECKED);

    // A drag image moved over the dialog, and the drag images the tree and the list make (owned by
    // the caller, who deletes them).
    EXPECT_TRUE(dlg.m_images.BeginDrag(2, CPoint(8, 8)));
    EXPECT_TRUE(CImageList::DragEnter(&dlg, CPoint(10, 10)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(40, 30)));
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_TRUE(CImageList::DragLeave(&dlg));
    CImageList::EndDrag();
    CImageList* pTreeDrag = dlg.m_tree.CreateDragImage(dlg.m_camera);
    EXPECT_NE(pTreeDrag, nullptr);
    delete pTreeDrag;
    POINT origin = {};
    CImageList* pListDrag = dlg.m_list.CreateDragImage(0, &origin);
    EXPECT_NE(pListDrag, nullptr);
    delete pListDrag;

    dlg.DestroyWindow();
}

TEST(Gallery, DialogRendersAsAUserSeesIt)
{
    CGalleryDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_GALLERY));
    dlg.SetWindowPos(&CWnd::wndTopMost, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    dlg.UpdateWindow();
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    PumpMessages();

    Capture shot = CaptureWindow(dlg.m_hWnd);
    ASSERT_GT(shot.width, 200);
    EXPECT_TRUE(SavePng(shot, ScreenshotPath("framework-gallery-dialog")));

    // The canvas, in the capture's coordinates.
    CRect window, canvas;
    dlg.GetWindowRect(&window);
    dlg.m_canvas.GetWindowRect(&canvas);
    CPoint at = canvas.TopLeft() - window.TopLeft();
    auto pixel = [&](CPoint p) { return shot.Pixel(at.x + p.x, at.y + p.y); };
    EXPECT_EQ(pixel(CPoint(4, canvas.Height() / 2)), kCanvas);
    EXPECT_EQ(pixel(dlg.m_canvas.m_region.CenterPoint()), kRegion);
    EXPECT_EQ(pixel(dlg.m_canvas.m_bitmapAt + CSize(20, 3)), kMemoryBitmap);
    // The image list drew image 2 with its mask colour left out.
    EXPECT_EQ(pixel(dlg.m_canvas.m_imageAt + CSize(1, 1)), kCanvas);
    EXPECT_EQ(pixel(dlg.m_canvas.m_imageAt + CSize(8, 8)), RGB(0, 0, 200));
    dlg.DestroyWindow();
}

} // namespace

namespace {

TEST(Gdi, WrappersDrawOnAMemoryBitmapAndDescribeThemselves)
{
    CClientDC screen(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 30));
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 40);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(dc.GetCurrentBitmap()->m_hObject, bitmap.m_hObject);

    dc.FillSolidRect(0, 0, 40, 30, RGB(10, 20, 30));
    CBrush brush(RGB(200, 100, 0));
    CRgn left, right, both;
    left.CreateRectRgn(0, 0, 10, 10);
    right.CreateRectRgn(20, 0, 30, 10);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(25, 5));
    EXPECT_FALSE(both.PtInRegion(15, 5));
    dc.FillRgn(&both, &brush);
    CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(0, 20);
    dc.LineTo(40, 20);
    dc.SelectObject(pOldPen);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(200, 100, 0));
    EXPECT_EQ(dc.GetPixel(15, 5), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(15, 20), RGB(0, 255, 0));

    // A second memory picture copied over with the mask colour left out.
    CDC source;
    source.CreateCompatibleDC(&screen);
    CBitmap sprite;
    sprite.CreateCompatibleBitmap(&screen, 4, 4);
    CBitmap* pOldSprite = source.SelectObject(&sprite);
    source.FillSolidRect(0, 0, 4, 4, kMask);
    source.SetPixel(1, 1, RGB(1, 2, 3));
    EXPECT_TRUE(dc.TransparentBlt(30, 20, 4, 4, &source, 0, 0, 4, 4, kMask));
    EXPECT_EQ(dc.GetPixel(31, 21), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(30, 20), RGB(0, 255, 0));
    source.SelectObject(pOldSprite);

    LOGPEN logPen = {};
    pen.GetLogPen(&logPen);
    EXPECT_EQ(logPen.lopnColor, RGB(0, 255, 0));
    LOGBRUSH logBrush = {};
    brush.GetLogBrush(&logBrush);
    EXPECT_EQ(logBrush.lbColor, RGB(200, 100, 0));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体", &dc));
    LOGFONTA logFont = {};
    font.GetLogFont(&logFont);
    EXPECT_STREQ(logFont.lfFaceName, "宋体");
    EXPECT_LT(logFont.lfHeight, 0);
    CFont* pOldFont = dc.SelectObject(&font);
    EXPECT_GT(dc.GetTextExtent("摄像机").cx, dc.GetTextExtent("ab").cx);
    dc.SelectObject(pOldFont);
    CPalette palette;
    ASSERT_TRUE(palette.CreateHalftonePalette(&dc));
    EXPECT_GT(palette.GetEntryCount(), 16);

    dc.SelectObject(pOld);
    // Wrappers delete what they made; the DC is deleted with its object.
    HGDIOBJ hBitmap = bitmap.m_hObject;
    EXPECT_TRUE(bitmap.DeleteObject());
    EXPECT_EQ(::GetObjectType(hBitmap), 0u);
}

} // namespace
