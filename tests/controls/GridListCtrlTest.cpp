#include "controls/DropComboBoxDropWnd.h"
#include "controls/GridCellCombo.h"
#include "controls/GridCellEdit.h"
#include "controls/GridListCtrl.h"
#include "tests/controls/GridTestSupport.h"
#include "tests/framework/windows/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const UINT kListId = 1149;

class GridListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.MoveWindow(20, 20, 700, 400);
        MakeDrivesList(list, &parent, CRect(10, 10, 560, 200), kListId);
    }
    std::string Text(int row, int column) { return static_cast<LPCSTR>(list.GetItemText(row, column)); }
    std::vector<GridMessage> Sent(UINT message) const
    {
        std::vector<GridMessage> sent;
        for (const GridMessage& m : parent.grid) {
            if (m.message == message)
                sent.push_back(m);
        }
        return sent;
    }
    CGridCellEdit* OpenEdit(int row, int column)
    {
        ClickCell(list, row, column);
        return list.GetEditBox();
    }

    GridParent parent;
    CGridListCtrl list;
};

} // namespace

TEST_F(GridListTest, CheckBoxClicksToggleAndTheParentMayCheckAgain)
{
    list.SetCheckbox(1, 0, 2); // shown as an empty box
    // The drives page: when no box is left checked, it checks the clicked one again from its handler.
    std::vector<int> seenInHandler;
    parent.onMessage = [&](const GridMessage& m) {
        seenInHandler.push_back(list.GetCheckbox(m.row, m.column));
        bool anyChecked = false;
        for (int row = 0; row < list.GetItemCount(); ++row)
            anyChecked = anyChecked || list.GetCheckbox(row, 0) == 1;
        if (!anyChecked)
            list.SetCheckboxNoHeader(m.row, m.column, 1);
    };
    struct Step {
        int row;
        int inHandler; // the state the parent sees: the change is made before it is sent
        int after;
    } steps[] = {
        {1, 0, 0}, // 2 -> 0
        {1, 1, 1}, // 0 -> 1
        {0, 0, 0}, // row 0 unchecked, row 1 still checked
        {1, 0, 1}, // the last checked box: the parent checks it again
    };
    for (const Step& step : steps) {
        parent.grid.clear();
        seenInHandler.clear();
        ClickCell(list, step.row, 0);
        ASSERT_EQ(1u, parent.grid.size()) << "row " << step.row;
        EXPECT_EQ((GridMessage{WM_GRIDLIST_CHECKBOX_CLICKED, step.row, 0}), parent.grid[0]);
        EXPECT_EQ(std::vector<int>{step.inHandler}, seenInHandler) << "row " << step.row;
        EXPECT_EQ(step.after, list.GetCheckbox(step.row, 0)) << "row " << step.row;
        EXPECT_EQ(step.row, list.GetSelectedRow()); // the default click still selects the row
    }
}

TEST_F(GridListTest, EditBoxOpensOverTheCellWithItsTextSelected)
{
    CGridCellEdit* edit = OpenEdit(1, 3);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(99, edit->GetDlgCtrlID());
    EXPECT_EQ(edit->m_hWnd, ::GetFocus()); // the default click did not run again to take it back
    EXPECT_STREQ("500", WindowText(edit->m_hWnd).c_str());
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(3, end);
    EXPECT_TRUE(edit->GetStyle() & ES_CENTER); // the column is centred
    CRect cell, box;
    list.GetCellRect(1, 3, LVIR_BOUNDS, cell);
    edit->GetWindowRect(&box);
    list.ScreenToClient(&box);
    EXPECT_EQ(cell.left + 2, box.left);
    EXPECT_EQ(cell.top + 1, box.top);
    EXPECT_TRUE(Sent(WM_GRIDLIST_SUBITEM_CLICKED).empty());
}

