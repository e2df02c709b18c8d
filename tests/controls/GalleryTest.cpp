// A window of every combo-box face for a person to look at: build/screenshots/custom-controls.png.
#include "controls/DropComboBox.h"
#include "controls/DropComboBoxDropWnd.h"
#include "controls/DropComboBoxEdit.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestSupport.h"
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

} // namespace

TEST(ControlsGallery, Screenshot)
{
    RecordingParent parent;
    parent.SetWindowText("Custom controls");

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
    open->SendMessage(WM_DROPCOMBO_DROPDOWN);
    ASSERT_TRUE(open->IsDropped());

    parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    open->GetDropWnd()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    PumpMessages();
    CString editText;
    dropDown->GetWindowText(editText);
    EXPECT_STREQ("D:\\record", editText); // the first paint hands the selection to the edit part
    dropDown->GetEditPart()->UpdateWindow();
    Capture shot = CaptureWindow(parent.m_hWnd);
    EXPECT_TRUE(SavePng(shot, ScreenshotPath("custom-controls")));
    open->SendMessage(WM_DROPCOMBO_CLOSEUP);
}
