// A window of every face of the custom controls for a person to look at:
// build/screenshots/custom-controls.png.
#include "controls/DropComboBox.h"
#include "controls/DropComboBoxDropWnd.h"
#include "controls/DropComboBoxEdit.h"
#include "controls/GridCellCombo.h"
#include "controls/GridCellEdit.h"
#include "controls/GridListCtrl.h"
#include "tests/controls/GridTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tools/screenshot/Screenshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<CDropComboBox> MakeCombo(CWnd* parent, DWORD kind, const CRect& rect, UINT id)
{
    std::unique_ptr<CDropComboBox> combo(new CDropComboBox(0, nullptr));
    combo->CreateEx(0, "SuperComboBox", "", WS_CHILD | WS_VISIBLE | kind, rect, parent, id);
    return combo;
}

void Redraw(CWnd& window)
{
    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
}

// The recording-drives page as the station fills it: checked, unchecked, centred and odd-state boxes,
// a coloured row and a folder title too long for its column.
void FillDrivesGallery(CGridListCtrl& list)
{
    list.SetItemText(0, 4, "D:\\record");
    list.SetItemText(1, 3, "1024");
    list.SetItemText(2, 0, "");
    list.SetCheckbox(2, 0, 1);
    list.SetCheckbox(3, 0, 2);
    int row = list.InsertItemWithColors(4, "G:", RGB(192, 0, 0), RGB(255, 255, 200));
    list.SetItemText(row, 1, "8192");
    list.SetItemText(row, 2, "12");
    list.SetItemText(row, 3, "500");
    list.SetCheckbox(row, 0, 0);
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<LPSTR>("存放目录 (录像文件与抓拍图片)");
    list.Header().SetItem(4, &item);
}

// Pixels of one window taken from another capture of the same parent.
void Paste(Capture& into, const Capture& from, HWND parent, HWND window)
{
    CRect frame, part;
    ::GetWindowRect(parent, &frame);
    ::GetWindowRect(window, &part);
    part.OffsetRect(-frame.left, -frame.top);
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x) {
            size_t at = (size_t(y) * into.width + x) * 3;
            for (int c = 0; c < 3; ++c)
                into.rgb[at + c] = from.rgb[at + c];
        }
    }
}

} // namespace

TEST(ControlsGallery, Screenshot)
{
    GridParent parent;
    parent.SetWindowText("Custom controls");
    parent.MoveWindow(10, 10, 620, 720);

    auto dropDown = MakeCombo(&parent, CBS_DROPDOWN, CRect(20, 20, 200, 42), 41);
    dropDown->AddString("D:\\record");
    dropDown->AddString("E:\\record");
    dropDown->SetCurSel(0);

    auto dropList = MakeCombo(&parent, CBS_DROPDOWNLIST, CRect(20, 60, 200, 82), 42);
    dropList->AddString("1024 x 768");
    dropList->AddString("800 x 600");
    dropList->SetCurSel(1);

    auto disabled = MakeCombo(&parent, CBS_DROPDOWNLIST, CRect(20, 100, 200, 122), 43);
    disabled->AddString("disabled");
    disabled->SetCurSel(0);
    disabled->EnableWindow(FALSE);

    auto open = MakeCombo(&parent, CBS_DROPDOWNLIST, CRect(260, 20, 460, 42), 44);
    for (int i = 1; i <= 20; ++i)
        open->AddString(("channel " + std::to_string(i)).c_str());
    open->SetItemDisabled(2, TRUE);
    open->SetMaxVisibleItems(8);
    open->SetCurSel(1);

    CGridListCtrl drives, withCombo, empty;
    MakeDrivesList(drives, &parent, CRect(20, 200, 590, 330), 1149);
    FillDrivesGallery(drives);
    MakeDrivesList(withCombo, &parent, CRect(20, 350, 590, 440), 1150, 2);
    withCombo.SetCombo(1, 4, {"D:\\record", "D:\\video", "E:\\record", "F:\\backup"});
    withCombo.SetItemText(1, 4, "D:\\video");
    MakeDrivesList(empty, &parent, CRect(20, 560, 590, 680), 1151, 0);

    // The edit box and the cell combo each hold the focus while open, so each list is taken with its
    // own editor open and the two pictures are put together.
    ClickCell(drives, 1, 3);
    ASSERT_NE(nullptr, drives.GetEditBox());
    Redraw(parent);
    drives.GetEditBox()->UpdateWindow();
    PumpMessages();
    CString editText;
    dropDown->GetWindowText(editText);
    EXPECT_STREQ("D:\\record", editText); // the first paint hands the selection to the edit part
    dropDown->GetEditPart()->UpdateWindow();
    Capture withEdit = CaptureWindow(parent.m_hWnd);

    ClickCell(withCombo, 1, 4);
    ASSERT_NE(nullptr, withCombo.GetCellCombo());
    ASSERT_TRUE(withCombo.GetCellCombo()->IsDropped());
    open->SendMessage(WM_DROPCOMBO_DROPDOWN);
    ASSERT_TRUE(open->IsDropped());
    Redraw(parent);
    Redraw(*open->GetDropWnd());
    Redraw(*withCombo.GetCellCombo());
    Redraw(*withCombo.GetCellCombo()->GetDropWnd());
    PumpMessages();
    Capture shot = CaptureWindow(parent.m_hWnd);
    Paste(shot, withEdit, parent.m_hWnd, drives.m_hWnd);
    EXPECT_TRUE(SavePng(shot, ScreenshotPath("custom-controls")));

    withCombo.GetCellCombo()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpFrameworkMessages();
    open->SendMessage(WM_DROPCOMBO_CLOSEUP);
}