TEST_F(GridListTest, CommitsByFocusLossAndScrollBarClickKeepingOldTextWhenEmptied)
{
    struct Case {
        const char* name;
        const char* typed;
        const char* expect;
        std::function<void(CGridListCtrl&, CGridCellEdit*)> end;
    } cases[] = {
        {"focus loss", "750", "750", [](CGridListCtrl&, CGridCellEdit* e) { e->GetParent()->GetParent()->SetFocus(); }},
        {"scroll bar", "42", "42",
         [](CGridListCtrl& l, CGridCellEdit*) { // The scroll bar's own tracking waits for the button to come up.
             l.PostMessage(WM_LBUTTONUP, 0, 0);
             l.SendMessage(WM_NCLBUTTONDOWN, HTVSCROLL, 0);
         }},
        {"emptied", "", "500", [](CGridListCtrl&, CGridCellEdit* e) { e->GetParent()->GetParent()->SetFocus(); }},
    };
    for (const Case& c : cases) {
        list.SetItemText(2, 3, "500");
        parent.grid.clear();
        CGridCellEdit* edit = OpenEdit(2, 3);
        ASSERT_NE(nullptr, edit) << c.name;
        edit->SetWindowText(c.typed);
        // The box is not destroyed inside its own handler (the loss of focus): hidden there, gone after.
        HWND box = edit->m_hWnd;
        bool aliveInHandler = false;
        parent.onMessage = [&](const GridMessage&) { aliveInHandler = ::IsWindow(box) && !::IsWindowVisible(box); };
        c.end(list, edit);
        PumpFrameworkMessages();
        EXPECT_TRUE(aliveInHandler) << c.name;
        EXPECT_FALSE(::IsWindow(box)) << c.name;
        EXPECT_EQ(nullptr, list.GetEditBox()) << c.name;
        EXPECT_EQ(c.expect, Text(2, 3)) << c.name;
        EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_EDIT_END, 2, 3}}), parent.grid) << c.name;
    }
}

namespace {

// A dialog that counts the finished edits its list reports.
class EditEndDialog : public CDialog {
public:
    int ends = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRIDLIST_EDIT_END)
            ++ends;
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(GridListTest, EnterInsideAModalDialogCommitsOnceAndTheDialogStaysOpen)
{
    alignas(4) WORD buffer[16] = {};
    DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
    t->style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t->cx = 330;
    t->cy = 140;
    EditEndDialog dialog;
    dialog.InitModalIndirect(t, &parent);
    CGridListCtrl inner;
    int step = 0;
    ModalDriver driver([&](CWnd* modal) {
        if (step == 0) {
            step = 1;
            MakeDrivesList(inner, modal, CRect(5, 5, 500, 200), kListId);
            ClickCell(inner, 0, 3);
            ASSERT_NE(nullptr, inner.GetEditBox());
            inner.GetEditBox()->SetWindowText("64");
            // Through the dialog's own loop, so pre-translation runs from the edit box outwards and
            // the dialog never takes Enter for its OK key.
            inner.GetEditBox()->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        } else if (step == 1) {
            step = 2;
            EXPECT_EQ(nullptr, inner.GetEditBox());
            EXPECT_STREQ("64", static_cast<LPCSTR>(inner.GetItemText(0, 3)));
            EXPECT_EQ(1, static_cast<EditEndDialog*>(modal)->ends); // and not again on the loss of focus
            static_cast<CDialog*>(modal)->EndDialog(IDCANCEL);
        }
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(2, step);
}

TEST_F(GridListTest, EscapeRestoresAndSendsNothing)
{
    CGridCellEdit* edit = OpenEdit(0, 3);
    ASSERT_NE(nullptr, edit);
    edit->SetWindowText("123");
    edit->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpFrameworkMessages();
    EXPECT_EQ(nullptr, list.GetEditBox());
    EXPECT_EQ("500", Text(0, 3));
    EXPECT_TRUE(parent.grid.empty());
}

TEST_F(GridListTest, NumericEntryTakesDigitsOnlyButPasteIsNotFiltered)
{
    CGridCellEdit* edit = OpenEdit(0, 3);
    ASSERT_NE(nullptr, edit);
    edit->SetWindowText("");
    for (char ch : std::string("12a3"))
        edit->SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 1);
    EXPECT_STREQ("123", WindowText(edit->m_hWnd).c_str());
    edit->SendMessage(WM_CHAR, VK_BACK, 1);
    EXPECT_STREQ("12", WindowText(edit->m_hWnd).c_str());

    ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, 3);
    memcpy(::GlobalLock(memory), "x9", 3);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
    edit->SendMessage(WM_PASTE);
    EXPECT_STREQ("12x9", WindowText(edit->m_hWnd).c_str());
}

TEST_F(GridListTest, NarrowColumnNeverOpensAClickSelectsTheRow)
{
    list.SetColumnWidth(3, 4);
    list.ShowEditCell(1, 3);
    EXPECT_EQ(nullptr, list.GetEditBox());
    CRect cell;
    list.GetCellRect(2, 3, LVIR_BOUNDS, cell);
    ClickAt(list, CPoint(cell.left + 1, cell.CenterPoint().y));
    EXPECT_EQ(nullptr, list.GetEditBox());
    EXPECT_EQ(2, list.GetSelectedRow());
    EXPECT_TRUE(parent.grid.empty());
}

TEST_F(GridListTest, HalfHiddenCellScrollsIntoViewFirst)
{
    list.MoveWindow(10, 10, 150, 190); // narrower than its columns: a horizontal scroll bar
    list.Scroll(CSize(340, 0));
    CRect cell;
    list.GetSubItemRect(0, 3, LVIR_BOUNDS, cell);
    ASSERT_LT(cell.left, 0); // the reserve cell's left part is out of view
    ASSERT_GT(cell.right, 10);
    ClickAt(list, CPoint(5, cell.CenterPoint().y));
    ASSERT_NE(nullptr, list.GetEditBox());
    list.GetSubItemRect(0, 3, LVIR_BOUNDS, cell);
    EXPECT_EQ(0, cell.left);
    CRect box;
    list.GetEditBox()->GetWindowRect(&box);
    list.ScreenToClient(&box);
    EXPECT_EQ(2, box.left);
}

TEST_F(GridListTest, SecondShowEditCellWhileOpenChangesNothing)
{
    list.SetItemText(1, 3, "900");
    CGridCellEdit* edit = OpenEdit(0, 3);
    ASSERT_NE(nullptr, edit);
    edit->SetWindowText("7");
    list.ShowEditCell(1, 3);
    EXPECT_EQ(edit, list.GetEditBox());
    EXPECT_EQ(0, list.GetEditRow());
    edit->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpFrameworkMessages();
    // Escape writes back the text of the cell that was opened, and only there.
    EXPECT_EQ("500", Text(0, 3));
    EXPECT_EQ("900", Text(1, 3));
}

TEST_F(GridListTest, OtherCellsReportTheirClicks)
{
    ClickCell(list, 2, 4);
    EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_SUBITEM_CLICKED, 2, 4}}), parent.grid);
    EXPECT_EQ(2, list.GetSelectedRow());
    EXPECT_EQ(nullptr, list.GetEditBox());
}

