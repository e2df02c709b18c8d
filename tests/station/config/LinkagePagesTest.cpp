// The two pages of the camera settings whose values switch relays: the talk linkage (which server
// alarm output an intercom switches) and the local linkage (which of the linkage device's eight
// outputs each alarm switches). Boxes and radio buttons are clicked where the operator sees them.
#include <gtest/gtest.h>

#include "station/config/DlgCameraSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

enum { tabLinkage = 5, tabTalk = 8 };

// The talk page's radio buttons by the output they stand for; their identifiers are not in order.
const int kTalkRadios[5] = {IDC_TALK_OUTPUT1, IDC_TALK_OUTPUT2, IDC_TALK_OUTPUT3, IDC_TALK_OUTPUT4, IDC_TALK_NONE};

// A left click where the control's box is drawn (its left end, halfway down), delivered to whatever
// window is there, as the mouse would.
void ClickBoxOf(CWnd* page, int id)
{
    CRect rect;
    page->GetDlgItem(id)->GetWindowRect(&rect);
    CPoint at(rect.left + 5, rect.top + rect.Height() / 2);
    HWND hit = ::WindowFromPoint(at);
    ASSERT_NE(nullptr, hit);
    ::ScreenToClient(hit, &at);
    ::SendMessageA(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(hit, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

int* OutputRow(CTermCamera* camera, int row)
{
    if (row < 4)
        return camera->m_sensorOutputs[row];
    return row == 4 ? camera->m_motionOutputs : camera->m_lossOutputs;
}

// Box (row, output) is ticked in the pattern when this says so: every row and every output both
// ticked and left alone somewhere, no two rows alike.
bool InPattern(int row, int output)
{
    return (row * 3 + output) % 4 == 0 || output == row;
}

class LinkagePagesTest : public ConfigTest {
protected:
    void SetUp() override
    {
        ConfigTest::SetUp();
        MakeLiveTree();
        camera_ = FindCamera(*g_pRecGroup, "大厅", 0);
    }
    CTermCamera* camera_ = nullptr;
};

} // namespace

TEST_F(LinkagePagesTest, EachTalkRadioStoresItsOutputAndShowsItAgain)
{
    for (int output = 0; output < 5; ++output) {
        SCOPED_TRACE(output);
        camera_->m_talkAlarmOutput = output == 0 ? 4 : 0; // another one than the click chooses
        std::vector<int> checkedAtOpen;
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {[&](CWnd* modal) {
                     CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                     SelectTab(d, IDC_SETTING_TAB, tabTalk);
                     d->UpdateWindow();
                     ClickBoxOf(&d->m_talk, kTalkRadios[output]);
                     SetText(&d->m_talk, IDC_TALK_RESET, "12");
                     ClickButton(d, IDOK);
                     return true;
                 }});
        EXPECT_EQ(output, camera_->m_talkAlarmOutput);
        EXPECT_EQ(12, camera_->m_talkResetSeconds);

        // Opened again, the page shows that output's button alone.
        CDlgCameraSetting again;
        again.m_pCamera = camera_;
        RunModal(again, {[&](CWnd* modal) {
                     CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                     for (int i = 0; i < 5; ++i)
                         EXPECT_EQ(i == output, d->m_talk.IsDlgButtonChecked(kTalkRadios[i]) == BST_CHECKED) << i;
                     ClickButton(d, IDCANCEL);
                     return true;
                 }});
    }
    CRecGroup reloaded;
    EXPECT_EQ(4, FindCamera(reloaded, "大厅", 0)->m_talkAlarmOutput) << "the file holds the last choice";
}

TEST_F(LinkagePagesTest, TheFortyEightBoxesAreTheOutputMatrix)
{
    for (int row = 0; row < 6; ++row) {
        for (int output = 0; output < 8; ++output)
            OutputRow(camera_, row)[output] = 0;
    }
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {[&](CWnd* modal) {
                 CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                 SelectTab(d, IDC_SETTING_TAB, tabLinkage);
                 d->UpdateWindow();
                 for (int row = 0; row < 6; ++row) {
                     for (int output = 0; output < 8; ++output) {
                         if (InPattern(row, output))
                             ClickBoxOf(&d->m_linkage, IDC_LINKAGE_FIRST + output + 8 * row);
                     }
                 }
                 SetText(&d->m_linkage, IDC_KEYBOARD_NUMBER, "37");
                 ClickButton(d, IDOK);
                 return true;
             }});
    CRecGroup reloaded;
    CTermCamera* saved = FindCamera(reloaded, "大厅", 0);
    for (int row = 0; row < 6; ++row) {
        for (int output = 0; output < 8; ++output) {
            EXPECT_EQ(InPattern(row, output) ? 1 : 0, OutputRow(camera_, row)[output]) << row << " " << output;
            EXPECT_EQ(OutputRow(camera_, row)[output], OutputRow(saved, row)[output]) << row << " " << output;
        }
    }
    EXPECT_EQ(37, saved->m_keyboardNumber);

    // The matrix is shown again box for box.
    CDlgCameraSetting again;
    again.m_pCamera = camera_;
    RunModal(again, {[&](CWnd* modal) {
                 CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                 for (int row = 0; row < 6; ++row) {
                     for (int output = 0; output < 8; ++output) {
                         UINT state = d->m_linkage.IsDlgButtonChecked(IDC_LINKAGE_FIRST + output + 8 * row);
                         EXPECT_EQ(InPattern(row, output), state == BST_CHECKED) << row << " " << output;
                     }
                 }
                 ClickButton(d, IDCANCEL);
                 return true;
             }});
}
