#include "controls/DropComboBox.h"
#include "controls/DropComboBoxDropWnd.h"
#include "controls/DropComboBoxEdit.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const UINT kComboId = 40;

class DropComboBoxTest : public ::testing::Test {
protected:
    void Make(DWORD kind, const std::vector<const char*>& items, int y = 40)
    {
        combo.reset(new CDropComboBox(0, nullptr));
        ASSERT_TRUE(combo->CreateEx(0, "SuperComboBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind,
                                    CRect(20, y, 220, y + 22), &parent, kComboId));
        for (const char* item : items)
            combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    std::vector<UINT> Codes() const { return parent.Codes(kComboId); }
    void Open()
    {
        parent.Clear();
        combo->SendMessage(WM_DROPCOMBO_DROPDOWN);
        ASSERT_TRUE(combo->IsDropped());
        ASSERT_NE(nullptr, combo->GetDropWnd());
    }

    RecordingParent parent;
    std::unique_ptr<CDropComboBox> combo;
};

const std::vector<UINT> kChanged = {CBN_SELENDOK, CBN_SELCHANGE};
const std::vector<UINT> kCancelled = {CBN_SELENDCANCEL, CBN_CLOSEUP};

} // namespace

TEST_F(DropComboBoxTest, ItemMessages)
{
    Make(CBS_DROPDOWNLIST, {"abc", "de"});
    EXPECT_STREQ("SuperComboBox", ClassName(combo->m_hWnd).c_str());
    EXPECT_EQ(2, combo->SendMessage(CB_GETCOUNT));
    EXPECT_EQ(4, combo->SendMessage(CB_GETLBTEXTLEN, 0));
    char text[16] = "xxxxxxxx";
    EXPECT_EQ(4, combo->SendMessage(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)));
    EXPECT_STREQ("abc", text);
    EXPECT_EQ(-1, combo->SendMessage(CB_GETLBTEXTLEN, 2));
    EXPECT_EQ(-1, combo->SendMessage(CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(text)));
    EXPECT_EQ(-1, combo->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(-1)));
    CString out = "old";
    combo->GetLBText(9, out);
    EXPECT_STREQ("", out);
    EXPECT_EQ(-1, combo->SendMessage(CB_GETTOPINDEX));
    EXPECT_EQ(-1, combo->SendMessage(CB_SETTOPINDEX, 1));
    EXPECT_EQ(1, combo->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("de")));
    EXPECT_STREQ("de", WindowText(combo->m_hWnd).c_str());
    EXPECT_EQ(-1, combo->SendMessage(CB_SETCURSEL, 2));
    EXPECT_EQ(1, combo->SendMessage(CB_GETCURSEL));
    EXPECT_EQ(0, combo->SendMessage(CB_RESETCONTENT));
    EXPECT_EQ(0, combo->SendMessage(CB_GETCOUNT));
    EXPECT_EQ(-1, combo->SendMessage(CB_GETCURSEL));
    EXPECT_TRUE(Codes().empty()); // item messages notify nothing
}

TEST_F(DropComboBoxTest, SetCurSelOnEmptyControlThenPaint)
{
    Make(CBS_DROPDOWNLIST, {});
    EXPECT_EQ(-1, combo->SetCurSel(3));
    combo->AddString("one");
    combo->AddString("two");
    // The kept index lies beyond the items: painting and reading must not use it.
    combo->Invalidate();
    combo->UpdateWindow();
    EXPECT_EQ(-1, combo->GetCurSel());
    combo->SendMessage(WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(1, combo->GetCurSel());
}

TEST_F(DropComboBoxTest, CurSelFollowsTypedText)
{
    Make(CBS_DROPDOWN, {"one", "two", "three", "one"});
    ASSERT_NE(nullptr, combo->GetEditPart());
    EXPECT_EQ(108, combo->GetEditPart()->GetDlgCtrlID());
    combo->GetEditPart()->SetWindowText("three");
    EXPECT_EQ(2, combo->SendMessage(CB_GETCURSEL));
    combo->GetEditPart()->SetWindowText("one");
    EXPECT_EQ(0, combo->SendMessage(CB_GETCURSEL));
    combo->GetEditPart()->SetWindowText("on");
    EXPECT_EQ(-1, combo->SendMessage(CB_GETCURSEL));
}

TEST_F(DropComboBoxTest, ClosedKeysSkipDisabledItemsPagesDoNot)
{
    Make(CBS_DROPDOWNLIST, {"a", "b", "c", "d"});
    combo->SetItemDisabled(1, TRUE);
    combo->SetItemDisabled(3, TRUE);
    // Up without a selection changes nothing.
    combo->SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(-1, combo->GetCurSel());
    EXPECT_TRUE(Codes().empty());

    combo->SetCurSel(0);
    struct Step {
        UINT key;
        int expect;
    } steps[] = {{VK_DOWN, 2}, {VK_UP, 0}, {VK_NEXT, 3} /* pages land on disabled items */, {VK_UP, 2}, {VK_PRIOR, 0}};
    for (const Step& step : steps) {
        parent.Clear();
        combo->SendMessage(WM_KEYDOWN, step.key);
        EXPECT_EQ(step.expect, combo->GetCurSel()) << "key " << step.key;
        EXPECT_EQ(kChanged, Codes()) << "key " << step.key;
    }
    parent.Clear();
    combo->SendMessage(WM_KEYDOWN, VK_UP); // at the first item: no change, no notification
    EXPECT_EQ(0, combo->GetCurSel());
    EXPECT_TRUE(Codes().empty());
}

TEST_F(DropComboBoxTest, TenSmallWheelNotchesChangeTheSelectionOnce)
{
    Make(CBS_DROPDOWNLIST, {"a", "b", "c"});
    combo->SetCurSel(2);
    for (int notch = 1; notch <= 10; ++notch) {
        EXPECT_EQ(1, combo->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 12), 0));
        EXPECT_EQ(notch == 10 ? 1 : 2, combo->GetCurSel()) << "notch " << notch;
    }
    EXPECT_EQ(kChanged, Codes());
}