TEST_F(GridListTest, ComboCellChoiceEscapeAndAMoveIntoItsOwnList)
{
    ASSERT_TRUE(list.SetCombo(0, 4, {"D:\\record", "D:\\video", "E:\\record"}));
    list.SetItemText(0, 4, "D:\\video");

    // A choice with the mouse: the list's hover takes the focus, which does not end the combo.
    ClickCell(list, 0, 4);
    CGridCellCombo* combo = list.GetCellCombo();
    ASSERT_NE(nullptr, combo);
    ASSERT_TRUE(combo->IsDropped());
    EXPECT_EQ(1, combo->GetCurSel()); // opened on the cell's text
    EXPECT_EQ(8, combo->GetMaxVisibleItems());
    CDropComboBoxList& rows = combo->GetDropWnd()->List();
    CRect row;
    rows.GetItemRect(2, &row);
    combo->GetDropWnd()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(row.left + 4, row.top + 4));
    rows.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(row.left + 4, row.top + 4));
    EXPECT_EQ(rows.m_hWnd, ::GetFocus());
    EXPECT_EQ(combo, list.GetCellCombo());
    rows.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(row.left + 4, row.top + 4));
    PumpFrameworkMessages();
    EXPECT_EQ(nullptr, list.GetCellCombo());
    EXPECT_EQ("E:\\record", Text(0, 4));
    EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_EDIT_END, 0, 4}}), parent.grid);

    // Enter takes the row the keys moved to.
    parent.grid.clear();
    ClickCell(list, 0, 4);
    ASSERT_NE(nullptr, list.GetCellCombo());
    list.GetCellCombo()->PostMessage(WM_KEYDOWN, VK_UP, 0);
    list.GetCellCombo()->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpFrameworkMessages();
    EXPECT_EQ(nullptr, list.GetCellCombo());
    EXPECT_EQ("D:\\video", Text(0, 4));
    EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_EDIT_END, 0, 4}}), parent.grid);

    // Escape (list open or closed) and the focus leaving cancel: the cell keeps its text, nothing sent.
    struct Cancel {
        const char* name;
        std::function<void(CGridCellCombo*)> act;
    } cancels[] = {
        {"escape open", [](CGridCellCombo* c) { c->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"escape closed",
         [](CGridCellCombo* c) {
             c->SendMessage(WM_DROPCOMBO_CLOSEUP);
             c->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
             c->PostMessage(WM_CHAR, VK_ESCAPE, 0);
         }},
        {"focus elsewhere", [this](CGridCellCombo*) { parent.SetFocus(); }},
    };
    for (const Cancel& cancel : cancels) {
        parent.grid.clear();
        ClickCell(list, 0, 4);
        CGridCellCombo* open = list.GetCellCombo();
        ASSERT_NE(nullptr, open) << cancel.name;
        open->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        cancel.act(open);
        PumpFrameworkMessages();
        EXPECT_EQ(nullptr, list.GetCellCombo()) << cancel.name;
        EXPECT_EQ("D:\\video", Text(0, 4)) << cancel.name;
        EXPECT_TRUE(parent.grid.empty()) << cancel.name;
        EXPECT_TRUE(parent.Codes(0).empty()) << cancel.name; // the combo's own notifications stay inside
    }
}

TEST_F(GridListTest, ComboEndsLikeTheEditByAPressOutsideItsListOrOnTheScrollBars)
{
    ASSERT_TRUE(list.SetCombo(0, 4, {"D:\\record", "D:\\video", "E:\\record"}));
    struct Case {
        const char* name;
        std::function<void(CGridCellCombo*)> press;
    } cases[] = {
        {"press outside the open list",
         [this](CGridCellCombo*) {
             // The open list holds the capture: the press on the dialog beside the list goes to it.
             HWND capture = ::GetCapture();
             ASSERT_NE(nullptr, capture);
             CRect dialog;
             parent.GetWindowRect(&dialog);
             CPoint at(dialog.right - 20, dialog.bottom - 20);
             ::ScreenToClient(capture, &at);
             ::PostMessageA(capture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
             ::PostMessageA(capture, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
         }},
        {"press on the scroll bar, list closed",
         [this](CGridCellCombo* combo) {
             combo->PostMessage(WM_KEYDOWN, VK_F4, 0); // closes the list, the combo stands
             PumpFrameworkMessages();
             ASSERT_FALSE(combo->IsDropped());
             ASSERT_EQ(combo, list.GetCellCombo());
             list.PostMessage(WM_LBUTTONUP, 0, 0);
             list.SendMessage(WM_NCLBUTTONDOWN, HTVSCROLL, 0);
         }},
    };
    for (const Case& c : cases) {
        list.SetItemText(0, 4, "D:\\video");
        parent.grid.clear();
        ClickCell(list, 0, 4);
        CGridCellCombo* combo = list.GetCellCombo();
        ASSERT_NE(nullptr, combo) << c.name;
        HWND window = combo->m_hWnd;
        combo->SendMessage(WM_KEYDOWN, VK_DOWN, 0); // moves in the list, chooses nothing
        c.press(combo);
        PumpFrameworkMessages();
        EXPECT_EQ(nullptr, list.GetCellCombo()) << c.name;
        EXPECT_FALSE(::IsWindow(window)) << c.name;
        EXPECT_EQ("D:\\video", Text(0, 4)) << c.name;
        EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_EDIT_END, 0, 4}}), parent.grid) << c.name;
    }
}

namespace {

void* FailAllocation(size_t)
{
    return nullptr;
}

} // namespace