TEST_F(DropComboBoxTest, ChoosingFromTheListNotifiesInOrder)
{
    Make(CBS_DROPDOWNLIST, {"a", "b", "c"});
    Open();
    EXPECT_EQ(std::vector<UINT>{CBN_DROPDOWN}, Codes());
    EXPECT_EQ(0, combo->SendMessage(CB_GETTOPINDEX));
    parent.Clear();
    combo->SendMessage(WM_DROPCOMBO_SELECT, 2);
    EXPECT_EQ((std::vector<UINT>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}), Codes());
    EXPECT_EQ(2, combo->GetCurSel());
    EXPECT_FALSE(combo->IsDropped());
    EXPECT_EQ(nullptr, combo->GetDropWnd());

    // A choice overtaken by a close-up, or for a row the list does not show, is ignored.
    parent.Clear();
    combo->SendMessage(WM_DROPCOMBO_SELECT, 0);
    Open();
    parent.Clear();
    combo->SendMessage(WM_DROPCOMBO_SELECT, 7);
    combo->SendMessage(WM_DROPCOMBO_SELECT, static_cast<WPARAM>(-1));
    EXPECT_TRUE(Codes().empty());
    EXPECT_TRUE(combo->IsDropped());
    EXPECT_EQ(2, combo->GetCurSel());
}

TEST_F(DropComboBoxTest, EscapeClickOutsideAndDeactivationCancel)
{
    Make(CBS_DROPDOWNLIST, {"a", "b", "c"});
    Open();
    parent.Clear();
    combo->PostMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpFrameworkMessages();
    EXPECT_EQ(kCancelled, Codes());
    EXPECT_FALSE(combo->IsDropped());

    Open();
    parent.Clear();
    combo->GetDropWnd()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-300, -300));
    PumpFrameworkMessages();
    // The press goes on to the combo box, which takes the focus (CBN_SETFOCUS) and does not reopen.
    EXPECT_EQ((std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_SETFOCUS}), Codes());
    EXPECT_FALSE(combo->IsDropped());

    Open();
    parent.Clear();
    combo->GetDropWnd()->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    PumpFrameworkMessages();
    EXPECT_EQ(kCancelled, Codes());
    EXPECT_FALSE(combo->IsDropped());
    EXPECT_EQ(-1, combo->GetCurSel());
}

TEST_F(DropComboBoxTest, DisabledRowNeitherSelectsNorCloses)
{
    Make(CBS_DROPDOWNLIST, {"a", "b", "c"});
    combo->SetItemDisabled(1, TRUE);
    combo->SetCurSel(0);
    Open();
    CDropComboBoxList& list = combo->GetDropWnd()->List();
    CRect row;
    list.GetItemRect(1, &row);
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(row.left + 2, row.top + 2));
    EXPECT_EQ(0, list.GetCurSel());
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(row.left + 2, row.top + 2));
    PumpFrameworkMessages();
    EXPECT_TRUE(combo->IsDropped());
    EXPECT_EQ(0, combo->GetCurSel());

    list.GetItemRect(2, &row);
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(row.left + 2, row.top + 2));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(row.left + 2, row.top + 2));
    PumpFrameworkMessages();
    EXPECT_FALSE(combo->IsDropped());
    EXPECT_EQ(2, combo->GetCurSel());
}