TEST_F(GridListTest, BadRowsAndColumnsGetTheDocumentedResults)
{
    // A column added after the rows has no record in their blocks; a row put in past the list's own
    // insertion has no records at all.
    list.InsertColumn(5, "added", LVCFMT_LEFT, 60);
    int bare = list.CListCtrl::InsertItem(4, "bare");
    ASSERT_EQ(4, bare);
    struct Cell {
        int row, column;
    } bad[] = {{-1, 0}, {5, 0}, {0, -1}, {0, 6}, {2, 5}, {bare, 0}, {bare, 3}};
    for (const Cell& c : bad) {
        CRect rect(1, 2, 3, 4);
        std::string where = std::to_string(c.row) + "," + std::to_string(c.column);
        EXPECT_FALSE(list.SetEdit(c.row, c.column)) << where;
        EXPECT_FALSE(list.SetCheckbox(c.row, c.column, 1)) << where;
        list.SetCheckboxNoHeader(c.row, c.column, 1);
        EXPECT_EQ(-1, list.GetCheckbox(c.row, c.column)) << where;
        EXPECT_FALSE(list.SetCombo(c.row, c.column, {"a"})) << where;
        list.ShowEditCell(c.row, c.column);
        EXPECT_EQ(nullptr, list.GetEditBox()) << where;
        list.UpdateSubItem(c.row, c.column);
    }
    // The documented index checks of the text and geometry operations; the added column exists.
    CRect rect;
    EXPECT_FALSE(list.SetItemText(-1, 0, "x"));
    EXPECT_FALSE(list.SetItemText(0, 6, "x"));
    EXPECT_FALSE(list.SetItemText(bare, 0, "x"));
    EXPECT_TRUE(list.SetItemText(2, 5, "x"));
    EXPECT_FALSE(list.GetCellRect(5, 0, LVIR_BOUNDS, rect));
    EXPECT_FALSE(list.GetCellRect(bare, 1, LVIR_BOUNDS, rect));
    EXPECT_TRUE(list.GetCellRect(2, 5, LVIR_BOUNDS, rect));
    EXPECT_EQ(-1, list.InsertItem(-1, "negative"));
    EXPECT_EQ(6, list.GetColumnCount());

    // A click on the bare row is ignored altogether; one on the added column is an ordinary cell.
    list.SelectRow(0, FALSE);
    ClickCell(list, bare, 1);
    EXPECT_EQ(0, list.GetSelectedRow());
    EXPECT_TRUE(parent.grid.empty());
    ClickCell(list, 2, 5);
    EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_SUBITEM_CLICKED, 2, 5}}), parent.grid);
    list.RedrawWindow(); // every cell drawn, none of them past its row's block

    // Records that cannot be had: no row is left behind.
    GridRecords::AllocFunc previous = GridRecords::ReplaceAllocator(FailAllocation);
    EXPECT_EQ(-1, list.InsertItem(1, "G:"));
    GridRecords::ReplaceAllocator(previous);
    EXPECT_EQ(5, list.GetItemCount());
    EXPECT_EQ("D:", Text(1, 0));
}

TEST_F(GridListTest, RowsGoingAwayEndAnOpenEditorSilently)
{
    ASSERT_NE(nullptr, OpenEdit(2, 3));
    list.DeleteItem(0);
    PumpFrameworkMessages();
    EXPECT_EQ(nullptr, list.GetEditBox());
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ("D:", Text(0, 0)); // row D: moved up with its records: unchecked
    EXPECT_EQ(0, list.GetCheckbox(0, 0));
    list.DeleteAllItems();
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_TRUE(parent.grid.empty());
}

TEST(GridListAttach, ADialogsListViewGetsItsHeaderSubclassedOnce)
{
    // As a dialog's control: the list view exists first and is attached afterwards.
    GridParent parent;
    HWND raw = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 300, 150,
                                 parent.m_hWnd, reinterpret_cast<HMENU>(1149), nullptr, nullptr);
    ASSERT_NE(nullptr, raw);
    CGridListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(raw));
    HWND header = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
    EXPECT_EQ(header, list.Header().m_hWnd);
    EXPECT_EQ(&list.Header(), CWnd::FromHandlePermanent(header));
    list.InsertColumn(0, "磁盘", LVCFMT_CENTER, 110);
    list.InsertColumn(1, "预留空间(M)", LVCFMT_CENTER, 90);
    EXPECT_EQ(0, list.InsertItem(0, "C:"));
    EXPECT_TRUE(list.SetCheckbox(0, 0, 1));
    EXPECT_TRUE(list.SetEdit(0, 1));
    ClickCell(list, 0, 0);
    EXPECT_EQ((std::vector<GridMessage>{{WM_GRIDLIST_CHECKBOX_CLICKED, 0, 0}}), parent.grid);
    EXPECT_EQ(0, list.GetCheckbox(0, 0));
}