TEST_F(DropComboBoxTest, DropWindowRowsAndWidth)
{
    std::vector<const char*> twenty(20, "x");
    Make(CBS_DROPDOWNLIST, twenty);
    combo->SetMaxVisibleItems(8);
    Open();
    CDropComboBoxList& list = combo->GetDropWnd()->List();
    int rowHeight = list.GetItemHeight(0);
    CRect drop, box;
    combo->GetDropWnd()->GetWindowRect(&drop);
    combo->GetWindowRect(&box);
    EXPECT_EQ(rowHeight * 8 + 2, drop.Height());
    EXPECT_EQ(box.Width(), drop.Width()); // short texts: exactly the combo's width
    EXPECT_EQ(box.bottom, drop.top);
    EXPECT_TRUE(combo->GetDropWnd()->Scroll().IsWindowVisible());
    EXPECT_EQ(CSize(box.Width() + 100, rowHeight * 8 + 2 + 100), combo->GetDropWnd()->MaxSize());
    combo->SendMessage(WM_DROPCOMBO_CLOSEUP);

    Make(CBS_DROPDOWNLIST, {"1", "2", "3", "4", "5"});
    combo->SetMaxVisibleItems(8);
    Open();
    combo->GetDropWnd()->GetWindowRect(&drop);
    EXPECT_EQ(combo->GetDropWnd()->List().GetItemHeight(0) * 5 + 2, drop.Height());
}

TEST_F(DropComboBoxTest, AutoSuggestOffersOnlyLongerMatches)
{
    Make(CBS_DROPDOWN, {"beta", "alpha", "al", "alpine"});
    combo->SetFlags(combo->GetFlags() | DROPCOMBO_AUTO_SUGGEST);
    CDropComboBoxEdit* edit = combo->GetEditPart();
    ASSERT_NE(nullptr, edit);
    ::SetForegroundWindow(parent.m_hWnd);
    edit->SetFocus();
    ASSERT_EQ(edit->m_hWnd, ::GetFocus());

    edit->SetWindowText("alph"); // one match: nothing opens
    EXPECT_FALSE(combo->IsDropped());
    edit->SetWindowText("al"); // "al" itself is never offered: alpha and alpine
    ASSERT_TRUE(combo->IsDropped());
    EXPECT_EQ(2u, combo->GetDropWnd()->Items().size());
    parent.Clear();
    combo->SendMessage(WM_DROPCOMBO_SELECT, 1);
    EXPECT_EQ(3, combo->GetCurSel()); // the index in the full list
    EXPECT_EQ((std::vector<UINT>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}), Codes());
}

TEST_F(DropComboBoxTest, DropListFaceStopsShowingFocusWhenItLosesIt)
{
    Make(CBS_DROPDOWNLIST, {"a", "b"});
    combo->SetCurSel(0);
    CRect client;
    combo->GetClientRect(&client);
    // A point of the text area right of the text, left of the drop button.
    CPoint inFace(client.right - ::GetSystemMetrics(SM_CXHSCROLL) - 6, client.Height() / 2);
    combo->ClientToScreen(&inFace);
    // What the screen shows follows the painting with a delay: wait (bounded) for the colour.
    auto faceBecomes = [&](COLORREF colour) {
        combo->RedrawWindow();
        RECT one = {inFace.x, inFace.y, inFace.x + 1, inFace.y + 1};
        return WaitUntil([&] { return CaptureScreenRect(one).Pixel(0, 0) == colour; }, 3000);
    };
    ::SetForegroundWindow(parent.m_hWnd);
    combo->SetFocus();
    ASSERT_EQ(combo->m_hWnd, ::GetFocus());
    EXPECT_TRUE(faceBecomes(::GetSysColor(COLOR_HIGHLIGHT)));
    parent.SetFocus();
    ASSERT_EQ(parent.m_hWnd, ::GetFocus());
    EXPECT_TRUE(faceBecomes(::GetSysColor(COLOR_WINDOW)));
}

TEST_F(DropComboBoxTest, ADropDownMadeByCreateGetsItsEditPart)
{
    combo.reset(new CDropComboBox(0, nullptr));
    ASSERT_TRUE(combo->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                              CRect(20, 40, 220, 62), &parent, kComboId));
    combo->AddString("north");
    combo->AddString("south");
    PumpFrameworkMessages();
    CDropComboBoxEdit* edit = combo->GetEditPart();
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(::IsWindow(edit->m_hWnd));
    EXPECT_EQ(108, edit->GetDlgCtrlID());
    EXPECT_TRUE(edit->IsWindowVisible());
    EXPECT_TRUE(edit->GetStyle() & ES_AUTOHSCROLL);
    CRect client, part;
    combo->GetClientRect(&client);
    edit->GetWindowRect(&part);
    combo->ScreenToClient(&part);
    EXPECT_GT(part.Width(), 0);
    EXPECT_LE(part.right, client.right - ::GetSystemMetrics(SM_CXHSCROLL)) << "the drop button stays free";

    // The operator types into it: the focus goes on to the edit part, and the owner hears of the typing.
    combo->SetFocus();
    EXPECT_EQ(edit->m_hWnd, ::GetFocus());
    parent.Clear();
    edit->SendMessage(WM_CHAR, 's', 0);
    EXPECT_EQ((std::vector<UINT>{CBN_EDITUPDATE, CBN_EDITCHANGE}), Codes());
    CString text;
    combo->GetWindowText(text);
    EXPECT_STREQ("s", text);

    // A drop-list made the same way has none.
    CDropComboBox list(0, nullptr);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(20, 80, 220, 102), &parent, kComboId + 1));
    PumpFrameworkMessages();
    EXPECT_EQ(nullptr, list.GetEditPart());
}
